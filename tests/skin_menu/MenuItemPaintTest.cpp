// Popup-menu items without a window: fills, the MenuItem frames over the
// menu window's background, separators, the content's geometry, check marks
// and images, the text colours and the measuring rules.
#include <gtest/gtest.h>

#include <QPainter>

#include "skin/core/SkinDraw.h"
#include "skin/engine/ImageList.h"
#include "skin/menu/MenuItemPaint.h"
#include "skin/menu/MenuText.h"
#include "skin/menu/PopupBackground.h"
#include "tests/skin/SkinTestData.h"
#include "tests/skin_menu/MenuSkins.h"

namespace {

using namespace skin;
using menutest::Colour;
using menutest::ItemFrame;

QRgb Rgb(platform::TColor c) { return Colour(c).rgb(); }

constexpr QRgb kCanvas = 0xFF0A0B0Cu;

QImage Draw(const TMenuItemLook& look, const TSkinElements& e, const QImage* background, QSize canvas = {120, 60}) {
  QImage img(canvas, QImage::Format_RGB32);
  img.fill(kCanvas);
  QPainter p(&img);
  DrawMenuItem(p, look, e, background, MenuFont());
  return img;
}

TMenuItemLook Item(const QRect& r, const QString& caption = QStringLiteral("x")) {
  TMenuItemLook look;
  look.rect = r;
  look.caption = caption;
  return look;
}

TEST(MenuItemFill, WithoutMenuItemSelectedItemsTakeTheHilightColour) {
  TSkinElements e;
  menutest::AddMenuElements(e, false, false, false);
  TMenuItemLook look = Item(QRect(3, 7, 90, 21));
  look.selected = true;
  QImage img = Draw(look, e, nullptr);
  EXPECT_EQ(img.pixel(3, 7), Rgb(e.Colours.Hilight));
  EXPECT_EQ(img.pixel(92, 27), Rgb(e.Colours.Hilight));
  EXPECT_EQ(img.pixel(2, 7), kCanvas);
  EXPECT_EQ(img.pixel(93, 27), kCanvas);
  look.selected = false;
  img = Draw(look, e, nullptr);
  EXPECT_EQ(img.pixel(3, 7), Rgb(e.Colours.Menu));
  EXPECT_EQ(img.pixel(92, 27), Rgb(e.Colours.Menu));
}

TEST(MenuItemFill, FrameOneOrFourOverTheCachedBackground) {
  TSkinElements e;
  menutest::AddMenuElements(e, false, true, false);
  // The menu window's background, every pixel telling where it came from.
  const QImage background = skintest::Pattern(120, 60, skintest::Coord);
  const QRect r(3, 7, 40, 20);  // the element's size: its magenta spot lands at (13, 17)
  TMenuItemLook look = Item(r, QString());
  QImage img = Draw(look, e, &background);
  EXPECT_EQ(img.pixel(4, 8), ItemFrame(1));
  EXPECT_EQ(img.pixel(13 + 20, 17), ItemFrame(1));
  // Where the element is transparent, the background of that very place shows.
  bool sawBackground = false;
  for (int x = 3; x < 43; ++x)
    if (img.pixel(x, 17) == skintest::Coord(x, 17)) sawBackground = true;
  EXPECT_TRUE(sawBackground);
  look.selected = true;
  img = Draw(look, e, &background);
  EXPECT_EQ(img.pixel(4, 8), ItemFrame(4));
  EXPECT_EQ(img.pixel(42, 26), ItemFrame(4));
  // Without a cached background the Menu colour shows through.
  img = Draw(look, e, nullptr);
  bool sawMenu = false;
  for (int x = 3; x < 43; ++x)
    if (img.pixel(x, 17) == Rgb(e.Colours.Menu)) sawMenu = true;
  EXPECT_TRUE(sawMenu);
}

TEST(MenuItemFill, SeparatorFromFrameTwoBottomRows) {
  TSkinElements e;
  menutest::AddMenuElements(e, false, true, false);  // MenuItem margins left 3, right 4
  const QImage background = skintest::Pattern(120, 60, skintest::Coord);
  TMenuItemLook look = Item(QRect(3, 10, 61, 8), QStringLiteral("-"));
  look.separator = true;
  const QImage img = Draw(look, e, &background);
  // The item is 8 high: frame 2's rows 12 ... 19. Rows 12 ... 15 are
  // magenta (the background shows), rows 16 ... 19 the line.
  for (int y = 10; y < 14; ++y) EXPECT_EQ(img.pixel(30, y), skintest::Coord(30, y)) << y;
  for (int y = 14; y < 18; ++y) {
    EXPECT_EQ(img.pixel(3, y), menutest::SeparatorLeft()) << y;
    EXPECT_EQ(img.pixel(5, y), menutest::SeparatorLeft()) << y;
    EXPECT_EQ(img.pixel(6, y), menutest::SeparatorLine()) << y;
    EXPECT_EQ(img.pixel(59, y), menutest::SeparatorLine()) << y;
    EXPECT_EQ(img.pixel(60, y), menutest::SeparatorRight()) << y;
    EXPECT_EQ(img.pixel(63, y), menutest::SeparatorRight()) << y;
    EXPECT_EQ(img.pixel(64, y), kCanvas) << y;  // outside the item: untouched
  }
}

TEST(MenuItemFill, SeparatorWithoutTheElementIsAnEtchedLine) {
  TSkinElements e;
  menutest::AddMenuElements(e, false, false, false);
  TMenuItemLook look = Item(QRect(3, 10, 61, 8), QStringLiteral("-"));
  look.separator = true;
  const QImage img = Draw(look, e, nullptr);
  EXPECT_EQ(img.pixel(20, 13), Rgb(e.Colours.Menu));
  EXPECT_EQ(img.pixel(20, 14), Rgb(platform::clBtnShadow));
  EXPECT_EQ(img.pixel(20, 15), Rgb(platform::clBtnHighlight));
  EXPECT_EQ(img.pixel(20, 16), Rgb(e.Colours.Menu));
}

TEST(MenuItemContent, GlyphBoxCaptionAndShortcutPlaces) {
  TSkinElements e;
  menutest::AddMenuElements(e, false, true, false);  // left margin 3
  TMenuItemLook look = Item(QRect(3, 7, 101, 21));
  TMenuItemParts parts = MenuItemParts(look, e);
  EXPECT_EQ(parts.glyphBox, QRect(7, 8, 16, 16));  // left + 1 + 3, top + 1
  EXPECT_EQ(parts.captionRect, QRect(26, 7, 77, 21));  // box right + 3 ... item right - 1
  EXPECT_EQ(parts.shortcutRight, 93);
  // An image list 20 wide makes a 20-pixel box; a checked item's box is at least 16.
  look.imageListWidth = 20;
  EXPECT_EQ(MenuItemParts(look, e).glyphBox, QRect(7, 8, 20, 20));
  look.imageListWidth = 12;
  EXPECT_EQ(MenuItemParts(look, e).glyphBox.width(), 12);
  look.checked = true;
  EXPECT_EQ(MenuItemParts(look, e).glyphBox.width(), 16);
  // Without the element no margin.
  TSkinElements plain;
  menutest::AddMenuElements(plain, false, false, false);
  EXPECT_EQ(MenuItemParts(Item(QRect(3, 7, 101, 21)), plain).glyphBox.topLeft(), QPoint(4, 8));
}

TEST(MenuItemContent, RightToLeftMirrorsTheLayout) {
  TSkinElements e;
  menutest::AddMenuElements(e, false, true, false);
  TMenuItemLook look = Item(QRect(3, 7, 101, 21));
  look.rightToLeft = true;
  const TMenuItemParts parts = MenuItemParts(look, e);
  // Mirrored inside x 3 ... 103: the box's 4 pixels from the left edge become 4 from the right.
  EXPECT_EQ(parts.glyphBox, QRect(84, 8, 16, 16));
  EXPECT_EQ(parts.captionRect, QRect(4, 7, 77, 21));
  EXPECT_EQ(parts.shortcutRight, 14);
}

TEST(MenuItemContent, CheckMarkWithoutImageAndDitheredBoxWithOne) {
  TSkinElements e;
  menutest::AddMenuElements(e, false, false, false);
  TMenuItemLook look = Item(QRect(3, 7, 101, 21), QString());
  look.checked = true;
  QImage img = Draw(look, e, nullptr);
  // The 7 x 7 mark centred in the 16-pixel box at (4, 8), one pixel right and down:
  // it starts at (4 + 4 + 1, 8 + 4 + 1); its top row has only its last pixel set.
  const QRgb ink = Rgb(e.Colours.ButtonText);
  EXPECT_EQ(img.pixel(9 + 6, 13), ink);
  EXPECT_EQ(img.pixel(9 + 5, 13), Rgb(e.Colours.Menu));
  EXPECT_EQ(img.pixel(9, 15), ink);       // row 2 starts at the left
  EXPECT_EQ(img.pixel(9 + 2, 19), ink);   // the bottom point
  EXPECT_EQ(img.pixel(9 + 1, 19), Rgb(e.Colours.Menu));
  // With an image: the dither and the sunken edge under it.
  QImage glyph(16, 16, QImage::Format_ARGB32);
  glyph.fill(Qt::transparent);
  glyph.setPixel(8, 8, 0xFF123456u);
  TImageList list(16, 16);
  list.LoadStrip(glyph.convertToFormat(QImage::Format_RGB32), platform::clBlack);
  look.images = &list;
  look.imageIndex = 0;
  look.imageListWidth = 16;
  img = Draw(look, e, nullptr);
  EXPECT_EQ(img.pixel(4 + 8, 8 + 8), 0xFF123456u);
  EXPECT_EQ(img.pixel(4, 8), Rgb(platform::clBtnShadow));        // edge, top-left
  EXPECT_EQ(img.pixel(19, 23), Rgb(platform::clBtnHighlight));   // edge, bottom-right
  const QRgb a = img.pixel(6, 10), b = img.pixel(7, 10);          // inside: the checkerboard
  EXPECT_NE(a, b);
  EXPECT_TRUE(a == Rgb(platform::clBtnFace) || a == Rgb(platform::clBtnHighlight));
  EXPECT_EQ(img.pixel(6, 11), b);
}

TEST(MenuItemContent, DisabledImagesLookDisabled) {
  TSkinElements e;
  menutest::AddMenuElements(e, false, false, false);
  QImage glyph(16, 16, QImage::Format_RGB32);
  glyph.fill(Qt::white);
  glyph.setPixel(5, 5, 0xFF123456u);
  TImageList list(16, 16);
  list.LoadStrip(glyph, platform::clWhite);
  TMenuItemLook look = Item(QRect(3, 7, 101, 21), QString());
  look.images = &list;
  look.imageIndex = 0;
  look.imageListWidth = 16;
  QImage img = Draw(look, e, nullptr);
  EXPECT_EQ(img.pixel(4 + 5, 8 + 5), 0xFF123456u);
  look.enabled = false;
  img = Draw(look, e, nullptr);
  EXPECT_EQ(img.pixel(4 + 5, 8 + 5), Rgb(platform::clBtnShadow));
  EXPECT_EQ(img.pixel(4 + 6, 8 + 6), Rgb(platform::clBtnHighlight));
}

TEST(MenuItemContent, CaptionColours) {
  TSkinColours c;
  TSkinElements e;
  menutest::SetMenuColours(e);
  c = e.Colours;
  TMenuItemLook look = Item(QRect(0, 0, 50, 20));
  EXPECT_EQ(MenuItemTextColour(look, c), Colour(c.MenuText));
  look.selected = true;
  EXPECT_EQ(MenuItemTextColour(look, c), Colour(c.HilightText));
  look.enabled = false;
  EXPECT_EQ(MenuItemTextColour(look, c), Colour(c.HilightText));  // selection wins
  look.selected = false;
  EXPECT_EQ(MenuItemTextColour(look, c), Colour(c.ButtonShadow));
  // Grey that equals the text colour would not show: the system's shadow colour.
  c.ButtonShadow = c.MenuText;
  EXPECT_EQ(MenuItemTextColour(look, c), Colour(platform::clBtnShadow));
}

TEST(MenuItemMeasure, StandardSystemAndForeignRules) {
  TMenuItemMetrics m;
  m.captionWidth = 37;
  m.lineHeight = 15;
  m.menuItemLeft = 5;
  // Standard: caption + left margin + 10, + 25 without an image list.
  EXPECT_EQ(MeasureMenuItem(mikPopupMenu, m), QSize(37 + 5 + 10 + 25, 20));
  EXPECT_EQ(MeasureMenuItem(mikMenuBarSub, m), QSize(77, 20));
  // The system menu: + left margin + 12, + 23 without a list.
  EXPECT_EQ(MeasureMenuItem(mikSystemMenu, m), QSize(37 + 5 + 12 + 23, 20));
  m.imageListWidth = 16;
  EXPECT_EQ(MeasureMenuItem(mikSystemMenu, m), QSize(37 + 16 + 6 + 5 + 12, 20));
  EXPECT_EQ(MeasureMenuItem(mikPopupMenu, m), QSize(37 + 16 + 6 + 5 + 10, 20));
  // A shortcut adds its width and the gap.
  m.shortcutWidth = 41;
  EXPECT_EQ(MeasureMenuItem(mikSystemMenu, m).width(), 37 + 16 + 6 + kShortcutGap + 41 + 5 + 12);
  // Foreign menus: caption + 26 + left margin, 4 pixels higher.
  EXPECT_EQ(MeasureMenuItem(mikForeignMenu, m), QSize(37 + 26 + 5, 24));
  // A tall font sets the height; separators are 8 high.
  m.lineHeight = 23;
  EXPECT_EQ(MeasureMenuItem(mikPopupMenu, m).height(), 27);
  m.separator = true;
  EXPECT_EQ(MeasureMenuItem(mikPopupMenu, m).height(), 8);
  EXPECT_EQ(MeasureMenuItem(mikForeignMenu, m).height(), 8);
}

TEST(MenuBackgroundCompose, NinePartAtTheWindowSizeAndItsBorder) {
  TSkinElements e;
  menutest::AddMenuElements(e, false, false, true);  // 12 x 12, margins 3
  const QImage bg = ComposeMenuBackground(e, QSize(51, 37));
  ASSERT_EQ(bg.size(), QSize(51, 37));
  EXPECT_EQ(bg.pixel(0, 0), skintest::Coord(0, 0));
  EXPECT_EQ(bg.pixel(50, 36), skintest::Coord(11, 11));
  EXPECT_EQ(bg.pixel(2, 20) & 0xFFFF0000u, skintest::Coord(2, 0) & 0xFFFF0000u);  // left edge keeps column 2
  const QRegion border = MenuBorderRegion(QSize(51, 37));
  EXPECT_TRUE(border.contains(QPoint(0, 0)));
  EXPECT_TRUE(border.contains(QPoint(2, 20)));
  EXPECT_TRUE(border.contains(QPoint(48, 20)));
  EXPECT_TRUE(border.contains(QPoint(25, 34)));
  EXPECT_FALSE(border.contains(QPoint(3, 3)));
  EXPECT_FALSE(border.contains(QPoint(47, 33)));
  // Without the element nothing is composed: the menus keep their own border.
  TSkinElements none;
  EXPECT_FALSE(HasMenuBackground(none));
  EXPECT_TRUE(ComposeMenuBackground(none, QSize(51, 37)).isNull());
}

}  // namespace
