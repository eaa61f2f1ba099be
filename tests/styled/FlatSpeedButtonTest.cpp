// The flat speed button: states, hot tracking, groups, clicks and painted looks.
#include <gtest/gtest.h>

#include <QCursor>
#include <QDialog>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include "StyledTestUtil.h"
#include "controls/styled/FlatSpeedButton.h"
#include "toolkit/Form.h"

using namespace styled;
using namespace styled_test;

namespace {

QRgb Rgb(platform::TColor c) { return platform::ToQColor(c).rgb(); }

struct SpeedFixture : ::testing::Test {
  Host host;
  TFlatSpeedButton* button = nullptr;
  int clicks = 0;
  void SetUp() override {
    button = new TFlatSpeedButton(&host);
    button->setGeometry(20, 20, 65, 65);
    button->OnClick = [this] { ++clicks; };
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
  }
};

}  // namespace

TEST_F(SpeedFixture, HeaderLookShowsOnlyGlyphAndCaptionAndMovesThem) {
  QImage glyph = Glyph(40, 40, QColor(200, 30, 30));
  glyph.setPixel(0, 0, qRgb(0, 0, 255));  // a blue marker at the glyph's top-left
  button->SetGlyph(glyph);
  button->SetCaption(QStringLiteral("中国作品"));
  button->SetTransparent(tmAlways);
  button->SetTransBorder(true);
  QImage shown = Shown(button);
  const int th = button->CaptionRect().height();
  const QPoint origin(13, (65 - (40 + 4 + th) + 1) / 2);
  EXPECT_EQ(button->GlyphOrigin(), origin);
  EXPECT_EQ(button->CaptionRect().top(), origin.y() + 44);
  EXPECT_EQ(shown.pixel(origin), qRgb(0, 0, 255));
  EXPECT_EQ(shown.pixel(0, 0), host.background_.rgb());      // neither fill
  EXPECT_EQ(shown.pixel(64, 64), host.background_.rgb());    // nor frame
  EXPECT_EQ(shown.pixel(origin.x(), origin.y() + 39), host.background_.rgb());  // the key colour is left out

  // Hot: the glyph lifts by one pixel, the caption turns bold.
  Enter(button);
  EXPECT_TRUE(button->Hot());
  shown = Shown(button);
  EXPECT_EQ(shown.pixel(origin - QPoint(1, 1)), qRgb(0, 0, 255));
  // Pressed while hot: the two shifts cancel for the glyph.
  QTest::mousePress(button, Qt::LeftButton, {}, QPoint(30, 30));
  EXPECT_EQ(button->State(), fbsDown);
  shown = Shown(button);
  EXPECT_EQ(button->GlyphOrigin(), origin + QPoint(1, 1));
  EXPECT_EQ(shown.pixel(origin), qRgb(0, 0, 255));
  QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(30, 30));
  EXPECT_EQ(clicks, 1);
}

TEST_F(SpeedFixture, FillsAndFramesByStateAndHot) {
  QImage shown = Shown(button);  // tmNone at rest: ColorFlat inside a ColorBorder frame
  EXPECT_EQ(shown.pixel(0, 0), Rgb(button->ColorBorder()));
  EXPECT_EQ(shown.pixel(64, 64), Rgb(button->ColorBorder()));
  EXPECT_EQ(shown.pixel(5, 5), Rgb(button->ColorFlat()));
  Enter(button);
  shown = Shown(button);
  EXPECT_EQ(shown.pixel(0, 32), Rgb(button->ColorShadow()));
  EXPECT_EQ(shown.pixel(5, 5), Rgb(button->ColorFocused()));
  QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
  shown = Shown(button);
  EXPECT_EQ(shown.pixel(5, 5), Rgb(button->ColorDown()));
  QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 5));
  button->SetTransparent(tmNotFocused);
  Leave(button);
  EXPECT_FALSE(button->Hot());
  shown = Shown(button);
  EXPECT_EQ(shown.pixel(5, 5), host.background_.rgb());
  EXPECT_EQ(shown.pixel(0, 0), Rgb(button->ColorBorder()));
}

TEST_F(SpeedFixture, PressMoveAndReleaseFollowThePointer) {
  QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_TRUE(button->Tracking());
  QTest::mouseMove(button, QPoint(100, 10));
  EXPECT_EQ(button->State(), fbsUp);
  QTest::mouseMove(button, QPoint(10, 65));  // the bottom edge still counts as inside
  EXPECT_EQ(button->State(), fbsDown);
  QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(10, 65));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(button->State(), fbsUp);

  QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
  QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(10, 66));
  EXPECT_EQ(clicks, 1);  // released outside: no click
  EXPECT_FALSE(button->Tracking());
}

// A click that runs a modal dialog or a menu: the pointer answers it elsewhere,
// and the leave notice came while the dialog held the pointer. Once the click
// is done, the hot look follows where the pointer is now.
TEST_F(SpeedFixture, HotLookFollowsThePointerAfterADialogOrMenuTookIt) {
  const QPoint overButton = button->mapToGlobal(QPoint(30, 30));
  const QPoint elsewhere = host.mapToGlobal(QPoint(300, 250));
  QPoint answeredAt = elsewhere;
  button->OnClick = [&] {
    QDialog dialog(&host);
    dialog.setGeometry(QRect(host.mapToGlobal(QPoint(200, 150)), QSize(150, 100)));
    QTimer::singleShot(0, &dialog, [&] {
      QCursor::setPos(answeredAt);
      dialog.accept();
    });
    dialog.exec();
  };
  QCursor::setPos(overButton);
  Enter(button);
  ASSERT_TRUE(button->Hot());
  QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(30, 30));
  EXPECT_FALSE(button->Hot()) << "still hot after the dialog was answered elsewhere";

  // Answered with the pointer back over the button, it is hot again.
  answeredAt = overButton;
  QCursor::setPos(overButton);
  Enter(button);
  QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(30, 30));
  EXPECT_TRUE(button->Hot());

  // A popup menu chosen from with the pointer off the button.
  QMenu menu;
  menu.addAction(QStringLiteral("x"));
  QObject::connect(&menu, &QMenu::aboutToShow, [&] {
    QTimer::singleShot(0, &menu, [&] {
      QCursor::setPos(elsewhere);
      menu.close();
    });
  });
  button->OnClick = nullptr;
  button->SetPopupMenu(&menu);
  QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(30, 30));
  EXPECT_FALSE(button->Hot()) << "still hot after the menu took the pointer away";
  EXPECT_EQ(button->State(), fbsUp);
}

TEST_F(SpeedFixture, GroupLatchesOneButtonAndRefusesAllUp) {
  auto* other = new TFlatSpeedButton(&host);
  other->setGeometry(100, 20, 65, 65);
  button->SetGroupIndex(3);
  other->SetGroupIndex(3);
  button->SetDown(true);
  EXPECT_EQ(button->State(), fbsExclusive);
  other->SetDown(true);
  EXPECT_TRUE(other->Down());
  EXPECT_FALSE(button->Down());
  EXPECT_EQ(button->State(), fbsUp);
  // Clicking the latched button clicks but leaves it latched.
  int otherClicks = 0;
  other->OnClick = [&] { ++otherClicks; };
  QTest::mouseClick(other, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(otherClicks, 1);
  EXPECT_TRUE(other->Down());
  other->SetDown(false);
  EXPECT_TRUE(other->Down());
  // AllowAllUp is shared through the group notice.
  button->SetAllowAllUp(true);
  EXPECT_TRUE(other->AllowAllUp());
  QTest::mouseClick(other, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_FALSE(other->Down());
  // An ungrouped button cannot be latched.
  auto* single = new TFlatSpeedButton(&host);
  single->SetDown(true);
  EXPECT_FALSE(single->Down());
}

TEST_F(SpeedFixture, DoubleClickRaisesOnlyWhenLatched) {
  int doubles = 0;
  button->OnDblClick = [&] { ++doubles; };
  QTest::mouseDClick(button, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(doubles, 0);
  button->SetGroupIndex(1);
  button->SetDown(true);
  QTest::mouseDClick(button, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_GE(doubles, 1);
}

TEST_F(SpeedFixture, EnterHandlerReplacesTheHotLook) {
  int entered = 0, left = 0;
  button->OnMouseEnter = [&] { ++entered; };
  button->OnMouseLeave = [&] { ++left; };
  Enter(button);
  Leave(button);
  EXPECT_EQ(entered, 1);
  EXPECT_EQ(left, 1);
  EXPECT_FALSE(button->Hot());
}

TEST_F(SpeedFixture, GlyphCellCountAndDisabledLooks) {
  button->SetGlyph(Glyph(160, 32, Qt::white));
  EXPECT_EQ(button->NumGlyphs(), 1);  // 5 cells by division: treated as one
  button->SetGlyph(Glyph(80, 20, Qt::white));
  EXPECT_EQ(button->NumGlyphs(), 4);
  button->SetGlyph(Glyph(50, 20, Qt::white));
  EXPECT_EQ(button->NumGlyphs(), 4);  // not a multiple: unchanged
  button->SetMargin(-5);
  EXPECT_EQ(button->Margin(), -1);

  // Two cells: the disabled look is cell 1 unchanged.
  QImage two = Glyph(40, 20, QColor(0, 0, 200));
  for (int y = 0; y < 19; ++y)
    for (int x = 20; x < 40; ++x) two.setPixel(x, y, qRgb(250, 250, 0));
  button->SetGlyph(two);
  button->setEnabled(false);
  EXPECT_EQ(button->State(), fbsDisabled);
  QImage shown = Shown(button);
  EXPECT_EQ(shown.pixel(button->GlyphOrigin() + QPoint(5, 5)), qRgb(250, 250, 0));
  // One cell: only the black pixels, embossed.
  QImage one = Glyph(20, 20, QColor(0, 0, 200));
  one.setPixel(5, 5, qRgb(0, 0, 0));
  button->SetGlyph(one);
  shown = Shown(button);
  const QPoint o = button->GlyphOrigin();
  EXPECT_EQ(shown.pixel(o + QPoint(5, 5)), Rgb(platform::clBtnShadow));
  EXPECT_EQ(shown.pixel(o + QPoint(6, 6)), Rgb(platform::clBtnHighlight));
  EXPECT_EQ(shown.pixel(o + QPoint(10, 10)), Rgb(button->ColorFlat()));
  button->setEnabled(true);
  Shown(button);
  EXPECT_EQ(button->State(), fbsUp);
}

TEST_F(SpeedFixture, ClickSetsTheModalResultAndOpensThePopup) {
  toolkit::TForm form;
  auto* b = new TFlatSpeedButton(&form);
  b->setGeometry(10, 10, 60, 30);
  b->SetModalResult(6);
  int menuShown = 0;
  QMenu menu;
  menu.addAction(QStringLiteral("x"));
  QObject::connect(&menu, &QMenu::aboutToShow, [&] {
    ++menuShown;
    QTimer::singleShot(0, &menu, &QMenu::close);
  });
  b->SetPopupMenu(&menu);
  int clicked = 0;
  b->OnClick = [&] { clicked = menuShown; };
  QTimer::singleShot(0, [&] {
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(5, 5));
  });
  EXPECT_EQ(form.ShowModal(), 6);
  EXPECT_EQ(menuShown, 1);
  EXPECT_EQ(clicked, 1);  // the ordinary click follows the popup
}

TEST_F(SpeedFixture, AcceleratorClicksEnabledButtons) {
  button->SetCaption(QStringLiteral("&Next"));
  EXPECT_FALSE(button->DialogChar(QChar('x')));
  EXPECT_TRUE(button->DialogChar(QChar('N')));
  EXPECT_EQ(clicks, 1);
  button->setEnabled(false);
  EXPECT_FALSE(button->DialogChar(QChar('n')));
  EXPECT_EQ(clicks, 1);
}

// The state follows the enabled state the moment it changes, not at the next
// paint: a latched button of a group is drawn latched on the first paint after
// it is enabled again, one latched by code while disabled stays disabled, and
// disabling drops a press in progress.
TEST_F(SpeedFixture, TheStateFollowsTheEnabledStateBeforeAnyPaint) {
  button->SetGlyph(Glyph(20, 20, Qt::white));
  button->SetCaption(QStringLiteral("x"));
  button->SetGroupIndex(1);
  button->SetAllowAllUp(true);
  Shown(button);
  const QPoint up = button->GlyphOrigin();
  button->SetDown(true);
  Shown(button);
  EXPECT_EQ(button->GlyphOrigin(), up + QPoint(1, 1));
  button->setEnabled(false);
  EXPECT_EQ(button->State(), fbsDisabled);
  button->setEnabled(true);
  EXPECT_EQ(button->State(), fbsExclusive);
  Shown(button);
  EXPECT_EQ(button->GlyphOrigin(), up + QPoint(1, 1));

  button->SetDown(false);
  button->setEnabled(false);
  button->SetDown(true);
  EXPECT_EQ(button->State(), fbsDisabled);
  Shown(button);
  EXPECT_EQ(button->GlyphOrigin(), up);

  button->SetDown(false);
  button->setEnabled(true);
  EXPECT_EQ(button->State(), fbsUp);
  QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
  ASSERT_TRUE(button->Tracking());
  button->setEnabled(false);
  EXPECT_FALSE(button->Tracking());
  EXPECT_EQ(button->State(), fbsDisabled);
}
