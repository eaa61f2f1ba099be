// The picture panel: tiling, stretching, natural size, caption, auto-size and see-through.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QTest>

#include "StyledTestUtil.h"
#include "controls/styled/suiImagePanel.h"
#include "tests/support/TestSupport.h"
#include "toolkit/AlignLayout.h"

using namespace styled;
using namespace styled_test;

namespace {
using Panel = TsuiImagePanel;

QImage Quadrants(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  QPainter p(&image);
  p.fillRect(0, 0, w / 2, h / 2, Qt::red);
  p.fillRect(w / 2, 0, w - w / 2, h / 2, Qt::blue);
  p.fillRect(0, h / 2, w / 2, h - h / 2, Qt::yellow);
  p.fillRect(w / 2, h / 2, w - w / 2, h - h / 2, Qt::black);
  return image;
}
}  // namespace

TEST(ImagePanel, TilePlacesCoverTheClientFromTheTopLeft) {
  const QList<QRect> places = Panel::PicturePlaces(Panel::suiTile, QSize(100, 50), QSize(250, 120));
  QList<QPoint> origins;
  for (const QRect& r : places) origins.append(r.topLeft());
  for (int x : {0, 100, 200, 300})
    for (int y : {0, 50, 100, 150}) EXPECT_TRUE(origins.contains(QPoint(x, y))) << x << "," << y;
  EXPECT_FALSE(origins.contains(QPoint(400, 0)));
  EXPECT_FALSE(origins.contains(QPoint(0, 200)));
  EXPECT_EQ(places.size(), 16);
  EXPECT_TRUE(Panel::PicturePlaces(Panel::suiTile, QSize(), QSize(250, 120)).isEmpty());
}

TEST(ImagePanel, DrawStylesPaintThePicture) {
  Host host;
  auto* panel = new Panel(&host);
  panel->setGeometry(0, 0, 250, 120);
  panel->SetPicture(Quadrants(100, 50));
  QImage shown = panel->grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(shown.pixel(10, 10), qRgb(255, 0, 0));
  EXPECT_EQ(shown.pixel(99, 49), qRgb(0, 0, 0));
  EXPECT_EQ(shown.pixel(150, 10), platform::ToQColor(platform::clBtnFace).rgb());  // outside the picture
  panel->SetDrawStyle(Panel::suiTile);
  shown = panel->grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(shown.pixel(210, 110), qRgb(255, 0, 0));  // tile at (200, 100), cut off
  EXPECT_EQ(shown.pixel(160, 30), qRgb(0, 0, 0));
  panel->SetDrawStyle(Panel::suiStretch);
  shown = panel->grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(shown.pixel(5, 5), qRgb(255, 0, 0));
  EXPECT_EQ(shown.pixel(200, 5), qRgb(0, 0, 255));
  EXPECT_EQ(shown.pixel(245, 115), qRgb(0, 0, 0));
  EXPECT_EQ(shown.pixel(60, 100), qRgb(255, 255, 0));
  // Widening repaints it stretched to the new width.
  panel->resize(500, 120);
  shown = panel->grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(shown.pixel(240, 5), qRgb(255, 0, 0));
  EXPECT_EQ(shown.pixel(260, 5), qRgb(0, 0, 255));
}

TEST(ImagePanel, JpegHeaderStretchedAndSeeThroughWithoutPicture) {
  QByteArray jpeg;
  {
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImage banner(182, 237, QImage::Format_RGB32);
    banner.fill(QColor(200, 100, 50));
    ASSERT_TRUE(banner.save(&buffer, "JPG"));
  }
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("banner.jpg"));
  testing_support::WriteFile(file, jpeg);
  Host host;
  host.mark_ = QRect(0, 0, 50, 50);
  auto* panel = new Panel(&host);
  panel->setGeometry(10, 10, 300, 137);
  ASSERT_TRUE(panel->LoadPicture(file));
  EXPECT_EQ(panel->Picture().size(), QSize(182, 237));
  panel->SetDrawStyle(Panel::suiStretch);
  panel->SetTransparent(true);
  QImage shown = panel->grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_NEAR(qRed(shown.pixel(20, 20)), 200, 6);  // opaque picture: the same as without see-through
  EXPECT_NEAR(qGreen(shown.pixel(299, 136)), 100, 6);
  panel->SetPicture(QImage());
  shown = panel->grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(shown.pixel(5, 5), qRgb(255, 0, 0));  // the window's own painting
  EXPECT_EQ(shown.pixel(100, 100), host.background_.rgb());
  panel->SetTransparent(false);
  shown = panel->grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(shown.pixel(5, 5), platform::ToQColor(platform::clBtnFace).rgb());
}

TEST(ImagePanel, BlankCaptionIsNotDrawnAndAutoSizeFollowsAlignment) {
  Host host;
  auto* panel = new Panel(&host);
  panel->setGeometry(0, 0, 120, 40);
  const QImage bare = panel->grab().toImage();
  panel->SetCaption(QStringLiteral("   "));
  EXPECT_EQ(panel->grab().toImage(), bare);
  panel->SetCaption(QStringLiteral(" Mm "));
  EXPECT_NE(panel->grab().toImage(), bare);

  auto* top = new Panel(&host);
  toolkit::SetAlign(top, toolkit::alTop);
  top->resize(400, 137);
  top->SetAutoSize(true);
  top->SetPicture(QImage(182, 237, QImage::Format_RGB32));
  EXPECT_EQ(top->height(), 237);
  auto* free = new Panel(&host);
  free->SetAutoSize(true);
  free->SetPicture(QImage(30, 20, QImage::Format_RGB32));
  EXPECT_EQ(free->size(), QSize(30, 20));
  auto* off = new Panel(&host);
  off->resize(77, 33);
  off->SetPicture(QImage(30, 20, QImage::Format_RGB32));
  EXPECT_EQ(off->size(), QSize(77, 33));
}

TEST(ImagePanel, SeeThroughBitmapLeavesOutItsKeyColour) {
  Host host;
  auto* panel = new Panel(&host);
  panel->setGeometry(0, 0, 40, 40);
  QImage bitmap(40, 40, QImage::Format_RGB32);
  bitmap.fill(QColor(255, 0, 255));
  bitmap.setPixel(5, 5, qRgb(0, 0, 255));
  panel->SetPicture(bitmap, true);
  EXPECT_EQ(panel->grab().toImage().pixel(20, 20) | 0xFF000000u, qRgb(255, 0, 255));
  panel->SetTransparent(true);
  const QImage shown = panel->grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(shown.pixel(20, 20), host.background_.rgb());
  EXPECT_EQ(shown.pixel(5, 5), qRgb(0, 0, 255));
}
