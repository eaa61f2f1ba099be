// Check boxes and radio buttons under the skin: which glyph frame each state
// shows (the 12-frame remapping included), where the glyph goes for odd and
// even glyph widths on both sides, and what the grabbed control shows.
#include <gtest/gtest.h>

#include <QRadioButton>
#include <QTest>

#include "skin/controls/ButtonPaint.h"
#include "skin/controls/SkinCheckBox.h"
#include "skin/engine/SkinData.h"
#include "tests/skin_controls/ControlSkin.h"
#include "toolkit/Panel.h"
#include "toolkit/StdCtrls.h"

namespace {

using namespace controltest;

TEST(CheckBoxFrame, FourFramesFollowTheCheckStateAndDisabledAddsTwo) {
  EXPECT_EQ(skin::CheckBoxFrameIndex(1, false, true, 4), 1);
  EXPECT_EQ(skin::CheckBoxFrameIndex(2, false, true, 4), 2);
  EXPECT_EQ(skin::CheckBoxFrameIndex(1, false, false, 4), 3);
  EXPECT_EQ(skin::CheckBoxFrameIndex(2, false, false, 4), 4);
  EXPECT_EQ(skin::CheckBoxFrameIndex(4, false, true, 4), 4);   // grayed by State
  EXPECT_EQ(skin::CheckBoxFrameIndex(4, false, false, 4), 4);  // and disabled: still a frame of the image
  EXPECT_EQ(skin::CheckBoxFrameIndex(1, true, true, 4), 4);    // an indeterminate button
  EXPECT_EQ(skin::CheckBoxFrameIndex(2, true, false, 4), 4);
}

TEST(CheckBoxFrame, TwelveFramesRemapTheStatesAndHaveIndeterminateFramesOfTheirOwn) {
  EXPECT_EQ(skin::CheckBoxFrameIndex(1, false, true, 12), 1);
  EXPECT_EQ(skin::CheckBoxFrameIndex(2, false, true, 12), 5);
  EXPECT_EQ(skin::CheckBoxFrameIndex(1, false, false, 12), 4);
  EXPECT_EQ(skin::CheckBoxFrameIndex(2, false, false, 12), 8);
  EXPECT_EQ(skin::CheckBoxFrameIndex(4, false, true, 12), 8);
  EXPECT_EQ(skin::CheckBoxFrameIndex(1, true, true, 12), 9);
  EXPECT_EQ(skin::CheckBoxFrameIndex(1, true, false, 12), 12);
  // Radio buttons remap the same way and know no third state.
  EXPECT_EQ(skin::RadioButtonFrameIndex(2, true, 4), 2);
  EXPECT_EQ(skin::RadioButtonFrameIndex(1, false, 4), 3);
  EXPECT_EQ(skin::RadioButtonFrameIndex(2, false, 4), 4);
  EXPECT_EQ(skin::RadioButtonFrameIndex(2, true, 12), 5);
  EXPECT_EQ(skin::RadioButtonFrameIndex(2, false, 12), 8);
}

TEST(CheckBoxFrame, StateTextsAreReadWithoutRegardToLetterCase) {
  EXPECT_EQ(skin::CheckStateFromText(QStringLiteral("cbUnchecked")), 1);
  EXPECT_EQ(skin::CheckStateFromText(QStringLiteral("cbChecked")), 2);
  EXPECT_EQ(skin::CheckStateFromText(QStringLiteral("CBGRAYED")), 4);
  EXPECT_EQ(skin::CheckStateFromText(QStringLiteral("other")), 0);
}

TEST(ToggleGlyph, TheGlyphSitsAtTheLeftOrRightByItsWidth) {
  const QRect r(10, 20, 120, 17);  // odd height: the glyph's top rounds down
  // Text on the right: left + 2 from 15 pixels, else centred in 14 with odd widths one further.
  EXPECT_EQ(skin::ToggleGlyphRect(r, 16, 16, false), QRect(12, 20, 16, 16));
  EXPECT_EQ(skin::ToggleGlyphRect(r, 15, 15, false), QRect(12, 21, 15, 15));
  EXPECT_EQ(skin::ToggleGlyphRect(r, 13, 13, false), QRect(12, 22, 13, 13));
  EXPECT_EQ(skin::ToggleGlyphRect(r, 12, 12, false), QRect(12, 22, 12, 12));
  EXPECT_EQ(skin::ToggleGlyphRect(r, 11, 11, false), QRect(13, 23, 11, 11));
  // Text on the left: the glyph ends one pixel before the right, narrower
  // glyphs further in, even widths one more pixel.
  EXPECT_EQ(skin::ToggleGlyphRect(r, 16, 16, true), QRect(113, 20, 16, 16));
  EXPECT_EQ(skin::ToggleGlyphRect(r, 13, 13, true), QRect(116, 22, 13, 13));
  EXPECT_EQ(skin::ToggleGlyphRect(r, 12, 12, true), QRect(116, 22, 12, 12));
  EXPECT_EQ(skin::ToggleClearRect(r, false), QRect(10, 20, 16, 17));
  EXPECT_EQ(skin::ToggleClearRect(r, true), QRect(112, 20, 18, 17));
}

class SkinnedToggle : public ::testing::Test {
 protected:
  void SetUp() override {
    parent.SetColor(platform::RGB(30, 160, 90));
    parent.resize(300, 60);
    box = new toolkit::TCheckBox(&parent);
    box->setGeometry(0, 0, 185, 17);
    box->SetCaption(QStringLiteral("程序启动时显示每日一贴？"));
    parent.show();
  }
  skin::TSkinCheckBox* Attach(skin::TSkinData& data) {
    auto* s = new skin::TSkinCheckBox(box);
    s->InitControl(nullptr, &data, false, nullptr);
    return s;
  }
  toolkit::TPanel parent;
  toolkit::TCheckBox* box = nullptr;
};

TEST_F(SkinnedToggle, AClearBoxShowsFrameOneNotTheDisabledFrame) {
  auto data = LoadedSkin();
  skin::TSkinCheckBox* s = Attach(*data);
  EXPECT_EQ(s->GlyphFrame(), 1);
  box->SetChecked(true);
  EXPECT_EQ(s->GlyphFrame(), 2);
  box->setEnabled(false);
  EXPECT_EQ(s->GlyphFrame(), 4);
  box->setEnabled(true);
  box->SetState(toolkit::TCheckBox::cbGrayed);
  EXPECT_EQ(s->CheckState(), 4);
  EXPECT_EQ(s->GlyphFrame(), 4);
}

TEST_F(SkinnedToggle, AGrayedBoxUsesFrameEightOfATwelveFrameImage) {
  auto data = LoadedSkin();
  skin::TDataSkinButton& b = data->Elements().Buttons;
  QImage twelve(12 * 13, 13, QImage::Format_RGB32);
  for (int k = 1; k <= 12; ++k)
    for (int y = 0; y < 13; ++y)
      for (int x = 0; x < 13; ++x) twelve.setPixel((k - 1) * 13 + x, y, FrameColour(eCheck, k));
  b.CheckImage = twelve;
  b.CheckButtonFrame = 12;
  skin::TSkinCheckBox* s = Attach(*data);
  box->SetState(toolkit::TCheckBox::cbGrayed);
  EXPECT_EQ(s->GlyphFrame(), 8);
  const QImage img = box->grab().toImage();
  // A 13-pixel glyph: x 2 ... 14, y 2 ... 14 of the 17-pixel-high box.
  EXPECT_TRUE(PixelIs(img, 2, 2, FrameColour(eCheck, 8))) << Hex(img.pixel(2, 2));
  EXPECT_TRUE(PixelIs(img, 14, 14, FrameColour(eCheck, 8)));
}

TEST_F(SkinnedToggle, TheGrabbedBoxShowsTheGlyphOnTheParentsColour) {
  auto data = LoadedSkin();
  Attach(*data);
  box->SetChecked(true);
  const QImage img = box->grab().toImage();
  const QRgb parentColour = qRgb(30, 160, 90);
  EXPECT_TRUE(PixelIs(img, 1, 8, parentColour));    // cleared, left of the glyph
  EXPECT_TRUE(PixelIs(img, 15, 8, parentColour));   // right of it, still in the strip
  EXPECT_TRUE(PixelIs(img, 1, 1, parentColour));    // above it
  EXPECT_TRUE(PixelIs(img, 2, 2, FrameColour(eCheck, 2))) << Hex(img.pixel(2, 2));
  EXPECT_TRUE(PixelIs(img, 14, 14, FrameColour(eCheck, 2)));
  EXPECT_FALSE(PixelIs(img, 2, 15, FrameColour(eCheck, 2)));  // the glyph is 13 high
}

TEST_F(SkinnedToggle, TextOnTheLeftPutsTheGlyphAtTheRightEdge) {
  auto data = LoadedSkin({.toggleSize = 16});
  box->setLayoutDirection(Qt::RightToLeft);
  Attach(*data);
  const QImage img = box->grab().toImage();
  // 16 pixels wide: x 168 ... 183 of the 185-pixel box, y 0 ... 15.
  EXPECT_TRUE(PixelIs(img, 168, 0, FrameColour(eCheck, 1))) << Hex(img.pixel(168, 0));
  EXPECT_TRUE(PixelIs(img, 183, 15, FrameColour(eCheck, 1)));
  EXPECT_TRUE(PixelIs(img, 184, 8, qRgb(30, 160, 90)));
  EXPECT_TRUE(PixelIs(img, 167, 8, qRgb(30, 160, 90)));
}

TEST(SkinnedRadio, ARadioButtonShowsItsCheckedFrame) {
  auto data = LoadedSkin();
  toolkit::TPanel parent;
  parent.SetColor(platform::RGB(250, 250, 250));
  auto* radio = new QRadioButton(QStringLiteral("一"), &parent);
  radio->setGeometry(0, 0, 80, 17);
  parent.show();
  auto* s = new skin::TSkinRadioButton(radio);
  s->InitControl(nullptr, data.get(), false, nullptr);
  EXPECT_EQ(s->GlyphFrame(), 1);
  radio->setChecked(true);
  EXPECT_EQ(s->GlyphFrame(), 2);
  const QImage img = radio->grab().toImage();
  EXPECT_TRUE(PixelIs(img, 2, 2, FrameColour(eRadio, 2))) << Hex(img.pixel(2, 2));
  radio->setEnabled(false);
  EXPECT_EQ(s->GlyphFrame(), 4);
}

}  // namespace

namespace {

TEST(SkinnedRadio, AForeignRadioButtonTakesItsStateFromTheButton) {
  auto data = controltest::LoadedSkin();
  QObject owner;  // what the frame skinner is for a foreign window's child
  QWidget group;
  auto* radio = new QRadioButton(QStringLiteral("不可用"), &group);
  radio->setChecked(true);
  radio->setEnabled(false);
  group.show();
  auto* s = new skin::TSkinRadioButton(&owner);
  s->InitWindow(radio, data.get(), nullptr, nullptr);
  EXPECT_EQ(s->Control(), nullptr);
  EXPECT_EQ(s->GlyphFrame(), 4);
  radio->setEnabled(true);
  EXPECT_EQ(s->GlyphFrame(), 2);
}

}  // namespace
