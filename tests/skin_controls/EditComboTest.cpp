// Edits and combo boxes under the skin: the edit's two frame lines and the
// unbordered edit left alone; the combo's composite by state, its edit area
// and drop-down button where the skin draws them, and its own look back
// after the skinner is freed.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QLineEdit>
#include <QTest>

#include "skin/controls/ComboPaint.h"
#include "skin/controls/SkinComBox.h"
#include "skin/controls/SkinEdit.h"
#include "skin/engine/SkinData.h"
#include "tests/skin_controls/ControlSkin.h"
#include "toolkit/StdCtrls.h"

namespace {

using namespace controltest;

TEST(SkinnedEdit, ABorderedEditGetsAShadowLineAndAWhiteLineInside) {
  QWidget window;
  auto* edit = new toolkit::TEdit(&window);
  edit->setGeometry(0, 0, 161, 23);
  edit->SetText(QStringLiteral("搜索关键字"));
  window.show();
  auto* s = new skin::TSkinEdit(edit);
  s->InitControl(nullptr, &SharedSkin(), false, nullptr);
  const QImage img = edit->grab().toImage();
  const QRgb shadow = platform::ToQColor(platform::clBtnShadow).rgb();
  for (const QPoint p : {QPoint(0, 0), QPoint(160, 0), QPoint(0, 22), QPoint(160, 22), QPoint(80, 0), QPoint(0, 11)})
    EXPECT_TRUE(PixelIs(img, p.x(), p.y(), shadow)) << p.x() << "," << p.y() << " " << Hex(img.pixel(p));
  for (const QPoint p : {QPoint(1, 1), QPoint(159, 1), QPoint(1, 21), QPoint(159, 21)})
    EXPECT_TRUE(PixelIs(img, p.x(), p.y(), qRgb(255, 255, 255))) << p.x() << "," << p.y();
}

TEST(SkinnedEdit, AnEditWithoutABorderIsLeftUnframed) {
  QWidget window;
  auto* edit = new toolkit::TEdit(&window);
  edit->setGeometry(0, 0, 160, 24);
  edit->setFrame(false);
  edit->SetColor(platform::RGB(200, 220, 240));
  window.show();
  const QImage before = edit->grab().toImage();
  auto* s = new skin::TSkinEdit(edit);
  s->InitControl(nullptr, &SharedSkin(), false, nullptr);
  EXPECT_FALSE(skin::EditHasBorder(edit));
  EXPECT_EQ(edit->grab().toImage(), before);
  toolkit::TMemo memo;
  memo.SetBorderStyle(toolkit::bsEditNone);
  EXPECT_FALSE(skin::EditHasBorder(&memo));
  memo.SetBorderStyle(toolkit::bsEditSingle);
  EXPECT_TRUE(skin::EditHasBorder(&memo));
}

TEST(ComboFrame, PressedBeatsFocusAndHotWhichBeatEnabledAndDisabled) {
  EXPECT_EQ(skin::ComboFrameIndex(false, false, false, true), 1);
  EXPECT_EQ(skin::ComboFrameIndex(false, false, false, false), 3);
  EXPECT_EQ(skin::ComboFrameIndex(false, true, false, true), 4);
  EXPECT_EQ(skin::ComboFrameIndex(false, false, true, false), 4);
  EXPECT_EQ(skin::ComboFrameIndex(true, true, true, true), 2);
}

TEST(ComboGeometry, TheCompositesCentreIsTheEditAndItsRightEndTheButton) {
  const skin::TSkinElements& e = SharedSkin().Elements();
  ASSERT_EQ(e.ComboButton->Style, 2);
  const int a = platform::Metric(platform::SM_CXHSCROLL) + 2;
  EXPECT_EQ(skin::ComboButtonRect(e, QSize(161, 23), false), QRect(161 - a, 0, a, 23));
  EXPECT_EQ(skin::ComboButtonRect(e, QSize(161, 23), true), QRect(0, 0, a, 23));
  // Margins: left 2, right a + 2, top and bottom those of the sunken edge (2).
  EXPECT_EQ(skin::ComboEditRect(e, QSize(161, 23), false), QRect(2, 2, 161 - 2 - (a + 2), 19));
  EXPECT_EQ(skin::ComboEditRect(e, QSize(161, 23), true), QRect(a + 2, 2, 161 - 2 - (a + 2), 19));
}

TEST(ComboPaint, TheCompositeFrameShowsAroundAnUntouchedEditArea) {
  const skin::TSkinElements& e = SharedSkin().Elements();
  QImage img(160, 23, QImage::Format_RGB32);
  img.fill(qRgb(1, 2, 3));
  {
    QPainter p(&img);
    skin::PaintComboBox(p, img.rect(), e, 4, false, QColor(250, 250, 250));
  }
  // The sunken edge of frame 4 at the left and in the corners, the combo
  // button's frame 4 in the button, the edit's colour in the centre.
  EXPECT_TRUE(PixelIs(img, 0, 11, FrameColour(eSunk, 4))) << Hex(img.pixel(0, 11));
  EXPECT_TRUE(PixelIs(img, 60, 0, FrameColour(eSunk, 4)));
  EXPECT_TRUE(PixelIs(img, 150, 1, FrameColour(eCombo, 4))) << Hex(img.pixel(150, 1));
  EXPECT_TRUE(PixelIs(img, 60, 11, qRgb(250, 250, 250)));
  // The drop-down mark (ExtraImages frame 4) centred in the button.
  EXPECT_TRUE(PixelIs(img, 151, 11, FrameColour(eExtra, 4))) << Hex(img.pixel(151, 11));
}

class SkinnedCombo : public ::testing::Test {
 protected:
  void SetUp() override {
    window.resize(300, 100);
    combo = new toolkit::TComboBox(&window);
    combo->setGeometry(9, 11, 160, 23);
    for (const char* mode : {"按作品名搜索", "按作者名搜索", "按诗内容搜索"}) combo->Items().Add(QString::fromUtf8(mode));
    combo->SetItemIndex(0);
    other = new toolkit::TEdit(&window);
    other->setGeometry(193, 11, 80, 23);
    window.show();
    QApplication::processEvents();
  }
  skin::TSkinComBox* Attach() {
    auto* s = new skin::TSkinComBox(combo);
    s->InitControl(nullptr, &SharedSkin(), false, nullptr);
    QApplication::processEvents();
    return s;
  }
  QRgb ButtonPixel() { return combo->grab().toImage().pixel(152, 2) & 0xFFFFFF; }
  QWidget window;
  toolkit::TComboBox* combo = nullptr;
  toolkit::TEdit* other = nullptr;
};

TEST_F(SkinnedCombo, FocusShowsFrameFourAndLosingItFrameOne) {
  skin::TSkinComBox* s = Attach();
  window.activateWindow();
  other->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(s->FrameIndex(), 1);
  EXPECT_EQ(ButtonPixel(), FrameColour(eCombo, 1) & 0xFFFFFF) << Hex(ButtonPixel());
  combo->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(s->FrameIndex(), 4);
  EXPECT_EQ(ButtonPixel(), FrameColour(eCombo, 4) & 0xFFFFFF);
  other->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(s->FrameIndex(), 1);
  EXPECT_EQ(ButtonPixel(), FrameColour(eCombo, 1) & 0xFFFFFF);
  combo->setEnabled(false);
  EXPECT_EQ(ButtonPixel(), FrameColour(eCombo, 3) & 0xFFFFFF);
}

TEST_F(SkinnedCombo, TheEditLiesInTheSkinsEditAreaAndThePaintedButtonOpensTheList) {
  const QRect ownEdit = combo->lineEdit()->geometry();
  skin::TSkinComBox* s = Attach();
  EXPECT_EQ(combo->lineEdit()->geometry(), skin::ComboEditRect(SharedSkin().Elements(), combo->size(), false));
  // A press on the edit shows the combo pressed until the release.
  QTest::mousePress(combo->lineEdit(), Qt::LeftButton, {}, QPoint(10, 5));
  EXPECT_EQ(s->FrameIndex(), 2);
  QTest::mouseRelease(combo->lineEdit(), Qt::LeftButton, {}, QPoint(10, 5));
  EXPECT_NE(s->FrameIndex(), 2);
  QTest::mousePress(combo, Qt::LeftButton, {}, QPoint(152, 11));
  EXPECT_TRUE(combo->view()->isVisible());
  EXPECT_EQ(s->FrameIndex(), 2);  // pressed while the list is open
  combo->hidePopup();
  delete s;
  QApplication::processEvents();
  EXPECT_EQ(combo->lineEdit()->geometry(), ownEdit);
}

TEST_F(SkinnedCombo, FreeingTheSkinnerGivesTheComboItsOwnLookBack) {
  other->setFocus();
  QApplication::processEvents();
  const QImage before = combo->grab().toImage();
  skin::TSkinComBox* s = Attach();
  EXPECT_NE(combo->grab().toImage(), before);
  delete s;
  QApplication::processEvents();
  EXPECT_EQ(combo->grab().toImage(), before);
}

}  // namespace
