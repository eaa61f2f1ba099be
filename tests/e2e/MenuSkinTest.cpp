// The skinned menus of the program driven from outside, without a window
// manager and under openbox: every menu of the bar, the skin menu and the
// system menu open in the stored skin and each of the seven of the skin menu
// (chosen from it, the night skin last),
// their windows' borders and lit first items checked pixel by pixel against
// the skin's own painters; the bar worked by the pointer (switching by moving
// over another entry) and by the keyboard (Alt, the arrows, Enter, Escape);
// entries chosen run their handlers ("关闭" and " Close " end the program).
// Shots are kept in build/tests/e2e-shots/skins/.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QPainter>
#include <QThread>

#include "skin/core/SkinElements.h"
#include "skin/frame/FrameGeometry.h"
#include "skin/menu/MenuBarPaint.h"
#include "skin/menu/MenuItemPaint.h"
#include "skin/menu/MenuText.h"
#include "skin/menu/PopupBackground.h"
#include "tests/e2e/E2E.h"
#include "tests/e2e/SkinE2E.h"
#include "toolkit/Fonts.h"

namespace {

using skine2e::FirstEntry;
using skine2e::kMainTitle;
using skine2e::Layout;
using skine2e::LayoutOf;
using skine2e::MenuAt;
using skine2e::ShowsSkinnedMenu;

// A menu window whose top-left corner lies on the bar's bottom edge, other than at `notAtX`.
std::optional<e2e::Window> BarMenu(const e2e::VirtualDisplay& d, const Layout& l, int notAtX, int timeoutMs = 5000) {
  for (int waited = 0; waited <= timeoutMs; waited += 50) {
    for (const e2e::Window& w : skine2e::ProgramWindows(d))
      if (w.title != kMainTitle && w.geometry.top() == l.bar.bottom() + 1 && w.geometry.left() != notAtX) return w;
    QThread::msleep(50);
  }
  return std::nullopt;
}

bool NoMenuOpen(const e2e::VirtualDisplay& d, int timeoutMs = 3000) {
  for (int waited = 0; waited <= timeoutMs; waited += 50) {
    bool any = false;
    for (const e2e::Window& w : skine2e::ProgramWindows(d)) any = any || w.title != kMainTitle;
    if (!any) return true;
    QThread::msleep(50);
  }
  return false;
}

// The bar's background right of its entries, as the skin paints it.
testing::AssertionResult ShowsBar(const QImage& shot, const Layout& l, bool active) {
  if (!shot.rect().contains(l.bar)) return testing::AssertionFailure() << "the bar lies outside the shot";
  const QImage x = skin::ComposeMenuBarBackground(*l.e, l.bar.size(), active);
  int different = 0;
  for (int y = 0; y < l.bar.height(); ++y)
    for (int x0 = l.bar.width() - 40; x0 < l.bar.width(); ++x0)
      different += (shot.pixel(l.bar.topLeft() + QPoint(x0, y)) & 0xFFFFFFu) != (x.pixel(x0, y) & 0xFFFFFFu);
  if (different == 0) return testing::AssertionSuccess();
  return testing::AssertionFailure() << different << " bar pixels differ";
}

// Whether entry rectangle `r` (on the screen) has the one-pixel outline.
bool Outlined(const QImage& shot, const QRect& r, const skin::TSkinElements& e) {
  if (!shot.rect().contains(r)) return false;
  const QRgb light = platform::ToQColor(platform::ColorToRGB(e.Colours.ButtonHilight)).rgb() & 0xFFFFFFu;
  for (const QPoint p : {r.topLeft(), r.bottomRight(), QPoint(r.left(), r.center().y()), QPoint(r.right(), r.top())})
    if ((shot.pixel(p) & 0xFFFFFFu) != light) return false;
  return true;
}

bool WaitFor(const e2e::VirtualDisplay& d, const QString& name, const std::function<bool(const QImage&)>& ready,
             QImage* shot) {
  const bool ok = e2e::WaitForShot(d, QStringLiteral("menu-poll"), ready, shot, 10000);
  skine2e::KeepShot(*shot, name);
  return ok;
}

class MenuSkins : public testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    toolkit::InstallFontSubstitutes();
    ASSERT_TRUE(display_.Ok()) << "Xvfb did not start";
    if (GetParam()) {
      wm_ = std::make_unique<skine2e::Openbox>(display_);
      ASSERT_TRUE(wm_->Ok()) << "openbox did not start";
    }
    ASSERT_TRUE(copy_.Ok());
    ASSERT_TRUE(copy_.SetTipSettings(QStringLiteral("0"), QStringLiteral("1")));
  }
  QString Tag() const { return GetParam() ? QStringLiteral("openbox") : QStringLiteral("nowm"); }

  e2e::VirtualDisplay display_;
  std::unique_ptr<skine2e::Openbox> wm_;
  e2e::ProgramCopy copy_;
};

// Each skin in turn, chosen from the skin menu that the header button opens:
// every bar menu (the first by a click, the others by Right until it wraps),
// the skin menu and the system menu. At the end the system menu's " Close "
// ends the program.
TEST_P(MenuSkins, EveryMenuOpensSkinnedInEverySkin) {
  e2e::RunningProgram program(display_, copy_, {}, {QStringLiteral("--skin"), QStringLiteral("0")});
  ASSERT_TRUE(program.Started());
  std::optional<e2e::Window> main = skine2e::FindWindow(display_, kMainTitle);
  ASSERT_TRUE(main);
  std::unique_ptr<skin::TSkinData> skin = skine2e::LoadSkin(0);
  QImage shot;
  constexpr int kLastSkin = 7;  // 夜读, after the six
  for (int n = 0; n <= kLastSkin; ++n) {
    SCOPED_TRACE(testing::Message() << "skin " << n);
    if (n > 0) {
      // The header button "软件设置" opens the skin menu at the pointer.
      const Layout was = LayoutOf(*main, *skin);
      const QPoint button = was.bar.bottomLeft() + QPoint(264 + 32, 1 + 16 + 32);
      e2e::Click(display_, button);
      const std::optional<e2e::Window> menu = MenuAt(display_, button);
      ASSERT_TRUE(menu) << "no skin menu at the pointer";
      EXPECT_TRUE(WaitFor(display_, QStringLiteral("%1-menus-skin%2-skinmenu").arg(Tag()).arg(n - 1),
                          [&](const QImage& s) { return bool(ShowsSkinnedMenu(s, *menu, *was.e, false)); }, &shot))
          << ShowsSkinnedMenu(shot, *menu, *was.e, false).message();
      // Its entry n loads skins/n.skn.
      skin::TMenuItemMetrics im;
      im.lineHeight = QFontMetrics(skin::MenuFont()).height();
      const int h = skin::MeasureMenuItem(skin::mikPopupMenu, im).height();
      e2e::Click(display_, menu->geometry.topLeft() + QPoint(menu->geometry.width() / 2, 3 + (n - 1) * h + h / 2));
      skin = skine2e::LoadSkin(n);
      ASSERT_TRUE(NoMenuOpen(display_));
      main = skine2e::FindWindow(display_, kMainTitle);
    }
    const Layout l = LayoutOf(*main, *skin);
    EXPECT_TRUE(WaitFor(display_, QStringLiteral("%1-menus-skin%2-bar").arg(Tag()).arg(n),
                        [&](const QImage& s) { return bool(ShowsBar(s, l, true)); }, &shot))
        << ShowsBar(shot, l, true).message();

    // The bar's menus: the first by the pointer, then Right from menu to menu.
    const QRect first = FirstEntry(l);
    e2e::Click(display_, first.center());
    std::optional<e2e::Window> menu = MenuAt(display_, QPoint(first.left(), l.bar.bottom() + 1));
    ASSERT_TRUE(menu) << "no menu below the first entry";
    QList<int> seen;
    for (int step = 0; step < 8 && menu; ++step) {
      const int x = menu->geometry.left();
      if (seen.contains(x)) break;  // wrapped around
      seen.append(x);
      const e2e::Window shown = *menu;
      EXPECT_TRUE(WaitFor(display_, QStringLiteral("%1-menus-skin%2-bar%3").arg(Tag()).arg(n).arg(step),
                          [&](const QImage& s) { return bool(ShowsSkinnedMenu(s, shown, *l.e, true)); }, &shot))
          << ShowsSkinnedMenu(shot, shown, *l.e, true).message();
      if (step == 0) {
        // The open entry keeps its outline.
        EXPECT_TRUE(Outlined(shot, first, *l.e));
      }
      e2e::PressKey(display_, QStringLiteral("Right"));
      menu = BarMenu(display_, l, x);
    }
    EXPECT_GE(seen.size(), 3) << "the bar has 功能, 菜单 and 相关网站 at least";
    ASSERT_TRUE(menu && menu->geometry.left() == seen.first()) << "Right on the last menu wraps to the first";
    e2e::PressKey(display_, QStringLiteral("Escape"));
    e2e::PressKey(display_, QStringLiteral("Escape"));
    ASSERT_TRUE(NoMenuOpen(display_));

    // The system menu at the pointer, by a right click on the caption.
    const QPoint caption = main->geometry.topLeft() + QPoint(main->geometry.width() / 2, l.m.T / 2);
    e2e::MoveTo(display_, caption);
    e2e::Run(display_, QStringLiteral("xdotool"), {QStringLiteral("click"), QStringLiteral("3")});
    menu = MenuAt(display_, caption);
    ASSERT_TRUE(menu) << "no system menu at the pointer";
    EXPECT_TRUE(WaitFor(display_, QStringLiteral("%1-menus-skin%2-system").arg(Tag()).arg(n),
                        [&](const QImage& s) { return bool(ShowsSkinnedMenu(s, *menu, *l.e, false)); }, &shot))
        << ShowsSkinnedMenu(shot, *menu, *l.e, false).message();
    if (n < kLastSkin) {
      e2e::PressKey(display_, QStringLiteral("Escape"));
      ASSERT_TRUE(NoMenuOpen(display_));
    }
  }
  // " Close ", the system menu's last entry, by the pointer.
  const std::optional<e2e::Window> sys = MenuAt(display_, skine2e::FindWindow(display_, kMainTitle)->geometry.topLeft() +
                                                              QPoint(main->geometry.width() / 2,
                                                                     LayoutOf(*main, *skin).m.T / 2), 0);
  ASSERT_TRUE(sys);
  e2e::Click(display_, sys->geometry.topLeft() + QPoint(sys->geometry.width() / 2, sys->geometry.height() - 3 - 5));
  EXPECT_TRUE(program.WaitForExit(10000)) << "the program did not end";
  EXPECT_EQ(program.ExitCode(), 0);
}

// The pointer switches between open menus; the keyboard works the bar: Alt
// selects the first entry, the arrows move, Enter opens, Escape steps back;
// Alt with a letter that is no entry's accelerator opens nothing (no caption
// of the program has one); "关闭" ends the program.
TEST_P(MenuSkins, PointerAndKeyboardWorkTheBar) {
  e2e::RunningProgram program(display_, copy_, {}, {QStringLiteral("--skin"), QStringLiteral("4")});
  ASSERT_TRUE(program.Started());
  const std::optional<e2e::Window> main = skine2e::FindWindow(display_, kMainTitle);
  ASSERT_TRUE(main);
  const std::unique_ptr<skin::TSkinData> skin = skine2e::LoadSkin(4);
  const Layout l = LayoutOf(*main, *skin);
  QImage shot;
  ASSERT_TRUE(WaitFor(display_, QStringLiteral("%1-keys-start").arg(Tag()),
                      [&](const QImage& s) { return bool(ShowsBar(s, l, true)); }, &shot))
      << ShowsBar(shot, l, true).message();
  const QFontMetrics fm(skin::MenuFont());
  const std::vector<skin::TMenuBarEntry> captions = {{QStringLiteral("功能")}, {QStringLiteral("菜单")}};
  const auto rects = skin::LayoutMenuBarItems(captions, *l.e, l.bar.size(), skin::MenuFont(), false);
  const QRect first = rects[0].translated(l.bar.topLeft()), second = rects[1].translated(l.bar.topLeft());
  const QPoint below(0, l.bar.bottom() + 1);

  // The focus goes to the text pane first.
  e2e::Click(display_, main->geometry.center());
  QThread::msleep(200);
  // The pointer: open 功能, move over 菜单 and its menu replaces the first.
  e2e::Click(display_, first.center());
  ASSERT_TRUE(MenuAt(display_, QPoint(first.left(), below.y())));
  e2e::MoveTo(display_, second.center() + QPoint(-3, 0));
  e2e::MoveTo(display_, second.center());
  std::optional<e2e::Window> menu = MenuAt(display_, QPoint(second.left(), below.y()));
  ASSERT_TRUE(menu) << "moving over 菜单 did not switch";
  EXPECT_TRUE(WaitFor(display_, QStringLiteral("%1-keys-pointer-switch").arg(Tag()),
                      [&](const QImage& s) { return ShowsSkinnedMenu(s, *menu, *l.e, true) && Outlined(s, second, *l.e); },
                      &shot));
  // Escape closes a menu the pointer opened and selects nothing in the bar:
  // the next Alt selects its first entry (and does not end a selection).
  e2e::PressKey(display_, QStringLiteral("Escape"));
  ASSERT_TRUE(NoMenuOpen(display_));
  e2e::MoveTo(display_, main->geometry.center());
  EXPECT_TRUE(WaitFor(display_, QStringLiteral("%1-keys-pointer-escape").arg(Tag()),
                      [&](const QImage& s) { return !Outlined(s, first, *l.e) && !Outlined(s, second, *l.e); }, &shot));

  // The keyboard, with the focus in the text pane.
  e2e::PressKey(display_, QStringLiteral("alt"));
  EXPECT_TRUE(WaitFor(display_, QStringLiteral("%1-keys-alt").arg(Tag()),
                      [&](const QImage& s) { return Outlined(s, first, *l.e) && !Outlined(s, second, *l.e); }, &shot));
  e2e::PressKey(display_, QStringLiteral("Right"));
  EXPECT_TRUE(WaitFor(display_, QStringLiteral("%1-keys-right").arg(Tag()),
                      [&](const QImage& s) { return !Outlined(s, first, *l.e) && Outlined(s, second, *l.e); }, &shot));
  e2e::PressKey(display_, QStringLiteral("Return"));
  menu = MenuAt(display_, QPoint(second.left(), below.y()));
  ASSERT_TRUE(menu) << "Enter did not open 菜单";
  EXPECT_TRUE(WaitFor(display_, QStringLiteral("%1-keys-enter").arg(Tag()),
                      [&](const QImage& s) { return bool(ShowsSkinnedMenu(s, *menu, *l.e, true)); }, &shot))
      << ShowsSkinnedMenu(shot, *menu, *l.e, true).message();
  e2e::PressKey(display_, QStringLiteral("Left"));
  ASSERT_TRUE(MenuAt(display_, QPoint(first.left(), below.y()))) << "Left did not go back to 功能";
  e2e::PressKey(display_, QStringLiteral("Left"));  // wraps to the last menu
  ASSERT_TRUE(BarMenu(display_, l, first.left()));
  e2e::PressKey(display_, QStringLiteral("Right"));
  ASSERT_TRUE(MenuAt(display_, QPoint(first.left(), below.y()))) << "Right on the last menu did not wrap";
  e2e::PressKey(display_, QStringLiteral("Escape"));
  ASSERT_TRUE(NoMenuOpen(display_));
  EXPECT_TRUE(WaitFor(display_, QStringLiteral("%1-keys-escape").arg(Tag()),
                      [&](const QImage& s) { return Outlined(s, first, *l.e); }, &shot));
  e2e::PressKey(display_, QStringLiteral("Escape"));
  EXPECT_TRUE(WaitFor(display_, QStringLiteral("%1-keys-escape2").arg(Tag()),
                      [&](const QImage& s) { return !Outlined(s, first, *l.e); }, &shot));
  e2e::PressKey(display_, QStringLiteral("alt+g"));
  QThread::msleep(400);
  EXPECT_TRUE(NoMenuOpen(display_, 0));

  // Alt, Enter: 功能 opens with 中国作品 lit; Down, Down passes the separator to 关闭.
  e2e::PressKey(display_, QStringLiteral("alt"));
  QThread::msleep(200);
  e2e::PressKey(display_, QStringLiteral("Return"));
  ASSERT_TRUE(MenuAt(display_, QPoint(first.left(), below.y())));
  e2e::PressKey(display_, QStringLiteral("Down"));
  e2e::PressKey(display_, QStringLiteral("Down"));
  e2e::PressKey(display_, QStringLiteral("Return"));
  EXPECT_TRUE(program.WaitForExit(10000)) << "关闭 did not end the program";
  EXPECT_EQ(program.ExitCode(), 0);
}

INSTANTIATE_TEST_SUITE_P(WindowManager, MenuSkins, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& i) { return i.param ? "Openbox" : "None"; });

}  // namespace
