// The glyph button: geometry of the speech bar, looks, pointer behaviour,
// auto-repeat, kinds, keys, hover sound and popup.
#include <gtest/gtest.h>

#include <QMenu>
#include <QTest>
#include <QTimer>

#include "StyledTestUtil.h"
#include "controls/styled/QexButton.h"
#include "platform/Sound.h"
#include "toolkit/Form.h"

using namespace styled;
using namespace styled_test;

namespace {

QRgb Rgb(platform::TColor c) { return platform::ToQColor(c).rgb(); }

class RecordingSink : public platform::SoundSink {
 public:
  explicit RecordingSink(QList<platform::WavClip>* played) : played_(played) {}
  bool Play(const platform::WavClip& clip) override {
    played_->append(clip);
    return true;
  }

 private:
  QList<platform::WavClip>* played_;
};

struct QexFixture : ::testing::Test {
  Host host{QColor(240, 240, 240)};
  TQexButton* button = nullptr;
  int clicks = 0;
  void SetUp() override {
    button = new TQexButton(&host);
    button->setGeometry(16, 6, 57, 18);
    button->OnClick = [this] { ++clicks; };
    host.show();
    host.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
  }
  // A 16×16 glyph with a blue marker at its top-left and the key colour elsewhere at the bottom-left.
  static QImage SpeechGlyph() {
    QImage g = Glyph(16, 16, QColor(0, 128, 0), QColor(255, 0, 255));
    g.setPixel(0, 0, qRgb(0, 0, 255));
    return g;
  }
};

}  // namespace

TEST_F(QexFixture, SpeechBarGeometryAndPressShift) {
  button->SetButtonStyle(TQexButton::stNone);
  button->SetGlyph(SpeechGlyph());
  EXPECT_EQ(button->NumGlyphs(), 1);
  button->SetCaption(QStringLiteral("朗读"));
  QImage shown = Shown(button);
  const QSize t = button->CaptionRect().size();
  const int x = (57 - (t.width() + 16)) / 2 - 3;
  EXPECT_EQ(button->GlyphRect(), QRect(x, 1, 16, 16));
  EXPECT_EQ(button->CaptionRect().topLeft(), QPoint(x + 16 + 4, 1 + (16 - t.height()) / 2));
  EXPECT_EQ(shown.pixel(x, 1), qRgb(0, 0, 255));
  EXPECT_EQ(shown.pixel(x, 16), host.background_.rgb());  // key colour replaced by the face (the parent's colour)
  EXPECT_EQ(shown.pixel(0, 0), host.background_.rgb());   // no frame
  // Hovered: hand cursor, blue caption; still no frame.
  Enter(button);
  EXPECT_EQ(button->Look(), TQexButton::lkHot);
  EXPECT_FALSE(button->HotCaptionFlag());
  EXPECT_EQ(button->cursor().shape(), Qt::BitmapCursor);
  EXPECT_EQ(Shown(button).pixel(0, 0), host.background_.rgb());
  // Pressed: glyph and caption move one pixel.
  QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
  shown = Shown(button);
  EXPECT_EQ(button->GlyphRect().topLeft(), QPoint(x + 1, 2));
  EXPECT_EQ(shown.pixel(x + 1, 2), qRgb(0, 0, 255));
  EXPECT_EQ(shown.pixel(0, 0), host.background_.rgb());
  QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(button->PressedOffset(), 0);
  Leave(button);
  EXPECT_TRUE(button->HotCaptionFlag());
  EXPECT_EQ(button->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(QexFixture, FramesOfTheStyles) {
  button->resize(60, 24);
  const QRgb hi = Rgb(platform::clBtnHighlight), sh = Rgb(platform::clBtnShadow);
  button->SetButtonStyle(TQexButton::stRaised);
  QImage shown = Shown(button);
  EXPECT_EQ(shown.pixel(0, 5), hi);
  EXPECT_EQ(shown.pixel(1, 5), hi);
  EXPECT_EQ(shown.pixel(59, 5), sh);
  EXPECT_EQ(shown.pixel(58, 23), sh);
  button->SetButtonStyle(TQexButton::stFlat);
  EXPECT_NE(Shown(button).pixel(0, 5), hi);  // no frame at rest
  Enter(button);
  shown = Shown(button);
  EXPECT_EQ(shown.pixel(0, 5), hi);
  QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
  shown = Shown(button);
  EXPECT_EQ(shown.pixel(0, 5), sh);  // pressed: colours swapped
  EXPECT_EQ(shown.pixel(59, 5), hi);
  QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 5));
  button->SetButtonStyle(TQexButton::stDefault);
  EXPECT_FALSE(button->ParentColor());
  EXPECT_EQ(button->Color(), platform::clBtnFace);
  EXPECT_EQ(Shown(button).pixel(59, 5), qRgb(0, 0, 0));
  button->SetColorMarginRightBottom(platform::RGB(255, 0, 0));
  EXPECT_EQ(button->ColorMarginStyle(), TQexButton::cmCustom);
  EXPECT_EQ(Shown(button).pixel(59, 5), qRgb(255, 0, 0));
  button->SetColorMarginStyle(TQexButton::cmDefault);
  EXPECT_EQ(button->ColorMarginRightBottom(), platform::clBlack);
  button->SetButtonStyle(TQexButton::stFlatDot);
  Enter(button);
  shown = Shown(button);
  EXPECT_NE(shown.pixel(0, 4), shown.pixel(0, 5));  // dotted
}

TEST_F(QexFixture, ReleaseAfterLeavingDoesNothingAndDoubleClickClicksTwice) {
  int ups = 0;
  button->OnMouseUp = [&](Qt::MouseButton, Qt::KeyboardModifiers, int, int) { ++ups; };
  QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseMove(button, QPoint(200, 5));
  QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(200, 5));
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(ups, 0);
  Enter(button);
  // A double click arrives as press, release, double-click press, release.
  int doubles = 0;
  button->OnDblClick = [&] { ++doubles; };
  QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseDClick(button, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(doubles, 1);
  EXPECT_EQ(clicks, 2);
}

TEST_F(QexFixture, AutoRepeatWhileHeld) {
  button->SetRepeatAction(true);
  button->SetRepeatStartInterval(30);
  button->SetRepeatInterval(10);
  Enter(button);
  QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_TRUE(button->StartTimerActive());
  QTRY_VERIFY(clicks >= 3);
  EXPECT_TRUE(button->RepeatTimerActive());
  QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_FALSE(button->RepeatTimerActive());
  EXPECT_FALSE(button->StartTimerActive());
  const int after = clicks;
  QTest::qWait(40);
  EXPECT_EQ(clicks, after);
}

TEST_F(QexFixture, GlyphCellCountsAndDisabledLooks) {
  button->SetGlyph(Glyph(40, 16, Qt::white));
  EXPECT_EQ(button->NumGlyphs(), 2);  // not a multiple: kept
  button->SetGlyph(Glyph(12, 16, Qt::white));
  EXPECT_EQ(button->NumGlyphs(), 1);
  button->SetGlyph(Glyph(64, 16, Qt::white));
  EXPECT_EQ(button->NumGlyphs(), 4);
  button->resize(80, 24);
  QImage two = Glyph(32, 16, QColor(0, 0, 200));
  for (int y = 0; y < 15; ++y)
    for (int xx = 16; xx < 32; ++xx) two.setPixel(xx, y, qRgb(250, 250, 0));
  button->SetGlyph(two);
  button->setEnabled(false);
  QImage shown = Shown(button);
  EXPECT_EQ(shown.pixel(button->GlyphRect().topLeft() + QPoint(4, 4)), qRgb(250, 250, 0));
  QImage one = Glyph(16, 16, QColor(0, 0, 200));
  one.setPixel(4, 4, qRgb(0, 0, 0));
  button->SetGlyph(one);
  shown = Shown(button);
  const QPoint g = button->GlyphRect().topLeft();
  EXPECT_EQ(shown.pixel(g + QPoint(4, 4)), Rgb(platform::clBtnShadow));
  EXPECT_EQ(shown.pixel(g + QPoint(5, 5)), Rgb(platform::clBtnHighlight));
  EXPECT_EQ(shown.pixel(g + QPoint(8, 8)), host.background_.rgb());
  Enter(button);  // disabled buttons ignore the pointer
  EXPECT_EQ(button->Look(), TQexButton::lkNormal);
}

TEST_F(QexFixture, KindsBringPicturesCaptionsAndResults) {
  button->SetButtonKind(TQexButton::skOK);
  EXPECT_EQ(button->Caption(), QStringLiteral("OK"));
  EXPECT_EQ(button->Glyph().size(), QSize(18, 18));
  EXPECT_EQ(button->GlyphHot().size(), QSize(18, 18));
  EXPECT_TRUE(button->Default());
  EXPECT_FALSE(button->Cancel());
  button->SetButtonKind(TQexButton::skSilly);
  EXPECT_EQ(button->Glyph().size(), QSize(19, 19));
  EXPECT_FALSE(button->Default());
  button->SetButtonKind(TQexButton::skNo);
  EXPECT_TRUE(button->Cancel());
  EXPECT_EQ(button->Caption(), QStringLiteral("&No"));
  button->SetGlyph(Glyph(16, 16, Qt::white));
  EXPECT_EQ(button->ButtonKind(), TQexButton::skCustom);
  EXPECT_EQ(button->Caption(), QStringLiteral("&No"));
  EXPECT_FALSE(TQexButton::ResourcePicture(QStringLiteral("STRELA")).isNull());
  EXPECT_EQ(TQexButton::ResourcePicture(QStringLiteral("Strela")).size(), QSize(5, 3));
  EXPECT_EQ(TQexButton::HandCursor().pixmap().size(), QSize(32, 32));
  EXPECT_EQ(TQexButton::HandCursor().hotSpot(), QPoint(0, 0));
}

TEST_F(QexFixture, OkKindClosesAModalFormAfterOnClick) {
  toolkit::TForm form;
  auto* ok = new TQexButton(&form);
  ok->setGeometry(10, 10, 75, 25);
  ok->SetButtonKind(TQexButton::skOK);
  int seen = -1;
  ok->OnClick = [&] { seen = form.ModalResult(); };
  QTimer::singleShot(0, [&] {
    Enter(ok);
    QTest::mouseClick(ok, Qt::LeftButton, {}, QPoint(5, 5));
  });
  EXPECT_EQ(form.ShowModal(), 1);
  EXPECT_EQ(seen, 0);  // OnClick ran before the result was set
}

TEST_F(QexFixture, EscapeClicksCancelAndEnterClicksDefault) {
  auto* ok = new TQexButton(&host);
  ok->move(100, 40);
  int okClicks = 0;
  ok->OnClick = [&] { ++okClicks; };
  ok->show();
  button->SetCancel(true);
  ok->SetDefault(true);
  auto* edit = new QWidget(&host);
  edit->setFocusPolicy(Qt::StrongFocus);
  edit->setGeometry(200, 100, 50, 20);
  edit->show();
  edit->setFocus();
  EXPECT_TRUE(ok->Active());
  QTest::keyClick(edit, Qt::Key_Escape);
  EXPECT_EQ(clicks, 1);
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(okClicks, 1);
  button->SetTabStop(true);
  button->setFocus();  // focus on another glyph button: the default one stands down
  EXPECT_FALSE(ok->Active());
  EXPECT_TRUE(button->Active());
  QTest::keyClick(button, Qt::Key_Return);
  EXPECT_EQ(okClicks, 1);
  EXPECT_EQ(clicks, 2);
}

TEST_F(QexFixture, HoverSoundAndHintSecondLine) {
  QList<platform::WavClip> played;
  auto previous = platform::SetSoundSink(std::make_unique<RecordingSink>(&played));
  Enter(button);
  Leave(button);
  EXPECT_TRUE(played.isEmpty());
  button->SetPlayMusic(true);
  Enter(button);
  ASSERT_EQ(played.size(), 1);
  EXPECT_EQ(played[0].sampleRate, 22050);
  EXPECT_EQ(played[0].channels, 1);
  EXPECT_EQ(played[0].bitsPerSample, 16);
  EXPECT_EQ(played[0].samples.size(), 2578 - 44);
  platform::SetSoundSink(std::move(previous));

  button->SetHintSecondLine(QStringLiteral("ignored"));  // no hint yet
  EXPECT_EQ(button->Hint(), QString());
  button->SetHint(QStringLiteral("Read aloud"));
  button->SetHintSecondLine(QStringLiteral("the text pane"));
  button->SetHintSecondLine(QStringLiteral("again"));
  EXPECT_EQ(button->Hint(), QStringLiteral("Read aloud\rthe text pane\ragain"));
}

TEST_F(QexFixture, PopupOpensBelowAndMarksTheGlyph) {
  button->resize(60, 40);
  button->SetButtonStyle(TQexButton::stFlat);
  button->SetGlyph(SpeechGlyph());
  button->SetPopupMenuMark(true);
  QMenu menu;
  menu.addAction(QStringLiteral("one"));
  QPoint shownAt;
  QObject::connect(&menu, &QMenu::aboutToShow, [&] {
    QTimer::singleShot(0, [&] {
      shownAt = menu.pos();
      menu.close();
    });
  });
  button->SetPopupMenu(&menu);
  QImage shown = Shown(button);
  const QRect g = button->GlyphRect();
  EXPECT_EQ(g.left(), (60 - 16) / 2 - 5);
  EXPECT_EQ(button->MarkRect(), QRect(g.left() + 16 + 5, g.top() + (16 - 3) / 2, 5, 3));
  EXPECT_EQ(shown.pixel(button->MarkRect().topLeft()), qRgb(0, 0, 0));
  Enter(button);
  QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(shownAt, button->mapToGlobal(QPoint(-1, 40)));
  EXPECT_EQ(button->Look(), TQexButton::lkNormal);
  EXPECT_TRUE(button->HotCaptionFlag());
  QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 5));
}
