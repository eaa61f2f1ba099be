#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "platform/Color.h"
#include "platform/Edges.h"

using namespace platform;

namespace {
QColor At(const QImage& img, int x, int y) { return img.pixelColor(x, y); }
}  // namespace

TEST(Colors, SystemColoursResolveThroughTheClassicTable) {
  EXPECT_EQ(clBtnFace, static_cast<TColor>(-16777201));
  EXPECT_EQ(clWindow, static_cast<TColor>(-16777211));
  EXPECT_EQ(ColorToRGB(clBtnFace), SysColor(COLOR_BTNFACE));
  EXPECT_EQ(ColorToRGB(RGB(223, 239, 255)), 16773087);
  EXPECT_EQ(ToQColor(255), QColor(255, 0, 0));
  EXPECT_EQ(ToQColor(16711680), QColor(0, 0, 255));
  EXPECT_EQ(FromQColor(QColor(243, 232, 255)), 16771315);
}

TEST(Edges, SunkenEdgePaintsShadowTopLeftAndHighlightBottomRight) {
  QImage img(10, 8, QImage::Format_RGB32);
  img.fill(Qt::green);
  QPainter p(&img);
  QRect r(0, 0, 10, 8);
  DrawEdge(p, r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  p.end();
  EXPECT_EQ(r, QRect(2, 2, 6, 4));
  EXPECT_EQ(At(img, 0, 3), ToQColor(clBtnShadow));
  EXPECT_EQ(At(img, 3, 0), ToQColor(clBtnShadow));
  EXPECT_EQ(At(img, 9, 3), ToQColor(clBtnHighlight));
  EXPECT_EQ(At(img, 3, 7), ToQColor(clBtnHighlight));
  EXPECT_EQ(At(img, 1, 3), ToQColor(cl3DDkShadow));
  EXPECT_EQ(At(img, 8, 3), ToQColor(cl3DLight));
  EXPECT_EQ(At(img, 4, 4), QColor(Qt::green));  // the middle is left alone
}

TEST(Edges, FocusRectangleInvertsEveryOtherPixel) {
  QImage img(6, 5, QImage::Format_RGB32);
  img.fill(Qt::black);
  QPainter p(&img);
  DrawFocusRect(p, QRect(0, 0, 6, 5));
  p.end();
  EXPECT_EQ(At(img, 0, 0), QColor(Qt::white));
  EXPECT_EQ(At(img, 1, 0), QColor(Qt::black));
  EXPECT_EQ(At(img, 2, 0), QColor(Qt::white));
  EXPECT_EQ(At(img, 2, 2), QColor(Qt::black));
}
