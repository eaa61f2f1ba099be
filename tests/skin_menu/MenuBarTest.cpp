// The skinned menu bar on a real window: taking the menu over (and giving it
// back), the entries' places, opening menus by pointer and keyboard, the menu
// loop's switching, rebuilding on menu changes and the shortcuts of the
// hidden menu bar.
#include <gtest/gtest.h>

#include <QFontMetrics>

#include "skin/engine/SkinManage.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/menu/MenuLoop.h"
#include "skin/menu/MenuText.h"
#include "skin/menu/SkinMenuStyle.h"
#include "tests/skin_menu/MenuFixture.h"

namespace {

using menutest::MenuTest;
using skin::ncsNormal;
using skin::ncsOver;
using skin::ncsPressed;

int Advance(const QString& text) { return QFontMetrics(skin::MenuFont()).horizontalAdvance(text); }

TEST_F(MenuTest, TheBarTakesTheMenuAndKeepsWhatLiesBelowIt) {
  skin::TWinSkinMenu* bar = ShowMenuForm();
  ASSERT_NE(bar, nullptr);
  EXPECT_TRUE(form_->Menu()->isHidden());
  EXPECT_EQ(frame_->M(), 19);
  EXPECT_EQ(form_->contentsMargins(), QMargins(4, 20 + 19, 3, 5));
  // The window keeps its size inside the frame, the skinned bar above it;
  // what lay below the hidden menu bar takes its room.
  EXPECT_EQ(form_->size(), QSize(400 + 4 + 3, 300 + 20 + 19 + 5));
  EXPECT_EQ(client_->geometry(), QRect(4, 39, 400, 300));
  ASSERT_EQ(bar->Items().size(), 4u);
  EXPECT_EQ(Entry(0)->Caption, QStringLiteral("&File"));
  EXPECT_EQ(Entry(0)->Submenu, file_);
  EXPECT_EQ(Entry(2)->Submenu, nullptr);  // Help has no subitems
  EXPECT_FALSE(Entry(3)->Visible);
}

TEST_F(MenuTest, EntriesStartAfterTheLeftMarginAndTheHiddenLastTakesNoRoom) {
  ASSERT_NE(ShowMenuForm(), nullptr);
  // Bar at (L, T) = (4, 20); TileLeftMenu 2: the first entry at x 4 + 2 + 4.
  const int wFile = Advance(QStringLiteral("File")) + 10, wEdit = Advance(QStringLiteral("Edit")) + 10;
  const int wHelp = Advance(QStringLiteral("Help")) + 10;
  EXPECT_EQ(Entry(0)->Rect, QRect(10, 20, wFile, 19));
  EXPECT_EQ(Entry(1)->Rect, QRect(10 + wFile, 20, wEdit, 19));
  EXPECT_EQ(Entry(2)->Rect, QRect(10 + wFile + wEdit, 20, wHelp, 19));
  EXPECT_TRUE(Entry(3)->Rect.isEmpty());
  const int end = 10 + wFile + wEdit + wHelp;
  EXPECT_EQ(Bar()->HitTestMenuBar(QPoint(end - 1, 25)), Entry(2));
  EXPECT_EQ(Bar()->HitTestMenuBar(QPoint(end, 25)), nullptr);
  EXPECT_EQ(Bar()->HitTestMenuBar(QPoint(9, 25)), nullptr);
  EXPECT_EQ(Bar()->HitTestMenuBar(QPoint(12, 39)), nullptr);  // below the bar
}

TEST_F(MenuTest, TheBarShowsFrameOneActiveAndTwoInactive) {
  ASSERT_NE(ShowMenuForm(), nullptr);
  ASSERT_TRUE(frame_->Active());
  QImage shot = form_->grab().toImage();
  EXPECT_EQ(shot.pixel(4, 25), menutest::BarLeft(1));
  EXPECT_EQ(shot.pixel(400 + 4 - 1, 25), menutest::BarRight(1));
  auto* other = Keep(new toolkit::TForm());
  other->show();
  other->activateWindow();
  Settle();
  ASSERT_FALSE(frame_->Active());
  shot = form_->grab().toImage();
  EXPECT_EQ(shot.pixel(4, 25), menutest::BarLeft(2));
  EXPECT_EQ(shot.pixel(400 + 4 - 1, 25), menutest::BarRight(2));
}

TEST_F(MenuTest, HoverAndPressOutlineTheEntry) {
  ASSERT_NE(ShowMenuForm(), nullptr);
  const QRect r = Entry(1)->Rect;
  const QRgb light = menutest::Colour(data_->Elements().Colours.ButtonHilight).rgb();
  EXPECT_NE(form_->grab().toImage().pixel(r.topLeft()), light);
  Mouse(form_, QEvent::MouseMove, r.center(), Qt::NoButton);
  EXPECT_EQ(Entry(1)->State, ncsOver);
  EXPECT_EQ(frame_->HotObject(), Entry(1));
  const QImage shot = form_->grab().toImage();
  EXPECT_EQ(shot.pixel(r.topLeft()), light);
  EXPECT_EQ(shot.pixel(r.right(), r.bottom()), light);
  EXPECT_NE(shot.pixel(r.right() + 1, r.top()), light);
  // Moving on to the next entry takes the outline along.
  Mouse(form_, QEvent::MouseMove, Entry(2)->Rect.center(), Qt::NoButton);
  EXPECT_EQ(Entry(1)->State, ncsNormal);
  EXPECT_EQ(Entry(2)->State, ncsOver);
}

TEST_F(MenuTest, AnEntryWithoutSubitemsFiresAtOnce) {
  ASSERT_NE(ShowMenuForm(), nullptr);
  PressEntry(2);
  EXPECT_EQ(OpenMenu(), nullptr);
  EXPECT_EQ(fired_, QStringList{QStringLiteral("&Help")});
  Mouse(form_, QEvent::MouseButtonRelease, Entry(2)->Rect.center());
  EXPECT_EQ(Entry(2)->State, ncsOver);
  EXPECT_FALSE(frame_->TrackingMenu());
}

TEST_F(MenuTest, APressOpensTheMenuAtTheEntrysBottomLeftWithItsFirstItemLit) {
  ASSERT_NE(ShowMenuForm(), nullptr);
  PressEntry(0);
  ASSERT_EQ(OpenMenu(), file_);
  EXPECT_EQ(file_->pos(), form_->mapToGlobal(QPoint(Entry(0)->Rect.left(), 39)));
  EXPECT_EQ(file_->activeAction(), open_);
  EXPECT_EQ(Entry(0)->State, ncsPressed);
  EXPECT_TRUE(frame_->TrackingMenu());
  EXPECT_TRUE(Bar()->MenuOpen());
  EXPECT_EQ(skin::TSkinManage::Instance()->MenuSource(), skin::msPopup);
  // The submenu draws its items from the skin.
  EXPECT_NE(skin::MenuStyleOf(file_), nullptr);
  EXPECT_EQ(skin::MenuStyleOf(edit_), nullptr);  // hooked when it opens
  // Enter runs the lit item.
  Key(file_, Qt::Key_Return);
  EXPECT_EQ(OpenMenu(), nullptr);
  EXPECT_EQ(fired_, QStringList{QStringLiteral("&Open")});
  EXPECT_FALSE(frame_->TrackingMenu());
  EXPECT_FALSE(skin::TMenuLoop::Instance().Running());
}

TEST_F(MenuTest, RightOnAPlainItemSwitchesOnAndWrapsLeftGoesBack) {
  ASSERT_NE(ShowMenuForm(), nullptr);
  PressEntry(0);
  ASSERT_EQ(OpenMenu(), file_);
  Key(file_, Qt::Key_Right);
  // Edit opens; its leading separator is gone, so Copy is lit first.
  ASSERT_EQ(OpenMenu(), edit_);
  EXPECT_FALSE(file_->isVisible());
  EXPECT_EQ(edit_->activeAction(), copy_);
  EXPECT_NE(skin::MenuStyleOf(more_), nullptr);  // with its submenus
  EXPECT_EQ(Entry(1)->State, ncsPressed);
  EXPECT_EQ(Entry(0)->State, ncsNormal);
  // Help has no menu and Last is hidden: Right on the last menu wraps to File.
  Key(edit_, Qt::Key_Right);
  ASSERT_EQ(OpenMenu(), file_);
  Key(file_, Qt::Key_Left);
  ASSERT_EQ(OpenMenu(), edit_);
  EXPECT_TRUE(frame_->TrackingMenu());
  EXPECT_TRUE(fired_.isEmpty());
}

TEST_F(MenuTest, RightOnASubmenuOpensItAndLeftInsideItOnlyClosesIt) {
  ASSERT_NE(ShowMenuForm(), nullptr);
  PressEntry(1);
  ASSERT_EQ(OpenMenu(), edit_);
  Key(edit_, Qt::Key_Down);  // More
  ASSERT_EQ(edit_->activeAction(), more_->menuAction());
  Key(edit_, Qt::Key_Right);
  ASSERT_EQ(OpenMenu(), more_);
  Key(more_, Qt::Key_Left);  // back to Edit, no switch
  EXPECT_EQ(OpenMenu(), edit_);
  Key(edit_, Qt::Key_Right);
  ASSERT_EQ(OpenMenu(), more_);
  Key(more_, Qt::Key_Right);  // Deep has no submenu: the next bar menu
  EXPECT_EQ(OpenMenu(), file_);
  EXPECT_FALSE(more_->isVisible());
  EXPECT_FALSE(edit_->isVisible());
}

TEST_F(MenuTest, TheSubmenusLeadingSeparatorIsHiddenAndShownAgainWhenItemsPrecedeIt) {
  ASSERT_NE(ShowMenuForm(), nullptr);
  QAction* leading = edit_->actions().first();
  ASSERT_TRUE(leading->isSeparator());
  PressEntry(1);
  ASSERT_EQ(OpenMenu(), edit_);
  EXPECT_FALSE(leading->isVisible());
  EXPECT_TRUE(file_->actions()[1]->isVisible());  // File's separator stands between items
  Key(edit_, Qt::Key_Escape);
  Key(form_, Qt::Key_Escape);
  // An item put before it: the separator stands between items again.
  QAction* paste = new QAction(QStringLiteral("Paste"), edit_);
  edit_->insertAction(leading, paste);
  PressEntry(1);
  ASSERT_EQ(OpenMenu(), edit_);
  EXPECT_TRUE(leading->isVisible());
  EXPECT_EQ(edit_->activeAction(), paste);
}

TEST_F(MenuTest, ThePointerOverAnotherEntrySwitchesButNeverOntoOneWithoutAMenu) {
  ASSERT_NE(ShowMenuForm(), nullptr);
  PressEntry(0);
  ASSERT_EQ(OpenMenu(), file_);
  auto moveTo = [this](QMenu* menu, QPoint windowPoint) {
    const QPoint g = form_->mapToGlobal(windowPoint);
    QMouseEvent e(QEvent::MouseMove, QPointF(menu->mapFromGlobal(g)), QPointF(g), Qt::NoButton, Qt::NoButton,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(menu, &e);
    Settle();
  };
  moveTo(file_, Entry(2)->Rect.center());  // Help: running it by hovering would be wrong
  EXPECT_EQ(OpenMenu(), file_);
  EXPECT_TRUE(fired_.isEmpty());
  moveTo(file_, Entry(1)->Rect.center());
  ASSERT_EQ(OpenMenu(), edit_);
  moveTo(edit_, Entry(1)->Rect.center() + QPoint(1, 0));  // the open entry itself
  EXPECT_EQ(OpenMenu(), edit_);
  moveTo(edit_, Entry(0)->Rect.center());
  EXPECT_EQ(OpenMenu(), file_);
}

TEST_F(MenuTest, EscapeClosesTheMenuAndLeavesTheEntrySelectedForTheKeys) {
  ASSERT_NE(ShowMenuForm(), nullptr);
  PressEntry(1);
  ASSERT_EQ(OpenMenu(), edit_);
  Key(edit_, Qt::Key_Escape);
  EXPECT_EQ(OpenMenu(), nullptr);
  EXPECT_EQ(Bar()->KeyboardIndex(), 1);
  EXPECT_EQ(Entry(1)->State, ncsOver);
  Key(form_, Qt::Key_Left);
  EXPECT_EQ(Bar()->KeyboardIndex(), 0);
  EXPECT_EQ(Entry(1)->State, ncsNormal);
  Key(form_, Qt::Key_Escape);
  EXPECT_EQ(Bar()->KeyboardIndex(), -1);
  EXPECT_EQ(Entry(0)->State, ncsNormal);
}

TEST_F(MenuTest, AltAloneSelectsTheFirstEntryAndTheArrowsAndEnterWorkTheBar) {
  ASSERT_NE(ShowMenuForm(), nullptr);
  QTest::keyPress(client_, Qt::Key_Alt, Qt::AltModifier);
  QTest::keyRelease(client_, Qt::Key_Alt, Qt::NoModifier);
  Settle();
  EXPECT_EQ(Bar()->KeyboardIndex(), 0);
  EXPECT_EQ(Entry(0)->State, ncsOver);
  // Left from the first wraps to the last visible entry (Help; Last is hidden).
  Key(form_, Qt::Key_Left);
  EXPECT_EQ(Bar()->KeyboardIndex(), 2);
  Key(form_, Qt::Key_Right);
  EXPECT_EQ(Bar()->KeyboardIndex(), 0);
  Key(form_, Qt::Key_Right);
  Key(form_, Qt::Key_Return);
  ASSERT_EQ(OpenMenu(), edit_);
  EXPECT_EQ(edit_->activeAction(), copy_);
  Key(edit_, Qt::Key_Return);
  EXPECT_EQ(fired_, QStringList{QStringLiteral("&Copy")});
  // Alt with another key in between selects nothing.
  QTest::keyPress(client_, Qt::Key_Alt, Qt::AltModifier);
  QTest::keyClick(client_, Qt::Key_Z, Qt::AltModifier);
  QTest::keyRelease(client_, Qt::Key_Alt, Qt::NoModifier);
  Settle();
  EXPECT_EQ(Bar()->KeyboardIndex(), -1);
  EXPECT_EQ(OpenMenu(), nullptr);
}

TEST_F(MenuTest, AltLetterOpensTheEntryWithThatAccelerator) {
  ASSERT_NE(ShowMenuForm(), nullptr);
  EXPECT_TRUE(Bar()->IsAccelerator(QChar(u'e')));
  EXPECT_TRUE(Bar()->IsAccelerator(QChar(u'E')));
  EXPECT_FALSE(Bar()->IsAccelerator(QChar(u'x')));  // Exit's is inside a menu
  Key(client_, Qt::Key_E, Qt::AltModifier);
  ASSERT_EQ(OpenMenu(), edit_);
  EXPECT_EQ(Entry(1)->State, ncsPressed);
  Key(edit_, Qt::Key_Escape);
  Key(form_, Qt::Key_Escape);
  // An entry without a menu fires.
  Key(client_, Qt::Key_H, Qt::AltModifier);
  EXPECT_EQ(fired_, QStringList{QStringLiteral("&Help")});
  // A letter that is no accelerator does nothing.
  Key(client_, Qt::Key_Q, Qt::AltModifier);
  EXPECT_EQ(OpenMenu(), nullptr);
}

TEST_F(MenuTest, TheHiddenBarsShortcutsKeepWorking) {
  ASSERT_NE(ShowMenuForm(), nullptr);
  EXPECT_TRUE(form_->actions().contains(open_));
  EXPECT_FALSE(form_->actions().contains(exit_));  // no shortcut, nothing to hold
  Key(client_, Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(fired_, QStringList{QStringLiteral("&Open")});
  // A shortcut given later, deep inside, is held too.
  deep_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
  Settle();
  Key(client_, Qt::Key_D, Qt::ControlModifier);
  EXPECT_EQ(fired_.size(), 2);
  EXPECT_EQ(fired_.last(), QStringLiteral("Deep"));
}

TEST_F(MenuTest, AMenuAddedLaterJoinsTheBar) {
  ASSERT_NE(ShowMenuForm(), nullptr);
  QMenu* reading = new QMenu(QStringLiteral("阅读"), form_->Menu());
  reading->addAction(QStringLiteral("竖排阅读"));
  form_->Menu()->insertMenu(help_, reading);
  Settle();
  form_->grab();
  ASSERT_EQ(Bar()->Items().size(), 5u);
  EXPECT_EQ(Entry(2)->Caption, QStringLiteral("阅读"));
  EXPECT_EQ(Entry(2)->Rect.left(), Entry(1)->Rect.right() + 1);
  EXPECT_EQ(Entry(3)->Rect.left(), Entry(2)->Rect.right() + 1);
  // Hiding an entry closes the gap.
  reading->menuAction()->setVisible(false);
  Settle();
  form_->grab();
  EXPECT_EQ(Entry(3)->Rect.left(), Entry(1)->Rect.right() + 1);
  // With MenuUpdate off the bar stays as it was.
  data_->SetMenuUpdate(false);
  form_->Menu()->addMenu(QStringLiteral("More"))->addAction(QStringLiteral("y"));
  Settle();
  EXPECT_EQ(Bar()->Items().size(), 5u);
}

TEST_F(MenuTest, SwitchingOffGivesTheWindowItsMenuBack) {
  NewMenuForm();
  const QSize before = form_->size();
  const int barHeight = form_->Menu()->heightForWidth(400);
  ASSERT_NE(ShowMenuForm(), nullptr);
  PressEntry(0);
  Key(file_, Qt::Key_Escape);
  Key(form_, Qt::Key_Escape);
  const QStyle* own = file_->style();
  ASSERT_EQ(own, skin::MenuStyleOf(file_));
  Manager().SetStarted(1);
  data_->SetActive(false);
  Manager().RunAction();
  Settle();
  EXPECT_EQ(FrameOf(form_), nullptr);
  EXPECT_FALSE(form_->Menu()->isHidden());
  EXPECT_EQ(form_->size(), before);
  EXPECT_EQ(client_->size(), QSize(400, 300 - barHeight));
  EXPECT_FALSE(form_->actions().contains(open_));
  EXPECT_EQ(skin::MenuStyleOf(file_), nullptr);
  EXPECT_NE(file_->style(), own);
  EXPECT_EQ(file_->style(), QApplication::style());
  EXPECT_FALSE(file_->testAttribute(Qt::WA_SetFont));
}

TEST_F(MenuTest, ASkinSwitchRepaintsTheBarAndRemeasuresTheMenus) {
  ASSERT_NE(ShowMenuForm(), nullptr);
  PressEntry(0);
  ASSERT_EQ(OpenMenu(), file_);
  const int width = file_->width();
  Key(file_, Qt::Key_Escape);
  Key(form_, Qt::Key_Escape);
  // The new skin: MenuItem's left margin 3 -> 9 and another bar.
  ASSERT_TRUE(data_->LoadSkin());
  menutest::AddMenuElements(data_->Elements(), true, true, true);
  data_->Elements().MenuItem->Margins.Left = 9;
  data_->Elements().MenuBar = menutest::MenuBarElement(5, 1, 0);
  data_->RequestReskin();
  Manager().RunAction();
  Settle();
  form_->grab();
  EXPECT_EQ(Entry(0)->Rect.left(), 4 + 5 + 4);
  PressEntry(0);
  ASSERT_EQ(OpenMenu(), file_);
  EXPECT_EQ(file_->width(), width + 6);
}

}  // namespace

namespace {

TEST_F(MenuTest, TheMergingBuildShowsEveryEntryWithItsCaptionCut) {
  NewMenuForm();
  const QString longCaption = QStringLiteral("L") + QString(90, u'o');
  QMenu* wide = form_->Menu()->addMenu(longCaption);
  wide->addAction(QStringLiteral("z"));
  ASSERT_NE(ShowMenuForm(), nullptr);
  Bar()->BuildMenuBarMerged();
  ASSERT_EQ(Bar()->Items().size(), 5u);
  EXPECT_TRUE(Entry(3)->Visible);  // the hidden Last too
  EXPECT_EQ(Entry(4)->Caption.size(), 80);
  EXPECT_EQ(Entry(4)->Submenu, wide);
  // The plain build reads the form's entries as they are.
  Bar()->BuildMenuBar();
  EXPECT_FALSE(Entry(3)->Visible);
  EXPECT_EQ(Entry(4)->Caption, longCaption);
}

TEST_F(MenuTest, TheBuildFromAnotherMenuTakesTheFormsEntriesItShares) {
  ASSERT_NE(ShowMenuForm(), nullptr);
  QMenuBar other;
  other.addAction(file_->menuAction());  // shared with the form
  QMenu* own = other.addMenu(QStringLiteral("&Own"));
  own->addAction(QStringLiteral("o"));
  file_->menuAction()->setEnabled(false);
  Bar()->BuildMenuBarFromHandle(&other);
  form_->grab();
  ASSERT_EQ(Bar()->Items().size(), 2u);
  EXPECT_EQ(Entry(0)->Item, file_->menuAction());
  EXPECT_EQ(Entry(0)->Caption, QStringLiteral("&File"));
  EXPECT_FALSE(Entry(0)->Enabled);
  EXPECT_EQ(Entry(1)->Item, nullptr);
  EXPECT_EQ(Entry(1)->Submenu, own);
  // A disabled entry with a menu opens nothing.
  PressEntry(0);
  EXPECT_EQ(OpenMenu(), nullptr);
  EXPECT_FALSE(frame_->TrackingMenu());
}

}  // namespace

namespace {

TEST_F(MenuTest, RightToLeftBarsRunFromTheRightAndExchangeTheArrows) {
  NewMenuForm();
  form_->setLayoutDirection(Qt::RightToLeft);
  ASSERT_NE(ShowMenuForm(), nullptr);
  ASSERT_TRUE(frame_->RightToLeft());
  // The bar spans x 4 ... 403; TileRightMenu 1: the first entry ends at 403 - 9 + 1.
  EXPECT_EQ(Entry(0)->Rect.right() + 1, 4 + 400 - 9);
  EXPECT_EQ(Entry(1)->Rect.right() + 1, Entry(0)->Rect.left());
  PressEntry(0);
  ASSERT_EQ(OpenMenu(), file_);
  // Left is Right here: on Open (no submenu) it moves to the next bar menu.
  Key(file_, Qt::Key_Left);
  ASSERT_EQ(OpenMenu(), edit_);
  Key(edit_, Qt::Key_Right);  // Left: back to File
  EXPECT_EQ(OpenMenu(), file_);
}

}  // namespace
