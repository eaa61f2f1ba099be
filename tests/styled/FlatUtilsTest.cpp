// Layout, frame, disabled-glyph and gradient routines of the flat controls.
#include <gtest/gtest.h>

#include <QPainter>

#include "controls/styled/FlatUtils.h"

using namespace styled;

namespace {
QRgb Rgb(platform::TColor c) { return platform::ToQColor(c).rgb(); }
}  // namespace

TEST(CalcGlyphLayout, HeaderButtonExample) {
  // 65×65, 40×40 glyph, margin -1, spacing 4, glyph on top, caption 52×13.
  const QRect client(0, 0, 65, 65);
  GlyphLayoutResult r = CalcGlyphLayout(client, QPoint(0, 0), QSize(52, 13), blGlyphTop, -1, 4, QSize(40, 40), 1);
  EXPECT_EQ(r.glyphOrigin, QPoint(13, 4));
  EXPECT_EQ(r.captionRect, QRect(QPoint(7, 48), QSize(52, 13)));  // (7, 48)-(59, 61)
  r = CalcGlyphLayout(client, QPoint(1, 1), QSize(52, 13), blGlyphTop, -1, 4, QSize(40, 40), 1);
  EXPECT_EQ(r.glyphOrigin, QPoint(14, 5));
  EXPECT_EQ(r.captionRect.topLeft(), QPoint(8, 49));
}

TEST(CalcGlyphLayout, CaptionOnlyCentresWhateverTheSpacing) {
  for (int spacing : {-1, 0, 4, 20}) {
    const GlyphLayoutResult r =
        CalcGlyphLayout(QRect(0, 0, 60, 24), QPoint(0, 0), QSize(30, 12), blGlyphLeft, -1, spacing, QSize(), 1);
    EXPECT_EQ(r.captionRect.topLeft(), QPoint(15, 6)) << spacing;
  }
}

TEST(CalcGlyphLayout, SidesMarginsAndSpreadSpacing) {
  const QRect c(10, 20, 100, 30);
  // Left, fixed margin 5 and spacing 2: glyph at 5, caption after glyph cell (16 of a 32 strip) and gap.
  GlyphLayoutResult r = CalcGlyphLayout(c, QPoint(), QSize(40, 10), blGlyphLeft, 5, 2, QSize(32, 16), 2);
  EXPECT_EQ(r.glyphOrigin, QPoint(15, 20 + 7));
  EXPECT_EQ(r.captionRect.topLeft(), QPoint(10 + 5 + 16 + 2, 20 + 10));
  // Right, margin -1 and spacing -1 spread evenly: M = S = (100 - 56) / 3 = 14.
  r = CalcGlyphLayout(c, QPoint(), QSize(40, 10), blGlyphRight, -1, -1, QSize(16, 16), 1);
  EXPECT_EQ(r.glyphOrigin.x(), 10 + 100 - 14 - 16);
  EXPECT_EQ(r.captionRect.x(), 10 + 100 - 14 - 16 - 14 - 40);
  // Bottom, margin 3, spacing -1: S = ((30 - 19) - 10) / 2 = 0.
  r = CalcGlyphLayout(c, QPoint(), QSize(40, 10), blGlyphBottom, 3, -1, QSize(16, 16), 1);
  EXPECT_EQ(r.glyphOrigin.y(), 20 + 30 - 3 - 16);
  EXPECT_EQ(r.captionRect.y(), 20 + 30 - 3 - 16 - 0 - 10);
}

// Every layout with margin and spacing fixed or spread, odd and even room
// left over (the rounding of "+ 1) div 2"), unequal sides and offsets, room
// too small (divisions truncate towards zero), and a glyph or a caption alone.
TEST(CalcGlyphLayout, EveryLayoutRoundsAndTruncatesAsSpecified) {
  struct Case {
    QRect client;
    QPoint offset;
    QSize caption;
    TButtonLayout layout;
    int margin, spacing;
    QSize glyph;
    int numGlyphs;
    QPoint glyphAt, captionAt;
  };
  const Case cases[] = {
      {QRect(3, 5, 61, 37), QPoint(1, 2), QSize(17, 9), blGlyphLeft, -1, -1, QSize(20, 14), 2, {15, 19}, {36, 21}},
      {QRect(3, 5, 61, 37), QPoint(), QSize(19, 8), blGlyphRight, -1, 3, QSize(12, 11), 1, {38, 18}, {16, 20}},
      {QRect(3, 5, 61, 37), QPoint(), QSize(21, 7), blGlyphTop, -1, -1, QSize(13, 10), 1, {27, 11}, {23, 27}},
      {QRect(3, 5, 61, 38), QPoint(), QSize(22, 8), blGlyphBottom, 5, -1, QSize(13, 10), 1, {27, 28}, {23, 13}},
      {QRect(3, 5, 60, 36), QPoint(), QSize(14, 7), blGlyphLeft, 2, -1, QSize(9, 9), 1, {5, 19}, {31, 20}},
      {QRect(3, 5, 61, 37), QPoint(2, 1), QSize(26, 9), blGlyphTop, -1, 4, QSize(15, 12), 1, {28, 12}, {23, 28}},
      {QRect(0, 0, 20, 37), QPoint(), QSize(30, 10), blGlyphRight, -1, -1, QSize(16, 16), 1, {12, 11}, {-10, 14}},
      {QRect(0, 0, 44, 33), QPoint(), QSize(12, 6), blGlyphBottom, -1, -1, QSize(18, 9), 2, {18, 18}, {16, 6}},
      {QRect(0, 0, 30, 40), QPoint(), QSize(12, 6), blGlyphTop, -1, -1, QSize(10, 30), 1, {10, 1}, {9, 32}},
      {QRect(0, 0, 44, 33), QPoint(), QSize(12, 6), blGlyphTop, -1, 5, QSize(), 1, {22, 14}, {16, 14}},
      // No glyph count counts as one image; a margin of 0 still spreads the spacing,
      // here over even room (the cases above leave odd room).
      {QRect(0, 0, 50, 30), QPoint(), QSize(13, 7), blGlyphLeft, -1, 3, QSize(11, 9), 0, {12, 11}, {26, 12}},
      {QRect(2, 3, 57, 29), QPoint(), QSize(15, 8), blGlyphRight, 0, -1, QSize(12, 10), 1, {47, 13}, {17, 14}},
  };
  for (const Case& c : cases) {
    const GlyphLayoutResult r =
        CalcGlyphLayout(c.client, c.offset, c.caption, c.layout, c.margin, c.spacing, c.glyph, c.numGlyphs);
    EXPECT_EQ(r.glyphOrigin, c.glyphAt) << c.glyphAt.x() << "," << c.glyphAt.y();
    EXPECT_EQ(r.captionRect, QRect(c.captionAt, c.caption)) << c.glyphAt.x() << "," << c.glyphAt.y();
  }
  // A glyph alone: the spacing counts as 0, the margin centres it.
  const GlyphLayoutResult alone =
      CalcGlyphLayout(QRect(0, 0, 45, 31), QPoint(), QSize(), blGlyphLeft, -1, 2, QSize(21, 8), 1);
  EXPECT_EQ(alone.glyphOrigin, QPoint(12, 12));
  EXPECT_TRUE(alone.captionRect.isNull());
}

TEST(DrawFlatFrame, RingsLieJustInsideTheRectangle) {
  QImage image(10, 8, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter p(&image);
    DrawFlatFrame(p, QRect(1, 1, 8, 6), Qt::red, 2);
  }
  const QRgb red = qRgb(255, 0, 0), white = qRgb(255, 255, 255);
  EXPECT_EQ(image.pixel(0, 0), white);
  EXPECT_EQ(image.pixel(1, 1), red);
  EXPECT_EQ(image.pixel(8, 6), red);  // last pixel inside the exclusive right/bottom
  EXPECT_EQ(image.pixel(9, 7), white);
  EXPECT_EQ(image.pixel(2, 2), red);  // second ring
  EXPECT_EQ(image.pixel(7, 5), red);
  EXPECT_EQ(image.pixel(3, 3), white);  // inside both rings
  EXPECT_EQ(image.pixel(6, 4), white);
}

TEST(MakeDisabledGlyph, EmbossesOnlyPureBlack) {
  QImage cell(4, 4, QImage::Format_RGB32);
  cell.fill(QColor(0, 128, 0));
  cell.setPixel(1, 1, qRgb(0, 0, 0));
  cell.setPixel(2, 1, qRgb(1, 0, 0));  // almost black: vanishes
  cell.setPixel(3, 3, qRgb(0, 0, 0));  // its highlight falls outside
  const QImage out = MakeDisabledGlyph(cell);
  EXPECT_EQ(out.pixel(1, 1), Rgb(platform::clBtnShadow));
  EXPECT_EQ(out.pixel(2, 2), Rgb(platform::clBtnHighlight));
  EXPECT_EQ(out.pixel(2, 1), Rgb(platform::clBtnFace));
  EXPECT_EQ(out.pixel(3, 3), Rgb(platform::clBtnShadow));
  EXPECT_EQ(out.pixel(0, 3), Rgb(platform::clBtnFace));
}

TEST(FillGradient, LeftToRightPanelHasSixtyBandsAndAStopColouredTail) {
  QImage image(185, 41, QImage::Format_RGB32);
  image.fill(Qt::black);
  const platform::TColor start = platform::RGB(237, 241, 251), stop = platform::RGB(214, 223, 247);
  FillGradient(image, image.rect(), start, stop, fdLeftToRight, 60);
  EXPECT_EQ(image.pixel(0, 20), Rgb(start));
  EXPECT_EQ(image.pixel(2, 40), Rgb(start));
  // Band k covers x = 3k .. 3k+2 in one colour; band 59 is the stop colour.
  for (int k = 0; k < 60; ++k) {
    EXPECT_EQ(image.pixel(3 * k, 0), image.pixel(3 * k + 2, 40)) << k;
    // Each channel start + k * delta / 59, rounded to the nearest level.
    const auto level = [k](int from, int to) { return from + (k * (to - from) * 2 - 59) / (2 * 59); };
    EXPECT_EQ(image.pixel(3 * k, 10), qRgb(level(237, 214), level(241, 223), level(251, 247))) << k;
  }
  EXPECT_EQ(image.pixel(177, 0), Rgb(stop));
  for (int x = 180; x < 185; ++x) EXPECT_EQ(image.pixel(x, 5), Rgb(stop)) << x;
  EXPECT_NE(image.pixel(9, 0), image.pixel(0, 0));  // band 3 differs (bands 0-2 round alike)
}

TEST(FillGradient, DirectionsPlaceStartAndStop) {
  const platform::TColor s = platform::RGB(255, 0, 0), p = platform::RGB(0, 0, 255);
  QImage image(20, 40, QImage::Format_RGB32);
  FillGradient(image, image.rect(), s, p, fdBottomToTop, 40);
  EXPECT_EQ(image.pixel(5, 39), Rgb(s));
  EXPECT_EQ(image.pixel(5, 0), Rgb(p));
  FillGradient(image, image.rect(), s, p, fdCenterToVerti, 20);
  EXPECT_EQ(image.pixel(5, 0), Rgb(s));
  EXPECT_EQ(image.pixel(5, 39), Rgb(s));
  EXPECT_EQ(image.pixel(5, 19), Rgb(p));
  EXPECT_EQ(image.pixel(5, 20), Rgb(p));
  FillGradient(image, image.rect(), s, p, fdCenterToHoriz, 10);
  EXPECT_EQ(image.pixel(0, 3), Rgb(s));
  EXPECT_EQ(image.pixel(19, 3), Rgb(s));
  EXPECT_EQ(image.pixel(9, 3), Rgb(p));
  FillGradient(image, image.rect(), s, p, fdRightToLeft, 20);
  EXPECT_EQ(image.pixel(19, 3), Rgb(s));
  EXPECT_EQ(image.pixel(0, 3), Rgb(p));
  FillGradient(image, image.rect(), s, p, fdTopToBottom, 1);  // fewer than 2 colours: start only
  EXPECT_EQ(image.pixel(0, 0), Rgb(s));
  EXPECT_EQ(image.pixel(19, 39), Rgb(s));
  // Four bands of 2 of a width of 10, levels k * delta / 3 rounded (not cut)
  // both upwards and downwards, the 2 pixels left over in the far end's colour.
  QImage strip(10, 1, QImage::Format_RGB32);
  const platform::TColor from = platform::RGB(0, 0, 0), to = platform::RGB(2, 7, 250);
  const QRgb rising[] = {qRgb(0, 0, 0), qRgb(1, 2, 83), qRgb(1, 5, 167), qRgb(2, 7, 250), qRgb(2, 7, 250)};
  FillGradient(strip, strip.rect(), from, to, fdLeftToRight, 4);
  for (int x = 0; x < 10; ++x) EXPECT_EQ(strip.pixel(x, 0), rising[x / 2]) << x;
  const QRgb falling[] = {qRgb(2, 7, 250), qRgb(1, 5, 167), qRgb(1, 2, 83), qRgb(0, 0, 0), qRgb(0, 0, 0)};
  FillGradient(strip, strip.rect(), from, to, fdRightToLeft, 4);
  for (int x = 0; x < 10; ++x) EXPECT_EQ(strip.pixel(x, 0), falling[x / 2]) << x;
}

TEST(FillGradient, OnePixelHighShowsTheBottomEndAndNothingOutside) {
  QImage image(10, 5, QImage::Format_RGB32);
  image.fill(Qt::white);
  FillGradient(image, QRect(2, 2, 6, 1), platform::RGB(255, 0, 0), platform::RGB(0, 255, 0), fdTopToBottom, 60);
  EXPECT_EQ(image.pixel(2, 2), qRgb(0, 255, 0));
  EXPECT_EQ(image.pixel(7, 2), qRgb(0, 255, 0));
  EXPECT_EQ(image.pixel(1, 2), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(8, 2), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(2, 1), qRgb(255, 255, 255));
  // A rectangle reaching past the image paints only what lies inside.
  FillGradient(image, QRect(-5, -5, 30, 30), platform::RGB(1, 2, 3), platform::RGB(4, 5, 6), fdXPFace, 60);
  FillGradient(image, QRect(3, 3, 0, 4), platform::RGB(9, 9, 9), platform::RGB(9, 9, 9), fdLeftToRight, 60);
}

// Every direction fills the whole rectangle of an odd size away from the
// image's edges and nothing around it, on a background that differs from
// pixel to pixel (a stray band copied from outside shows); two colours make
// two bands.
TEST(FillGradient, EveryDirectionStaysInsideItsRectangle) {
  const platform::TColor s = platform::RGB(200, 10, 40), p = platform::RGB(21, 181, 90);
  const QRect rect(3, 2, 13, 11);
  const auto background = [](int x, int y) { return qRgb(x * 12, 255, y * 15); };  // green 255: never s or p
  for (TFillDirection d : {fdTopToBottom, fdBottomToTop, fdLeftToRight, fdRightToLeft, fdCenterToVerti,
                           fdCenterToHoriz, fdXPFace}) {
    for (int colors : {60, 2}) {
      QImage image(20, 16, QImage::Format_RGB32);
      for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, background(x, y));
      FillGradient(image, rect, s, p, d, colors);
      for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
          if (rect.contains(x, y))
            ASSERT_NE(qGreen(image.pixel(x, y)), 255) << d << " " << colors << " at " << x << "," << y;
          else
            ASSERT_EQ(image.pixel(x, y), background(x, y)) << d << " " << colors << " at " << x << "," << y;
        }
    }
  }
  // Two colours across 13 pixels: 6 of the start, 6 of the stop, 1 left over of the stop.
  QImage image(20, 16, QImage::Format_RGB32);
  FillGradient(image, rect, s, p, fdLeftToRight, 2);
  for (int x = 3; x < 16; ++x) EXPECT_EQ(image.pixel(x, 7), Rgb(x < 9 ? s : p)) << x;
  // An image of another pixel format is converted first. The middle row's red
  // and green fall on exact halves, rounded away from zero (-89.5 and 85.5).
  QImage rgb888(6, 3, QImage::Format_RGB888);
  rgb888.fill(Qt::white);
  FillGradient(rgb888, rgb888.rect(), s, p, fdTopToBottom, 3);
  EXPECT_EQ(rgb888.format(), QImage::Format_RGB32);
  const QRgb rows[] = {Rgb(s), qRgb(110, 96, 65), Rgb(p)};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 6; ++x) EXPECT_EQ(rgb888.pixel(x, y), rows[y]) << x << "," << y;
}

TEST(FillGradient, XPFaceEdgesAndCorner) {
  QImage image(40, 30, QImage::Format_RGB32);
  image.fill(Qt::black);
  const platform::TColor s = platform::RGB(255, 255, 255), p = platform::RGB(100, 120, 200);
  FillGradient(image, image.rect(), s, p, fdXPFace, 60);
  EXPECT_EQ(image.pixel(10, 0), Rgb(s));      // top row
  EXPECT_EQ(image.pixel(0, 15), Rgb(s));      // left column
  EXPECT_EQ(image.pixel(20, 6), Rgb(p));      // main area starts with the stop colour
  EXPECT_EQ(image.pixel(6, 6), Rgb(p));       // right of the corner as well
  EXPECT_EQ(image.pixel(20, 23), Rgb(s));     // and ends with the start colour
  EXPECT_EQ(image.pixel(20, 29), Rgb(p));     // bottom strip ends with the stop colour
  // Corner: column i repeats the left band's colour of row T+7 down to row T+i+1.
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(image.pixel(i, 6), image.pixel(i, 7)) << i;
    EXPECT_EQ(image.pixel(5, i), image.pixel(i, 7)) << i;
  }
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) ASSERT_NE(image.pixel(x, y), qRgb(0, 0, 0)) << x << "," << y;
}

TEST(AcceleratorOf, FindsTheMarkedLetter) {
  EXPECT_EQ(AcceleratorOf(QStringLiteral("&Help")), QChar('h'));
  EXPECT_EQ(AcceleratorOf(QStringLiteral("Save && E&xit")), QChar('x'));
  EXPECT_TRUE(AcceleratorOf(QStringLiteral("OK")).isNull());
  EXPECT_TRUE(AcceleratorOf(QStringLiteral("End&")).isNull());
}
