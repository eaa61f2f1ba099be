#include "tests/e2e/Weston.h"

#include <xcb/xcb.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>
#include <cstdlib>

namespace e2e {

namespace {

const QString kSocket = QStringLiteral("wayland-cq");

QString LogFile(const QTemporaryDir& runtime) { return runtime.filePath(QStringLiteral("weston.log")); }

QString ReadLog(const QTemporaryDir& runtime) {
  QFile f(LogFile(runtime));
  return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// The number weston's log gives after `label` the last time (the X display,
// Xwayland's pid: weston starts Xwayland anew when its last client has left), or -1.
int LoggedNumber(const QString& log, const QString& label) {
  int number = -1;
  QRegularExpressionMatchIterator it =
      QRegularExpression(QRegularExpression::escape(label) + QStringLiteral("(\\d+)")).globalMatch(log);
  while (it.hasNext()) number = it.next().captured(1).toInt();
  return number;
}

// Whether process `pid` runs (a zombie has ended).
bool Alive(int pid) {
  if (pid <= 0) return false;
  QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
  if (!stat.open(QIODevice::ReadOnly)) return false;
  const QByteArray line = stat.readAll();
  const qsizetype end = line.lastIndexOf(')');  // "pid (name) state ..."
  return end >= 0 && line.size() > end + 2 && line[end + 2] != 'Z';
}

// weston's X11 back end places its pointer when the outer pointer enters its
// window, and only then. Mapped under the pointer, the window may miss that
// entry, and weston's pointer then sits at its own start (on the panel's
// terminal launcher, which the first click starts). A window put over the
// whole screen and taken away again makes the pointer leave and enter anew.
bool PointerEntersOutput(const VirtualDisplay& outer) {
  // Once weston's output window shows on the outer display.
  const QDeadlineTimer deadline(Patience(10000));
  while (!Run(outer, QStringLiteral("xdotool"),
              {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--class"),
               QStringLiteral("^Weston Compositor$")})
              .contains(QLatin1Char('\n'))) {
    if (deadline.hasExpired()) return false;
    QThread::msleep(100);
  }
  xcb_connection_t* c = xcb_connect(outer.Name().toLocal8Bit().constData(), nullptr);
  const bool ok = !xcb_connection_has_error(c);
  if (ok) {
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_window_t cover = xcb_generate_id(c);
    const uint32_t overrideRedirect = 1;
    xcb_create_window(c, XCB_COPY_FROM_PARENT, cover, screen->root, 0, 0, screen->width_in_pixels,
                      screen->height_in_pixels, 0, XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT,
                      XCB_CW_OVERRIDE_REDIRECT, &overrideRedirect);
    xcb_map_window(c, cover);
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));  // mapped before it goes
    xcb_destroy_window(c, cover);
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
  }
  xcb_disconnect(c);
  return ok;
}

}  // namespace

QString Weston::Missing() {
  QStringList missing;
  for (const char* program : {"weston", "Xwayland", "weston-screenshooter"})
    if (QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty()) missing << QString::fromLatin1(program);
  return missing.join(QStringLiteral(", "));
}

Weston::Weston() {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.remove(QStringLiteral("DISPLAY"));
  Start(env, {QStringLiteral("--backend=headless-backend.so")});
}

Weston::Weston(const VirtualDisplay& outer) {
  Start(outer.Environment(), {QStringLiteral("--backend=x11-backend.so")});
  if (ok_ && !PointerEntersOutput(outer)) {
    ok_ = false;
    failure_ = QStringLiteral("weston's output window did not show on ") + outer.Name();
  }
}

void Weston::Start(const QProcessEnvironment& base, const QStringList& backend) {
  QProcessEnvironment env = base;
  env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());  // QTemporaryDir makes it private (0700)
  env.remove(QStringLiteral("WAYLAND_DISPLAY"));
  env.remove(QStringLiteral("WAYLAND_SOCKET"));
  weston_.setProcessEnvironment(env);
  weston_.setProcessChannelMode(QProcess::MergedChannels);
  // --debug offers the screenshooter; --idle-time=0 keeps the lock screen away.
  weston_.start(QStringLiteral("weston"),
                backend + QStringList{QStringLiteral("--use-pixman"), QStringLiteral("--width=1280"),
                                      QStringLiteral("--height=900"), QStringLiteral("--xwayland"),
                                      QStringLiteral("--socket=") + kSocket, QStringLiteral("--debug"),
                                      QStringLiteral("--no-config"), QStringLiteral("--idle-time=0"),
                                      QStringLiteral("--log=") + LogFile(runtime_)});
  if (!runtime_.isValid() || !weston_.waitForStarted(Patience(10000))) {
    failure_ = QStringLiteral("weston did not start");
    return;
  }
  // Xwayland listens once weston has set its outputs and shell up; it starts
  // on the first X client.
  const QDeadlineTimer deadline(Patience(20000));
  while (!deadline.hasExpired() && weston_.state() == QProcess::Running) {
    xNumber_ = LoggedNumber(ReadLog(runtime_), QStringLiteral("xserver listening on display :"));
    if (xNumber_ >= 0 && QFile::exists(runtime_.filePath(kSocket))) {
      x_ = std::make_unique<VirtualDisplay>(QStringLiteral(":%1").arg(xNumber_));
      ok_ = true;
      return;
    }
    QThread::msleep(100);
  }
  failure_ = QStringLiteral("weston offered no Xwayland display; its log:\n") + ReadLog(runtime_) +
             QString::fromLocal8Bit(weston_.readAll());
}

Weston::~Weston() { Stop(); }

QProcessEnvironment Weston::ClientEnvironment() const {
  QProcessEnvironment env;
  env.insert(QStringLiteral("WAYLAND_DISPLAY"), kSocket);
  env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
  return env;
}

QImage Weston::Shot(const QString& name) const {
  const QString dir = QDir(ShotDir()).filePath(QStringLiteral("wayland"));
  QDir().mkpath(dir);
  for (int attempt = 0; attempt < 3; ++attempt) {
    // The screenshooter writes wayland-screenshot-TIME.png into its working folder.
    QTemporaryDir out;
    QProcess shooter;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(ClientEnvironment());
    shooter.setProcessEnvironment(env);
    shooter.setWorkingDirectory(out.path());
    shooter.start(QStringLiteral("weston-screenshooter"), {});
    if (!shooter.waitForFinished(Patience(20000))) {
      shooter.kill();
      shooter.waitForFinished(1000);
      continue;
    }
    const QStringList files = QDir(out.path()).entryList({QStringLiteral("*.png")}, QDir::Files);
    QImage image;
    if (shooter.exitCode() != 0 || files.size() != 1 || !image.load(QDir(out.path()).filePath(files.first()))) continue;
    image = image.convertToFormat(QImage::Format_RGB32);
    image.save(QDir(dir).filePath(name + QStringLiteral(".png")));
    return image;
  }
  return QImage();
}

QStringList Weston::XFiles() const {
  if (xNumber_ < 0) return {};
  return {QStringLiteral("/tmp/.X11-unix/X%1").arg(xNumber_), QStringLiteral("/tmp/.X%1-lock").arg(xNumber_)};
}

bool Weston::Stop() {
  if (weston_.state() == QProcess::NotRunning) return true;
  const int xwayland = LoggedNumber(ReadLog(runtime_), QStringLiteral("Spawned Xwayland server, pid "));
  weston_.terminate();
  bool clean = weston_.waitForFinished(Patience(10000));
  if (!clean) {
    weston_.kill();
    weston_.waitForFinished(3000);
  }
  // Xwayland ends when weston, its Wayland server, has gone.
  const QDeadlineTimer deadline(Patience(10000));
  while (Alive(xwayland) && !deadline.hasExpired()) QThread::msleep(50);
  return clean && !Alive(xwayland);
}

}  // namespace e2e
