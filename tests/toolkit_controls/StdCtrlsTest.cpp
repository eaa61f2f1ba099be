// The plain controls: memo lines and their CR LF text, label events and
// painting, edit clicks, combo box selection versus typed text, buttons and
// check boxes with their handlers.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QScrollBar>
#include <QTest>

#include "tests/support/TestSupport.h"
#include "toolkit/Exception.h"
#include "toolkit/StdCtrls.h"

using namespace toolkit;

namespace {

TEST(MemoLines, AddedLinesEndInCrLfAndCountIgnoresTheEmptyTail) {
  TMemo memo;
  EXPECT_EQ(memo.Lines().Count(), 0);
  memo.Lines().Add(QStringLiteral("选择相应的朝代或者作者进入。"));
  EXPECT_EQ(memo.Lines().Text(), QStringLiteral("选择相应的朝代或者作者进入。\r\n"));
  EXPECT_EQ(memo.Lines().Count(), 1);
  memo.Lines().Add(QStringLiteral("b"));
  EXPECT_EQ(memo.Text(), QStringLiteral("选择相应的朝代或者作者进入。\r\nb\r\n"));
  EXPECT_EQ(memo.Lines().Count(), 2);
  EXPECT_EQ(memo.Lines()[1], QStringLiteral("b"));
  EXPECT_THROW(memo.Lines().Strings(2), EInvalidOperation);
}

TEST(MemoLines, AnEmptyFieldGivesOneEmptyLine) {
  TMemo memo;
  memo.Lines().Add(QString());
  EXPECT_EQ(memo.Text(), QStringLiteral("\r\n"));
  EXPECT_EQ(memo.Lines().Count(), 1);
  EXPECT_EQ(memo.Lines()[0], QString());
}

TEST(MemoLines, LineBreaksOfAnyKindReadBackAsCrLf) {
  TMemo memo;
  memo.Lines().Add(QStringLiteral("床前明月光，\r\n疑是地上霜。\n举头望明月，\r低头思故乡。"));
  EXPECT_EQ(memo.Lines().Count(), 4);
  EXPECT_EQ(memo.Lines()[3], QStringLiteral("低头思故乡。"));
  EXPECT_EQ(memo.Text(), QStringLiteral("床前明月光，\r\n疑是地上霜。\r\n举头望明月，\r\n低头思故乡。\r\n"));
  EXPECT_FALSE(memo.Text().contains(QRegularExpression(QStringLiteral("[^\\r]\\n"))));
}

TEST(MemoLines, TextWithoutFinalBreakSetInsertDeleteAndClear) {
  TMemo memo;
  memo.Lines().SetText(QStringLiteral("x\ny\r\nz"));
  EXPECT_EQ(memo.Text(), QStringLiteral("x\r\ny\r\nz"));
  EXPECT_EQ(memo.Lines().Count(), 3);
  memo.Lines().Add(QStringLiteral("w"));  // breaks the last line first
  EXPECT_EQ(memo.Text(), QStringLiteral("x\r\ny\r\nz\r\nw"));
  memo.Lines().Insert(0, QStringLiteral("top"));
  EXPECT_EQ(memo.Lines()[0], QStringLiteral("top"));
  memo.Lines().Delete(1);
  EXPECT_EQ(memo.Text(), QStringLiteral("top\r\ny\r\nz\r\nw"));
  EXPECT_THROW(memo.Lines().Insert(9, QStringLiteral("far")), EInvalidOperation);
  memo.Lines().Clear();
  EXPECT_EQ(memo.Text(), QString());
  EXPECT_EQ(memo.Lines().Count(), 0);
}

TEST(MemoView, AddingLeavesTheViewAtTheEndUntilScrolledToTop) {
  TMemo memo;
  memo.SetScrollBars(ssVertical);
  memo.resize(200, 80);
  memo.show();
  EXPECT_TRUE(memo.verticalScrollBar()->isVisible());  // shown even with nothing to scroll
  QString poem;
  for (int i = 0; i < 40; ++i) poem += QStringLiteral("第%1行\r\n").arg(i);
  memo.Lines().Add(poem);
  QCoreApplication::processEvents();
  EXPECT_GT(memo.verticalScrollBar()->value(), 0);
  memo.ScrollToTop();
  EXPECT_EQ(memo.verticalScrollBar()->value(), 0);
}

// Tab and Shift+Tab leave a memo for the next and previous control; a memo
// that wants tabs types them instead.
// Marks over the shown text: the current one in the highlight colours with the
// caret after it, the others tinted; stretches outside the text are left out,
// and a new text takes every mark away.
TEST(MemoHighlights, MarkStretchesOfTheTextAndGoWithANewText) {
  TMemo memo;
  memo.resize(200, 60);
  memo.SetText(QStringLiteral("明月几时有\r\n把酒问青天明月"));
  memo.SetHighlights({{0, 2}, {11, 2}, {12, 2}, {-1, 1}, {3, 0}}, 1);
  const QList<QTextEdit::ExtraSelection> marks = memo.extraSelections();
  ASSERT_EQ(marks.size(), 2);  // {12, 2} runs past the end; the others are empty or before the start
  EXPECT_EQ(marks[0].cursor.selectedText(), QStringLiteral("明月"));
  EXPECT_EQ(marks[0].cursor.selectionStart(), 0);
  EXPECT_EQ(marks[1].cursor.selectionStart(), 11);
  EXPECT_EQ(marks[1].format.background().color(), platform::ToQColor(platform::clHighlight));
  EXPECT_EQ(marks[1].format.foreground().color(), platform::ToQColor(platform::clHighlightText));
  EXPECT_NE(marks[0].format.background().color(), platform::ToQColor(platform::clHighlight));
  EXPECT_EQ(memo.textCursor().position(), 13);
  EXPECT_EQ(memo.CurrentHighlight(), 1);
  memo.SetHighlights({{0, 2}}, 5);  // no such current one: all tinted, the caret stays
  EXPECT_EQ(memo.CurrentHighlight(), -1);
  EXPECT_EQ(memo.textCursor().position(), 13);
  memo.SetText(QStringLiteral("别的诗"));
  EXPECT_TRUE(memo.extraSelections().isEmpty());
  EXPECT_TRUE(memo.Highlights().isEmpty());
}

// Marks take the colours they are given, at once and for later marks, and
// the reader's place (caret and view) stays where it was.
TEST(MemoHighlights, TakeTheColoursGiven) {
  TMemo memo;
  memo.resize(200, 60);
  memo.SetColor(platform::RGB(18, 20, 26));
  memo.SetText(QStringLiteral("明月几时有\r\n把酒问青天明月"));
  memo.SetHighlights({{0, 2}, {11, 2}}, 1);
  const int caret = memo.textCursor().position();
  memo.SetHighlightColors(platform::RGB(70, 56, 36), platform::RGB(232, 220, 196));
  QList<QTextEdit::ExtraSelection> marks = memo.extraSelections();
  ASSERT_EQ(marks.size(), 2);
  EXPECT_EQ(marks[1].format.background().color(), QColor(70, 56, 36));
  EXPECT_EQ(marks[1].format.foreground().color(), QColor(232, 220, 196));
  // The others: a third of the mark over two thirds of the memo's colour, rounded down.
  EXPECT_EQ(marks[0].format.background().color(), QColor(35, 32, 29));
  EXPECT_EQ(memo.textCursor().position(), caret);
  memo.SetHighlights({{6, 1}}, 0);
  EXPECT_EQ(memo.extraSelections()[0].format.background().color(), QColor(70, 56, 36));
}

TEST(MemoKeys, TabMovesTheFocusUnlessTheMemoWantsTabs) {
  QWidget window;
  auto* before = new TEdit(&window);
  auto* memo = new TMemo(&window);
  auto* after = new TEdit(&window);
  before->setGeometry(0, 0, 100, 20);
  memo->setGeometry(0, 30, 200, 80);
  after->setGeometry(0, 120, 100, 20);
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  memo->SetText(QStringLiteral("床前明月光"));
  EXPECT_FALSE(memo->WantTabs());

  memo->setFocus();
  QTest::keyClick(memo, Qt::Key_Tab);
  EXPECT_TRUE(after->hasFocus());
  memo->setFocus();
  QTest::keyClick(memo, Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_TRUE(before->hasFocus());
  EXPECT_EQ(memo->Text(), QStringLiteral("床前明月光"));

  memo->SetWantTabs(true);
  memo->setFocus();
  memo->moveCursor(QTextCursor::End);
  QTest::keyClick(memo, Qt::Key_Tab);
  EXPECT_TRUE(memo->hasFocus());
  EXPECT_EQ(memo->Text(), QStringLiteral("床前明月光\t"));
}

TEST(Label, AutoSizeFollowsCaptionAndFont) {
  TLabel label;
  label.SetCaption(QStringLiteral("诗词"));
  const int narrow = label.width();
  EXPECT_EQ(label.size(), label.TextSize());
  label.SetCaption(QStringLiteral("什么是： 五言绝句 ？"));
  EXPECT_GT(label.width(), narrow);
  QFont f = label.font();
  f.setPixelSize(30);
  label.setFont(f);
  EXPECT_EQ(label.height(), QFontMetrics(f).height());
  label.SetAutoSize(false);
  label.SetCaption(QStringLiteral("x"));
  EXPECT_EQ(label.height(), QFontMetrics(f).height());
  EXPECT_GT(label.width(), label.TextSize().width());
}

TEST(Label, MouseMoveReportsPositionAndHintIsTheToolTip) {
  TLabel label;
  label.SetCaption(QStringLiteral("诗词"));
  label.show();
  std::vector<QPoint> moves;
  label.OnMouseMove = [&](Qt::KeyboardModifiers, int x, int y) {
    moves.emplace_back(x, y);
    label.SetFontColor(platform::clRed);
    label.SetHint(QStringLiteral("四句，每句五字"));
  };
  QMouseEvent move(QEvent::MouseMove, QPointF(3, 4), label.mapToGlobal(QPointF(3, 4)), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QCoreApplication::sendEvent(&label, &move);
  ASSERT_EQ(moves.size(), 1u);
  EXPECT_EQ(moves[0], QPoint(3, 4));
  EXPECT_EQ(label.FontColor(), platform::clRed);
  EXPECT_EQ(label.toolTip(), QStringLiteral("四句，每句五字"));
}

TEST(Label, OpaqueFillsItsColourTransparentShowsTheParent) {
  QWidget parent;
  parent.resize(100, 40);
  parent.setAutoFillBackground(true);
  QPalette pal = parent.palette();
  pal.setColor(QPalette::Window, QColor(243, 232, 255));
  parent.setPalette(pal);
  TLabel label(&parent);
  label.SetAutoSize(false);
  label.setGeometry(10, 10, 60, 20);
  label.SetColor(platform::RGB(10, 200, 30));
  parent.show();
  // Bottom-right corner of the label: below any text.
  EXPECT_EQ(parent.grab().toImage().pixelColor(68, 28), QColor(10, 200, 30));
  label.SetTransparent(true);
  EXPECT_EQ(parent.grab().toImage().pixelColor(68, 28), QColor(243, 232, 255));
}

TEST(Edit, ClickRunsOnClickWhichMayEmptyTheBox) {
  TEdit edit;
  edit.SetText(QStringLiteral("搜索关键字"));
  edit.show();
  int clicks = 0;
  edit.OnClick = [&] {
    ++clicks;
    edit.SetText(QString());
  };
  QTest::mouseClick(&edit, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(edit.Text(), QString());
  QTest::keyClicks(&edit, QStringLiteral("abc"));
  EXPECT_EQ(clicks, 1);  // typing is no click
  QTest::mouseClick(&edit, Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(edit.Text(), QStringLiteral("abc"));
}

TEST(ComboBox, EntriesSelectionAndTypedText) {
  TComboBox combo;
  combo.show();
  combo.Items().Add(QStringLiteral("按作品名搜索"));
  combo.Items().Add(QStringLiteral("按作者名搜索"));
  combo.Items().Add(QStringLiteral("按诗内容搜索"));
  EXPECT_EQ(combo.ItemIndex(), -1);  // adding selects nothing
  EXPECT_EQ(combo.Text(), QString());
  combo.SetItemIndex(0);
  EXPECT_EQ(combo.Text(), QStringLiteral("按作品名搜索"));
  EXPECT_EQ(combo.ItemIndex(), 0);
  int changes = 0;
  combo.OnChange = [&] { ++changes; };
  QTest::keyClicks(combo.lineEdit(), QStringLiteral("x"));
  EXPECT_EQ(combo.ItemIndex(), -1);
  EXPECT_EQ(changes, 1);
  QTest::keyClick(&combo, Qt::Key_Down);  // choosing an entry again
  EXPECT_GE(combo.ItemIndex(), 0);
  EXPECT_EQ(combo.Text(), combo.Items()[combo.ItemIndex()]);
  combo.SetItemIndex(7);
  EXPECT_EQ(combo.ItemIndex(), -1);
  EXPECT_EQ(combo.Text(), QString());
  combo.SetText(QStringLiteral("按作者名搜索"));
  combo.SetItemIndex(1);
  EXPECT_EQ(combo.ItemIndex(), 1);
  combo.SetText(QStringLiteral("other"));
  EXPECT_EQ(combo.ItemIndex(), -1);
}

TEST(ComboBox, ItemHeightSizesTheDropDownEntries) {
  TComboBox combo;
  combo.Items().Add(QStringLiteral("a"));
  combo.Items().Add(QStringLiteral("b"));
  combo.SetItemHeight(15);
  EXPECT_EQ(combo.view()->sizeHintForRow(0), 15);
  combo.SetItemHeight(24);
  EXPECT_EQ(combo.view()->sizeHintForRow(1), 24);
}

TEST(Button, ClickFromCodeAndMouseRunOnClickAndErrorsGoToTheErrorBox) {
  testing_support::DialogScript dialogs;
  TButton button;
  button.SetCaption(QStringLiteral("点击第一项"));
  int clicks = 0;
  button.OnClick = [&] { ++clicks; };
  button.Click();  // works on a button never shown
  EXPECT_EQ(clicks, 1);
  button.show();
  QTest::mouseClick(&button, Qt::LeftButton);
  EXPECT_EQ(clicks, 2);
  button.OnClick = [] { throw EConvertError("'' is not a valid integer value"); };
  button.Click();
  EXPECT_EQ(dialogs->Errors(), QStringList{QStringLiteral("'' is not a valid integer value.")});
}

TEST(CheckBox, OnClickFollowsTheReaderAndChangesFromCode) {
  TCheckBox box;
  box.SetCaption(QStringLiteral("程序启动时显示每日一贴？"));
  box.show();
  std::vector<bool> seen;
  box.OnClick = [&] { seen.push_back(box.Checked()); };
  box.SetChecked(true);
  box.SetChecked(true);  // no change, no click
  QTest::mouseClick(&box, Qt::LeftButton, Qt::NoModifier, QPoint(5, box.height() / 2));
  EXPECT_EQ(seen, (std::vector<bool>{true, false}));
  EXPECT_FALSE(box.Checked());
}

}  // namespace
