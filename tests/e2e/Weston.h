#pragma once
// A Wayland session for the end-to-end runs: weston on a private runtime
// folder and socket, with Xwayland, the X server Wayland sessions give X11
// programs.
//
// Two back ends. The headless one has no output device and no seat: no input
// reaches it at all (and Xwayland 22 crashes on an XTEST pointer motion
// there), so it serves runs that only look. Inside an X server (weston's X11
// back end in a window filling a virtual display) weston takes that server's
// pointer and keyboard as its seat: xdotool on the outer display is a reader's
// mouse and keyboard, which weston hands on to Xwayland like any desktop.
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include "tests/e2e/E2E.h"

namespace e2e {

class Weston {
 public:
  // Which of the programs the session needs is not installed (empty when all are).
  static QString Missing();

  // Headless on a 1280x900 output.
  Weston();
  // Filling `outer` (1280x900), its seat driven through `outer`.
  explicit Weston(const VirtualDisplay& outer);
  ~Weston();

  bool Ok() const { return ok_; }
  // Why the start failed, with weston's log.
  QString Failure() const { return failure_; }
  // The Xwayland display, for the X helpers and the program.
  const VirtualDisplay& X() const { return *x_; }
  // What a client of the session needs beside DISPLAY: WAYLAND_DISPLAY, XDG_RUNTIME_DIR.
  QProcessEnvironment ClientEnvironment() const;
  // The compositor's own picture of its output (weston's screenshooter), kept
  // as e2e-shots/wayland/NAME.png; a null image when none could be taken.
  QImage Shot(const QString& name) const;

  // The files the session made outside its runtime folder: Xwayland's socket
  // and lock file, which weston removes when it ends.
  QStringList XFiles() const;
  // Ends weston (and with it Xwayland); false when it had to be killed.
  bool Stop();

 private:
  void Start(const QProcessEnvironment& env, const QStringList& backend);

  QTemporaryDir runtime_;
  QProcess weston_;
  std::unique_ptr<VirtualDisplay> x_;
  int xNumber_ = -1;
  bool ok_ = false;
  QString failure_;
};

}  // namespace e2e
