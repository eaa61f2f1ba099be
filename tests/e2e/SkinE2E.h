#pragma once
// Helpers of the skin suites: a window manager on the test display, the
// program's windows as the X server reports them (with or without a window
// manager), the pointer held down while it moves, and the frame a window
// should show, composed from the same skin file the program loads.
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QRect>
#include <QString>
#include <memory>
#include <optional>
#include <utility>

#include "skin/engine/SkinData.h"
#include "skin/frame/CaptionButtons.h"
#include "tests/e2e/E2E.h"

namespace skine2e {

// Openbox on the display for the lifetime of the object.
class Openbox {
 public:
  explicit Openbox(const e2e::VirtualDisplay& display);
  ~Openbox();
  bool Ok() const { return ok_; }

 private:
  QProcess process_;
  bool ok_ = false;
};

// The visible window with exactly this title, its outer rectangle on the
// screen (through any window-manager frame), polled until `timeoutMs`.
std::optional<e2e::Window> FindWindow(const e2e::VirtualDisplay& display, const QString& title, int timeoutMs = 20000);
bool WindowGone(const e2e::VirtualDisplay& display, const QString& title, int timeoutMs = 20000);
// Every visible window of the program (titled or not: popup menus too).
QList<e2e::Window> ProgramWindows(const e2e::VirtualDisplay& display);
// Polls until a window of the program that is not in `before` is up (a popup
// menu just asked for), so that keys sent next reach it on a loaded machine too.
std::optional<e2e::Window> WaitForNewProgramWindow(const e2e::VirtualDisplay& display,
                                                   const QList<e2e::Window>& before, int timeoutMs = 10000);

// Whether `window` holds the keyboard focus (the program's active window).
bool HasFocus(const e2e::VirtualDisplay& display, const e2e::Window& window);

// Pointer steps through xdotool.
void Press(const e2e::VirtualDisplay& display, QPoint p, int button = 1);
// With the button held: a first one-pixel move from `pressed` (which starts a
// move or resize), then on to `pressed` + `by`.
void MoveHeld(const e2e::VirtualDisplay& display, QPoint pressed, QPoint by);
void Release(const e2e::VirtualDisplay& display, QPoint p, int button = 1);
void DoubleClick(const e2e::VirtualDisplay& display, QPoint p, int button = 1);

// The skin of build/bin/skins/N.skn, or the stored one for 0.
std::unique_ptr<skin::TSkinData> LoadSkin(int n);

// What the frame of a window shows.
struct FrameExpectation {
  QImage frame;        // W x H, the client area transparent
  QRect textRect;      // the caption text (its pixels are not compared)
  QList<QRect> icons;  // buttons that show the window's icon (not compared either)
  // The caption buttons drawn from images: their Action and where they lie.
  QList<std::pair<int, QRect>> buttons;
  skin::TFrameMetrics metrics;
  int clipRight = 0;
};
struct WindowTraits {
  QString title;
  skin::TFrameKind kind = skin::fkSizeable;
  skin::TCaptionCaps caps{true, true, true, false};
  bool maximized = false;
  bool dialogClass = false;
  bool popupStyle = false;
};
FrameExpectation ExpectedFrame(const skin::TSkinData& data, const WindowTraits& traits, QSize size, bool active);

// Compares the frame part of `window` on the screenshot with the expectation:
// the number of compared pixels that differ (magenta pixels, which the
// window's region cuts away, and the text and icons are left out).
struct FrameComparison {
  int compared = 0;
  int different = 0;
  QString firstDifference;
};
// At a whole scale factor, each frame pixel must fill its square of `scale`
// x `scale` screen pixels (`window` in screen pixels).
FrameComparison CompareFrame(const QImage& shot, const QRect& window, const FrameExpectation& expected, int scale = 1);

// Saves a shot under e2e-shots/skins/.
void KeepShot(const QImage& shot, const QString& name);

// ---- the program's windows and menus ------------------------------------------

inline const QString kMainTitle = QStringLiteral("Cinnabarquillpad V2014 build 09.01");
inline const QString kTipTitle = QStringLiteral("每日一贴");
constexpr int kBarHeight = 19;

// The frames the main window, the tip window and a message box wear.
WindowTraits MainTraits(bool maximized);
WindowTraits TipTraits();
WindowTraits MessageTraits(const QString& title);

// Whether `window` on `shot` shows exactly the skin's frame.
testing::AssertionResult ShowsFrame(const QImage& shot, const e2e::Window& window, const skin::TSkinData& skin,
                                    const WindowTraits& traits, bool active, int scale = 1);

// The main window's frame and bar as a skin lays them out.
struct Layout {
  skin::TFrameMetrics m;
  QRect bar;  // on the screen
  const skin::TSkinElements* e = nullptr;
};
Layout LayoutOf(const e2e::Window& main, const skin::TSkinData& s);
// The first bar entry ("功能") on the screen; the others are found by the arrows.
QRect FirstEntry(const Layout& l);
// The height of an item of a bar menu.
int ItemHeight();

// A menu window of the program (not the main window) with its top-left corner at `at`.
std::optional<e2e::Window> MenuAt(const e2e::VirtualDisplay& d, QPoint at, int timeoutMs = 5000);

// Differences between the menu window on the shot and the skin's painting:
// its border, and the lit first item left of its caption.
testing::AssertionResult ShowsSkinnedMenu(const QImage& shot, const e2e::Window& menu, const skin::TSkinElements& e,
                                          bool lit);

}  // namespace skine2e
