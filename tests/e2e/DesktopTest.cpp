// Readers' desktops other than the one the program was laid out on: small and
// dense screens at scale factors 1, 1.5 and 2 under openbox, where every window
// must lie inside the screen (restored, started or shown), and the tip window,
// which stays with the main window as a platform dialog stays with its owner.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QThread>
#include <cmath>
#include <memory>

#include "skin/core/SkinElements.h"
#include "tests/e2e/E2E.h"
#include "tests/e2e/SkinE2E.h"

namespace {

using skine2e::kMainTitle;
using skine2e::kTipTitle;

struct Desk {
  const char* name;
  QSize screen;
  const char* scale;
};

class Desktops : public testing::TestWithParam<Desk> {};

// Polls the window until `done` holds for its geometry; the last one seen.
QRect WaitForGeometry(const e2e::VirtualDisplay& display, const QString& title,
                      const std::function<bool(const QRect&)>& done, int timeoutMs = e2e::Patience(10000)) {
  QRect seen;
  const QDeadlineTimer deadline(timeoutMs);
  do {
    if (const std::optional<e2e::Window> w = skine2e::FindWindow(display, title, 2000)) seen = w->geometry;
    if (done(seen)) break;
    QThread::msleep(100);
  } while (!deadline.hasExpired());
  return seen;
}

// The main window fills the screen exactly when maximised and comes back
// inside it when restored; the tip window opens centred inside it, transient
// for the main window.
TEST_P(Desktops, EveryWindowLiesInsideTheScreen) {
  const Desk& desk = GetParam();
  const QRect screen(QPoint(0, 0), desk.screen);
  e2e::VirtualDisplay display(desk.screen);
  ASSERT_TRUE(display.Ok());
  e2e::WindowManager openbox(display);
  ASSERT_TRUE(openbox.Ok());
  e2e::ProgramCopy copy;
  ASSERT_TRUE(copy.Ok());
  ASSERT_TRUE(copy.SetTipSettings(QStringLiteral("1"), QStringLiteral("2")));
  QProcessEnvironment scale;
  scale.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::fromLatin1(desk.scale));
  e2e::RunningProgram program(display, copy, scale);
  ASSERT_TRUE(program.Started());

  EXPECT_EQ(WaitForGeometry(display, kMainTitle, [&](const QRect& g) { return g == screen; }), screen);
  const QRect tip = WaitForGeometry(display, kTipTitle, [](const QRect& g) { return g.isValid(); });
  EXPECT_TRUE(screen.contains(tip)) << tip.x() << "," << tip.y() << " " << tip.width() << "x" << tip.height();
  // Centred: the room left and right (and above and below) differs by one
  // logical pixel at most, the odd one, as many display pixels as it takes.
  const int pixel = static_cast<int>(std::ceil(QString::fromLatin1(desk.scale).toDouble()));
  EXPECT_LE(std::abs(tip.left() - (screen.width() - tip.right() - 1)), pixel) << tip.left();
  EXPECT_LE(std::abs(tip.top() - (screen.height() - tip.bottom() - 1)), pixel) << tip.top();
  const QString mainId = e2e::WaitForClientWindow(display, kMainTitle);
  const QString tipId = e2e::WaitForClientWindow(display, kTipTitle);
  ASSERT_FALSE(mainId.isEmpty() || tipId.isEmpty());
  const QString transient = e2e::WindowProperty(display, tipId, QStringLiteral("WM_TRANSIENT_FOR"));
  EXPECT_EQ(transient.section(u'#', 1).trimmed().toULong(nullptr, 16), mainId.toULong(nullptr, 0))
      << transient.toStdString();
  e2e::Shot(display, QStringLiteral("desktop-%1-01-start").arg(QString::fromLatin1(desk.name)));

  // Restored by a double click on its caption, the main window lies inside the screen.
  skine2e::DoubleClick(display, QPoint(screen.width() / 3, 8));
  const QRect restored =
      WaitForGeometry(display, kMainTitle, [&](const QRect& g) { return g.isValid() && g != screen; });
  EXPECT_NE(restored, screen);
  EXPECT_TRUE(screen.contains(restored)) << restored.x() << "," << restored.y() << " " << restored.width() << "x"
                                         << restored.height();
  e2e::Shot(display, QStringLiteral("desktop-%1-02-restored").arg(QString::fromLatin1(desk.name)));

  // Minimised, the main window takes the tip window along; restored, both come back.
  e2e::Run(display, QStringLiteral("xdotool"), {QStringLiteral("windowminimize"), mainId});
  const auto waitViewable = [&](const QString& id, bool viewable) {
    const QDeadlineTimer deadline(e2e::Patience(5000));
    while (e2e::IsViewable(display, id) != viewable && !deadline.hasExpired()) QThread::msleep(100);
    return e2e::IsViewable(display, id) == viewable;
  };
  EXPECT_TRUE(waitViewable(mainId, false));
  EXPECT_TRUE(waitViewable(tipId, false)) << "the tip window stayed on the screen alone";
  e2e::Run(display, QStringLiteral("xdotool"), {QStringLiteral("windowactivate"), mainId});
  EXPECT_TRUE(waitViewable(mainId, true));
  EXPECT_TRUE(waitViewable(tipId, true)) << "the tip window did not come back with the main window";
  EXPECT_TRUE(program.Running());
}

INSTANTIATE_TEST_SUITE_P(Openbox, Desktops,
                         testing::Values(Desk{"Small", {1024, 768}, "1"}, Desk{"Scale150", {2560, 1440}, "1.5"},
                                         Desk{"Scale200", {2560, 1600}, "2"}),
                         [](const testing::TestParamInfo<Desk>& i) { return std::string(i.param.name); });

// At twice the scale the skin's frames are drawn pixel for pixel, each frame
// pixel a square of four screen pixels, and a caption button answers on the
// screen pixels that show it: its last one, not the first one beside it.
TEST(Scale200, FramesAreCrispAndTheirButtonsAnswerWhereTheyAreDrawn) {
  const QRect screen(0, 0, 2560, 1600);
  e2e::VirtualDisplay display(screen.size());
  ASSERT_TRUE(display.Ok());
  e2e::WindowManager openbox(display);
  ASSERT_TRUE(openbox.Ok());
  e2e::ProgramCopy copy;
  ASSERT_TRUE(copy.Ok());
  ASSERT_TRUE(copy.SetTipSettings(QStringLiteral("1"), QStringLiteral("2")));
  QProcessEnvironment scale;
  scale.insert(QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("2"));
  e2e::RunningProgram program(display, copy, scale, {QStringLiteral("--skin"), QStringLiteral("0")});
  ASSERT_TRUE(program.Started());
  const std::unique_ptr<skin::TSkinData> skin = skine2e::LoadSkin(0);
  ASSERT_TRUE(skin);
  ASSERT_EQ(WaitForGeometry(display, kMainTitle, [&](const QRect& g) { return g == screen; }), screen);
  std::optional<e2e::Window> tip = skine2e::FindWindow(display, kTipTitle);
  std::optional<e2e::Window> main = skine2e::FindWindow(display, kMainTitle);
  ASSERT_TRUE(tip && main);
  std::string why;
  QImage shot;
  const bool framed = e2e::WaitForShot(
      display, QStringLiteral("scale200-01-frames"),
      [&](const QImage& s) {
        const testing::AssertionResult t = skine2e::ShowsFrame(s, *tip, *skin, skine2e::TipTraits(), true, 2);
        const testing::AssertionResult m = skine2e::ShowsFrame(s, *main, *skin, skine2e::MainTraits(true), false, 2);
        why = std::string("tip: ") + t.message() + "; main: " + m.message();
        return t && m;
      },
      &shot, e2e::Patience(10000));
  EXPECT_TRUE(framed) << why;

  // Where a button of a window lies on the screen, by its Action.
  const auto buttonOn = [&](const e2e::Window& w, const skine2e::WindowTraits& traits, bool active, int action) {
    const skine2e::FrameExpectation x = skine2e::ExpectedFrame(*skin, traits, w.geometry.size() / 2, active);
    for (const auto& [a, r] : x.buttons)
      if (a == action) return QRect(w.geometry.topLeft() + r.topLeft() * 2, r.size() * 2);
    return QRect();
  };
  const QRect close = buttonOn(*tip, skine2e::TipTraits(), true, 0);
  ASSERT_TRUE(close.isValid());
  e2e::Click(display, QPoint(close.left() - 1, close.center().y()));
  QThread::msleep(e2e::Patience(500));
  EXPECT_TRUE(skine2e::FindWindow(display, kTipTitle, 1000)) << "a click beside the close button closed the window";
  e2e::Click(display, close.bottomRight());
  EXPECT_TRUE(skine2e::WindowGone(display, kTipTitle)) << "a click on the close button's last pixel missed it";

  const QRect restore = buttonOn(*main, skine2e::MainTraits(true), true, 1);
  ASSERT_TRUE(restore.isValid());
  e2e::Click(display, restore.topLeft());
  const QRect restored =
      WaitForGeometry(display, kMainTitle, [&](const QRect& g) { return g.isValid() && g != screen; });
  EXPECT_TRUE(screen.contains(restored) && restored != screen);
  main = skine2e::FindWindow(display, kMainTitle);
  ASSERT_TRUE(main);
  EXPECT_TRUE(e2e::WaitForShot(
      display, QStringLiteral("scale200-02-restored"),
      [&](const QImage& s) {
        const testing::AssertionResult m = skine2e::ShowsFrame(s, *main, *skin, skine2e::MainTraits(false), true, 2);
        why = m.message();
        return bool(m);
      },
      &shot, e2e::Patience(10000)))
      << why;
  EXPECT_TRUE(program.Running());
}

// A click into the main window leaves the tip window above it: a window
// manager keeps a transient window over its owner, and without one the
// program raises it after the owner.
class OwnedTipWindow : public testing::TestWithParam<bool> {};

TEST_P(OwnedTipWindow, StaysAboveTheMainWindow) {
  e2e::VirtualDisplay display;
  ASSERT_TRUE(display.Ok());
  std::optional<e2e::WindowManager> openbox;
  if (GetParam()) {
    openbox.emplace(display);
    ASSERT_TRUE(openbox->Ok());
  }
  e2e::ProgramCopy copy;
  ASSERT_TRUE(copy.Ok());
  ASSERT_TRUE(copy.SetTipSettings(QStringLiteral("1"), QStringLiteral("2")));
  e2e::RunningProgram program(display, copy);
  ASSERT_TRUE(program.Started());
  const std::optional<e2e::Window> tip = skine2e::FindWindow(display, kTipTitle);
  ASSERT_TRUE(tip.has_value());
  QThread::msleep(e2e::Patience(800));
  const QImage before = e2e::Shot(display, QStringLiteral("owned-%1-01-tip").arg(GetParam()));
  // A press in the text pane, left of and below the tip window.
  e2e::Click(display, QPoint(tip->geometry.left() - 100, tip->geometry.bottom() + 80));
  // The click is taken once the tip window's caption turns inactive; its
  // inside must still show, unchanged, a while later.
  const QRect caption(tip->geometry.topLeft(), QSize(tip->geometry.width(), 20));
  QImage after;
  EXPECT_TRUE(e2e::WaitForShot(
      display, QStringLiteral("owned-%1-02-inactive").arg(GetParam()),
      [&](const QImage& s) { return e2e::DifferentPixels(before, s, caption) > 0; }, &after, e2e::Patience(5000)));
  QThread::msleep(e2e::Patience(600));
  after = e2e::Shot(display, QStringLiteral("owned-%1-03-after-click").arg(GetParam()));
  const QRect inside = tip->geometry.adjusted(4, 30, -4, -4);
  EXPECT_EQ(e2e::DifferentPixels(before, after, inside), 0) << "the main window came over the tip window";
  EXPECT_TRUE(program.Running());
}

INSTANTIATE_TEST_SUITE_P(WindowManager, OwnedTipWindow, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& i) { return i.param ? "Openbox" : "None"; });

}  // namespace
