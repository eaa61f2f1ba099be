// The skinned program driven from outside, once without a window manager and
// once under openbox: every window wears each skin from its first appearance
// (checked pixel by pixel against the frame composed from the same skin
// file), active and inactive; the caption buttons, the system menu, moving
// and resizing work; choosing skins re-skins every open window. Shots are
// kept in build/tests/e2e-shots/skins/.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QThread>

#include "platform/Color.h"
#include "skin/core/SkinElements.h"
#include "tests/e2e/E2E.h"
#include "tests/e2e/SkinE2E.h"

namespace {

using skine2e::ExpectedFrame;
using skine2e::WindowTraits;

using skine2e::kMainTitle;
using skine2e::kTipTitle;
using skine2e::MainTraits;
using skine2e::MessageTraits;
using skine2e::ShowsFrame;
using skine2e::TipTraits;
const QString kErrorTitle = QStringLiteral("Cinnabarquillpad");
// The tip window's client size (its designed size).
const QSize kTipClient(321, 249);

// Polls screenshots until every listed window shows its frame.
struct Expect {
  const e2e::Window* window;
  WindowTraits traits;
  bool active;
};
bool WaitForFrames(const e2e::VirtualDisplay& display, const skin::TSkinData& skin, const QList<Expect>& expected,
                   const QString& name, QImage* shot, std::string* why, int timeoutMs = 15000) {
  // Windows may still change size while they settle: their places are read anew for each shot.
  QList<e2e::Window> places;
  for (const Expect& e : expected) places.append(*e.window);
  auto reread = [&] {
    for (qsizetype i = 0; i < places.size(); ++i)
      if (auto w = skine2e::FindWindow(display, places[i].title, 0)) places[i] = *w;
  };
  // Each suite polls into a file of its own (suites may run side by side).
  const bool ok = e2e::WaitForShot(display, name + QStringLiteral("-poll"), [&](const QImage& s) {
    for (qsizetype i = 0; i < expected.size(); ++i)
      if (!ShowsFrame(s, places[i], skin, expected[i].traits, expected[i].active)) {
        reread();
        return false;
      }
    return true;
  }, shot, timeoutMs);
  skine2e::KeepShot(*shot, name);
  why->clear();
  for (qsizetype i = 0; i < expected.size(); ++i) {
    const Expect& e = expected[i];
    testing::AssertionResult r = ShowsFrame(*shot, places[i], skin, e.traits, e.active);
    if (!r) *why += e.traits.title.toStdString() + (e.active ? " (active): " : " (inactive): ") + r.message() + "\n";
  }
  return ok;
}

// The program's titled windows other than these (nor the hint window, which
// takes the application's title).
std::optional<e2e::Window> OtherTitledWindow(const e2e::VirtualDisplay& display, const QStringList& known) {
  for (int i = 0; i < 100; ++i) {
    for (const e2e::Window& w : skine2e::ProgramWindows(display))
      if (!w.title.isEmpty() && !known.contains(w.title) && w.title != kErrorTitle) return w;
    QThread::msleep(100);
  }
  return std::nullopt;
}

class Skins : public testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(display_.Ok()) << "Xvfb did not start";
    if (GetParam()) {
      wm_ = std::make_unique<skine2e::Openbox>(display_);
      ASSERT_TRUE(wm_->Ok()) << "openbox did not start";
    }
    ASSERT_TRUE(copy_.Ok());
  }
  QString Tag() const { return GetParam() ? QStringLiteral("openbox") : QStringLiteral("nowm"); }
  QStringList SkinArgs(int n) const { return {QStringLiteral("--skin"), QString::number(n)}; }

  // The main window's client origin on the screen and the point of a menu-bar item.
  QPoint MenuItemPoint(const e2e::Window& main, const skin::TSkinData& s, int x) const {
    const skin::TFrameMetrics m = skin::ComputeFrameMetrics(s.Elements(), skin::fkSizeable);
    return main.geometry.topLeft() + QPoint(m.L + x, m.T + 11);
  }

  e2e::VirtualDisplay display_;
  std::unique_ptr<skine2e::Openbox> wm_;
  e2e::ProgramCopy copy_;
};

// Each skin in turn: the default error box (a start-up error: the poetry
// database is missing), then the main window with the tip window over it,
// then a confirmation dialog, each active and the others inactive.
TEST_P(Skins, EveryWindowWearsEverySkinFromItsFirstAppearanceActiveAndInactive) {
  ASSERT_TRUE(QFile::remove(QDir(copy_.Dir()).filePath(QStringLiteral("dat/db3.dat"))));
  ASSERT_TRUE(copy_.SetTipSettings(QStringLiteral("1"), QStringLiteral("2")));
  for (int n = 0; n <= 6; ++n) {
    SCOPED_TRACE(testing::Message() << "skin " << n);
    const std::unique_ptr<skin::TSkinData> skin = skine2e::LoadSkin(n);
    ASSERT_FALSE(skin->NotLoaded());
    const skin::TFrameMetrics m = skin::ComputeFrameMetrics(skin->Elements(), skin::fkDialog);
    e2e::RunningProgram program(display_, copy_, {}, SkinArgs(n));
    ASSERT_TRUE(program.Started());
    std::string why;
    QImage shot;

    const std::optional<e2e::Window> error = skine2e::FindWindow(display_, kErrorTitle);
    if (!error) {
      skine2e::KeepShot(e2e::Shot(display_, Tag() + QStringLiteral("-no-errorbox-poll")), Tag() + QStringLiteral("-no-errorbox"));
      QStringList seen;
      for (const e2e::Window& w : skine2e::ProgramWindows(display_)) seen << w.title;
      FAIL() << "no error box; windows: " << seen.join(QStringLiteral(" | ")).toStdString() << "; running "
             << program.Running() << "; " << program.ErrorOutput().toStdString();
    }
    EXPECT_TRUE(WaitForFrames(display_, *skin, {{&*error, MessageTraits(kErrorTitle), true}},
                              QStringLiteral("%1-skin%2-errorbox").arg(Tag()).arg(n), &shot, &why))
        << why;
    e2e::PressKey(display_, QStringLiteral("Return"));
    ASSERT_TRUE(skine2e::WindowGone(display_, kErrorTitle));

    const std::optional<e2e::Window> main = skine2e::FindWindow(display_, kMainTitle);
    const std::optional<e2e::Window> tip = skine2e::FindWindow(display_, kTipTitle);
    ASSERT_TRUE(main && tip);
    // The tip window's client keeps its size: outer = client + L + R by client + T + B.
    EXPECT_EQ(tip->geometry.size(), QSize(kTipClient.width() + m.L + m.R, kTipClient.height() + m.T + m.B));
    EXPECT_EQ(main->geometry, QRect(0, 0, 1280, 900));
    EXPECT_TRUE(WaitForFrames(display_, *skin, {{&*main, MainTraits(true), false}, {&*tip, TipTraits(), true}},
                              QStringLiteral("%1-skin%2-main-tip").arg(Tag()).arg(n), &shot, &why))
        << why;

    // A confirmation dialog: menu "菜单", third entry "语音引擎".
    // (A bar menu opens with its first entry lit.)
    e2e::Click(display_, MenuItemPoint(*main, *skin, 60));
    QThread::msleep(300);
    for (const char* key : {"Down", "Down", "Return"}) e2e::PressKey(display_, QString::fromLatin1(key));
    const std::optional<e2e::Window> dialog = OtherTitledWindow(display_, {kMainTitle, kTipTitle});
    ASSERT_TRUE(dialog.has_value());
    // The press on the skinned menu bar made the main window the active one;
    // the tip window stays above it, as a window above its owner.
    const QList<Expect> expected = {{&*dialog, MessageTraits(dialog->title), true}, {&*main, MainTraits(true), false}};
    EXPECT_TRUE(WaitForFrames(display_, *skin, expected, QStringLiteral("%1-skin%2-confirmation").arg(Tag()).arg(n),
                              &shot, &why))
        << why;
    e2e::PressKey(display_, QStringLiteral("Escape"));
    ASSERT_TRUE(skine2e::WindowGone(display_, dialog->title));
  }
}

// Caption buttons, the system menu, moving and resizing, on the stored skin.
TEST_P(Skins, CaptionButtonsSystemMenuMovingAndResizing) {
  ASSERT_TRUE(copy_.SetTipSettings(QStringLiteral("1"), QStringLiteral("2")));
  const std::unique_ptr<skin::TSkinData> skin = skine2e::LoadSkin(0);
  const skin::TSkinElements& e = skin->Elements();
  const skin::TFrameMetrics m = skin::ComputeFrameMetrics(e, skin::fkSizeable);
  e2e::RunningProgram program(display_, copy_, {}, SkinArgs(0));
  ASSERT_TRUE(program.Started());
  std::optional<e2e::Window> main = skine2e::FindWindow(display_, kMainTitle);
  std::optional<e2e::Window> tip = skine2e::FindWindow(display_, kTipTitle);
  ASSERT_TRUE(main && tip);
  std::string why;
  QImage shot;
  ASSERT_TRUE(WaitForFrames(display_, *skin, {{&*tip, TipTraits(), true}}, Tag() + QStringLiteral("-buttons-start"),
                            &shot, &why))
      << why;

  // The tip window's system menu by a right click on its caption: its last
  // entry " Close " closes the window, which saves through its close handler.
  const QPoint tipCaption = tip->geometry.topLeft() + QPoint(tip->geometry.width() / 2, m.T / 2);
  e2e::Click(display_, tipCaption);
  e2e::Run(display_, QStringLiteral("xdotool"), {QStringLiteral("click"), QStringLiteral("3")});
  QThread::msleep(400);
  bool menuAtPointer = false;
  for (const e2e::Window& w : skine2e::ProgramWindows(display_))
    menuAtPointer = menuAtPointer || (w.title != kMainTitle && w.title != kTipTitle && w.geometry.topLeft() == tipCaption);
  EXPECT_TRUE(menuAtPointer) << "no menu at the pointer";
  e2e::PressKey(display_, QStringLiteral("Up"));
  e2e::PressKey(display_, QStringLiteral("Return"));
  ASSERT_TRUE(skine2e::WindowGone(display_, kTipTitle));
  EXPECT_EQ(e2e::IniValue(copy_.SetupFile(), QStringLiteral("tip"), QStringLiteral("count")), QStringLiteral("3"));

  // The main window is maximised: its restore button gives it its designed bounds, framed.
  auto buttonCentre = [&](const e2e::Window& w, int action, int visibility) {
    for (const auto& b : e.SysButtons)
      if (b->Action == action && b->Visibility == visibility && b->Align == 1)
        return w.geometry.topLeft() +
               QPoint(w.geometry.width() - b->Xcoord + b->Image.width() / b->FrameCount / 2,
                      b->Ycoord + b->Image.height() / 2);
    return QPoint(-1, -1);
  };
  e2e::Click(display_, buttonCentre(*main, 1, 1));
  // (The frame reserves the skinned menu bar's height, 19, too.)
  const QSize normalSize(906 + m.L + m.R, 704 + m.T + 19 + m.B);
  for (int i = 0; i < 50 && main->geometry.size() != normalSize; ++i) {
    QThread::msleep(100);
    main = skine2e::FindWindow(display_, kMainTitle);
  }
  EXPECT_EQ(main->geometry.size(), normalSize);
  EXPECT_TRUE(WaitForFrames(display_, *skin, {{&*main, MainTraits(false), true}}, Tag() + QStringLiteral("-restored"),
                            &shot, &why))
      << why;

  // Moving by the caption.
  const QRect before = main->geometry;
  const QPoint grip = before.topLeft() + QPoint(before.width() / 2, m.T / 2 + 1);
  skine2e::Press(display_, grip);
  skine2e::MoveHeld(display_, grip, {37, 23});
  // The window follows the pointer from the press, its first motion too.
  skine2e::Release(display_, grip + QPoint(37, 23));
  QThread::msleep(300);
  main = skine2e::FindWindow(display_, kMainTitle);
  EXPECT_EQ(main->geometry, before.translated(37, 23));

  // Resizing by each border and corner.
  // Corners are grabbed a few pixels in along the side borders: the corner
  // pixels themselves may be cut away by the window's region.
  struct Edge {
    const char* name;
    double fx, fy;  // where on the window, as fractions of its size (1 = the last pixel)
    QPoint inset;   // then moved in by this much
    QPoint by;
    QMargins grow;  // left, top, right, bottom moved by
  } edges[] = {
      {"right", 1, 0.5, {0, 0}, {31, 0}, {0, 0, 31, 0}},
      {"left", 0, 0.5, {0, 0}, {-17, 0}, {17, 0, 0, 0}},
      {"bottom", 0.5, 1, {0, 0}, {0, 21}, {0, 0, 0, 21}},
      {"top", 0.5, 0, {0, 0}, {0, -13}, {0, 13, 0, 0}},
      {"top-left", 0, 0, {1, 10}, {-9, -11}, {9, 11, 0, 0}},
      {"top-right", 1, 0, {-1, 10}, {15, -7}, {0, 7, 15, 0}},
      {"bottom-left", 0, 1, {1, -10}, {-6, 19}, {6, 0, 0, 19}},
      {"bottom-right", 1, 1, {-1, -10}, {-25, -15}, {0, 0, -25, -15}},
  };
  for (const Edge& edge : edges) {
    SCOPED_TRACE(edge.name);
    main = skine2e::FindWindow(display_, kMainTitle);
    const QRect g = main->geometry;
    const QPoint at = QPoint(g.left() + static_cast<int>(edge.fx * (g.width() - 1)),
                             g.top() + static_cast<int>(edge.fy * (g.height() - 1))) +
                      edge.inset;
    skine2e::Press(display_, at);
    skine2e::MoveHeld(display_, at, edge.by);
    skine2e::Release(display_, at + edge.by);
    QThread::msleep(400);
    main = skine2e::FindWindow(display_, kMainTitle);
    EXPECT_EQ(main->geometry, g.marginsAdded(edge.grow));
  }
  EXPECT_TRUE(WaitForFrames(display_, *skin, {{&*main, MainTraits(false), true}}, Tag() + QStringLiteral("-resized"),
                            &shot, &why))
      << why;

  // Maximise by its button, restore and maximise by double clicks on the caption.
  // (Restoring returns to the size the window had before, resized as it was.)
  const QSize resized = main->geometry.size();
  e2e::Click(display_, buttonCentre(*main, 1, 2));
  auto waitForSize = [&](QSize size) {
    for (int i = 0; i < 50; ++i) {
      main = skine2e::FindWindow(display_, kMainTitle);
      if (main && main->geometry.size() == size) return true;
      QThread::msleep(100);
    }
    return false;
  };
  EXPECT_TRUE(waitForSize({1280, 900}));
  const QPoint caption(640, m.T / 2 + 1);
  skine2e::DoubleClick(display_, caption);
  EXPECT_TRUE(waitForSize(resized));
  main = skine2e::FindWindow(display_, kMainTitle);
  skine2e::DoubleClick(display_, main->geometry.topLeft() + QPoint(main->geometry.width() / 2, m.T / 2 + 1));
  EXPECT_TRUE(waitForSize({1280, 900}));

  // Minimise: the window leaves the screen; a window manager gives it back.
  auto doubleRightClickTheIcon = [&] {
    QPoint icon(-1, -1);
    for (const auto& b : e.SysButtons)
      if (b->Action == 3) icon = main->geometry.topLeft() + QPoint(b->Xcoord + 8, b->Ycoord + 8);
    e2e::MoveTo(display_, icon);
    QThread::msleep(300);
    skine2e::DoubleClick(display_, icon, 3);
    EXPECT_TRUE(program.WaitForExit(10000));
    EXPECT_EQ(program.ExitCode(), 0);
  };
  if (!GetParam()) {
    // Without a window manager a minimised window could not come back: the
    // double right click on the window icon comes first, then a second run minimises.
    doubleRightClickTheIcon();
    e2e::RunningProgram again(display_, copy_, {}, SkinArgs(0));
    ASSERT_TRUE(again.Started());
    main = skine2e::FindWindow(display_, kMainTitle);
    if (!main) {
      skine2e::KeepShot(e2e::Shot(display_, Tag() + QStringLiteral("-second-run")), Tag() + QStringLiteral("-second-run"));
      QStringList seen;
      for (const e2e::Window& w : skine2e::ProgramWindows(display_)) seen << w.title;
      FAIL() << "no main window in the second run; windows: " << seen.join(QStringLiteral(" | ")).toStdString()
             << "; running " << again.Running() << "; " << again.ErrorOutput().toStdString();
    }
    QThread::msleep(800);
    e2e::Click(display_, buttonCentre(*main, 2, 0));
    EXPECT_TRUE(skine2e::WindowGone(display_, kMainTitle, 10000));
    return;
  }
  e2e::Click(display_, buttonCentre(*main, 2, 0));
  EXPECT_TRUE(skine2e::WindowGone(display_, kMainTitle, 10000));
  const QString id = main->id;
  e2e::Run(display_, QStringLiteral("xdotool"), {QStringLiteral("windowactivate"), id});
  main = skine2e::FindWindow(display_, kMainTitle, 10000);
  ASSERT_TRUE(main.has_value());
  e2e::MoveTo(display_, {640, 500});  // off the caption buttons: none shows its hot look
  EXPECT_TRUE(WaitForFrames(display_, *skin, {{&*main, MainTraits(true), true}}, Tag() + QStringLiteral("-unminimised"),
                            &shot, &why))
      << why;
  doubleRightClickTheIcon();
}

// Choosing each skin from the skin menu (夜读, the seventh, too) re-skins both
// open windows; a skin file that is missing keeps the look, and a dialog
// opened then is unskinned.
TEST_P(Skins, ChoosingSkinsReskinsEveryOpenWindow) {
  ASSERT_TRUE(copy_.SetTipSettings(QStringLiteral("1"), QStringLiteral("2")));
  ASSERT_TRUE(QFile::remove(QDir(copy_.Dir()).filePath(QStringLiteral("skins/3.skn"))));
  e2e::RunningProgram program(display_, copy_, {}, SkinArgs(0));
  ASSERT_TRUE(program.Started());
  std::optional<e2e::Window> main = skine2e::FindWindow(display_, kMainTitle);
  std::optional<e2e::Window> tip = skine2e::FindWindow(display_, kTipTitle);
  ASSERT_TRUE(main && tip);
  std::unique_ptr<skin::TSkinData> current = skine2e::LoadSkin(0);
  std::string why;
  QImage shot;
  for (int n : {1, 2, 3, 4, 5, 6, 7}) {
    SCOPED_TRACE(testing::Message() << "skin " << n);
    // Menu "菜单", entry "设置界面": the skin menu opens at the pointer.
    e2e::Click(display_, MenuItemPoint(*main, *current, 60));
    QThread::msleep(300);
    e2e::PressKey(display_, QStringLiteral("Return"));
    QThread::msleep(400);
    for (int i = 0; i < n; ++i) e2e::PressKey(display_, QStringLiteral("Down"));
    e2e::PressKey(display_, QStringLiteral("Return"));
    if (n == 3) {
      // The file is missing: nothing changes, and a dialog opened now keeps the platform's look.
      QThread::msleep(800);
      tip = skine2e::FindWindow(display_, kTipTitle);
      // (The press on the bar made the main window active; the tip window stays above it.)
      const QList<Expect> kept = {{&*main, MainTraits(true), !skine2e::HasFocus(display_, *tip)}};
      EXPECT_TRUE(WaitForFrames(display_, *current, kept, QStringLiteral("%1-choose-missing").arg(Tag()), &shot, &why, 3000))
          << why;
      e2e::Click(display_, MenuItemPoint(*main, *current, 60));
      QThread::msleep(300);
      for (const char* key : {"Down", "Down", "Return"}) e2e::PressKey(display_, QString::fromLatin1(key));
      const std::optional<e2e::Window> dialog = OtherTitledWindow(display_, {kMainTitle, kTipTitle});
      ASSERT_TRUE(dialog.has_value());
      QThread::msleep(600);
      shot = e2e::Shot(display_, Tag() + QStringLiteral("-choose-missing-poll"));
      skine2e::KeepShot(shot, QStringLiteral("%1-choose-missing-dialog").arg(Tag()));
      EXPECT_FALSE(ShowsFrame(shot, *dialog, *current, MessageTraits(dialog->title), true));
      e2e::PressKey(display_, QStringLiteral("Escape"));
      ASSERT_TRUE(skine2e::WindowGone(display_, dialog->title));
      continue;
    }
    current = skine2e::LoadSkin(n);
    main = skine2e::FindWindow(display_, kMainTitle);
    tip = skine2e::FindWindow(display_, kTipTitle);
    ASSERT_TRUE(main && tip);
    // The press on the skinned menu bar made the main window active, with or
    // without a window manager (the tip window stays above it). Without one
    // the focus may have gone back to the tip window with the new skin.
    const bool tipActive = !GetParam() && skine2e::HasFocus(display_, *tip);
    const QList<Expect> both = {{&*main, MainTraits(true), !tipActive}};
    EXPECT_TRUE(WaitForFrames(display_, *current, both, QStringLiteral("%1-choose-skin%2").arg(Tag()).arg(n), &shot, &why))
        << why;
    // The tip window's client kept its size under the new frame.
    const skin::TFrameMetrics m = skin::ComputeFrameMetrics(current->Elements(), skin::fkDialog);
    tip = skine2e::FindWindow(display_, kTipTitle);
    EXPECT_EQ(tip->geometry.size(), QSize(kTipClient.width() + m.L + m.R, kTipClient.height() + m.T + m.B));
    if (n != 7) continue;
    // At night the tip window's contents are dark too: the tip text on the
    // skin's window colour, the page buttons on its button face.
    const QPoint client = tip->geometry.topLeft() + QPoint(m.L, m.T);
    const skin::TSkinColours& c = current->Elements().Colours;
    const QRgb window = platform::ToQColor(platform::ColorToRGB(c.Window)).rgb();
    const QRgb face = platform::ToQColor(platform::ColorToRGB(c.ButtonFace)).rgb();
    QRgb text = 0, button = 0;
    e2e::WaitForShot(
        display_, Tag() + QStringLiteral("-night-tip"),
        [&](const QImage& shown) {
          text = shown.pixel(client + QPoint(150, 205)) | 0xff000000u;
          button = shown.pixel(client + QPoint(210, 18)) | 0xff000000u;
          return text == window && button == face;
        },
        nullptr, 5000);
    EXPECT_EQ(QColor(text), QColor(window));
    EXPECT_EQ(QColor(button), QColor(face));
  }
}

INSTANTIATE_TEST_SUITE_P(WindowManager, Skins, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& i) { return i.param ? "Openbox" : "None"; });

}  // namespace
