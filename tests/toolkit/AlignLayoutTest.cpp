#include <gtest/gtest.h>

#include <QWidget>

#include "toolkit/AlignLayout.h"
#include "toolkit/Panel.h"

using namespace toolkit;

TEST(ArrangeAligned, PlacesTopBottomLeftRightThenClientInCreationOrder) {
  const QList<AlignEntry> entries = {
      {alClient, QRect(0, 0, 10, 10)}, {alTop, QRect(0, 0, 50, 137)}, {alBottom, QRect(0, 0, 10, 25)},
      {alLeft, QRect(0, 0, 252, 10)},  {alTop, QRect(0, 0, 10, 20)},  {alRight, QRect(0, 0, 30, 10)},
      {alNone, QRect(5, 6, 7, 8)},
  };
  const QList<QRect> r = ArrangeAligned(QRect(0, 0, 906, 600), entries);
  EXPECT_EQ(r[1], QRect(0, 0, 906, 137));
  EXPECT_EQ(r[4], QRect(0, 137, 906, 20));
  EXPECT_EQ(r[2], QRect(0, 575, 906, 25));
  EXPECT_EQ(r[3], QRect(0, 157, 252, 418));
  EXPECT_EQ(r[5], QRect(876, 157, 30, 418));
  EXPECT_EQ(r[0], QRect(252, 157, 624, 418));
  EXPECT_EQ(r[6], QRect(5, 6, 7, 8));
}

TEST(ArrangeAligned, HiddenControlsTakeNoRoomAndClientNeverGoesNegative) {
  const QList<AlignEntry> entries = {{alTop, QRect(0, 0, 1, 128), false}, {alTop, QRect(0, 0, 1, 80)},
                                     {alClient, QRect()}};
  const QList<QRect> r = ArrangeAligned(QRect(10, 10, 100, 50), entries);
  EXPECT_EQ(r[1], QRect(10, 10, 100, 80));
  EXPECT_EQ(r[2], QRect(10, 90, 100, 0));
}

TEST(AlignLayout, LaysChildrenOutInsideThePanelsBordersAndFollowsResizes) {
  TPanel panel;
  panel.SetBorderStyle(bsSingleBorder);  // 2-pixel client edge + 1-pixel raised bevel
  panel.resize(200, 100);
  auto* top = new QWidget(&panel);
  top->resize(10, 32);
  SetAlign(top, alTop);
  auto* client = new QWidget(&panel);
  SetAlign(client, alClient);
  panel.show();
  panel.layout()->activate();
  EXPECT_EQ(top->geometry(), QRect(3, 3, 194, 32));
  EXPECT_EQ(client->geometry(), QRect(3, 35, 194, 62));
  panel.resize(300, 200);
  panel.layout()->activate();
  EXPECT_EQ(client->geometry(), QRect(3, 35, 294, 162));
  top->hide();
  panel.layout()->activate();
  EXPECT_EQ(client->geometry(), QRect(3, 3, 294, 194));
}
