// The skinned menu bar without a window: where its entries go, its
// background, and each entry in its state, checked pixel by pixel.
#include <gtest/gtest.h>

#include <QFontMetrics>

#include "skin/menu/MenuBarPaint.h"
#include "skin/menu/MenuText.h"
#include "tests/skin_menu/MenuSkins.h"

namespace {

using namespace skin;
using menutest::BarLeft;
using menutest::BarMiddle;
using menutest::BarRight;
using menutest::Colour;

QRgb Rgb(platform::TColor c) { return Colour(c).rgb(); }

int Advance(const QString& text) { return QFontMetrics(MenuFont()).horizontalAdvance(text); }

TEST(MenuText, AcceleratorsAndTheirMarks) {
  EXPECT_EQ(StripAccelerator(QStringLiteral("&File")), QStringLiteral("File"));
  EXPECT_EQ(StripAccelerator(QStringLiteral("Save && E&xit")), QStringLiteral("Save & Exit"));
  EXPECT_EQ(StripAccelerator(QStringLiteral("End&")), QStringLiteral("End"));
  EXPECT_EQ(AcceleratorOf(QStringLiteral("&File")), QChar(u'f'));
  // "&&" is a plain "&": the accelerator is the letter after the single mark.
  EXPECT_EQ(AcceleratorOf(QStringLiteral("A&&B&c")), QChar(u'c'));
  EXPECT_TRUE(AcceleratorOf(QStringLiteral("Save && Exit")).isNull());
  EXPECT_TRUE(AcceleratorOf(QStringLiteral("功能")).isNull());
  EXPECT_TRUE(IsAccel(QChar(u'F'), QStringLiteral("&file")));
  EXPECT_TRUE(IsAccel(QChar(u'f'), QStringLiteral("&File")));
  EXPECT_FALSE(IsAccel(QChar(u'i'), QStringLiteral("&File")));
  // The mark takes no room.
  const QFontMetrics fm(MenuFont());
  EXPECT_EQ(CaptionTextSize(fm, QStringLiteral("&File")).width(), fm.horizontalAdvance(QStringLiteral("File")));
}

TEST(MenuText, CentredCaptionRoundsHalvesTowardZero) {
  const QFontMetrics fm(MenuFont());
  const QSize s = CaptionTextSize(fm, QStringLiteral("Ab"));
  // Spare room of odd size on both axes: the extra pixel goes right and down.
  const QRect r(10, 20, s.width() + 7, s.height() + 5);
  EXPECT_EQ(CenteredCaptionRect(fm, r, QStringLiteral("Ab")), QRect(13, 22, s.width(), s.height()));
}

TEST(MenuBarLayout, ItemStartFollowsTheElement) {
  TSkinElements e;
  menutest::SetMenuColours(e);
  EXPECT_EQ(MenuBarItemStart(e, 300, false), 6);  // no element
  EXPECT_EQ(MenuBarItemStart(e, 300, true), 294);
  e.MenuBar = menutest::MenuBarElement(3, 5, 0);
  EXPECT_EQ(MenuBarItemStart(e, 300, false), 7);  // TileLeftMenu + 4
  EXPECT_EQ(MenuBarItemStart(e, 7, false), 7);    // just wide enough
  EXPECT_EQ(MenuBarItemStart(e, 6, false), 12);   // narrower than the start
  // Right to left: from the right edge, TileRightMenu + 8 in.
  EXPECT_EQ(MenuBarItemStart(e, 300, true), 287);
  EXPECT_EQ(MenuBarItemStart(e, 13, true), 0);   // just wide enough
  EXPECT_EQ(MenuBarItemStart(e, 10, true), -2);  // narrower: 12 in from the right edge
}

TEST(MenuBarLayout, ItemsAreCaptionPlusTenAndHiddenOnesTakeNoRoom) {
  TSkinElements e;
  menutest::AddMenuElements(e, true, false, false);  // TileLeftMenu 2: start 6
  const std::vector<TMenuBarEntry> items = {
      {QStringLiteral("&File")}, {QStringLiteral("Edit"), true, false}, {QString()}, {QStringLiteral("Help")},
      {QStringLiteral("Last"), false}};
  const auto rects = LayoutMenuBarItems(items, e, QSize(400, 19), MenuFont(), false);
  ASSERT_EQ(rects.size(), 5u);
  const int wFile = Advance(QStringLiteral("File")) + 10, wEdit = Advance(QStringLiteral("Edit")) + 10;
  const int wHelp = Advance(QStringLiteral("Help")) + 10;
  EXPECT_EQ(rects[0], QRect(6, 0, wFile, 19));
  EXPECT_EQ(rects[1], QRect(6 + wFile, 0, wEdit, 19));  // disabled items keep their place
  EXPECT_EQ(rects[2].width(), 0);                      // empty caption
  EXPECT_EQ(rects[3], QRect(6 + wFile + wEdit, 0, wHelp, 19));
  // The hidden last item: empty, and the bar ends with the visible ones.
  EXPECT_TRUE(rects[4].isEmpty());
  EXPECT_EQ(MenuBarItemWidth(MenuFont(), QStringLiteral("Last")), Advance(QStringLiteral("Last")) + 10);
}

TEST(MenuBarLayout, RightToLeftItemsRunLeftwardsFromTheStart) {
  TSkinElements e;
  menutest::AddMenuElements(e, true, false, false);  // TileRightMenu 1: start 400 - 9
  const std::vector<TMenuBarEntry> items = {{QStringLiteral("A")}, {QStringLiteral("Bb")}};
  const auto rects = LayoutMenuBarItems(items, e, QSize(400, 19), MenuFont(), true);
  const int wa = Advance(QStringLiteral("A")) + 10, wb = Advance(QStringLiteral("Bb")) + 10;
  EXPECT_EQ(rects[0], QRect(391 - wa, 0, wa, 19));
  EXPECT_EQ(rects[1], QRect(391 - wa - wb, 0, wb, 19));
}

TEST(MenuBarBackground, FrameOneWhenActiveAndTwoWhenNot) {
  TSkinElements e;
  menutest::SetMenuColours(e);
  e.MenuBar = menutest::MenuBarElement(2, 1, 0);
  const QImage active = ComposeMenuBarBackground(e, QSize(21, 19), true);
  const QImage inactive = ComposeMenuBarBackground(e, QSize(21, 19), false);
  ASSERT_EQ(active.size(), QSize(21, 19));
  for (int y : {0, 9, 18}) {
    EXPECT_EQ(active.pixel(0, y), BarLeft(1)) << y;
    EXPECT_EQ(active.pixel(1, y), BarLeft(1)) << y;
    EXPECT_EQ(active.pixel(20, y), BarRight(1)) << y;
    EXPECT_EQ(inactive.pixel(0, y), BarLeft(2)) << y;
    EXPECT_EQ(inactive.pixel(20, y), BarRight(2)) << y;
    EXPECT_EQ(inactive.pixel(2, y), BarMiddle(2, 0)) << y;
  }
}

TEST(MenuBarBackground, ThreePartRepeatsTheMiddleAndTileOneStretchesIt) {
  TSkinElements e;
  menutest::SetMenuColours(e);
  // TileMenu 0: the middle (3 columns) repeated at its natural width from x = 2.
  e.MenuBar = menutest::MenuBarElement(2, 1, 0);
  const QImage repeated = ComposeMenuBarBackground(e, QSize(21, 19), true);
  for (int x = 2; x < 20; ++x) EXPECT_EQ(repeated.pixel(x, 5), BarMiddle(1, (x - 2) % 3)) << x;
  // TileMenu 1: the middle stretched over the 18 columns, 6 per source column.
  e.MenuBar = menutest::MenuBarElement(2, 1, 1);
  const QImage stretched = ComposeMenuBarBackground(e, QSize(21, 19), true);
  for (int x = 2; x < 20; ++x) EXPECT_EQ(stretched.pixel(x, 5), BarMiddle(1, (x - 2) / 6)) << x;
  EXPECT_EQ(stretched.pixel(20, 5), BarRight(1));
}

TEST(MenuBarBackground, WithoutTheElementTheMenubarColour) {
  TSkinElements e;
  menutest::SetMenuColours(e);
  const QImage bar = ComposeMenuBarBackground(e, QSize(33, 19), true);
  EXPECT_EQ(bar.pixel(0, 0), Rgb(e.Colours.Menubar));
  EXPECT_EQ(bar.pixel(32, 18), Rgb(e.Colours.Menubar));
  EXPECT_TRUE(ComposeMenuBarBackground(e, QSize(0, 19), true).isNull());
}

// Counts pixels of exactly `colour` inside `r`.
int Count(const QImage& img, const QRect& r, QRgb colour) {
  int n = 0;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) n += (img.pixel(x, y) | 0xFF000000u) == (colour | 0xFF000000u);
  return n;
}

TEST(MenuBarItems, OutlineOnlyWhenPressedOrUnderThePointer) {
  TSkinElements e;
  menutest::SetMenuColours(e);
  const QImage background = ComposeMenuBarBackground(e, QSize(120, 19), true);
  const QRect r(7, 0, 41, 19);
  const QRgb light = Rgb(e.Colours.ButtonHilight), face = Rgb(e.Colours.Menubar);
  for (int state : {1, 2, 3}) {
    QImage bar = background;
    DrawMenuBarItem(bar, r, {QStringLiteral("M"), true, true, state}, e.Colours, MenuFont());
    const bool outlined = state != 1;
    // The four edges of the item, all of them and nothing outside.
    for (int x = r.left(); x <= r.right(); ++x) {
      EXPECT_EQ(bar.pixel(x, 0), outlined ? light : face) << state << " " << x;
      EXPECT_EQ(bar.pixel(x, 18), outlined ? light : face) << state << " " << x;
    }
    for (int y = 0; y < 19; ++y) {
      EXPECT_EQ(bar.pixel(7, y), outlined ? light : face) << state << " " << y;
      EXPECT_EQ(bar.pixel(47, y), outlined ? light : face) << state << " " << y;
      EXPECT_EQ(bar.pixel(6, y), face);
      EXPECT_EQ(bar.pixel(48, y), face);
    }
  }
}

TEST(MenuBarItems, EnabledCaptionsInMenuBarTextDisabledInButtonShadow) {
  TSkinElements e;
  menutest::SetMenuColours(e);
  const QImage background = ComposeMenuBarBackground(e, QSize(80, 19), true);
  const QRect r(6, 0, 60, 19);
  QImage enabled = background, disabled = background;
  DrawMenuBarItem(enabled, r, {QStringLiteral("■■"), true, true, 1}, e.Colours, MenuFont());
  DrawMenuBarItem(disabled, r, {QStringLiteral("■■"), true, false, 1}, e.Colours, MenuFont());
  EXPECT_GT(Count(enabled, r, Rgb(e.Colours.MenuBarText)), 0);
  EXPECT_EQ(Count(enabled, r, Rgb(e.Colours.ButtonShadow)), 0);
  EXPECT_GT(Count(disabled, r, Rgb(e.Colours.ButtonShadow)), 0);
  EXPECT_EQ(Count(disabled, r, Rgb(e.Colours.MenuBarText)), 0);
}

TEST(MenuBarItems, WholeBarDrawsOnlyVisibleItems) {
  TSkinElements e;
  menutest::SetMenuColours(e);
  const QImage background = ComposeMenuBarBackground(e, QSize(120, 19), true);
  const std::vector<TMenuBarEntry> items = {{QStringLiteral("■"), true, true, 3}, {QStringLiteral("■"), false, true, 3}};
  const std::vector<QRect> rects = {QRect(6, 0, 20, 19), QRect(60, 0, 20, 19)};
  const QImage bar = PaintMenuBarImage(background, items, rects, e.Colours, MenuFont());
  EXPECT_EQ(bar.pixel(6, 0), Rgb(e.Colours.ButtonHilight));
  EXPECT_EQ(Count(bar, rects[1], Rgb(e.Colours.Menubar)), 20 * 19);
}

}  // namespace
