// Push buttons under the skin: the frame of every state on grabbed images,
// "||" captions, caption colours, the hot look handed from one button to the
// next, and the click that follows a release over the button.
#include <gtest/gtest.h>

#include <QDialog>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include "skin/controls/ButtonPaint.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/AttachControls.h"
#include "skin/engine/SkinData.h"
#include "skin/frame/WinSkinForm.h"
#include "tests/skin_controls/ControlSkin.h"
#include "toolkit/StdCtrls.h"

namespace {

using namespace controltest;
using skin::TPushButtonLook;

// The frame colour at a corner of the button, where no caption is drawn.
QRgb Corner(QWidget& w) { return w.grab().toImage().pixel(1, 1) & 0xFFFFFF; }

int FrameShown(QWidget& w) {
  const QRgb c = Corner(w);
  for (int k = 1; k <= 5; ++k)
    if ((FrameColour(ePush, k) & 0xFFFFFF) == c) return k;
  return 0;
}

TEST(PushButtonFrame, EachStateHasItsFrameAndDisabledOverridesThemAll) {
  auto look = [](bool pressed, bool hot, bool isDefault, bool focused, bool enabled) {
    return skin::PushButtonFrameIndex(TPushButtonLook{pressed, hot, isDefault, focused, enabled});
  };
  EXPECT_EQ(look(false, false, false, false, true), 1);
  EXPECT_EQ(look(true, true, true, true, true), 2);
  EXPECT_EQ(look(false, true, true, false, true), 4);  // hot beats default
  EXPECT_EQ(look(false, false, true, true, true), 5);  // default beats focused
  EXPECT_EQ(look(false, false, false, true, true), 4);
  EXPECT_EQ(look(true, true, true, true, false), 3);
  EXPECT_EQ(look(false, false, true, false, false), 3);
}

class SkinnedButton : public ::testing::Test {
 protected:
  void SetUp() override {
    window.resize(200, 80);
    a = new toolkit::TButton(&window);
    a->setGeometry(10, 10, 75, 25);
    a->SetCaption(QStringLiteral("搜索"));
    b = new toolkit::TButton(&window);
    b->setGeometry(100, 10, 75, 25);
    b->SetCaption(QStringLiteral("退出"));
    frame.SetHandle(&window);
    sa = new skin::TSkinButton(a);
    sa->InitControl(&frame, &SharedSkin(), false, nullptr);
    sb = new skin::TSkinButton(b);
    sb->InitControl(&frame, &SharedSkin(), false, nullptr);
    window.show();
  }
  QWidget window;
  skin::TWinSkinForm frame;
  toolkit::TButton* a = nullptr;
  toolkit::TButton* b = nullptr;
  skin::TSkinButton* sa = nullptr;
  skin::TSkinButton* sb = nullptr;
};

TEST_F(SkinnedButton, GrabbedButtonsShowTheFrameOfTheirState) {
  EXPECT_EQ(FrameShown(*a), 1);
  a->setDefault(true);
  EXPECT_EQ(FrameShown(*a), 5);
  a->setEnabled(false);
  EXPECT_EQ(FrameShown(*a), 3);  // a disabled default button
  a->setEnabled(true);
  a->setDefault(false);
  b->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(FrameShown(*b), 4);
  QTest::mousePress(a, Qt::LeftButton, {}, QPoint(30, 12));
  EXPECT_TRUE(a->hasFocus());  // the press focuses the button
  EXPECT_EQ(FrameShown(*a), 2);
  QTest::mouseRelease(a, Qt::LeftButton, {}, QPoint(30, 12));
  EXPECT_NE(FrameShown(*a), 2);
}

TEST_F(SkinnedButton, TheHotLookPassesFromOneButtonToTheNextAtOnce) {
  QEvent enter(QEvent::Enter);
  QCoreApplication::sendEvent(a, &enter);
  EXPECT_TRUE(sa->Hot());
  EXPECT_EQ(sa->FrameIndex(), 4);
  EXPECT_EQ(frame.HotControl(), sa);
  // The pointer enters the second button before any leave notice for the first.
  QEvent enterB(QEvent::Enter);
  QCoreApplication::sendEvent(b, &enterB);
  EXPECT_FALSE(sa->Hot());
  EXPECT_TRUE(sb->Hot());
  EXPECT_EQ(frame.HotControl(), sb);
  EXPECT_EQ(FrameShown(*a), 1);
  EXPECT_EQ(FrameShown(*b), 4);
}

TEST_F(SkinnedButton, AReleaseOverTheButtonClicksOnceAndAReleaseAwayClicksNothing) {
  int clicks = 0;
  a->OnClick = [&] { ++clicks; };
  QTest::mouseClick(a, Qt::LeftButton, {}, QPoint(20, 10));
  EXPECT_EQ(clicks, 1);
  QTest::mousePress(a, Qt::LeftButton, {}, QPoint(20, 10));
  QTest::mouseRelease(a, Qt::LeftButton, {}, QPoint(120, 10));
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(sa->Pressed());
  // Space presses and releases the button; the button itself clicks.
  a->setFocus();
  QTest::keyPress(a, Qt::Key_Space);
  EXPECT_TRUE(sa->Pressed());
  EXPECT_EQ(FrameShown(*a), 2);
  QTest::keyRelease(a, Qt::Key_Space);
  EXPECT_FALSE(sa->Pressed());
  EXPECT_EQ(clicks, 2);
}

TEST(PushButtonRestore, FreeingTheSkinnerGivesTheButtonItsOwnLookBack) {
  QWidget window;
  auto* button = new toolkit::TButton(&window);
  button->setGeometry(4, 4, 75, 25);
  button->SetCaption(QStringLiteral("退出"));
  window.show();
  const QImage before = button->grab().toImage();
  auto* skinner = new skin::TSkinButton(button);
  skinner->InitControl(nullptr, &SharedSkin(), false, nullptr);
  const QImage skinned = button->grab().toImage();
  EXPECT_TRUE(PixelIs(skinned, 1, 1, FrameColour(ePush, 1))) << Hex(skinned.pixel(1, 1));
  delete skinner;
  EXPECT_EQ(button->grab().toImage(), before);
}

TEST(PushButtonCaption, DoubleBarsBreakTheCaptionIntoTwoCentredLines) {
  QFont font;
  font.setPixelSize(13);
  const QFontMetrics fm(font);
  const QRect button(0, 0, 75, 41);
  const QRect two = skin::PushButtonCaptionRect(fm, button, QStringLiteral("上一||下一"));
  const QRect one = skin::PushButtonCaptionRect(fm, button, QStringLiteral("上一下一"));
  EXPECT_EQ(skin::PushButtonCaptionText(QStringLiteral("a||b||c|d")), QStringLiteral("a\nb\nc|d"));
  EXPECT_EQ(two.height(), fm.boundingRect(button, skin::kPushButtonTextFlags, QStringLiteral("上一\n下一")).height());
  EXPECT_GT(two.height(), one.height() * 3 / 2);
  EXPECT_LT(two.width(), one.width());
  // Centred both ways in a button with an odd height.
  EXPECT_LE(std::abs((button.bottom() - two.bottom()) - (two.top() - button.top())), 1);
  EXPECT_LE(std::abs((button.right() - two.right()) - (two.left() - button.left())), 1);
}

TEST(PushButtonCaption, StateColoursApplyWhereTheSkinGaveThemAndForeignButtonsAlways) {
  const skin::TSkinElements& e = SharedSkin().Elements();
  const QColor font(7, 7, 7);
  EXPECT_EQ(skin::PushButtonCaptionColour(e, 1, false, font), kNormal2);
  EXPECT_EQ(skin::PushButtonCaptionColour(e, 4, false, font), kMouseOver2);
  EXPECT_EQ(skin::PushButtonCaptionColour(e, 2, false, font), kPressed2);
  EXPECT_EQ(skin::PushButtonCaptionColour(e, 5, false, font), font);
  EXPECT_EQ(skin::PushButtonCaptionColour(e, 3, false, font), platform::ToQColor(platform::clBtnShadow));
  EXPECT_EQ(skin::PushButtonCaptionColour(e, 3, true, font), QColor(0x80, 0x80, 0x80));
  EXPECT_EQ(skin::PushButtonCaptionColour(e, 5, true, font), kButtonText);

  auto plain = LoadedSkin({.stateColours = false});
  const skin::TSkinElements& p = plain->Elements();
  EXPECT_EQ(skin::PushButtonCaptionColour(p, 1, false, font), font);  // the application's colour stays
  EXPECT_EQ(skin::PushButtonCaptionColour(p, 1, true, font), kButtonText);  // the default of the key

  // A skin with window colours of its own: the default frame takes its button
  // text, the other frames stay as above.
  auto nightSkin = LoadedSkin({.windowColours = true});
  const skin::TSkinElements& night = nightSkin->Elements();
  EXPECT_EQ(skin::PushButtonCaptionColour(night, 5, false, font), kButtonText);
  EXPECT_EQ(skin::PushButtonCaptionColour(night, 1, false, font), kNormal2);
  EXPECT_EQ(skin::PushButtonCaptionColour(night, 3, false, font), platform::ToQColor(platform::clBtnShadow));
}

TEST(ForeignButtons, TheButtonsOfADialogsButtonBoxAreSkinnedByWindowClassAndClickTheDialog) {
  QDialog dialog;
  auto* box = new QDialogButtonBox(QDialogButtonBox::Yes | QDialogButtonBox::No, &dialog);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(box);
  QObject::connect(box, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(box, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  dialog.show();
  skin::TWinSkinForm frame;
  frame.SetHandle(&dialog);
  frame.AttachWindow(&SharedSkin());
  skin::AttachControls(frame);
  QPushButton* yes = box->button(QDialogButtonBox::Yes);
  QPushButton* no = box->button(QDialogButtonBox::No);
  auto* sYes = qobject_cast<skin::TSkinButton*>(frame.FindSkinner(yes));
  ASSERT_NE(sYes, nullptr);
  ASSERT_NE(qobject_cast<skin::TSkinButton*>(frame.FindSkinner(no)), nullptr);
  EXPECT_EQ(sYes->Control(), nullptr);  // attached by handle
  EXPECT_EQ(sYes->parent(), &frame);
  int result = -1;
  QObject::connect(&dialog, &QDialog::finished, [&](int r) { result = r; });
  QTest::mouseClick(no, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(result, QDialog::Rejected);
  frame.Detach();
}

}  // namespace
