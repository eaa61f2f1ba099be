// The readings of Chinese characters: famous lines read by hand, the
// classical readings of our own with their lines, and how phrases, marks,
// traditional characters and characters outside the basic plane are read.
#include <gtest/gtest.h>

#include <QFile>

#include "app/study/ClassicalReadings.h"
#include "app/study/HanText.h"
#include "app/study/PinyinReader.h"
#include "toolkit/Exception.h"

namespace study {
namespace {

// The readings of the line's Chinese characters, separated by blanks.
QString HanReadings(const QString& line) {
  const QList<CodePoint> points = CodePoints(line);
  const QStringList readings = ReadingsOf(line);
  QStringList out;
  for (qsizetype i = 0; i < points.size(); ++i)
    if (IsHan(points[i].value)) out.append(readings[i]);
  return out.join(u' ');
}

TEST(PinyinReader, ReadsTheHundredFamousLinesAsCheckedByHand) {
  QFile file(QStringLiteral(CQ_SOURCE_DIR "/tests/study/FamousLines.tsv"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  int lines = 0;
  QStringList wrong;
  for (const QString& row : QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts)) {
    if (row.startsWith(u'#')) continue;
    const QStringList f = row.split(u'\t');
    ASSERT_EQ(f.size(), 3) << row.toStdString();
    ++lines;
    const QString read = HanReadings(f[0]);
    if (read != f[1]) wrong.append(f[0] + QStringLiteral("  read: ") + read + QStringLiteral("  by hand: ") + f[1]);
  }
  EXPECT_EQ(lines, 100);
  EXPECT_TRUE(wrong.isEmpty()) << wrong.join(u'\n').toStdString();
}

TEST(PinyinReader, EveryClassicalReadingHoldsInItsLine) {
  for (const ClassicalReading& e : ClassicalReadings()) {
    const QString line = e.line.toString();
    const qsizetype at = line.indexOf(e.context.toString());
    ASSERT_GE(at, 0) << line.toStdString();
    EXPECT_EQ(ReadingsOf(line)[at + e.at], e.reading.toString()) << line.toStdString();
  }
}

// The same characters where the classical readings must not apply.
TEST(PinyinReader, ClassicalReadingsKeepToTheirPlaces) {
  struct Case {
    const char16_t* line;
    int at;  // code point
    const char16_t* reading;
  } cases[] = {
      {u"骑马倚斜桥", 0, u"qí"},          // a verb: to ride
      {u"骑马倚斜桥", 3, u"xié"},         // 斜 inside the line
      {u"卧看牵牛织女星", 1, u"kàn"},     // the metre wants an oblique tone here
      {u"行到水穷处，坐看云起时", 7, u"kān"},  // and a level one here
      {u"看取莲花净", 0, u"kàn"},          // an odd place: free, the common reading
      {u"年年岁岁花相似，岁岁年年人不同看", 15, u"kàn"},  // a line of eight
      {u"重，阳", 0, u"zhòng"},           // phrases never reach across marks
      {u"重阳", 0, u"chóng"},
      {u"盛衰", 1, u"shuāi"},             // 衰 outside the context read as cuī
  };
  for (const Case& c : cases) EXPECT_EQ(ReadingsOf(QString::fromUtf16(c.line))[c.at], QString::fromUtf16(c.reading))
      << QString::fromUtf16(c.line).toStdString();
}

TEST(PinyinReader, LongerPhrasesComeFirstThenTheOneFurtherLeft) {
  const PinyinTable t = PinyinTable::Parse(
      "# test\n[characters]\nx 甲乙丙丁\n[phrases]\n甲乙 pa pb\n乙丙丁 qa qb qc\n丙丁 ra rb\n");
  EXPECT_EQ(ReadingsOf(u"甲乙丙丁", t), QStringList({"x", "qa", "qb", "qc"}));
  EXPECT_EQ(ReadingsOf(u"甲乙丙", t), QStringList({"pa", "pb", "x"}));
  EXPECT_EQ(ReadingsOf(u"丙丁甲乙", t), QStringList({"ra", "rb", "pa", "pb"}));
  // Unknown characters, letters and marks have no reading.
  EXPECT_EQ(ReadingsOf(u"戊甲A，乙", t), QStringList({"", "x", "", "", "x"}));
}

TEST(PinyinReader, MalformedTablesAreRefusedWithTheirLine) {
  for (const char* text : {"[characters]\nx\n", "[phrases]\n甲乙 a\n", "x 甲\n", "[characters]\nx 𠀋\n"}) {
    try {
      PinyinTable::Parse(text);
      ADD_FAILURE() << text;
    } catch (const toolkit::Exception& e) {
      EXPECT_TRUE(e.Message().endsWith(QStringLiteral("line ") + QString::number(QByteArray(text).count('\n'))))
          << e.Message().toStdString();
    }
  }
}

TEST(PinyinReader, CharactersOutsideTheBasicPlaneKeepTheirPlaceWithoutAReading) {
  // 𠀋 (U+2000B) takes two UTF-16 units and one place; the phrase 重阳 is cut by it.
  const QString line = QStringLiteral("重𠀋阳春");
  EXPECT_EQ(ReadingsOf(line), QStringList({"zhòng", "", "yáng", "chūn"}));
  const QList<AnnotatedChar> shown = Annotate(line, line);
  ASSERT_EQ(shown.size(), 4);
  EXPECT_EQ(shown[1], (AnnotatedChar{QStringLiteral("𠀋"), QString()}));
  // A lone surrogate is a character without a reading too.
  EXPECT_EQ(ReadingsOf(QString(QChar(0xD840)) + QStringLiteral("春")), QStringList({"", "chūn"}));
}

TEST(PinyinReader, TraditionalTextReadsAsTheStoredSimplifiedText) {
  // 徑 and 遠 read like 径 and 远; the rhyme reading of 斜 comes from the stored line.
  const QList<AnnotatedChar> shown = Annotate(QStringLiteral("遠上寒山石徑斜，還"), QStringLiteral("远上寒山石径斜，还"));
  QStringList texts, readings;
  for (const AnnotatedChar& a : shown) texts << a.text, readings << a.pinyin;
  EXPECT_EQ(texts.join(QString()), QStringLiteral("遠上寒山石徑斜，還"));
  EXPECT_EQ(readings, QStringList({"yuǎn", "shàng", "hán", "shān", "shí", "jìng", "xiá", "", "huán"}));
  // Shown and stored of different lengths: the shown text is read by itself.
  const QList<AnnotatedChar> own = Annotate(QStringLiteral("乾坤"), QStringLiteral("乾坤日"));
  EXPECT_EQ(own[0].pinyin, QStringLiteral("qián"));
  EXPECT_EQ(own.size(), 2);
}

}  // namespace
}  // namespace study
