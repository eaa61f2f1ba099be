// The flat panel: faces, frame, caption, child inset and partial repaints.
#include <gtest/gtest.h>

#include <QTest>

#include "StyledTestUtil.h"
#include "controls/styled/FlatPanel.h"
#include "toolkit/AlignLayout.h"

using namespace styled;
using namespace styled_test;

TEST(FlatPanel, GradientFaceOfTheDefaultSize) {
  Host host;
  auto* panel = new TFlatPanel(&host);
  panel->SetStyleFace(fsCustom);
  panel->SetTransBorder(true);
  EXPECT_EQ(panel->size(), QSize(185, 41));
  const QImage shown = panel->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QRgb start = platform::ToQColor(panel->BackgropStartColor()).rgb();
  const QRgb stop = platform::ToQColor(panel->BackgropStopColor()).rgb();
  EXPECT_EQ(shown.pixel(0, 0), start);
  EXPECT_EQ(shown.pixel(2, 40), start);
  EXPECT_NE(shown.pixel(9, 0), start);
  for (int x = 177; x < 185; ++x) EXPECT_EQ(shown.pixel(x, 20), stop) << x;
  // With the frame: one pixel of ColorBorder all round, over the gradient.
  panel->SetTransBorder(false);
  const QImage framed = panel->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QRgb border = platform::ToQColor(panel->ColorBorder()).rgb();
  EXPECT_EQ(framed.pixel(0, 0), border);
  EXPECT_EQ(framed.pixel(184, 40), border);
  EXPECT_EQ(framed.pixel(1, 1), start);
}

TEST(FlatPanel, SeeThroughFaceShowsTheWindowNotItsColour) {
  Host host;
  host.mark_ = QRect(50, 50, 20, 20);
  auto* panel = new TFlatPanel(&host);
  panel->move(40, 40);
  panel->SetColor(platform::RGB(0, 0, 255));
  panel->SetTransparent(true);
  const QImage shown = panel->grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(shown.pixel(15, 15), qRgb(255, 0, 0));
  EXPECT_EQ(shown.pixel(100, 30), host.background_.rgb());
  EXPECT_EQ(shown.pixel(0, 0), platform::ToQColor(panel->ColorBorder()).rgb());
  panel->SetTransparent(false);
  const QImage plain = panel->grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(plain.pixel(15, 15), qRgb(0, 0, 255));
}

TEST(FlatPanel, AlignedChildrenSitTwoPixelsInside) {
  Host host;
  auto* panel = new TFlatPanel(&host);
  panel->setGeometry(0, 0, 321, 217);
  auto* memo = new QWidget(panel);
  memo->resize(100, 160);
  toolkit::SetAlign(memo, toolkit::alBottom);
  host.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
  EXPECT_EQ(memo->geometry(), QRect(2, 55, 317, 160));
}

TEST(FlatPanel, PartialRepaintOnResizeWithoutFullRepaint) {
  Host host;
  auto* panel = new TFlatPanel(&host);
  panel->setGeometry(0, 0, 100, 40);
  panel->SetFullRepaint(false);
  host.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
  panel->resize(120, 50);
  EXPECT_EQ(panel->LastResizeRegion(), QRegion(QRect(98, 0, 2, 40)) + QRegion(QRect(0, 38, 100, 2)));
  panel->resize(120, 60);
  EXPECT_EQ(panel->LastResizeRegion(), QRegion(QRect(0, 48, 120, 2)));
  panel->SetCaption(QStringLiteral("x"));
  panel->resize(130, 60);
  EXPECT_EQ(panel->LastResizeRegion(), QRegion(panel->rect()));
}

TEST(FlatPanel, DisabledCaptionIsEmbossed) {
  Host host;
  auto* panel = new TFlatPanel(&host);
  panel->SetCaption(QStringLiteral("WWWW"));
  panel->SetFontColor(platform::RGB(255, 0, 0));
  auto count = [&](QRgb c) {
    const QImage img = panel->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x) n += img.pixel(x, y) == c;
    return n;
  };
  EXPECT_GT(count(qRgb(255, 0, 0)), 0);
  panel->setEnabled(false);
  EXPECT_EQ(count(qRgb(255, 0, 0)), 0);
  EXPECT_GT(count(platform::ToQColor(platform::clBtnShadow).rgb()), 0);
}
