#pragma once
// Runs the real program under a virtual X display and drives it with real
// input events. Screenshots of each step are kept in build/tests/e2e-shots/.
#include <QImage>
#include <QList>
#include <QProcess>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <optional>

namespace e2e {

// Waiting times stretched for builds whose programs run several times slower
// (the sanitizer build): the same waits, never shorter.
constexpr int Patience(int ms) {
#if defined(__SANITIZE_ADDRESS__)
  return ms * 3;
#else
  return ms;
#endif
}

// The program's directory (build/bin), the source tree, and where screenshots go.
QString BinDir();
QString SourceDir();
QString ShotDir();

// Starts Xvfb on a free display for the lifetime of the object, 1280 x 900
// unless another screen size is asked for.
class VirtualDisplay {
 public:
  VirtualDisplay() : VirtualDisplay(QSize(1280, 900)) {}
  explicit VirtualDisplay(QSize screen);
  // An X server that runs already (Xwayland under a compositor): nothing is
  // started or stopped, the helpers below just work on it.
  explicit VirtualDisplay(const QString& runningDisplay);
  ~VirtualDisplay();
  bool Ok() const { return ok_; }
  const QString& Name() const { return name_; }
  QProcessEnvironment Environment() const;

 private:
  QProcess xvfb_;
  QString name_;
  bool ok_ = false;
};

// Runs a command on the display and returns its standard output.
QString Run(const VirtualDisplay& display, const QString& program, const QStringList& args, int timeoutMs = 20000);
// Saves a screenshot of the whole display under the shot folder and returns it;
// a capture that fails or is killed is taken again. A null image when no
// attempt gave a whole one.
QImage Shot(const VirtualDisplay& display, const QString& name);

// ---- the program ------------------------------------------------------------

// A copy of the program's directory in a temporary folder, with the shipped
// setup.ini: the runs neither read the reader's own settings in build/bin nor
// write there.
class ProgramCopy {
 public:
  ProgramCopy();
  bool Ok() const { return ok_; }
  QString Dir() const { return dir_.path(); }
  QString SetupFile() const;
  // Sets the [tip] keys of the copy's setup.ini, keeping every other line's bytes.
  bool SetTipSettings(const QString& tip, const QString& count) const;

 private:
  QTemporaryDir dir_;
  bool ok_ = false;
};

// Arguments that start the program with the platform's frames: suites that look
// at the windows' contents at fixed places use them (the skin suites check the
// skinned look).
inline const QStringList kUnskinned = {QStringLiteral("--skin"), QStringLiteral("off")};

// The program started in a copy of its directory on a display. A program still
// running when the object goes is killed.
class RunningProgram {
 public:
  RunningProgram(const VirtualDisplay& display, const ProgramCopy& copy,
                 const QProcessEnvironment& extraEnvironment = QProcessEnvironment(),
                 const QStringList& arguments = {});
  ~RunningProgram();
  bool Started() const { return started_; }
  bool Running() const { return process_.state() == QProcess::Running; }
  // Waits for the program to end by itself; false when it is still running.
  bool WaitForExit(int timeoutMs);
  int ExitCode() const { return process_.exitCode(); }
  QString ErrorOutput();

 private:
  QProcess process_;
  bool started_ = false;
};

// Reads a value of an INI file, matching section and key names without regard
// to case; nullopt when the file, section or key is missing.
std::optional<QString> IniValue(const QString& file, const QString& section, const QString& key);

// ---- input through xdotool --------------------------------------------------

void MoveTo(const VirtualDisplay& display, QPoint p);
void Click(const VirtualDisplay& display, QPoint p);
void TypeText(const VirtualDisplay& display, const QString& text);
void PressKey(const VirtualDisplay& display, const QString& key);

// ---- windows, as the X server reports them ----------------------------------

struct Window {
  QString id;
  QString title;
  QRect geometry;
};
QList<Window> VisibleWindows(const VirtualDisplay& display);
// Polls until a visible window with exactly this title exists (or is gone).
std::optional<Window> WaitForWindow(const VirtualDisplay& display, const QString& title, int timeoutMs = 20000);
bool WaitForWindowGone(const VirtualDisplay& display, const QString& title, int timeoutMs = 20000);

// ---- a window manager ---------------------------------------------------------

// Openbox managing the display for the lifetime of the object: frames, title
// bars and the window manager's own handling of the program's requests.
class WindowManager {
 public:
  explicit WindowManager(const VirtualDisplay& display);
  ~WindowManager();
  bool Ok() const { return ok_; }

 private:
  QProcess openbox_;
  bool ok_ = false;
};

// The X id of the client window with exactly this title (framed or not), polled
// until it is mapped; empty when none shows in time.
QString WaitForClientWindow(const VirtualDisplay& display, const QString& title, int timeoutMs = 20000);
// A property of a window as xprop prints it ("NAME(TYPE) = ..."), or empty.
QString WindowProperty(const VirtualDisplay& display, const QString& id, const QString& property);
// Whether the window is mapped and viewable (not minimised, not hidden).
bool IsViewable(const VirtualDisplay& display, const QString& id);

// ---- screenshots and pixels -------------------------------------------------

// Polls screenshots until `ready` holds for one, at most `timeoutMs`. The last
// one taken is kept as `name` and stored in *shot (unless `shot` is null);
// returns whether it was ready.
bool WaitForShot(const VirtualDisplay& display, const QString& name, const std::function<bool(const QImage&)>& ready,
                 QImage* shot, int timeoutMs = 20000);
// The same with screenshots taken by `take` (a null image when it failed).
bool WaitForShot(const std::function<QImage()>& take, const std::function<bool(const QImage&)>& ready, QImage* shot,
                 int timeoutMs = 20000);

// Number of pixels in `r` for which `test` holds.
int CountPixels(const QImage& image, const QRect& r, const std::function<bool(QRgb)>& test);
// The bounding box of the pixels in `r` for which `test` holds (empty when none does).
QRect InkBox(const QImage& image, const QRect& r, const std::function<bool(QRgb)>& test);
// Number of pixels in `r` that differ between two screenshots.
int DifferentPixels(const QImage& a, const QImage& b, const QRect& r);
// Whether region `ra` of `a` equals region `rb` (same size) of `b`, pixel for pixel.
bool SameRegion(const QImage& a, const QRect& ra, const QImage& b, const QRect& rb);
// Pixel tests used by the suites.
bool IsColor(QRgb p, int r, int g, int b, int tolerance = 2);
bool IsDark(QRgb p);  // text ink
// IsColor of the pixel at `p`; false where `p` lies outside the image.
bool IsColorAt(const QImage& image, QPoint p, int r, int g, int b, int tolerance = 2);

}  // namespace e2e
