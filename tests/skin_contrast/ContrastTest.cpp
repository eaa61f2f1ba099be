// The contrast ratio and the measures over painted images.
#include <gtest/gtest.h>

#include "tests/skin_contrast/Contrast.h"

namespace {

using namespace contrast;

TEST(Contrast, RatiosOfKnownPairs) {
  const QColor black(0, 0, 0), white(255, 255, 255);
  struct Case {
    QColor a, b;
    double ratio;
  } cases[] = {
      {black, white, 21.0},
      {white, black, 21.0},  // the order of the two colours does not count
      {white, white, 1.0},
      // Each channel weighs its own: full green, full blue, full red.
      {QColor(0, 255, 0), black, (0.7152 + 0.05) / 0.05},
      {QColor(0, 0, 255), black, (0.0722 + 0.05) / 0.05},
      {QColor(255, 0, 0), white, 1.05 / (0.2126 + 0.05)},
      // Greys 10 and 11 straddle the cut between the linear and the power part.
      {QColor(10, 10, 10), black, (10 / 255.0 / 12.92 + 0.05) / 0.05},
      {QColor(11, 11, 11), black, 1.0669307152779832},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(ContrastRatio(c.a, c.b), c.ratio) << c.a.name().toStdString();
  // The two greys either side of 4.5:1 on white.
  EXPECT_NEAR(ContrastRatio(QColor(118, 118, 118), white), 4.542225, 1e-6);
  EXPECT_NEAR(ContrastRatio(QColor(119, 119, 119), white), 4.478089, 1e-6);
  EXPECT_DOUBLE_EQ(RelativeLuminance(white), 1.0);
  EXPECT_DOUBLE_EQ(RelativeLuminance(black), 0.0);
}

TEST(Contrast, WorstPixelOfABox) {
  // White ink over a light grey field with one darker and two lighter spots:
  // the worst pixel is the lightest one inside the box, never one outside it.
  QImage img(9, 7, QImage::Format_RGB32);
  img.fill(QColor(100, 100, 100));
  img.setPixel(2, 1, qRgb(40, 40, 40));
  img.setPixel(6, 4, qRgb(160, 150, 140));
  img.setPixel(7, 4, qRgb(250, 250, 250));  // just right of the box
  img.setPixel(3, 5, qRgb(240, 240, 240));  // just below it
  const QRect box(1, 1, 6, 4);              // x 1 ... 6, y 1 ... 4
  const TWorst w = WorstContrast(img, box, Qt::white);
  EXPECT_EQ(w.at, QPoint(6, 4));
  EXPECT_EQ(w.background, QColor(160, 150, 140));
  EXPECT_DOUBLE_EQ(w.ratio, ContrastRatio(Qt::white, QColor(160, 150, 140)));
  // Dark ink finds the dark spot instead; a box reaching out of the image is cut.
  const TWorst d = WorstContrast(img, QRect(-3, -2, 6, 4), Qt::black);
  EXPECT_EQ(d.at, QPoint(2, 1));
  EXPECT_DOUBLE_EQ(d.ratio, ContrastRatio(Qt::black, QColor(40, 40, 40)));
}

TEST(Contrast, InkIsWhatTheTextChanged) {
  QImage before(10, 6, QImage::Format_RGB32);
  before.fill(QColor(200, 190, 180));
  QImage after = before;
  after.setPixel(2, 1, qRgb(10, 20, 30));
  after.setPixel(7, 3, qRgb(10, 20, 30));
  after.setPixel(4, 2, qRgb(10, 20, 31));  // one pixel off the ink colour
  const TInk ink = InkOf(before, after, QColor(10, 20, 30));
  EXPECT_EQ(ink.box, QRect(2, 1, 6, 3));
  EXPECT_EQ(ink.pixels, 3);
  EXPECT_EQ(ink.otherColour, 1);
  EXPECT_TRUE(InkOf(before, before, Qt::black).box.isEmpty());
}

}  // namespace
