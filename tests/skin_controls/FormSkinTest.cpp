// A window of the program's kind of controls skinned through the engine:
// every control receives the skinner its class calls for, a skin switch
// repaints them from the new skin, and switching the engine off gives every
// control its own colour and look back exactly.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtEndian>

#include "skin/controls/SkinControl.h"
#include "skin/engine/SkinData.h"
#include "skin/engine/SkinManage.h"
#include "skin/frame/WinSkinForm.h"
#include "tests/skin_controls/ControlSkin.h"
#include "tests/support/TestSupport.h"
#include "toolkit/Form.h"
#include "toolkit/ListView.h"
#include "toolkit/Panel.h"
#include "toolkit/StatusBar.h"
#include "toolkit/StdCtrls.h"
#include "tools/skinpack/BlankBitmap.h"
#include "tools/skinpack/LzhEncoder.h"
#include "tools/skinpack/SkinArchive.h"

namespace {

using namespace controltest;

void Settle(int ms) {
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  QCoreApplication::processEvents();
}

class SkinnedForm : public ::testing::Test {
 protected:
  void SetUp() override {
    data = std::make_unique<skin::TSkinData>();
    data->BeginReading();
    data->SetActive(false);
    data->ReadSkinStream(ControlSkinStream());
    data->Loaded();
    form = new toolkit::TForm;
    form->resize(640, 400);
    panel = new toolkit::TPanel(form);
    panel->setGeometry(0, 0, 640, 41);
    panel->SetColor(16771315);
    combo = new toolkit::TComboBox(panel);
    combo->setGeometry(9, 11, 160, 23);
    combo->Items().Add(QStringLiteral("按作品名搜索"));
    combo->SetItemIndex(0);
    edit = new toolkit::TEdit(panel);
    edit->setGeometry(193, 11, 160, 23);
    button = new toolkit::TButton(panel);
    button->setGeometry(360, 9, 58, 25);
    button->SetCaption(QStringLiteral("搜索"));
    memo = new toolkit::TMemo(form);
    memo->setGeometry(0, 50, 300, 200);
    memo->SetScrollBars(toolkit::ssVertical);
    QStringList lines;
    for (int i = 0; i < 60; ++i) lines << QStringLiteral("白日依山尽 %1").arg(i);
    memo->SetText(lines.join(QStringLiteral("\r\n")));
    list = new toolkit::TListView(form);
    list->setGeometry(310, 50, 320, 200);
    list->SetFlatScrollBars(true);
    list->Columns().Add(QStringLiteral("标题"), 150);
    for (int i = 0; i < 30; ++i) list->Items().Add()->SetCaption(QStringLiteral("登鹳雀楼 %1").arg(i));
    check = new toolkit::TCheckBox(form);
    check->setGeometry(16, 260, 185, 17);
    check->SetCaption(QStringLiteral("程序启动时显示每日一贴？"));
    status = new toolkit::TStatusBar(form);
    status->setGeometry(0, 375, 640, 25);
    status->AddPanel(250, toolkit::taCenter).Text = QStringLiteral("Kestrelwick");
    status->AddPanel(250);
    form->show();
    form->activateWindow();
    Settle(50);
  }
  void TearDown() override {
    delete form;
    data.reset();
    skin::TSkinManage::Free();
  }
  skin::TWinSkinForm* Frame() { return skin::TSkinManage::Instance()->FrameOf(form); }
  QString SkinnerOf(QWidget* w) {
    skin::TWinSkinForm* f = Frame();
    skin::TSkinControl* s = f ? f->FindSkinner(w) : nullptr;
    return s ? QString::fromLatin1(s->metaObject()->className()) : QString();
  }
  QList<QWidget*> Controls() { return {combo, edit, button, memo, list, check, status}; }
  std::map<QWidget*, QImage> Grabs() {
    std::map<QWidget*, QImage> out;
    for (QWidget* w : Controls()) out[w] = w->grab().toImage();
    return out;
  }

  std::unique_ptr<skin::TSkinData> data;
  toolkit::TForm* form = nullptr;
  toolkit::TPanel* panel = nullptr;
  toolkit::TComboBox* combo = nullptr;
  toolkit::TEdit* edit = nullptr;
  toolkit::TButton* button = nullptr;
  toolkit::TMemo* memo = nullptr;
  toolkit::TListView* list = nullptr;
  toolkit::TCheckBox* check = nullptr;
  toolkit::TStatusBar* status = nullptr;
};

TEST_F(SkinnedForm, EveryControlGetsTheSkinnerOfItsClass) {
  data->SetActive(true);
  Settle(600);
  ASSERT_NE(Frame(), nullptr);
  EXPECT_EQ(SkinnerOf(panel), QStringLiteral("skin::TSkinBox"));
  EXPECT_EQ(SkinnerOf(combo), QStringLiteral("skin::TSkinComBox"));
  EXPECT_EQ(SkinnerOf(edit), QStringLiteral("skin::TSkinEdit"));
  EXPECT_EQ(SkinnerOf(button), QStringLiteral("skin::TSkinButton"));
  EXPECT_EQ(SkinnerOf(memo), QStringLiteral("skin::TSkinScrollbar"));
  EXPECT_EQ(SkinnerOf(list), QStringLiteral("skin::TSkinListView"));
  EXPECT_EQ(SkinnerOf(check), QStringLiteral("skin::TSkinCheckBox"));
  EXPECT_EQ(SkinnerOf(status), QStringLiteral("skin::TSkinStatusBar"));
  EXPECT_EQ(panel->Color(), platform::RGB(212, 200, 180));
  EXPECT_TRUE(PixelIs(button->grab().toImage(), 1, 1, FrameColour(ePush, 1)));
}

TEST_F(SkinnedForm, SwitchingTheEngineOffGivesEveryControlItsColourAndLookBack) {
  const auto before = Grabs();
  const QRect memoViewport = memo->viewport()->geometry();
  data->SetActive(true);
  Settle(600);
  ASSERT_NE(Frame(), nullptr);
  const auto skinned = Grabs();
  for (QWidget* w : Controls()) EXPECT_NE(skinned.at(w), before.at(w)) << w->metaObject()->className();
  data->SetActive(false);
  Settle(600);
  EXPECT_EQ(Frame(), nullptr);
  EXPECT_EQ(panel->Color(), 16771315);
  EXPECT_TRUE(status->SizeGrip());
  EXPECT_EQ(memo->viewport()->geometry(), memoViewport);
  const auto after = Grabs();
  for (QWidget* w : Controls()) EXPECT_EQ(after.at(w), before.at(w)) << w->metaObject()->className();
}

TEST_F(SkinnedForm, ASkinSwitchRepaintsTheControlsFromTheNewSkin) {
  data->SetActive(true);
  Settle(600);
  ASSERT_NE(Frame(), nullptr);
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("2.skn"));
  testing_support::WriteFile(file, ControlSkinFile({.shift = 40}));
  data->SetSkinFile(file);
  Settle(600);
  EXPECT_EQ(panel->Color(), platform::RGB(252, 200, 220));
  EXPECT_TRUE(PixelIs(button->grab().toImage(), 1, 1, Shifted(FrameColour(ePush, 1), 40)));
  QScrollBar* bar = memo->verticalScrollBar();
  EXPECT_TRUE(PixelIs(bar->grab().toImage(), 8, 5, Shifted(FrameColour(eArrows, 9), 40)));
  EXPECT_TRUE(PixelIs(status->grab().toImage(), 0, 2, Shifted(FrameColour(eStatus, 1), 40)));
}

// A skin over a bound of what a skin may cost, given as a file or as the
// stored stream, is refused once with the refusal message: the frame, its
// caption buttons and every control look exactly as before (the scroll bars
// and the combo box, which paint from the elements, included), and the next
// good skin switches as usual.
TEST_F(SkinnedForm, ASkinOverABoundIsRefusedAndNothingOnScreenChanges) {
  // The combo box's caret would blink between the grabs.
  const int flash = QApplication::cursorFlashTime();
  QApplication::setCursorFlashTime(0);
  const auto restoreFlash = qScopeGuard([flash] { QApplication::setCursorFlashTime(flash); });
  data->SetActive(true);
  Settle(600);
  ASSERT_NE(Frame(), nullptr);
  const QImage window = form->grab().toImage();
  const auto controls = Grabs();
  const int generation = data->Generation();
  QByteArray buttons = "[TitlebarSkin]\r\nSkinName=buttons\r\n";
  for (int i = 0; i <= 64; ++i) buttons += "[Button" + QByteArray::number(i) + "]\r\nAction=0\r\n";
  const QByteArray tooManyButtons = skinpack::LzhEncodeFile(skinpack::BuildArchive({{"skin.ini", buttons}}));
  const QByteArray tooLargeImage = skinpack::LzhEncodeFile(skinpack::BuildArchive(
      {{"skin.ini", "[Personality]\r\nLeft=big.bmp\r\n"}, {"big.bmp", skinpack::BlankBitmap(4097, 4096)}}));
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("9.skn"));
  testing_support::WriteFile(file, tooManyButtons);
  for (const bool asFile : {true, false}) {
    SCOPED_TRACE(asFile ? "65 caption buttons in a file" : "a 4097 x 4096 image in the stored stream");
    testing_support::DialogScript dialogs;
    if (asFile) {
      data->SetSkinFile(file);
    } else {
      QByteArray stream(4, '\0');
      qToLittleEndian<qint32>(static_cast<qint32>(tooLargeImage.size()), stream.data());
      data->ReadSkinStream(stream + tooLargeImage);
    }
    Settle(600);
    ASSERT_EQ(dialogs->shown.size(), 1);
    EXPECT_EQ(dialogs->shown[0].text, QStringLiteral("This is Older Skin File\rPlease update to new version !"));
    EXPECT_TRUE(data->NotLoaded());
    EXPECT_EQ(data->Generation(), generation);
    ASSERT_NE(Frame(), nullptr);
    EXPECT_EQ(Frame()->CaptionButtons().size(), data->Elements().SysButtons.size());
    EXPECT_EQ(form->grab().toImage(), window);
    const auto now = Grabs();
    for (QWidget* w : Controls()) EXPECT_EQ(now.at(w), controls.at(w)) << w->metaObject()->className();
  }
  const QString good = dir.filePath(QStringLiteral("2.skn"));
  testing_support::WriteFile(good, ControlSkinFile({.shift = 40}));
  data->SetSkinFile(good);
  Settle(600);
  EXPECT_FALSE(data->NotLoaded());
  EXPECT_EQ(panel->Color(), platform::RGB(252, 200, 220));
}

}  // namespace
