// The program as a screen reader reads it: on a private session bus with the
// accessibility bus of at-spi2-core, the real program runs with its AT-SPI
// bridge on, and tests/e2e/accessible_tree.py reads its accessible tree
// through pyatspi, chooses 唐代, 李白 and a poem through the accessible
// actions and the keyboard, and checks names, texts and focus notices.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <iostream>
#include <optional>

#include "tests/e2e/E2E.h"

namespace {

const QString kMainTitle = QStringLiteral("Cinnabarquillpad V2014 build 09.01");
constexpr int kNoPyatspi = 77;

// The first Python that can import pyatspi (Debian's own comes first: the
// package installs into its library, which another python3 on PATH may lack).
QString PythonWithPyatspi() {
  for (const QString& python : {QStringLiteral("/usr/bin/python3"), QStringLiteral("python3")}) {
    QProcess p;
    p.start(python, {QStringLiteral("-c"), QStringLiteral("import pyatspi")});
    if (p.waitForFinished(e2e::Patience(60000)) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
      return python;
  }
  return {};
}

QString BusLauncher() {
  for (const QString& path : {QStringLiteral("/usr/libexec/at-spi-bus-launcher"),
                              QStringLiteral("/usr/lib/at-spi2-core/at-spi-bus-launcher")})
    if (QFileInfo(path).isExecutable()) return path;
  return {};
}

// A process of the session that is ended with it.
class Helper {
 public:
  Helper(const QString& program, const QStringList& args, const QProcessEnvironment& env) {
    process_.setProcessEnvironment(env);
    process_.start(program, args);
    started_ = process_.waitForStarted(e2e::Patience(10000));
  }
  ~Helper() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.terminate();
    if (!process_.waitForFinished(3000)) {
      process_.kill();
      process_.waitForFinished(3000);
    }
  }
  bool Started() const { return started_; }
  bool Running() const { return process_.state() == QProcess::Running; }
  // The first line the process writes, polled until the deadline.
  QString FirstLine(int timeoutMs) {
    QByteArray out;
    const QDeadlineTimer deadline(e2e::Patience(timeoutMs));
    while (!out.contains('\n') && process_.state() == QProcess::Running && !deadline.hasExpired()) {
      process_.waitForReadyRead(200);
      out += process_.readAllStandardOutput();
    }
    return out.contains('\n') ? QString::fromUtf8(out.left(out.indexOf('\n'))).trimmed() : QString();
  }

 private:
  QProcess process_;
  bool started_ = false;
};

}  // namespace

// Run bare and under openbox: the keyboard part depends on who gives the window the focus.
class Accessibility : public ::testing::TestWithParam<bool> {};

TEST_P(Accessibility, AScreenReaderReadsTheWindowAndChoosesAPoem) {
  const QString python = PythonWithPyatspi();
  if (python.isEmpty()) GTEST_SKIP() << "python3-pyatspi is not installed: the accessible tree cannot be read";
  const QString launcher = BusLauncher();
  ASSERT_FALSE(launcher.isEmpty()) << "at-spi2-core's at-spi-bus-launcher is not installed";

  e2e::VirtualDisplay display;
  ASSERT_TRUE(display.Ok());
  std::optional<e2e::WindowManager> openbox;
  if (GetParam()) {
    openbox.emplace(display);
    ASSERT_TRUE(openbox->Ok());
  }
  QProcessEnvironment env = display.Environment();
  // A session bus of its own, so that no other session's reader or program meets this one.
  Helper bus(QStringLiteral("dbus-daemon"),
             {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address")}, env);
  ASSERT_TRUE(bus.Started()) << "dbus-daemon did not start";
  const QString address = bus.FirstLine(20000);
  ASSERT_FALSE(address.isEmpty()) << "the session bus gave no address";
  env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address);
  env.remove(QStringLiteral("AT_SPI_BUS_ADDRESS"));
  // The accessibility bus; its registry starts on the first request.
  Helper atspi(launcher, {QStringLiteral("--launch-immediately")}, env);
  ASSERT_TRUE(atspi.Started());

  e2e::ProgramCopy copy;
  ASSERT_TRUE(copy.Ok());
  ASSERT_TRUE(copy.SetTipSettings(QStringLiteral("0"), QStringLiteral("0")));
  QProcessEnvironment programEnv;
  programEnv.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address);
  programEnv.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
  e2e::RunningProgram program(display, copy, programEnv);
  ASSERT_TRUE(program.Started());
  // A framed window's title is its client's (the frame is the window manager's).
  const bool shown = GetParam() ? !e2e::WaitForClientWindow(display, kMainTitle, e2e::Patience(60000)).isEmpty()
                                : e2e::WaitForWindow(display, kMainTitle, e2e::Patience(60000)).has_value();
  ASSERT_TRUE(shown);

  QProcess reader;
  reader.setProcessEnvironment(env);
  reader.setProcessChannelMode(QProcess::MergedChannels);
  reader.start(python, {QDir(e2e::SourceDir()).filePath(QStringLiteral("tests/e2e/accessible_tree.py"))});
  ASSERT_TRUE(reader.waitForStarted(e2e::Patience(10000)));
  const bool finished = reader.waitForFinished(e2e::Patience(280000));
  const QString output = QString::fromUtf8(reader.readAll());
  e2e::Shot(display, QStringLiteral("accessibility-poem-chosen"));
  ASSERT_TRUE(finished) << "the reader script did not end:\n" << output.toStdString();
  if (reader.exitCode() == kNoPyatspi) GTEST_SKIP() << output.toStdString();
  EXPECT_EQ(reader.exitCode(), 0) << output.toStdString();
  EXPECT_TRUE(program.Running()) << "the program ended while it was read";
  EXPECT_TRUE(atspi.Running());
}

INSTANTIATE_TEST_SUITE_P(WindowManagers, Accessibility, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Openbox" : "Bare"; });
