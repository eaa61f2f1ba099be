#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QMouseEvent>
#include <QScreen>
#include <QPainter>

#include "platform/Color.h"
#include "platform/Edges.h"
#include "platform/PointerPixel.h"

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
  // Both ends of the table, and black just outside it.
  EXPECT_EQ(SysColor(0), RGB(212, 208, 200));
  EXPECT_EQ(SysColor(SYS_COLOR_COUNT - 1), RGB(236, 233, 216));
  for (int outside : {-1, static_cast<int>(SYS_COLOR_COUNT), 255}) EXPECT_EQ(SysColor(outside), clBlack) << outside;
}

TEST(Colors, MetricsAreTheClassicOnesAndTheScreensOwn) {
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  EXPECT_EQ(Metric(SM_CXSCREEN), screen.width());
  EXPECT_EQ(Metric(SM_CYSCREEN), screen.height());
  const std::pair<SysMetric, int> classic[] = {
      {SM_CXVSCROLL, 16}, {SM_CYHSCROLL, 16}, {SM_CXHSCROLL, 16}, {SM_CYVSCROLL, 16}, {SM_CYCAPTION, 19},
      {SM_CXBORDER, 1},   {SM_CYBORDER, 1},   {SM_CXEDGE, 2},     {SM_CYEDGE, 2},     {SM_CXFRAME, 4},
      {SM_CYFRAME, 4},    {SM_CXDLGFRAME, 3}, {SM_CYDLGFRAME, 3}, {SM_CYMENU, 19},    {SM_CXSMICON, 16},
      {SM_CYSMICON, 16},  {SM_CXICON, 32},    {SM_CYICON, 32},    {SM_CXDRAG, 4},     {SM_CYDRAG, 4},
      {SM_CXSIZE, 18},    {SM_CYSIZE, 18},    {SM_CXSMSIZE, 12},  {SM_CYSMSIZE, 12},  {SM_CXICONSPACING, 75},
      {SM_CYICONSPACING, 75}};
  for (const auto& [metric, value] : classic) EXPECT_EQ(Metric(metric), value) << metric;
  EXPECT_EQ(Metric(static_cast<SysMetric>(SM_CYICONSPACING + 1)), 0);  // no such metric
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

// A pointer position names the pixel that holds it: the window's exact
// position floored, moved by the widget's whole-pixel offset (Qt rounds the
// widget's own position).
TEST(PointerPixel, TheWindowPositionDecidesThePixelAtAnyScale) {
  struct Case {
    QPointF widget, window;
    QPoint pixel;
  } cases[] = {
      {{306, 8}, {305.5, 8}, {305, 8}},             // 2x: the second screen pixel of 305
      {{306, 9}, {306, 8.5}, {306, 8}},             // 2x: the second screen pixel of 306, rows too
      {{206, 8}, {305.5, 8}, {205, 8}},             // a widget 100 pixels into the window
      {{409, 41}, {408.6667, 140.3333}, {408, 41}},  // 1.5x, the widget 99 pixels down
      {{0, 0}, {-0.25, -0.25}, {-1, -1}},           // left of and above the window
      {{305, 8}, {305.25, 8}, {305, 8}},            // below the half: rounding and flooring agree
      {{305.5, 8.5}, {305.5, 8.5}, {305, 8}},       // an event made with exact positions
  };
  for (const Case& c : cases) {
    const QMouseEvent e(QEvent::MouseButtonPress, c.widget, c.window, c.window, Qt::LeftButton, Qt::LeftButton,
                        Qt::NoModifier);
    EXPECT_EQ(PixelAt(&e), c.pixel) << c.window.x() << "," << c.window.y();
  }
}
