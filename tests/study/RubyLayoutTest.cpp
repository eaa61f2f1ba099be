// 注音 layout: the pinyin box over each character, cells widened so that
// neighbouring pinyin never overlap, rows wrapped at the pane's width, and
// pinyin to the right of vertical columns.
#include <gtest/gtest.h>

#include <QFont>

#include "app/reading/VerticalPinyin.h"
#include "app/study/RubyLayout.h"

namespace study {
namespace {

// Characters 20 wide, pinyin 6 a letter: lopsided cells come from the readings' lengths.
RubyMetrics Fixed() {
  RubyMetrics m;
  m.textWidth = [](const QString&) { return 20; };
  m.pinyinWidth = [](const QString& s) { return 6 * static_cast<int>(s.size()); };
  m.textHeight = 20;
  m.pinyinHeight = 10;
  m.pinyinGap = 2;
  m.pinyinSpacing = 4;
  m.rowGap = 5;
  return m;
}

QList<AnnotatedChar> Chars(const QString& text, const QStringList& pinyin) {
  QList<AnnotatedChar> out;
  for (qsizetype i = 0; i < text.size(); ++i) out.append({text.mid(i, 1), pinyin.value(i)});
  return out;
}

TEST(RubyLayout, CellsFitTheWiderOfCharacterAndPinyinWithBothCentred) {
  const RubyText t = LayRuby(Chars(QStringLiteral("一双人，"), {"yī", "shuāng", "rén", ""}), Fixed(), 1000);
  ASSERT_EQ(t.boxes.size(), 4);
  // 一: the character is wider (20 > 12 + 4); 双: the pinyin (36 + 4 > 20); 人: 18 + 4 = 22, an odd margin.
  EXPECT_EQ(t.boxes[0].cell, QRect(0, 0, 20, 32));
  EXPECT_EQ(t.boxes[0].pinyinBox, QRect(4, 0, 12, 10));
  EXPECT_EQ(t.boxes[0].textBox, QRect(0, 12, 20, 20));
  EXPECT_EQ(t.boxes[1].cell, QRect(20, 0, 40, 32));
  EXPECT_EQ(t.boxes[1].pinyinBox, QRect(22, 0, 36, 10));
  EXPECT_EQ(t.boxes[1].textBox, QRect(30, 12, 20, 20));
  EXPECT_EQ(t.boxes[2].cell, QRect(60, 0, 22, 32));
  EXPECT_EQ(t.boxes[2].pinyinBox, QRect(62, 0, 18, 10));
  EXPECT_EQ(t.boxes[2].textBox, QRect(61, 12, 20, 20));
  // A mark has no pinyin box and its own width.
  EXPECT_EQ(t.boxes[3].cell, QRect(82, 0, 20, 32));
  EXPECT_TRUE(t.boxes[3].pinyinBox.isNull());
  EXPECT_EQ(t.size, QSize(102, 32));
  EXPECT_EQ(t.rows, 1);
}

TEST(RubyLayout, RowsWrapAtTheWidthAndAClosingMarkTakesItsCharacterAlong) {
  const QList<AnnotatedChar> chars = Chars(QStringLiteral("一双人，月"), {"yī", "shuāng", "rén", "", "yuè"});
  // 82 wide: 人 ends exactly at the edge and stays; the mark does not fit and takes 人 to the next row.
  const RubyText t = LayRuby(chars, Fixed(), 82);
  ASSERT_EQ(t.boxes.size(), 5);
  QList<int> rows;
  for (const RubyBox& b : t.boxes) rows << b.row;
  EXPECT_EQ(rows, QList<int>({0, 0, 1, 1, 1}));
  EXPECT_EQ(t.boxes[2].cell, QRect(0, 37, 22, 32));  // rows 32 high, 5 apart
  EXPECT_EQ(t.boxes[2].pinyinBox, QRect(2, 37, 18, 10));
  EXPECT_EQ(t.boxes[3].cell.x(), 22);
  EXPECT_EQ(t.boxes[4].cell, QRect(42, 37, 22, 32));
  EXPECT_EQ(t.size, QSize(64, 69));
  // 81 wide: 人 itself does not fit; a line break begins a row, CR LF only one.
  const RubyText u = LayRuby(Chars(QStringLiteral("一双人\r\n\n月"), {"yī", "shuāng", "rén", "", "", "", "yuè"}), Fixed(), 81);
  ASSERT_EQ(u.boxes.size(), 4);
  EXPECT_EQ(u.boxes[2].cell.topLeft(), QPoint(0, 37));
  EXPECT_EQ(u.boxes[3].cell.topLeft(), QPoint(0, 3 * 37));
  EXPECT_EQ(u.rows, 4);
  // A cell wider than the pane gets a row of its own.
  const RubyText w = LayRuby(Chars(QStringLiteral("双双"), {"shuāng", "shuāng"}), Fixed(), 30);
  EXPECT_EQ(w.boxes[1].cell.topLeft(), QPoint(0, 37));
}

// The fonts the pane uses, on a whole poem: every pinyin box above its
// character and centred on it, no two pinyin boxes of a row touching, no
// cell past the pane's edge.
TEST(RubyLayout, APoemInThePanesFontsKeepsEveryPinyinApart) {
  QFont text(QStringLiteral("Noto Serif CJK SC"));
  text.setPixelSize(18);
  QFont pinyin(QStringLiteral("DejaVu Sans"));
  pinyin.setPixelSize(10);
  const RubyMetrics m = RubyMetrics::ForFonts(text, pinyin);
  const QString poem = QStringLiteral("君不见，黄河之水天上来，奔流到海不复回。\r\n君不见，高堂明镜悲白发，朝如青丝暮成雪。\r\n"
                                      "人生得意须尽欢，莫使金樽空对月。天生我材必有用，千金散尽还复来。");
  for (const int width : {150, 151, 333}) {
    const RubyText t = LayRuby(Annotate(poem, poem), m, width);
    ASSERT_GT(t.rows, 3);
    for (qsizetype i = 0; i < t.boxes.size(); ++i) {
      const RubyBox& b = t.boxes[i];
      EXPECT_LE(b.cell.x() + b.cell.width(), width) << i;
      if (b.pinyin.isEmpty()) continue;
      EXPECT_LE(b.pinyinBox.bottom() + m.pinyinGap, b.textBox.top() - 1) << i;
      EXPECT_LE(std::abs((2 * b.pinyinBox.x() + b.pinyinBox.width()) - (2 * b.textBox.x() + b.textBox.width())), 1) << i;
      if (i == 0) continue;
      const RubyBox& a = t.boxes[i - 1];
      if (a.row == b.row && !a.pinyin.isEmpty()) EXPECT_GE(b.pinyinBox.x() - (a.pinyinBox.x() + a.pinyinBox.width()), m.pinyinSpacing) << i;
    }
  }
}

TEST(RubyLayout, VerticalColumnsCarryTheirPinyinToTheRight) {
  const reading::VerticalText stored{QStringLiteral("静夜思"), QStringLiteral("李白"), QStringLiteral("床前明月光，\r\n疑是地上霜。")};
  const reading::VerticalText shown{QStringLiteral("靜夜思"), QStringLiteral("李白"), QStringLiteral("床前明月光，\r\n疑是地上霜。")};
  const QStringList readings = reading::GlyphReadings(shown, stored);
  EXPECT_EQ(readings, QStringList({"jìng", "yè", "sī", "lǐ", "bái", "chuáng", "qián", "míng", "yuè", "guāng", "",
                                   "yí", "shì", "dì", "shàng", "shuāng", ""}));
  RubyMetrics m = Fixed();
  const reading::VerticalMetrics v = reading::WithRoomForPinyin(reading::MetricsForCell(20), readings, m);
  EXPECT_EQ(v.columnGap, 36 + 4);  // shuāng and the gap on both sides
  EXPECT_EQ(v.margins, QMargins(20, 20, 40, 22));
  // Four rows a column: the body lines wrap, and the pages split the glyphs.
  const QSize paper(240, 4 * 22 + 20 + 22);
  const reading::VerticalLayout layout(paper, v);
  const QList<reading::VerticalPage> pages = layout.Lay(shown);
  ASSERT_GE(pages.size(), 2);
  int first = 0;
  for (const reading::VerticalPage& page : pages) {
    const QList<QRect> boxes = reading::PinyinBesideColumns(page, first, readings, m);
    ASSERT_EQ(boxes.size(), page.glyphs.size());
    for (qsizetype i = 0; i < boxes.size(); ++i) {
      const QRect cell = page.glyphs[i].cell;
      EXPECT_EQ(boxes[i].isNull(), readings[first + i].isEmpty()) << first + i;
      if (boxes[i].isNull()) continue;
      EXPECT_EQ(boxes[i].x(), cell.x() + cell.width() + 2);
      EXPECT_EQ(boxes[i].y(), cell.y() + 5);
      // Clear of the next column to the right (the one before in reading order), and on the page.
      EXPECT_LE(boxes[i].x() + boxes[i].width() + m.pinyinGap, layout.Cell(page.glyphs[i].column - 1, 0).x())
          << first + i;
      EXPECT_LE(boxes[i].x() + boxes[i].width() + m.pinyinGap, paper.width()) << first + i;
    }
    first += static_cast<int>(page.glyphs.size());
  }
  EXPECT_EQ(first, readings.size());
}

}  // namespace
}  // namespace study
