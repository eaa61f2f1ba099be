// The flat button: keys, focus, default frame, see-through background.
#include <gtest/gtest.h>

#include <QTest>

#include "StyledTestUtil.h"
#include "controls/styled/FlatButton.h"

using namespace styled;
using namespace styled_test;

namespace {

QRgb Rgb(platform::TColor c) { return platform::ToQColor(c).rgb(); }

struct FlatButtonFixture : ::testing::Test {
  Host host;
  TFlatButton* button = nullptr;
  int clicks = 0;
  void SetUp() override {
    button = new TFlatButton(&host);
    button->move(30, 40);
    button->OnClick = [this] { ++clicks; };
    host.show();
    host.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
  }
};

}  // namespace

TEST_F(FlatButtonFixture, SpaceClicksOnceAndReleasesAGroupedButton) {
  button->setFocus();
  EXPECT_TRUE(button->Hot());  // focus makes it hot
  QTest::keyPress(button, Qt::Key_Space);
  EXPECT_EQ(button->State(), fbsDown);
  EXPECT_EQ(clicks, 0);
  QTest::keyRelease(button, Qt::Key_Space);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(button->State(), fbsUp);

  button->SetGroupIndex(4);
  button->SetAllowAllUp(true);
  QTest::keyPress(button, Qt::Key_Space);
  EXPECT_TRUE(button->Down());
  QTest::keyRelease(button, Qt::Key_Space);
  EXPECT_EQ(clicks, 2);
  EXPECT_FALSE(button->Down());
  // A click latches, and the flat button's own click releases it again.
  QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(clicks, 3);
  EXPECT_FALSE(button->Down());
}

TEST_F(FlatButtonFixture, EnterClicksOnlyWhileHot) {
  auto* other = new TFlatButton(&host);
  other->move(200, 40);
  other->show();
  other->setFocus();
  EXPECT_FALSE(button->Hot());
  button->SetDefault(true);
  QTest::keyClick(other, Qt::Key_Return);
  EXPECT_EQ(clicks, 0);  // default but not hot
  button->setFocus();
  QTest::keyClick(button, Qt::Key_Return);
  EXPECT_EQ(clicks, 1);
  QTest::keyClick(button, Qt::Key_Return, Qt::ShiftModifier);
  EXPECT_EQ(clicks, 1);
  // Pointed at while another control has the focus.
  other->setFocus();
  Enter(button);
  EXPECT_TRUE(button->Hot());
  Shown(button);  // a paint brings the window's enter key to the hot button
  QTest::keyClick(other, Qt::Key_Return);
  EXPECT_EQ(clicks, 2);
}

TEST_F(FlatButtonFixture, DefaultFrameFocusRectangleAndDisabledFrame) {
  button->clearFocus();
  EXPECT_FALSE(button->Hot());
  button->SetDefault(true);
  QImage shown = Shown(button);
  EXPECT_EQ(shown.pixel(0, 0), Rgb(button->ColorBorder()));
  EXPECT_EQ(shown.pixel(1, 1), Rgb(button->ColorBorder()));
  EXPECT_EQ(shown.pixel(2, 2), Rgb(button->ColorFlat()));
  button->setFocus();
  shown = Shown(button);
  EXPECT_EQ(shown.pixel(0, 0), Rgb(button->ColorShadow()));
  EXPECT_EQ(shown.pixel(1, 1), Rgb(button->ColorFocused()));
  // The dotted focus rectangle lies 2 pixels inside; every other pixel is inverted.
  EXPECT_NE(shown.pixel(2, 2), Rgb(button->ColorFocused()));
  EXPECT_EQ(shown.pixel(3, 2), Rgb(button->ColorFocused()));
  button->SetHasFocusFrame(false);
  shown = Shown(button);
  EXPECT_EQ(shown.pixel(2, 2), Rgb(button->ColorFocused()));
}

TEST_F(FlatButtonFixture, SeeThroughShowsTheParentsPainting) {
  host.mark_ = QRect(35, 45, 10, 5);  // under the button at (5, 5) of its client area
  button->SetTransparent(tmAlways);
  button->SetTransBorder(true);
  const QImage own = button->grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(own.pixel(6, 6), qRgb(255, 0, 0));
  EXPECT_EQ(own.pixel(20, 20), host.background_.rgb());
  // Moving repaints from the new place.
  button->move(0, 0);
  const QImage moved = button->grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(moved.pixel(6, 6), host.background_.rgb());
  EXPECT_EQ(moved.pixel(40, 20), host.background_.rgb());
}
