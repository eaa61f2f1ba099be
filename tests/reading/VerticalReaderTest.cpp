// The vertical reading window: it shows the pane's record, follows the main
// window, honours traditional script, turns pages by keys and buttons and
// changes its size with Ctrl+plus and Ctrl+minus.
#include <gtest/gtest.h>

#include "app/reading/VerticalReader.h"
#include "tests/reading/ReadingForm.h"
#include "toolkit/Panel.h"

using reading::TVerticalReader;
using reading_test::ReadingForm;

namespace {

QString Body(const TVerticalReader& reader) {
  QString s;
  for (const reading::VerticalPage& page : reader.Pages())
    for (const reading::PlacedGlyph& g : page.glyphs)
      if (g.part == reading::PlacedGlyph::kBody) s += g.text;
  return s;
}

}  // namespace

TEST(VerticalReaderTest, ShowsThePanesRecordAndFollowsTheMainWindow) {
  ReadingForm r;
  r.ChooseAuthor(QStringLiteral("李白"));
  r.SelectPoem(QStringLiteral("静夜思"));
  r.Extras().VerticalItemClick();
  TVerticalReader* reader = r.Extras().VerticalReader();
  ASSERT_NE(reader, nullptr);
  EXPECT_TRUE(reader->isVisible());
  EXPECT_EQ(reader->Caption(), QStringLiteral("竖排阅读"));
  EXPECT_EQ(reader->Text().title, QStringLiteral("静夜思"));
  EXPECT_EQ(reader->Text().byline, QStringLiteral("李白"));
  EXPECT_EQ(Body(*reader), QStringLiteral("床前明月光，疑是地上霜。举头望明月，低头思故乡。"));
  // The text pane's face.
  EXPECT_EQ(reader->Face().family(), r.form->Memo1->font().family());

  // Another poem, then an author's biography from the author table.
  r.SelectPoem(QStringLiteral("同句乙"));
  QCoreApplication::processEvents();
  EXPECT_EQ(reader->Text().title, QStringLiteral("同句乙"));
  EXPECT_EQ(Body(*reader), QStringLiteral("乙诗"));
  r.ChooseEra(QStringLiteral("唐代"));
  r.form->ListView2->SetSelected(r.form->ListView2->Items().Item(1));
  QCoreApplication::processEvents();
  EXPECT_EQ(reader->Text().title, QStringLiteral("杜甫"));
  EXPECT_EQ(reader->Text().byline, QStringLiteral("712—770"));
  EXPECT_EQ(Body(*reader), QStringLiteral("杜甫传"));
  // A pane the reader empties shows no record any more.
  r.form->Memo1->clear();
  QCoreApplication::processEvents();
  EXPECT_TRUE(reader->Text().title.isEmpty());
  EXPECT_TRUE(reader->Pages()[0].glyphs.isEmpty());
}

TEST(VerticalReaderTest, HonoursTraditionalScriptBothWays) {
  ReadingForm r;
  r.ChooseAuthor(QStringLiteral("李白"));
  r.SelectPoem(QStringLiteral("静夜思"));
  r.Extras().VerticalItemClick();
  TVerticalReader* reader = r.Extras().VerticalReader();
  r.Traditional(true);
  EXPECT_EQ(reader->Text().title, QStringLiteral("靜夜思"));
  EXPECT_EQ(Body(*reader), QStringLiteral("牀前明月光，疑是地上霜。舉頭望明月，低頭思故鄉。"));
  r.Traditional(false);
  EXPECT_EQ(reader->Text().title, QStringLiteral("静夜思"));
  EXPECT_EQ(Body(*reader), QStringLiteral("床前明月光，疑是地上霜。举头望明月，低头思故乡。"));
}

TEST(VerticalReaderTest, PagesTurnByKeysAndButtons) {
  ReadingForm r;
  r.ChooseAuthor(QStringLiteral("杜甫"));
  r.SelectPoem(QStringLiteral("长歌"));
  r.Extras().VerticalItemClick();
  TVerticalReader* reader = r.Extras().VerticalReader();
  reader->resize(500, 420);
  const int count = reader->PageCount();
  ASSERT_GE(count, 3);
  EXPECT_EQ(reader->PageIndex(), 0);
  EXPECT_EQ(reader->PageLabel->Caption(), QStringLiteral("第 1 / %1 页").arg(count));
  EXPECT_FALSE(reader->PreviousButton->isEnabled());
  EXPECT_TRUE(reader->NextButton->isEnabled());
  QWidget* page = reader->PageView();
  QTest::keyClick(page, Qt::Key_PageDown);
  EXPECT_EQ(reader->PageIndex(), 1);
  QTest::keyClick(page, Qt::Key_Left);  // vertical pages turn to the left
  EXPECT_EQ(reader->PageIndex(), 2);
  QTest::keyClick(page, Qt::Key_Right);
  EXPECT_EQ(reader->PageIndex(), 1);
  QTest::keyClick(page, Qt::Key_Space);
  QTest::keyClick(page, Qt::Key_PageUp);
  EXPECT_EQ(reader->PageIndex(), 1);
  QTest::keyClick(page, Qt::Key_End);
  EXPECT_EQ(reader->PageIndex(), count - 1);
  EXPECT_FALSE(reader->NextButton->isEnabled());
  QTest::keyClick(page, Qt::Key_PageDown);  // no page after the last
  EXPECT_EQ(reader->PageIndex(), count - 1);
  EXPECT_EQ(reader->PageLabel->Caption(), QStringLiteral("第 %1 / %1 页").arg(count));
  QTest::keyClick(page, Qt::Key_Home);
  EXPECT_EQ(reader->PageIndex(), 0);
  QTest::mouseClick(reader->NextButton, Qt::LeftButton);
  EXPECT_EQ(reader->PageIndex(), 1);
  QTest::mouseClick(reader->PreviousButton, Qt::LeftButton);
  EXPECT_EQ(reader->PageIndex(), 0);
  // Every character of the poem is on some page, once.
  int glyphs = 0;
  for (const auto& p : reader->Pages()) glyphs += static_cast<int>(p.glyphs.size());
  EXPECT_EQ(glyphs, 2 + 2 + (9 * 8 + 31 * 9));  // title, byline, 9 lines of 8 characters and 31 of 9
}

TEST(VerticalReaderTest, CtrlPlusAndCtrlMinusChangeTheSizeWithinItsBounds) {
  ReadingForm r;
  r.ChooseAuthor(QStringLiteral("杜甫"));
  r.SelectPoem(QStringLiteral("长歌"));
  r.Extras().VerticalItemClick();
  TVerticalReader* reader = r.Extras().VerticalReader();
  QWidget* page = reader->PageView();
  const int start = reader->Cell();
  const int pagesBefore = reader->PageCount();
  QTest::keyClick(page, Qt::Key_Plus, Qt::ControlModifier);
  EXPECT_EQ(reader->Cell(), start + TVerticalReader::kCellStep);
  EXPECT_GT(reader->PageCount(), pagesBefore);  // bigger characters, more pages
  QTest::keyClick(page, Qt::Key_Equal, Qt::ControlModifier);  // the same key without Shift
  EXPECT_EQ(reader->Cell(), start + 2 * TVerticalReader::kCellStep);
  QTest::keyClick(page, Qt::Key_Minus, Qt::ControlModifier);
  EXPECT_EQ(reader->Cell(), start + TVerticalReader::kCellStep);
  QTest::keyClick(page, Qt::Key_Plus);  // without Ctrl: nothing
  EXPECT_EQ(reader->Cell(), start + TVerticalReader::kCellStep);
  for (int i = 0; i < 40; ++i) QTest::keyClick(page, Qt::Key_Minus, Qt::ControlModifier);
  EXPECT_EQ(reader->Cell(), TVerticalReader::kMinCell);
  for (int i = 0; i < 40; ++i) QTest::keyClick(page, Qt::Key_Plus, Qt::ControlModifier);
  EXPECT_EQ(reader->Cell(), TVerticalReader::kMaxCell);
  // A size change keeps the reader on the page holding what was shown first.
  reader->SetCell(24);
  reader->SetPageIndex(2);
  const QString firstShown = reader->Pages()[2].glyphs.first().text;
  reader->SetCell(28);
  bool found = false;
  for (const auto& g : reader->Pages()[reader->PageIndex()].glyphs) found = found || g.text == firstShown;
  EXPECT_TRUE(found);
  EXPECT_GT(reader->PageIndex(), 0);
}

TEST(VerticalReaderTest, PrintingTurnsVerticalWhileTheWindowIsOpen) {
  ReadingForm r;
  EXPECT_EQ(r.Extras().Direction(), reading::PrintDirection::Horizontal);
  r.Extras().VerticalItemClick();
  EXPECT_EQ(r.Extras().Direction(), reading::PrintDirection::Vertical);
  r.Extras().VerticalReader()->close();
  EXPECT_EQ(r.Extras().Direction(), reading::PrintDirection::Horizontal);
  // Opened again, it is the same window with the pane's text.
  TVerticalReader* first = r.Extras().VerticalReader();
  r.Extras().VerticalItemClick();
  EXPECT_EQ(r.Extras().VerticalReader(), first);
  EXPECT_EQ(Body(*first), QStringLiteral("选择相应的朝代或者作者进入。"));
}
