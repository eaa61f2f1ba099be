// Cell positions of the vertical setting: columns counted from the right edge,
// rows from the top, punctuation offsets, hanging marks and page breaks, for
// short, long and empty texts.
#include <gtest/gtest.h>

#include "app/reading/VerticalLayout.h"
#include "tests/support/TestSupport.h"

using reading::GlyphPlacement;
using reading::PlacedGlyph;
using reading::VerticalLayout;
using reading::VerticalMetrics;
using reading::VerticalPage;

namespace {

// Unequal margins and gaps, so that a formula mixing them up shows.
VerticalMetrics Odd() {
  VerticalMetrics m;
  m.cell = 20;
  m.rowGap = 3;
  m.columnGap = 7;
  m.margins = QMargins(11, 13, 17, 29);
  return m;
}

// The page is 300 x 200: (200 - 13 - 29 + 3) / 23 = 7 rows fill the height
// exactly, (300 - 11 - 17 + 7) / 27 = 10 columns leave 9 pixels over.
VerticalLayout OddLayout() { return VerticalLayout(QSize(300, 200), Odd()); }

QString Column(const VerticalPage& page, int column) {
  QString s;
  for (const PlacedGlyph& g : page.glyphs)
    if (g.column == column) s += g.text;
  return s;
}

const PlacedGlyph* Find(const VerticalPage& page, const QString& text, int nth = 0) {
  for (const PlacedGlyph& g : page.glyphs)
    if (g.text == text && nth-- == 0) return &g;
  return nullptr;
}

}  // namespace

TEST(VerticalLayoutTest, PagesHoldTheWholeRowsAndColumnsThatFitInsideTheMargins) {
  const VerticalLayout layout = OddLayout();
  EXPECT_EQ(layout.RowsPerColumn(), 7);
  EXPECT_EQ(layout.ColumnsPerPage(), 10);
  // One pixel less in either direction loses a row or a column only where it was exact.
  EXPECT_EQ(VerticalLayout(QSize(300, 199), Odd()).RowsPerColumn(), 6);
  EXPECT_EQ(VerticalLayout(QSize(291, 200), Odd()).ColumnsPerPage(), 10);
  EXPECT_EQ(VerticalLayout(QSize(290, 200), Odd()).ColumnsPerPage(), 9);
  // A page smaller than a cell still takes one character at a time.
  const VerticalLayout tiny(QSize(5, 5), Odd());
  EXPECT_EQ(tiny.RowsPerColumn(), 1);
  EXPECT_EQ(tiny.ColumnsPerPage(), 1);
  EXPECT_EQ(tiny.Lay({QString(), QString(), QStringLiteral("一二三")}).size(), 3);
}

TEST(VerticalLayoutTest, ColumnsRunFromTheRightEdgeAndRowsFromTheTop) {
  const VerticalLayout layout = OddLayout();
  EXPECT_EQ(layout.Cell(0, 0), QRect(263, 13, 20, 20));  // 300 - 17 - 20
  EXPECT_EQ(layout.Cell(3, 2), QRect(182, 59, 20, 20));  // 263 - 3 * 27, 13 + 2 * 23
  EXPECT_EQ(layout.Cell(9, 6), QRect(20, 151, 20, 20));  // the last whole column and row
}

TEST(VerticalLayoutTest, TitleAndBylineTakeTheirOwnColumnsAndEveryLineStartsOne) {
  const QList<VerticalPage> pages = OddLayout().Lay(
      {QStringLiteral("静夜思"), QStringLiteral("李白"), QStringLiteral("床前明月光，疑是地上霜。\r\n举头望明月，低头思故乡。\r\n")});
  ASSERT_EQ(pages.size(), 1);
  const VerticalPage& page = pages[0];
  EXPECT_EQ(page.columns, 6);
  EXPECT_EQ(Column(page, 0), QStringLiteral("静夜思"));
  EXPECT_EQ(Column(page, 1), QStringLiteral("李白"));
  EXPECT_EQ(Column(page, 2), QStringLiteral("床前明月光，疑"));
  EXPECT_EQ(Column(page, 3), QStringLiteral("是地上霜。"));
  EXPECT_EQ(Column(page, 4), QStringLiteral("举头望明月，低"));
  EXPECT_EQ(Column(page, 5), QStringLiteral("头思故乡。"));
  // The title starts at the top; the byline three rows lower.
  EXPECT_EQ(Find(page, QStringLiteral("静"))->cell, QRect(263, 13, 20, 20));
  EXPECT_EQ(Find(page, QStringLiteral("李"))->row, 3);
  EXPECT_EQ(Find(page, QStringLiteral("白"))->cell, QRect(236, 105, 20, 20));
  EXPECT_EQ(Find(page, QStringLiteral("李"))->part, PlacedGlyph::kByline);
  EXPECT_EQ(Find(page, QStringLiteral("思"))->part, PlacedGlyph::kTitle);
  EXPECT_EQ(Find(page, QStringLiteral("思"), 1)->part, PlacedGlyph::kBody);
  // Glyphs come in reading order: title, byline, then the text column by column.
  EXPECT_EQ(page.glyphs.first().text, QStringLiteral("静"));
  EXPECT_EQ(page.glyphs.last().text, QStringLiteral("。"));
  EXPECT_EQ(page.glyphs.last().column, 5);
}

TEST(VerticalLayoutTest, ABylineIsLoweredOnlyAsFarAsItStillFits) {
  // Five of seven rows: lowered by two only; seven or more: from the top, wrapping.
  const VerticalPage five = OddLayout().Lay({QStringLiteral("题"), QStringLiteral("一二三四五"), QString()})[0];
  EXPECT_EQ(Find(five, QStringLiteral("一"))->row, 2);
  EXPECT_EQ(Find(five, QStringLiteral("五"))->row, 6);
  const VerticalPage nine = OddLayout().Lay({QStringLiteral("题"), QStringLiteral("一二三四五六七八九"), QString()})[0];
  EXPECT_EQ(Find(nine, QStringLiteral("一"))->row, 0);
  EXPECT_EQ(Find(nine, QStringLiteral("八"))->column, 2);
  EXPECT_EQ(Find(nine, QStringLiteral("八"))->row, 0);
}

TEST(VerticalLayoutTest, PunctuationSitsAsVerticalTextPlacesIt) {
  // An odd cell: the corner offset is half a cell rounded down, both ways.
  VerticalMetrics m = Odd();
  m.cell = 21;
  const VerticalPage page = VerticalLayout(QSize(300, 400), m).Lay({QString(), QString(), QStringLiteral("月，《霜》：！𠀀")})[0];
  const PlacedGlyph* comma = Find(page, QStringLiteral("，"));
  ASSERT_NE(comma, nullptr);
  EXPECT_EQ(comma->placement, GlyphPlacement::Corner);
  EXPECT_EQ(comma->offset, QPoint(10, -10));
  EXPECT_EQ(comma->cell, QRect(262, 13 + 24, 21, 21));
  for (const char* turned : {"《", "》", "："}) {
    const PlacedGlyph* g = Find(page, QString::fromUtf8(turned));
    ASSERT_NE(g, nullptr) << turned;
    EXPECT_EQ(g->placement, GlyphPlacement::Turned) << turned;
    EXPECT_EQ(g->offset, QPoint(0, 0)) << turned;
  }
  EXPECT_EQ(Find(page, QStringLiteral("！"))->placement, GlyphPlacement::Upright);
  EXPECT_EQ(Find(page, QStringLiteral("月"))->placement, GlyphPlacement::Upright);
  // A character outside the basic plane is one glyph in one cell.
  ASSERT_EQ(page.glyphs.size(), 8);
  EXPECT_EQ(page.glyphs.last().text, QStringLiteral("𠀀"));
  EXPECT_EQ(page.glyphs.last().row, 7);
}

TEST(VerticalLayoutTest, AClosingMarkHangsBelowAFullColumnInsteadOfStartingOne) {
  const VerticalPage page = OddLayout().Lay({QString(), QString(), QStringLiteral("一二三四五六七。八\r\n甲乙丙丁戊己庚。」辛")})[0];
  const PlacedGlyph* stop = Find(page, QStringLiteral("。"));
  EXPECT_EQ(stop->column, 0);
  EXPECT_EQ(stop->row, 7);  // one past the last row
  EXPECT_EQ(stop->cell, QRect(263, 13 + 7 * 23, 20, 20));
  EXPECT_EQ(Column(page, 1), QStringLiteral("八"));
  // Only one mark hangs: the second closing mark begins the next column.
  EXPECT_EQ(Find(page, QStringLiteral("。"), 1)->row, 7);
  EXPECT_EQ(Column(page, 3), QStringLiteral("」辛"));
  // A closing mark inside a column does not hang.
  const VerticalPage short_ = OddLayout().Lay({QString(), QString(), QStringLiteral("一二三。")})[0];
  EXPECT_EQ(Find(short_, QStringLiteral("。"))->row, 3);
}

TEST(VerticalLayoutTest, LongTextsBreakIntoPagesThatStartAgainAtTheRight) {
  QString body;
  for (int i = 0; i < 12; ++i) body += QStringLiteral("一二三四五\r\n");
  const QList<VerticalPage> pages = OddLayout().Lay({QStringLiteral("题"), QStringLiteral("某"), body});
  ASSERT_EQ(pages.size(), 2);
  EXPECT_EQ(pages[0].columns, 10);
  EXPECT_EQ(pages[1].columns, 4);  // 2 heading columns + 12 lines = 14
  EXPECT_EQ(pages[0].glyphs.size(), 2 + 8 * 5);
  EXPECT_EQ(pages[1].glyphs.size(), 4 * 5);
  EXPECT_EQ(pages[1].glyphs.first().cell, QRect(263, 13, 20, 20));
  EXPECT_EQ(pages[1].glyphs.first().column, 0);
  // A line longer than the page's columns runs on to the next page mid-line.
  const QString line(75, u'字');
  const QList<VerticalPage> run = OddLayout().Lay({QString(), QString(), line});
  ASSERT_EQ(run.size(), 2);
  EXPECT_EQ(run[0].glyphs.size(), 70);
  EXPECT_EQ(run[1].glyphs.size(), 5);
}

TEST(VerticalLayoutTest, EmptyAndBlankLinesAndEmptyTexts) {
  const QList<VerticalPage> none = OddLayout().Lay({});
  ASSERT_EQ(none.size(), 1);
  EXPECT_TRUE(none[0].glyphs.isEmpty());
  EXPECT_EQ(none[0].columns, 0);
  // A blank line between stanzas keeps an empty column; trailing breaks do not.
  const VerticalPage page = OddLayout().Lay({QString(), QString(), QStringLiteral("一\r\n\r\n二\n\r\n")})[0];
  EXPECT_EQ(page.columns, 3);
  EXPECT_EQ(Column(page, 0), QStringLiteral("一"));
  EXPECT_EQ(Column(page, 1), QString());
  EXPECT_EQ(Column(page, 2), QStringLiteral("二"));
  // A text of one character: one glyph in the top right cell.
  const VerticalPage one = OddLayout().Lay({QString(), QString(), QStringLiteral("一")})[0];
  ASSERT_EQ(one.glyphs.size(), 1);
  EXPECT_EQ(one.glyphs[0].cell, QRect(263, 13, 20, 20));
}

TEST(VerticalLayoutTest, MetricsGrowWithTheCellAndLeaveRoomForAHangingMark) {
  const VerticalMetrics m = reading::MetricsForCell(25);
  EXPECT_EQ(m.rowGap, 3);
  EXPECT_EQ(m.columnGap, 12);
  EXPECT_EQ(m.margins, QMargins(25, 25, 25, 28));
  // The hanging row stays on the page.
  const VerticalLayout layout(QSize(400, 300), m);
  EXPECT_LE(layout.Cell(0, layout.RowsPerColumn()).bottom(), 300 - 1);
}
