// What the faster paths of the main window must keep: sorting by keys made once
// per sort orders and compares exactly as comparing the texts pair by pair, and
// the text pane shows what a clear-and-add would show, however often a row's
// notifications repeat and whatever the reader did to the pane in between.
#include <gtest/gtest.h>

#include <QTest>
#include <QTextCursor>

#include "app/ColumnSort.h"
#include "app/MainForm.h"
#include "controls/outbar/OutBarVertListView.h"
#include "controls/outbar/VertListItem.h"
#include "tests/app/Reading.h"
#include "toolkit/Panel.h"
#include "toolkit/StdCtrls.h"

namespace {

TEST(ColumnSortKeys, KeysCompareAsTheirTextsDo) {
  // Latin letters of both cases, a prefix, a NUL inside a text, a character
  // outside GBK (four GB18030 bytes, the first above 0x80), empty texts and
  // bytes above 0x80.
  const QStringList texts = {QStringLiteral("abc"), QStringLiteral("ABD"), QStringLiteral("ab"), QString(),
                             QStringLiteral("杜甫"), QStringLiteral("李白"), QString::fromUtf16(u"a\u0000z", 3),
                             QString::fromUtf16(u"a\u0000y", 3), QStringLiteral("𠀀诗"), QStringLiteral("?诗"),
                             QStringLiteral("_"), QStringLiteral("Z"), QStringLiteral("12 篇"), QStringLiteral("9 篇"),
                             // Around the 8 bytes kept beside each key: equal up to the cut and
                             // differing at byte 7, 8 or 9 (in either case), or longer by one.
                             QStringLiteral("abcdefgh"), QStringLiteral("ABCDEFGI"), QStringLiteral("abcdefghi"),
                             QStringLiteral("ABCDEFGHJ"), QStringLiteral("abcdefghij"), QStringLiteral("abcdefgHiK"),
                             QStringLiteral("杜甫李白"), QStringLiteral("杜甫李白诗"), QStringLiteral("杜甫李"),
                             QStringLiteral("abcdefg"), QString::fromUtf16(u"abcdefg\u0000", 8),
                             QString::fromUtf16(u"abcdefg\u0000\u0000x", 10)};
  const app::ColumnSortKeys keys(texts);
  ASSERT_EQ(keys.Count(), texts.size());
  for (int i = 0; i < texts.size(); ++i)
    for (int j = 0; j < texts.size(); ++j) {
      const int byTexts = app::CompareColumnTexts(texts[i], texts[j]);
      EXPECT_EQ(app::ColumnSortKeys::Compare(keys.Key(i), keys.Key(j)), byTexts) << i << " " << j;
      EXPECT_EQ(keys.Compare(i, j), byTexts) << i << " " << j;
    }
  EXPECT_EQ(keys.Key(6).size(), 3u);  // the NUL is part of the key
  EXPECT_GT(app::CompareColumnTexts(QString::fromUtf16(u"a\u0000z", 3), QString::fromUtf16(u"a\u0000y", 3)), 0);
  // 𠀀 is 95 32 82 36 in GB18030: it sorts after "?" and before 诗 (CA AB).
  EXPECT_GT(app::CompareColumnTexts(QStringLiteral("𠀀诗"), QStringLiteral("?诗")), 0);
  EXPECT_LT(app::CompareColumnTexts(QStringLiteral("𠀀"), QStringLiteral("诗")), 0);
  EXPECT_EQ(app::ColumnSortKeys(QStringList()).Count(), 0);
}

class RowDisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<app::TForm1>();
    form->DoCreate();
    for (int i = 0; i < form->DCOutBarVertListView1->ItemCount(); ++i)
      if (form->DCOutBarVertListView1->Item(i)->Caption() == QStringLiteral("李白")) form->DCOutBarVertListView1->SetItemIndex(i);
    form->DCOutBarVertListView1ButtonClick(nullptr, nullptr);
    ASSERT_EQ(form->ListView1->Items().Count(), 3);
  }
  QString Pane() const { return form->Memo1->Lines().Text(); }

  ReadingFixture fixture;
  std::unique_ptr<app::TForm1> form;
};

TEST_F(RowDisplayTest, ARepeatedRowRestoresWhatTheReaderChangedInThePane) {
  form->ListView1->SetItemIndex(2);
  ASSERT_EQ(Pane(), QStringLiteral("乙诗\r\n"));
  // The reader types into the pane and selects a word.
  form->Memo1->moveCursor(QTextCursor::Start);
  form->Memo1->insertPlainText(QStringLiteral("注"));
  form->ListView1Click();
  EXPECT_EQ(Pane(), QStringLiteral("乙诗\r\n"));
  QTextCursor c = form->Memo1->textCursor();
  c.setPosition(0);
  c.setPosition(1, QTextCursor::KeepAnchor);
  form->Memo1->setTextCursor(c);
  form->ListView1Click();
  // As after clearing and adding: nothing selected, the caret after the text.
  EXPECT_FALSE(form->Memo1->textCursor().hasSelection());
  EXPECT_TRUE(form->Memo1->textCursor().atEnd());
  // Another row and back again: each shows its own text.
  form->ListView1->SetItemIndex(1);
  EXPECT_EQ(Pane(), QStringLiteral("甲诗\r\n"));
  form->ListView1->SetItemIndex(2);
  EXPECT_EQ(Pane(), QStringLiteral("乙诗\r\n"));
  // Text put in the pane by other means is replaced too.
  form->Memo1->Lines().SetText(QStringLiteral("乙诗"));
  form->ListView1Click();
  EXPECT_EQ(Pane(), QStringLiteral("乙诗\r\n"));
}

TEST_F(RowDisplayTest, ARangeSelectionShowsTheFirstRowAndTheSortKeepsEveryRowsRecord) {
  form->ListView1->setFocus();
  form->ListView1->SetItemIndex(0);
  ASSERT_EQ(form->Panel4->Caption(), QStringLiteral(" 作品名称：静夜思   作家：李白"));
  // The reader selects a word of the shown poem; the range's first report
  // shows the row again as a refill would, though the row is the one shown.
  QTextCursor word = form->Memo1->textCursor();
  word.setPosition(2);
  word.setPosition(4, QTextCursor::KeepAnchor);
  form->Memo1->setTextCursor(word);
  QTest::keyClick(form->ListView1, Qt::Key_End, Qt::ShiftModifier);
  EXPECT_EQ(form->ListView1->SelCount(), 3);
  EXPECT_EQ(Pane(), QStringLiteral("床前明月光，疑是地上霜。\r\n举头望明月，低头思故乡。\r\n"));
  EXPECT_FALSE(form->Memo1->textCursor().hasSelection());
  EXPECT_TRUE(form->Memo1->textCursor().atEnd());
  // Sorted by first line, descending first: 同一句 (CDAC) rows before 床前明月光 (B4B2).
  form->ListView1ColumnClick(2);
  EXPECT_EQ(form->ListView1->Items().Item(2)->Caption(), QStringLiteral("静夜思"));
  form->ListView1->SetItemIndex(1);
  const QString second = Pane();
  form->ListView1->SetItemIndex(0);
  EXPECT_NE(Pane(), second);  // rows with the same first line still show their own poems
  EXPECT_TRUE(Pane() == QStringLiteral("甲诗\r\n") || Pane() == QStringLiteral("乙诗\r\n"));
}

}  // namespace
