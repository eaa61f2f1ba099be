// The column headers of a skinned list view: normal, hot and pressed frames
// of the Headerbar element on grabbed images, and the header's own look back
// once the skinner is gone.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QTest>

#include "skin/controls/HeaderPaint.h"
#include "skin/controls/SkinListView.h"
#include "skin/engine/SkinData.h"
#include "tests/skin_controls/ControlSkin.h"
#include "toolkit/ListView.h"

namespace {

using namespace controltest;

TEST(HeaderFrame, DisabledBeatsPressedWhichBeatsHot) {
  EXPECT_EQ(skin::HeaderFrameIndex(false, false, true), 1);
  EXPECT_EQ(skin::HeaderFrameIndex(false, true, true), 4);
  EXPECT_EQ(skin::HeaderFrameIndex(true, true, true), 2);
  EXPECT_EQ(skin::HeaderFrameIndex(true, true, false), 3);
}

TEST(SkinnedHeader, SectionsShowNormalHotAndPressedFramesAndTheEmptyAreaANormalOne) {
  auto data = LoadedSkin();
  QWidget window;
  auto* list = new toolkit::TListView(&window);
  list->setGeometry(0, 0, 400, 128);
  list->Columns().Add(QStringLiteral("作者姓名"), 190);
  list->Columns().Add(QStringLiteral("生卒年月"), 120);
  window.show();
  QApplication::processEvents();
  QHeaderView* header = list->Header();
  const QImage before = header->grab().toImage();
  auto* s = new skin::TSkinListView(list);
  s->InitControl(nullptr, data.get(), false, nullptr);
  QApplication::processEvents();
  QImage img = header->grab().toImage();
  const int h = header->height();
  EXPECT_TRUE(PixelIs(img, 1, 1, FrameColour(eHeader, 1))) << Hex(img.pixel(1, 1));
  EXPECT_TRUE(PixelIs(img, 191, h - 2, FrameColour(eHeader, 1)));
  EXPECT_TRUE(PixelIs(img, header->width() - 2, 1, FrameColour(eHeader, 1)));  // after the last column
  // The pointer over the second column (the platform reports it as hover moves).
  QHoverEvent hover(QEvent::HoverMove, QPointF(250, h / 2), QPointF(header->viewport()->mapToGlobal(QPoint(250, h / 2))),
                    QPointF(10, h / 2));
  QCoreApplication::sendEvent(header, &hover);
  QApplication::processEvents();
  img = header->grab().toImage();
  EXPECT_TRUE(PixelIs(img, 191, 1, FrameColour(eHeader, 4))) << Hex(img.pixel(191, 1));
  EXPECT_TRUE(PixelIs(img, 1, 1, FrameColour(eHeader, 1)));
  int clicked = -1;
  list->OnColumnClick = [&](int c) { clicked = c; };
  QTest::mousePress(header->viewport(), Qt::LeftButton, {}, QPoint(250, h / 2));
  img = header->grab().toImage();
  EXPECT_TRUE(PixelIs(img, 191, 1, FrameColour(eHeader, 2))) << Hex(img.pixel(191, 1));
  QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, QPoint(250, h / 2));
  EXPECT_EQ(clicked, 1);  // the header still does its own work
  QHoverEvent away(QEvent::HoverLeave, QPointF(-1, -1), QPointF(-1, -1), QPointF(250, h / 2));
  QCoreApplication::sendEvent(header, &away);
  delete s;
  QApplication::processEvents();
  EXPECT_EQ(header->grab().toImage(), before);
}

}  // namespace
