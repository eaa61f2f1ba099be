// The glyph button's layout on its own: face inside the frame, glyph cell,
// caption and popup mark for each side, with odd sizes, negative shifts,
// an offset client and divisions that truncate towards zero.
#include <gtest/gtest.h>

#include "controls/styled/QexLayout.h"

using styled::LayOutQexButton;
using styled::QexLayout;
using styled::QexLayoutInput;
using styled::TQexButton;

namespace {

struct LayoutCase {
  const char* what;
  QexLayoutInput in;
  QexLayout out;
};

}  // namespace

TEST(QexLayout, PlacesFaceGlyphCaptionAndMark) {
  const LayoutCase cases[] = {
      {"speech bar: glyph left of the caption, no room for the mark",
       {.client = QRect(0, 0, 57, 18), .cell = {16, 16}, .hasGlyph = true, .hasCaption = true, .caption = {30, 15},
        .popupMark = true, .mark = {5, 3}, .glyphCellWidth = 16},
       {QRect(0, 0, 57, 18), QRect(2, 1, 16, 16), QRect(22, 1, 30, 15), QRect()}},
      {"pressed: glyph and caption one pixel down and right",
       {.client = QRect(0, 0, 57, 18), .cell = {16, 16}, .hasGlyph = true, .hasCaption = true, .caption = {30, 15},
        .pressed = 1, .glyphCellWidth = 16},
       {QRect(0, 0, 57, 18), QRect(3, 2, 16, 16), QRect(23, 2, 30, 15), QRect()}},
      {"glyph right, two rings, offset client, pulled back towards the caption",
       {.client = QRect(10, 4, 61, 23), .frameWidth = 2, .cell = {15, 13}, .hasGlyph = true, .hasCaption = true,
        .caption = {27, 14}, .layout = TQexButton::blGlyphRight, .spacing = 2, .spacingLayout = -4, .glyphCellWidth = 15},
       {QRect(12, 6, 57, 19), QRect(42, 9, 15, 13), QRect(13, 9, 27, 14), QRect()}},
      {"glyph below the caption, raised frame's inner pixel, mark beside",
       {.client = QRect(0, 0, 50, 40), .frameWidth = 1, .innerInset = true, .cell = {16, 16}, .hasGlyph = true,
        .hasCaption = true, .caption = {20, 13}, .layout = TQexButton::blGlyphBottom, .spacing = 5, .spacingLayout = 1,
        .popupMark = true, .mark = {5, 3}, .markGap = 3, .glyphCellWidth = 16},
       {QRect(2, 2, 46, 36), QRect(17, 19, 16, 16), QRect(15, 0, 20, 13), QRect(36, 25, 5, 3)}},
      {"glyph above the caption, flat cell, pressed",
       {.client = QRect(0, 0, 40, 50), .cell = {16, 12}, .hasGlyph = true, .hasCaption = true, .caption = {31, 15},
        .layout = TQexButton::blGlyphTop, .spacing = 1, .spacingLayout = 5, .pressed = 1, .glyphCellWidth = 16},
       {QRect(0, 0, 40, 50), QRect(13, 8, 16, 12), QRect(6, 21, 31, 15), QRect()}},
      {"no caption: the glyph makes room for the mark, which starts past a whole cell",
       {.client = QRect(0, 0, 30, 20), .cell = {14, 16}, .hasGlyph = true, .popupMark = true, .mark = {5, 3},
        .glyphCellWidth = 16},
       {QRect(0, 0, 30, 20), QRect(3, 2, 14, 16), QRect(), QRect(24, 8, 5, 3)}},
      {"no glyph: the caption centres, pressed, and no mark",
       {.client = QRect(0, 0, 75, 25), .frameWidth = 1, .hasCaption = true, .caption = {40, 15}, .pressed = 1,
        .popupMark = true, .mark = {5, 3}},
       {QRect(1, 1, 73, 23), QRect(), QRect(18, 6, 40, 15), QRect()}},
      {"a glyph with no cell to draw: the caption centres too",
       {.client = QRect(0, 0, 40, 20), .hasGlyph = true, .hasCaption = true, .caption = {20, 10}},
       {QRect(0, 0, 40, 20), QRect(), QRect(10, 5, 20, 10), QRect()}},
      {"a frame wider than the button stops once nothing is left inside",
       {.client = QRect(0, 0, 1, 1), .frameWidth = 2},
       {QRect(1, 1, -1, -1), QRect(), QRect(), QRect()}},
  };
  for (const LayoutCase& c : cases) {
    const QexLayout out = LayOutQexButton(c.in);
    EXPECT_EQ(out.face, c.out.face) << c.what;
    EXPECT_EQ(out.glyph, c.out.glyph) << c.what;
    EXPECT_EQ(out.caption, c.out.caption) << c.what;
    EXPECT_EQ(out.mark, c.out.mark) << c.what;
  }
}
