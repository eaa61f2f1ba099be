// The program in a Wayland session: weston with Xwayland, once headless and
// once with a seat (weston's X11 back end inside Xvfb, driven by xdotool
// there). The program is started as a desktop starts it in such a session
// (WAYLAND_DISPLAY and DISPLAY set, no platform chosen) and picks X11 itself.
// On the compositor's own screenshots its windows and menus wear the skin
// pixel for pixel; it moves by its caption and resizes by its frame through
// weston's window manager; its menus open under their bar entries wherever
// weston has put the window. Shots are kept in build/tests/e2e-shots/wayland/.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>
#include <functional>

#include "skin/core/SkinElements.h"
#include "skin/menu/MenuBarPaint.h"
#include "skin/menu/MenuText.h"
#include "skin/menu/PopupBackground.h"
#include "tests/e2e/E2E.h"
#include "tests/e2e/SkinE2E.h"
#include "tests/e2e/Weston.h"
#include "toolkit/Fonts.h"

namespace {

using skine2e::kMainTitle;
using skine2e::Layout;
using skine2e::LayoutOf;
using skine2e::MainTraits;
using skine2e::ShowsFrame;

// The output below weston's panel, which takes its top 32 pixels: where a maximised window goes.
const QRect kWorkArea(0, 32, 1280, 868);

// Polls until `done` holds, at most `timeoutMs`.
bool PollFor(const std::function<bool()>& done, int timeoutMs = 10000) {
  const QDeadlineTimer deadline(e2e::Patience(timeoutMs));
  for (;;) {
    if (done()) return true;
    if (deadline.hasExpired()) return false;
    QThread::msleep(100);
  }
}

// The window with this title once weston has stopped moving it: the same
// place in reads 300 ms apart (weston puts a window up, then moves it into
// place).
// The window with this title once it stands at `where`; a loaded machine may
// show it at its first size for longer than Settled waits.
std::optional<e2e::Window> SettledAt(const e2e::VirtualDisplay& x, const QString& title, const QRect& where) {
  std::optional<e2e::Window> now;
  PollFor([&] {
    now = skine2e::FindWindow(x, title, 0);
    return now && now->geometry == where;
  }, 20000);
  return now ? now : skine2e::FindWindow(x, title);
}

std::optional<e2e::Window> Settled(const e2e::VirtualDisplay& x, const QString& title) {
  std::optional<e2e::Window> last = skine2e::FindWindow(x, title);
  PollFor([&] {
    QThread::msleep(200);
    const std::optional<e2e::Window> now = skine2e::FindWindow(x, title, 0);
    const bool same = now && last && now->geometry == last->geometry;
    last = now;
    return same;
  });
  return last;
}

// The bar entry `index` (0 "功能", 1 "菜单") on the screen.
QRect BarEntry(const Layout& l, int index) {
  const std::vector<skin::TMenuBarEntry> entries = {{QStringLiteral("功能")}, {QStringLiteral("菜单")}};
  return skin::LayoutMenuBarItems(entries, *l.e, l.bar.size(), skin::MenuFont(), false)[index].translated(
      l.bar.topLeft());
}

// The offset of a window inside the frame window weston's window manager put around it.
QPoint OffsetInFrame(const e2e::VirtualDisplay& x, const e2e::Window& w) {
  const QString tree = e2e::Run(x, QStringLiteral("xwininfo"), {QStringLiteral("-id"), w.id, QStringLiteral("-tree")});
  const QString parent = QRegularExpression(QStringLiteral("Parent window id: (0x[0-9a-f]+)")).match(tree).captured(1);
  const QString info = e2e::Run(x, QStringLiteral("xwininfo"), {QStringLiteral("-id"), parent});
  auto value = [&info](const char* key) {
    return QRegularExpression(QString::fromLatin1(key) + QStringLiteral(":\\s*(-?\\d+)"))
        .match(info)
        .captured(1)
        .toInt();
  };
  return w.geometry.topLeft() - QPoint(value("Absolute upper-left X"), value("Absolute upper-left Y"));
}

// Where weston puts a window of `g` resized by dragging `edges` by `by`. Its
// window manager asks for the size of the whole frame window it made,
// shadow margins (`margin` on each side) included, plus the drag: a resize
// leaves the window 2 x margin larger each way than dragged. The edges
// opposite the dragged ones stay where they were.
QRect WestonResized(const QRect& g, Qt::Edges edges, QPoint by, QPoint margin) {
  const int dx = edges & Qt::LeftEdge ? -by.x() : edges & Qt::RightEdge ? by.x() : 0;
  const int dy = edges & Qt::TopEdge ? -by.y() : edges & Qt::BottomEdge ? by.y() : 0;
  const QSize size(g.width() + 2 * margin.x() + dx, g.height() + 2 * margin.y() + dy);
  const int left = edges & Qt::LeftEdge ? g.right() + 1 - size.width() : g.left();
  const int top = edges & Qt::TopEdge ? g.bottom() + 1 - size.height() : g.top();
  return QRect(QPoint(left, top), size);
}

// Presses at `at`, moves the pointer by `by` with the button held and lets go
// once `done` holds. Weston takes a move or resize over from the program at
// the first motion and follows the pointer from where it is when the request
// reaches it, so the pointer's last place alone decides: it is nudged until
// weston has caught up. On a loaded machine the program follows the first
// nudge itself before weston, which counts from the press, takes over: a drag
// along one axis is nudged across it, where following it changes nothing.
bool Drag(const e2e::VirtualDisplay& seat, QPoint at, QPoint by, const std::function<bool()>& done) {
  const QPoint nudge = by.y() == 0 ? QPoint(0, 1) : QPoint(1, 0);
  skine2e::Press(seat, at);
  e2e::MoveTo(seat, at + nudge);
  QThread::msleep(150);
  const QPoint to = at + by;
  const bool arrived = PollFor([&] {
    e2e::MoveTo(seat, to + nudge);
    e2e::MoveTo(seat, to);
    QThread::msleep(100);
    return done();
  });
  skine2e::Release(seat, to);
  return arrived;
}

class Wayland : public testing::Test {
 protected:
  void SetUp() override {
    const QString missing = e2e::Weston::Missing();
    if (!missing.isEmpty())
      GTEST_SKIP() << "not installed: " << missing.toStdString()
                   << " (the Debian packages weston and xwayland; scripts/install-deps.sh installs them)";
    toolkit::InstallFontSubstitutes();
    ASSERT_TRUE(copy_.Ok());
  }

  // Ends weston and checks that it left neither processes nor Xwayland's files behind.
  void StopAndCheckCleanUp(std::unique_ptr<e2e::Weston>& weston) {
    const QStringList files = weston->XFiles();
    for (const QString& f : files) EXPECT_TRUE(QFileInfo::exists(f)) << f.toStdString() << " was never made";
    EXPECT_TRUE(weston->Stop()) << "weston or Xwayland had to be killed";
    weston.reset();
    for (const QString& f : files) EXPECT_FALSE(QFileInfo::exists(f)) << f.toStdString() << " was left behind";
  }

  e2e::ProgramCopy copy_;
};

// Headless: the program comes up on Xwayland, maximised into the output below
// the panel, skinned, active: the only window of the program.
TEST_F(Wayland, HeadlessWestonShowsTheSkinnedMainWindowThroughXwayland) {
  ASSERT_TRUE(copy_.SetTipSettings(QStringLiteral("0"), QStringLiteral("1")));
  auto weston = std::make_unique<e2e::Weston>();
  ASSERT_TRUE(weston->Ok()) << weston->Failure().toStdString();
  {
    e2e::RunningProgram program(weston->X(), copy_, weston->ClientEnvironment(),
                                {QStringLiteral("--skin"), QStringLiteral("0")});
    ASSERT_TRUE(program.Started());
    // An X window on Xwayland: the program took X11 though WAYLAND_DISPLAY
    // was set (where Qt's Wayland plugin is installed Qt would take that).
    const std::optional<e2e::Window> main = SettledAt(weston->X(), kMainTitle, kWorkArea);
    ASSERT_TRUE(main) << "no main window on Xwayland; " << program.ErrorOutput().toStdString();
    EXPECT_EQ(main->geometry, kWorkArea);
    const std::unique_ptr<skin::TSkinData> skin = skine2e::LoadSkin(0);
    QImage shot;
    EXPECT_TRUE(e2e::WaitForShot(
        [&] { return weston->Shot(QStringLiteral("headless-main")); },
        [&](const QImage& s) { return bool(ShowsFrame(s, *main, *skin, MainTraits(true), true)); }, &shot))
        << ShowsFrame(shot, *main, *skin, MainTraits(true), true).message();
  }
  StopAndCheckCleanUp(weston);
}

// With a seat: the bar's first menu under its entry, maximised, after
// restoring and after moving by the caption; a dialog skinned; resizing by the
// bottom, left and right borders.
TEST_F(Wayland, WestonMovesResizesAndPlacesMenusByTheProgramsOwnFrame) {
  ASSERT_TRUE(copy_.SetTipSettings(QStringLiteral("0"), QStringLiteral("1")));  // the main window alone
  e2e::VirtualDisplay seat;
  ASSERT_TRUE(seat.Ok()) << "Xvfb did not start";
  auto weston = std::make_unique<e2e::Weston>(seat);
  ASSERT_TRUE(weston->Ok()) << weston->Failure().toStdString();
  const e2e::VirtualDisplay& x = weston->X();
  {
    e2e::RunningProgram program(x, copy_, weston->ClientEnvironment(), {QStringLiteral("--skin"), QStringLiteral("0")});
    ASSERT_TRUE(program.Started());
    std::optional<e2e::Window> main = SettledAt(x, kMainTitle, kWorkArea);
    ASSERT_TRUE(main) << "no main window on Xwayland; " << program.ErrorOutput().toStdString();
    EXPECT_EQ(main->geometry, kWorkArea);
    const std::unique_ptr<skin::TSkinData> skin = skine2e::LoadSkin(0);
    const skin::TFrameMetrics m = skin::ComputeFrameMetrics(skin->Elements(), skin::fkSizeable);
    auto shoot = [&](const QString& name) { return [&weston, name] { return weston->Shot(name); }; };
    auto reread = [&] {
      main = skine2e::FindWindow(x, kMainTitle, 0);
      return main.has_value();
    };

    // The first bar menu opens right under its entry, skinned, and Escape closes it.
    auto menuUnderTheBar = [&](const QString& name) {
      SCOPED_TRACE(name.toStdString());
      const Layout l = LayoutOf(*main, *skin);
      const QRect entry = BarEntry(l, 0);
      e2e::Click(seat, entry.center());
      const std::optional<e2e::Window> menu = skine2e::MenuAt(x, QPoint(entry.left(), l.bar.bottom() + 1));
      QStringList seen;
      for (const e2e::Window& w : skine2e::ProgramWindows(x))
        seen << QStringLiteral("%1 at %2,%3").arg(w.title).arg(w.geometry.left()).arg(w.geometry.top());
      ASSERT_TRUE(menu) << "no menu at " << entry.left() << "," << l.bar.bottom() + 1
                        << "; windows: " << seen.join(QStringLiteral(" | ")).toStdString();
      // Over the middle of the first item, which it keeps lit: weston draws the
      // pointer into its output, here over nothing the comparison looks at.
      e2e::MoveTo(seat, menu->geometry.topLeft() +
                            QPoint(menu->geometry.width() / 2, skin::kMenuBorder + skine2e::ItemHeight() / 2));
      QImage shot;
      EXPECT_TRUE(e2e::WaitForShot(
          shoot(name), [&](const QImage& s) { return bool(skine2e::ShowsSkinnedMenu(s, *menu, *l.e, true)); }, &shot))
          << skine2e::ShowsSkinnedMenu(shot, *menu, *l.e, true).message();
      e2e::PressKey(seat, QStringLiteral("Escape"));
      EXPECT_TRUE(PollFor([&] { return !skine2e::MenuAt(x, menu->geometry.topLeft(), 0); }))
          << "Escape left the menu open";
    };
    // The main window on the compositor's screenshot shows the skin's frame, active.
    auto framed = [&](const QString& name) {
      e2e::MoveTo(seat, main->geometry.intersected(kWorkArea).center());  // off the caption buttons
      QImage shot;
      EXPECT_TRUE(e2e::WaitForShot(
          shoot(name), [&](const QImage& s) { return bool(ShowsFrame(s, *main, *skin, MainTraits(false), true)); },
          &shot))
          << name.toStdString() << ": " << ShowsFrame(shot, *main, *skin, MainTraits(false), true).message();
    };

    // Maximised: weston moved the window's frame after mapping it.
    menuUnderTheBar(QStringLiteral("seat-menu-maximised"));

    // A double click on the caption restores the designed size (wherever weston puts it).
    skine2e::DoubleClick(seat, main->geometry.topLeft() + QPoint(main->geometry.width() / 2, m.T / 2 + 1));
    const QSize normal(906 + m.L + m.R, 704 + m.T + skine2e::kBarHeight + m.B);
    EXPECT_TRUE(PollFor([&] { return reread() && main->geometry.size() == normal; })) << "not restored";
    main = Settled(x, kMainTitle);
    framed(QStringLiteral("seat-restored"));

    // Moving by the caption.
    const QRect before = main->geometry;
    const QPoint by(37, 23);
    EXPECT_TRUE(Drag(seat, before.topLeft() + QPoint(before.width() / 2, m.T / 2 + 1), by,
                     [&] { return reread() && main->geometry == before.translated(by); }));
    EXPECT_EQ(main->geometry, before.translated(by));
    menuUnderTheBar(QStringLiteral("seat-menu-moved"));

    // A dialog: menu "菜单", third entry "语音引擎" (the menu opens with its first entry lit).
    e2e::Click(seat, BarEntry(LayoutOf(*main, *skin), 1).center());
    QThread::msleep(300);
    for (const char* key : {"Down", "Down", "Return"}) e2e::PressKey(seat, QString::fromLatin1(key));
    std::optional<e2e::Window> dialog;
    EXPECT_TRUE(PollFor([&] {
      for (const e2e::Window& w : skine2e::ProgramWindows(x))
        if (!QStringList{QString(), kMainTitle, QStringLiteral("Cinnabarquillpad")}.contains(w.title)) dialog = w;
      return dialog.has_value();
    })) << "no dialog";
    if (dialog) dialog = Settled(x, dialog->title);
    if (dialog) {
      QImage shot;
      const skine2e::WindowTraits traits = skine2e::MessageTraits(dialog->title);
      EXPECT_TRUE(e2e::WaitForShot(
          shoot(QStringLiteral("seat-dialog")),
          [&](const QImage& s) { return ShowsFrame(s, *dialog, *skin, traits, true); }, &shot))
          << ShowsFrame(shot, *dialog, *skin, traits, true).message();
      e2e::PressKey(seat, QStringLiteral("Escape"));
      EXPECT_TRUE(skine2e::WindowGone(x, dialog->title));
    }

    // Resizing by the borders, the bottom first while it is on the output.
    const QPoint margin = OffsetInFrame(x, *main);
    struct Border {
      const char* name;
      Qt::Edges edges;
      double fx, fy;  // where on the window, as fractions of its size (1 = the last pixel)
      QPoint by;
    } borders[] = {
        {"bottom", Qt::BottomEdge, 0.5, 1, {0, -21}},
        {"left", Qt::LeftEdge, 0, 0.5, {-17, 0}},
        {"right", Qt::RightEdge, 1, 0.5, {31, 0}},
    };
    for (const Border& b : borders) {
      SCOPED_TRACE(b.name);
      ASSERT_TRUE(reread());
      const QRect g = main->geometry;
      const QRect expected = WestonResized(g, b.edges, b.by, margin);
      const QPoint at(g.left() + static_cast<int>(b.fx * (g.width() - 1)),
                      g.top() + static_cast<int>(b.fy * (g.height() - 1)));
      EXPECT_TRUE(Drag(seat, at, b.by, [&] { return reread() && main->geometry == expected; }));
      EXPECT_EQ(main->geometry, expected);
    }
    framed(QStringLiteral("seat-resized"));
  }
  StopAndCheckCleanUp(weston);
}

}  // namespace
