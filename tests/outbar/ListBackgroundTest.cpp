// Background painting of the lists: gradient bands, the modes, tiling range,
// buffered painting and repaint rules.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPainter>

#include "controls/outbar/ListViewEx.h"
#include "controls/outbar/OutCommon.h"

using namespace outbar;
using platform::RGB;

TEST(Gradient, WhiteToBlackOverHundredRowsGivesTheWorkedLevels) {
  const auto bands = GradientBands(100, platform::clWhite, platform::clBlack);
  // 256 levels, bands 1 thick: the band starting at E itself is the last one.
  ASSERT_EQ(bands.size(), 101u);
  EXPECT_EQ(bands[100].start, 100);
  EXPECT_EQ(bands[0].thickness, 1);
  EXPECT_EQ(platform::GetRValue(bands[0].color), 255);
  EXPECT_EQ(platform::GetRValue(bands[1].color), 253);
  EXPECT_EQ(platform::GetRValue(bands[2].color), 250);
  EXPECT_EQ(platform::GetRValue(bands[99].color), 3);
  for (const auto& b : bands) EXPECT_LE(b.start, 100);

  QImage image(10, 100, QImage::Format_RGB32);
  image.fill(Qt::red);
  {
    QPainter p(&image);
    DrawGradient(p, 10, 100, true, platform::clWhite, platform::clBlack);
  }
  EXPECT_EQ(qRed(image.pixel(5, 0)), 255);
  EXPECT_EQ(qRed(image.pixel(5, 2)), 250);
  EXPECT_EQ(qGreen(image.pixel(9, 99)), 3);
}

// Channels that rise and fall by different odd and even steps, each level
// cut towards zero (never rounded), bands thicker than 1, the last band
// starting exactly at E, and a gradient 1 pixel long.
TEST(Gradient, LopsidedChannelsTruncateTowardsZero) {
  const struct {
    int extent;
    platform::TColor begin, end;
    std::vector<GradientBand> bands;
  } cases[] = {
      {7, RGB(10, 200, 30), RGB(13, 190, 31),
       {{0, 1, RGB(10, 200, 30)}, {1, 1, RGB(10, 199, 30)}, {2, 1, RGB(10, 198, 30)}, {3, 1, RGB(11, 196, 30)},
        {4, 1, RGB(11, 195, 30)}, {5, 1, RGB(12, 193, 30)}, {6, 1, RGB(12, 192, 30)}, {7, 1, RGB(13, 190, 31)}}},
      {22, RGB(9, 5, 0), RGB(9, 5, 4),
       {{0, 5, RGB(9, 5, 0)}, {5, 5, RGB(9, 5, 0)}, {10, 5, RGB(9, 5, 1)}, {15, 5, RGB(9, 5, 2)},
        {20, 5, RGB(9, 5, 3)}}},
      {1, RGB(0, 4, 9), RGB(5, 4, 6), {{0, 1, RGB(0, 4, 9)}, {1, 1, RGB(5, 4, 6)}}},
      {21, RGB(7, 3, 0), RGB(3, 3, 0),
       {{0, 5, RGB(7, 3, 0)}, {5, 5, RGB(7, 3, 0)}, {10, 5, RGB(6, 3, 0)}, {15, 5, RGB(5, 3, 0)},
        {20, 5, RGB(4, 3, 0)}}},
  };
  for (const auto& c : cases) {
    const auto bands = GradientBands(c.extent, c.begin, c.end);
    ASSERT_EQ(bands.size(), c.bands.size()) << c.extent;
    for (size_t k = 0; k < bands.size(); ++k) {
      EXPECT_EQ(bands[k].start, c.bands[k].start) << c.extent << " band " << k;
      EXPECT_EQ(bands[k].thickness, c.bands[k].thickness) << c.extent << " band " << k;
      EXPECT_EQ(bands[k].color, c.bands[k].color) << c.extent << " band " << k;
    }
  }
}

TEST(Gradient, EqualColoursMakeOneBandAndSystemColoursResolve) {
  const auto one = GradientBands(50, RGB(10, 20, 30), RGB(10, 20, 30));
  ASSERT_EQ(one.size(), 1u);
  EXPECT_EQ(one[0].thickness, 51);
  EXPECT_EQ(one[0].color, RGB(10, 20, 30));
  const auto sys = GradientBands(10, platform::clBtnFace, platform::clBtnFace);
  ASSERT_EQ(sys.size(), 1u);
  EXPECT_EQ(sys[0].color, platform::SysColor(platform::COLOR_BTNFACE));
  EXPECT_TRUE(GradientBands(0, platform::clWhite, platform::clBlack).empty());
  // Horizontal: at most 256 bands whatever the width.
  EXPECT_LE(GradientBands(5000, RGB(0, 0, 0), RGB(255, 0, 0)).size(), 256u);
  EXPECT_EQ(Max3(3, 9, 4), 9);
  EXPECT_EQ(CenterRectHorz({0, 5, 20, 9}, {10, 0, 110, 50}), (TRect{50, 5, 70, 9}));
}

TEST(ListBackground, TilingDrawsOnlyTilesTouchingTheWidenedRectangle) {
  const TileRange t = TilesFor({20, 5, 42, 31}, 16, 16);
  EXPECT_EQ(t.firstColumn, 1);
  EXPECT_EQ(t.lastColumn, 3);
  EXPECT_EQ(t.firstRow, 0);
  EXPECT_EQ(t.lastRow, 2);
}

TEST(ListBackground, ModesPaintPlainColourGradientAndPictures) {
  TCustomDCListViewEx list;
  list.SetBorderStyle(bsNone);
  list.resize(40, 30);
  list.SetColor(RGB(1, 2, 3));
  EXPECT_EQ(list.RenderClient().pixel(20, 15), qRgb(1, 2, 3));

  // A bitmap mode without a picture paints the plain colour.
  list.SetBackgroundMode(bkmTile);
  EXPECT_EQ(list.RenderClient().pixel(20, 15), qRgb(1, 2, 3));

  QImage picture(16, 16, QImage::Format_RGB32);
  picture.fill(qRgb(0, 200, 0));
  picture.setPixel(0, 0, qRgb(200, 0, 0));
  list.SetBackground(picture);
  QImage tiled = list.RenderClient();
  EXPECT_EQ(tiled.pixel(16, 16), qRgb(200, 0, 0));  // tile corners anchored at the client origin
  EXPECT_EQ(tiled.pixel(32, 0), qRgb(200, 0, 0));
  EXPECT_EQ(tiled.pixel(33, 1), qRgb(0, 200, 0));

  // Centred picture larger than the client: drawn at negative coordinates.
  QImage big(60, 50, QImage::Format_RGB32);
  big.fill(qRgb(0, 0, 90));
  big.setPixel(10, 10, qRgb(255, 255, 0));  // lands at (0, 0): (40 - 60) / 2 = -10
  list.SetBackground(big);
  list.SetBackgroundMode(bkmCenter);
  EXPECT_EQ(list.RenderClient().pixel(0, 0), qRgb(255, 255, 0));

  list.SetBackgroundMode(bkmGradientHorz);
  list.SetGradientBeginColor(platform::clBlack);
  list.SetGradientEndColor(platform::clWhite);
  const QImage grad = list.RenderClient();
  EXPECT_EQ(qRed(grad.pixel(0, 10)), 0);
  EXPECT_GT(qRed(grad.pixel(39, 10)), 240);
  EXPECT_EQ(grad.pixel(20, 0), grad.pixel(20, 29));  // bands run left to right
}

TEST(ListBackground, ChangingGradientColoursRepaintsOnlyInGradientModes) {
  TCustomDCListViewEx list;
  list.resize(40, 30);
  list.show();
  QApplication::processEvents();
  const int before = list.PaintCount();
  list.SetGradientEndColor(platform::clWhite);  // mode bkmNone: no repaint
  QApplication::processEvents();
  EXPECT_EQ(list.PaintCount(), before);
  list.SetBackgroundMode(bkmGradientVert);
  QApplication::processEvents();
  const int afterMode = list.PaintCount();
  EXPECT_GT(afterMode, before);
  list.SetGradientEndColor(RGB(9, 9, 9));
  QApplication::processEvents();
  EXPECT_GT(list.PaintCount(), afterMode);
  // The border is outside the client: a single 3-D border takes two pixels.
  EXPECT_EQ(list.ClientWidth(), 36);
  EXPECT_EQ(list.ClientOrigin(), QPoint(2, 2));
}
