// The speech-engine installer script, run against stand-in system tools.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "tests/support/TestSupport.h"

namespace {

QString Installer() { return QStringLiteral(CQ_SPEECH_INSTALLER); }

// A folder of tools the script may call: real ones linked in, stand-ins written
// as small scripts. The script's PATH holds this folder only.
class FakeSystem {
 public:
  FakeSystem() {
    QDir(dir_.path()).mkpath(QStringLiteral("bin"));
    for (const char* tool : {"grep", "sh", "env", "cat"}) {
      const QString real = QStandardPaths::findExecutable(QString::fromLatin1(tool));
      EXPECT_TRUE(QFile::link(real, bin(tool))) << tool;
    }
  }
  QString bin(const char* name) const { return dir_.filePath(QStringLiteral("bin/%1").arg(QLatin1String(name))); }
  QString file(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }
  void Tool(const char* name, const QString& body) {
    testing_support::WriteFile(bin(name), ("#!/bin/sh\n" + body + "\n").toUtf8());
    QFile::setPermissions(bin(name), QFile::permissions(bin(name)) | QFile::ExeOwner);
  }
  // dpkg-query answers "installed" once the marker file exists.
  void Dpkg() {
    Tool("dpkg-query", QStringLiteral("[ -e '%1' ] && printf 'install ok installed' && exit 0; exit 1")
                           .arg(file("installed")));
  }
  void UserId(int id) { Tool("id", QStringLiteral("echo %1").arg(id)); }
  struct Result {
    int code;
    QString output;
  };
  Result Run() {
    QProcess p;
    QProcessEnvironment env;
    env.insert(QStringLiteral("PATH"), QFileInfo(bin("sh")).path());
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.setStandardInputFile(QProcess::nullDevice());
    p.start(Installer(), {});
    EXPECT_TRUE(p.waitForFinished(20000));
    return {p.exitCode(), QString::fromUtf8(p.readAll())};
  }

 private:
  QTemporaryDir dir_;
};

}  // namespace

TEST(SpeechInstaller, InstalledEngineIsLeftAlone) {
  FakeSystem sys;
  sys.Dpkg();
  sys.UserId(0);
  testing_support::WriteFile(sys.file("installed"), "");
  sys.Tool("apt-get", QStringLiteral("echo apt-get must not run; exit 9"));
  const auto r = sys.Run();
  EXPECT_EQ(r.code, 0) << r.output.toStdString();
  EXPECT_TRUE(r.output.contains(QStringLiteral("already installed"))) << r.output.toStdString();
}

TEST(SpeechInstaller, RootInstallsBothPackagesWithAptGet) {
  FakeSystem sys;
  sys.Dpkg();
  sys.UserId(0);
  sys.Tool("apt-get", QStringLiteral("echo \"$@\" >> '%1'; case \"$1\" in install) : > '%2';; esac")
                          .arg(sys.file("apt.log"), sys.file("installed")));
  const auto r = sys.Run();
  EXPECT_EQ(r.code, 0) << r.output.toStdString();
  EXPECT_TRUE(r.output.contains(QStringLiteral("has been installed"))) << r.output.toStdString();
  const QString log = QString::fromUtf8(testing_support::ReadFile(sys.file("apt.log")));
  EXPECT_TRUE(log.startsWith(QStringLiteral("update"))) << log.toStdString();
  EXPECT_TRUE(log.contains(QStringLiteral("install -y -qq --no-install-recommends espeak-ng espeak-ng-data")))
      << log.toStdString();
}

TEST(SpeechInstaller, FailedInstallationIsReportedAsFailure) {
  FakeSystem sys;
  sys.Dpkg();
  sys.UserId(0);
  sys.Tool("apt-get", QStringLiteral("exit 100"));
  const auto r = sys.Run();
  EXPECT_EQ(r.code, 1);
  EXPECT_TRUE(r.output.contains(QStringLiteral("could not be installed"))) << r.output.toStdString();
}

TEST(SpeechInstaller, UserWithoutAWayToBecomeRootIsToldSo) {
  FakeSystem sys;
  sys.Dpkg();
  sys.UserId(1000);
  sys.Tool("apt-get", QStringLiteral("echo apt-get must not run; exit 9"));
  const auto r = sys.Run();
  EXPECT_EQ(r.code, 1);
  EXPECT_TRUE(r.output.contains(QStringLiteral("administrator rights"))) << r.output.toStdString();
}

TEST(SpeechInstaller, UserInstallsThroughSudoWhenAllowed) {
  FakeSystem sys;
  sys.Dpkg();
  sys.UserId(1000);
  // A sudo that lets the user in without a password and runs the command.
  sys.Tool("sudo", QStringLiteral("[ \"$1\" = -n ] && exit 0; echo sudo >> '%1'; exec \"$@\"").arg(sys.file("apt.log")));
  sys.Tool("apt-get", QStringLiteral("echo \"$1\" >> '%1'; [ \"$1\" = install ] && : > '%2'; exit 0")
                          .arg(sys.file("apt.log"), sys.file("installed")));
  const auto r = sys.Run();
  EXPECT_EQ(r.code, 0) << r.output.toStdString();
  EXPECT_EQ(QString::fromUtf8(testing_support::ReadFile(sys.file("apt.log"))),
            QStringLiteral("sudo\nupdate\ninstall\n"));
}

TEST(SpeechInstaller, SystemWithoutAptGetIsToldWhatToInstall) {
  FakeSystem sys;
  sys.Dpkg();
  sys.UserId(0);
  const auto r = sys.Run();
  EXPECT_EQ(r.code, 1);
  EXPECT_TRUE(r.output.contains(QStringLiteral("no apt-get"))) << r.output.toStdString();
  EXPECT_TRUE(r.output.contains(QStringLiteral("espeak-ng espeak-ng-data"))) << r.output.toStdString();
}
