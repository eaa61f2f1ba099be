// Status bars under the skin: each panel's StatusBarEdges frame by its
// bevel, a simple bar, text placement, the size grip switched off and given
// back, and the grip drawn from ExtraImages where a bar keeps one.
#include <gtest/gtest.h>

#include <QFontMetrics>

#include "skin/controls/SkinStatusBar.h"
#include "skin/controls/StatusBarPaint.h"
#include "skin/engine/SkinData.h"
#include "tests/skin_controls/ControlSkin.h"

namespace {

using namespace controltest;

TEST(StatusPanels, EachBevelHasItsFrame) {
  EXPECT_EQ(skin::StatusPanelFrameIndex(toolkit::pbLowered), 1);
  EXPECT_EQ(skin::StatusPanelFrameIndex(toolkit::pbRaised), 2);
  EXPECT_EQ(skin::StatusPanelFrameIndex(toolkit::pbNone), 3);
}

TEST(StatusPanels, TextsAreInsetByTwoAndPlacedByAlignmentMirroredForRightToLeft) {
  QFont font;
  font.setPixelSize(12);
  const QFontMetrics fm(font);
  const QRect panel(100, 2, 251, 23);
  const QString text = QStringLiteral("Kestrelwick");
  const int w = fm.boundingRect(QRect(0, 0, 0, 0), Qt::TextSingleLine | Qt::TextExpandTabs, text).width();
  const QRect left = skin::StatusTextRect(fm, panel, text, toolkit::taLeftJustify, false);
  const QRect right = skin::StatusTextRect(fm, panel, text, toolkit::taRightJustify, false);
  const QRect centre = skin::StatusTextRect(fm, panel, text, toolkit::taCenter, false);
  EXPECT_EQ(left.left(), 102);
  EXPECT_EQ(right.left() + right.width(), 349);
  EXPECT_EQ(centre.left(), 102 + (247 - w) / 2);
  EXPECT_EQ(skin::StatusTextRect(fm, panel, text, toolkit::taLeftJustify, true), right);
  EXPECT_EQ(skin::StatusTextRect(fm, panel, text, toolkit::taRightJustify, true), left);
  EXPECT_EQ(left.top(), 4 + (19 - left.height()) / 2);
}

TEST(StatusBarPicture, PanelsShowTheirFramesAndASimpleBarFrameOneAcross) {
  skin::TStatusBarLook look;
  look.size = QSize(400, 25);
  look.panels.push_back({QRect(0, 2, 120, 23), QString(), toolkit::taLeftJustify, toolkit::pbLowered, false});
  look.panels.push_back({QRect(122, 2, 120, 23), QString(), toolkit::taLeftJustify, toolkit::pbRaised, false});
  look.panels.push_back({QRect(244, 2, 156, 23), QString(), toolkit::taLeftJustify, toolkit::pbNone, false});
  QImage img(look.size, QImage::Format_RGB32);
  skin::PaintStatusBar(img, SharedSkin().Elements(), look);
  EXPECT_TRUE(PixelIs(img, 60, 1, kButtonFace.rgb()));  // above the panels
  EXPECT_TRUE(PixelIs(img, 121, 10, kButtonFace.rgb()));  // between two panels
  EXPECT_TRUE(PixelIs(img, 0, 2, FrameColour(eStatus, 1))) << Hex(img.pixel(0, 2));
  EXPECT_TRUE(PixelIs(img, 119, 24, FrameColour(eStatus, 1)));
  EXPECT_TRUE(PixelIs(img, 122, 2, FrameColour(eStatus, 2)));
  EXPECT_TRUE(PixelIs(img, 399, 24, FrameColour(eStatus, 3)));
  look.simple = true;
  skin::PaintStatusBar(img, SharedSkin().Elements(), look);
  EXPECT_TRUE(PixelIs(img, 0, 0, FrameColour(eStatus, 1)));
  EXPECT_TRUE(PixelIs(img, 121, 10, FrameColour(eStatus, 1)));
  EXPECT_TRUE(PixelIs(img, 399, 24, FrameColour(eStatus, 1)));
}

TEST(StatusBarPicture, ABarWithASizeGripShowsExtraImagesFrameFiveInItsCorner) {
  skin::TStatusBarLook look;
  look.size = QSize(301, 25);
  look.simple = true;
  look.sizeGrip = true;
  QImage img(look.size, QImage::Format_RGB32);
  skin::PaintStatusBar(img, SharedSkin().Elements(), look);
  EXPECT_EQ(skin::StatusGripRect(SharedSkin().Elements(), look.size), QRect(291, 15, 10, 10));
  EXPECT_TRUE(PixelIs(img, 291, 15, FrameColour(eExtra, 5)));
  EXPECT_TRUE(PixelIs(img, 300, 24, FrameColour(eExtra, 5)));
  EXPECT_TRUE(PixelIs(img, 290, 24, FrameColour(eStatus, 1)));
}

TEST(SkinnedStatusBar, TheBarIsPaintedFromTheSkinWithoutItsGripUntilTheSkinnerGoes) {
  QWidget window;
  auto* bar = new toolkit::TStatusBar(&window);
  bar->setGeometry(0, 0, 600, 25);
  bar->AddPanel(250, toolkit::taCenter).Text = QStringLiteral("Kestrelwick");
  bar->AddPanel(250);
  bar->SetPanelBevel(1, toolkit::pbRaised);
  window.show();
  const QImage before = bar->grab().toImage();
  auto* s = new skin::TSkinStatusBar(bar);
  s->InitControl(nullptr, &SharedSkin(), false, nullptr);
  EXPECT_FALSE(bar->SizeGrip());
  const QImage img = bar->grab().toImage();
  const QRect first = bar->PanelRect(0), second = bar->PanelRect(1);
  EXPECT_TRUE(PixelIs(img, first.left(), first.top(), FrameColour(eStatus, 1))) << Hex(img.pixel(first.topLeft()));
  EXPECT_TRUE(PixelIs(img, second.left() + 1, second.top() + 1, FrameColour(eStatus, 2)));
  EXPECT_TRUE(PixelIs(img, 599, 24, FrameColour(eStatus, 2)));  // the last panel reaches the corner: no grip
  delete s;
  EXPECT_TRUE(bar->SizeGrip());
  EXPECT_EQ(bar->grab().toImage(), before);
}

}  // namespace
