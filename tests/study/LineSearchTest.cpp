// 飞花令: the line split and the places of a keyword in a line, the search
// through the word index against a reading of every poem, its rows handed
// over in stretches, and its rows on the shipped data against a plain scan.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <span>

#include "app/study/LineSearch.h"
#include "app/study/VerseLines.h"
#include "data/Connection.h"
#include "data/Databases.h"
#include "data/Query.h"
#include "toolkit/Exception.h"
#include "tools/mkdb/DbBuilder.h"

namespace study {
namespace {

QStringList Lines(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  QStringList out;
  for (const VerseLine& l : SplitVerseLines(utf8)) {
    out << QString::fromUtf8(utf8.mid(l.start, l.length));
    EXPECT_EQ(out.last(), text.mid(l.start16, l.length16));
  }
  return out;
}

TEST(VerseLines, LinesEndAtFullStopsExclamationsQuestionsSemicolonsAndBreaks) {
  EXPECT_EQ(Lines(QStringLiteral("床前明月光，疑是地上霜。举头望明月，低头思故乡。")),
            QStringList({"床前明月光，疑是地上霜。", "举头望明月，低头思故乡。"}));
  // Closing quotes and doubled marks stay with their line; blanks around and empty lines go.
  EXPECT_EQ(Lines(QStringLiteral("  问君何能尔？！”心远地自偏；\r\n\r\n　采菊东篱下  \n悠然见南山")),
            QStringList({"问君何能尔？！”", "心远地自偏；", "采菊东篱下", "悠然见南山"}));
  // Bytes and UTF-16 units apart: 。 takes three bytes and one unit, 𠀋 four bytes and two units.
  EXPECT_EQ(SplitVerseLines("a\xe3\x80\x82 b"), QList<VerseLine>({{0, 4, 0, 2}, {5, 1, 3, 1}}));
  EXPECT_EQ(SplitVerseLines(QStringLiteral("𠀋。\n 花").toUtf8()), QList<VerseLine>({{0, 7, 0, 3}, {9, 3, 5, 1}}));
  EXPECT_EQ(Lines(QStringLiteral(" \r\n。")), QStringList({"。"}));
  EXPECT_TRUE(SplitVerseLines(" \r\n\t").isEmpty());
}

TEST(VerseLines, PlacesCountOnlyChineseCharacters) {
  struct Case {
    const char16_t* line;
    const char16_t* keyword;
    int place;
    bool holds;
  } cases[] = {
      {u"花间一壶酒，独酌无相亲。", u"花", 1, true},    // the first place
      {u"花间一壶酒，独酌无相亲。", u"花", 2, false},
      {u"花间一壶酒，独酌无相亲。", u"亲", 10, true},   // the last place: the comma and the full stop count for nothing
      {u"花间一壶酒，独酌无相亲。", u"亲", 11, false},
      {u"花间一壶酒，独酌无相亲。", u"独", 6, true},    // right after the comma
      {u"花间一壶酒，独酌无相亲。", u"独", 7, false},
      {u"“月”下独酌", u"月", 1, true},                // an opening quote takes no place
      {u"𠀋花开", u"花", 2, true},                    // a character outside the basic plane takes one place
      {u"𠀋花开", u"花", 1, false},
      {u"𠀋花开", u"𠀋", 1, true},
      {u"AB花", u"花", 1, true},                      // letters take none
      {u"ab花", u"B花", 0, true},                     // and match without regard to case
      {u"ab花", u"B花", 1, false},                    // a keyword beginning with a letter has no place
      {u"月落乌啼霜满天", u"乌啼", 3, true},          // a keyword of two, its first character at the place
      {u"月落乌啼霜满天", u"乌啼", 4, false},
      {u"春花花落", u"花", 3, true},                  // either of two hits
      {u"春花花落", u"花", 0, true},
      {u"春花花落", u"秋", 0, false},
      {u"春花", u"", 0, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(LineHolds(QString::fromUtf16(c.line).toUtf8(), QString::fromUtf16(c.keyword).toUtf8(), c.place), c.holds)
        << QString::fromUtf16(c.line).toStdString() << " " << QString::fromUtf16(c.keyword).toStdString() << " " << c.place;
}

// A library of four poems with the poetry table's columns and its word index.
class LineSearchDatabase : public ::testing::Test {
 protected:
  void SetUp() override {
    dbbuild::Table poetry{QStringLiteral("poetry"), {}, {}};
    for (const char* c : {"title", "authorname", "formatName", "head", "content"}) poetry.columns.append({QString::fromLatin1(c), false});
    auto add = [&](const char16_t* title, const char16_t* author, const char16_t* content) {
      const QString text = QString::fromUtf16(content);
      poetry.rows.append({QString::fromUtf16(title), QString::fromUtf16(author), QStringLiteral("五言"),
                          text.left(text.indexOf(u'。') + 1), text});
    };
    add(u"春晓", u"孟浩然", u"春眠不觉晓，处处闻啼鸟。\r\n夜来风雨声，花落知多少。");
    add(u"无花", u"某", u"明月松间照，清泉石上流。");
    add(u"花间", u"李白", u"花间一壶酒，独酌无相亲。举杯邀明月，对影成三人。月既不解饮，影徒随我身。");
    add(u"奇字", u"某", u"𠀋花开满树；AB花落！花，花。");
    file_ = dir_.filePath(QStringLiteral("db3.dat"));
    dbbuild::WriteDatabase(file_, data::kPoetryDbPassword, {poetry}, {}, {dbbuild::PoetrySearchIndex()});
  }
  QString Connection() const { return data::MakeConnectionString(file_, data::kPoetryDbPassword); }

  QTemporaryDir dir_;
  QString file_;
};

TEST_F(LineSearchDatabase, RowsNameTheLineThePoemAndWhereTheLineLies) {
  const QList<LineRow> rows = FindLines(Connection(), QStringLiteral("花"), 0);
  ASSERT_EQ(rows.size(), 5);
  EXPECT_EQ(rows[0], (LineRow{QStringLiteral("夜来风雨声，花落知多少。"), QStringLiteral("春晓"), QStringLiteral("孟浩然"),
                              1, 2, 14, 12}));
  EXPECT_EQ(rows[1].line, QStringLiteral("花间一壶酒，独酌无相亲。"));
  EXPECT_EQ(rows[1].poem, 3);
  // Each poem's own author, whether the poem before had another or the same.
  EXPECT_EQ(rows[1].author, QStringLiteral("李白"));
  EXPECT_EQ(rows[2].author, QStringLiteral("某"));
  EXPECT_EQ(rows[4].title, QStringLiteral("奇字"));
  EXPECT_EQ(rows[1].start, 0);
  QStringList lines;
  for (const LineRow& r : rows.mid(2)) lines << r.line + QString::number(r.lineNumber);
  EXPECT_EQ(lines, QStringList({"𠀋花开满树；1", "AB花落！2", "花，花。3"}));
  // At a place; the same rows when every poem is read.
  const QList<LineRow> second = FindLines(Connection(), QStringLiteral("花"), 2);
  ASSERT_EQ(second.size(), 2);
  EXPECT_EQ(second[0].line, QStringLiteral("𠀋花开满树；"));
  EXPECT_EQ(second[1].line, QStringLiteral("花，花。"));
  EXPECT_EQ(FindLines(Connection(), QStringLiteral("花"), 2, LineSearch::Candidates::kEveryPoem), second);
  EXPECT_EQ(FindLines(Connection(), QStringLiteral("花"), 0, LineSearch::Candidates::kEveryPoem), rows);
  // In runs of one or of two poems (the last run short), taken by both readers
  // in turn while the index names them: the same rows in the same order.
  for (const int runLength : {1, 2})
    EXPECT_EQ(FindLines(Connection(), QStringLiteral("花"), 0, LineSearch::Candidates::kIndexed, runLength), rows)
        << runLength;
  // Across a line's end nothing is found; a keyword of marks reads every poem.
  EXPECT_TRUE(FindLines(Connection(), QStringLiteral("鸟夜"), 0).isEmpty());
  EXPECT_EQ(FindLines(Connection(), QStringLiteral("！"), 0).size(), 1);
  EXPECT_EQ(FindLines(Connection(), QStringLiteral("ab花"), 0).size(), 1);
}

TEST_F(LineSearchDatabase, RowsComeInStretchesAndAStoppedSearchEndsAtOnce) {
  LineSearch search(Connection(), QStringLiteral("月"), 0);
  EXPECT_TRUE(search.Indexed());
  QList<LineRow> rows;
  int stretches = 0;
  while (!search.Collect(rows, QDeadlineTimer(0))) ASSERT_LT(++stretches, 100000);
  EXPECT_EQ(rows, FindLines(Connection(), QStringLiteral("月"), 0, LineSearch::Candidates::kEveryPoem));
  EXPECT_EQ(rows.size(), 3);
  // Nothing more comes after the end.
  QList<LineRow> more;
  EXPECT_TRUE(search.Collect(more, QDeadlineTimer(0)));
  EXPECT_TRUE(more.isEmpty());
  { LineSearch dropped(Connection(), QStringLiteral("花"), 0); }
  const QString missing = data::MakeConnectionString(dir_.filePath(QStringLiteral("none.dat")), data::kPoetryDbPassword);
  EXPECT_THROW(FindLines(missing, QStringLiteral("花"), 0), toolkit::EDatabaseError);
  // A poetry table without the fields: the halves fail, and the search says so.
  dbbuild::Table bare{QStringLiteral("poetry"), {{QStringLiteral("title"), false}}, {{QStringLiteral("春晓")}}};
  const QString file = dir_.filePath(QStringLiteral("bare.dat"));
  dbbuild::WriteDatabase(file, data::kPoetryDbPassword, {bare});
  try {
    FindLines(data::MakeConnectionString(file, data::kPoetryDbPassword), QStringLiteral("花"), 0);
    ADD_FAILURE() << "no error";
  } catch (const toolkit::EDatabaseError& e) {
    EXPECT_TRUE(e.Message().contains(QStringLiteral("no such column"))) << e.Message().toStdString();
  }
}

// A plain scan written apart from the search: every poem, its lines cut by a
// pattern, the places counted character by character.
QStringList PlainScan(data::TADOQuery& poems, const QString& keyword, int place) {
  static const QRegularExpression lineEnd(QStringLiteral("[。！？；][。！？；”’」』）》〉]*|[\\r\\n]+"));
  QStringList out;
  for (poems.First(); !poems.Eof(); poems.Next()) {
    const QString content = poems.FieldByName(QStringLiteral("content")).AsString();
    qsizetype from = 0;
    QStringList lines;
    for (QRegularExpressionMatchIterator it = lineEnd.globalMatch(content); it.hasNext();) {
      const QRegularExpressionMatch m = it.next();
      lines << content.mid(from, m.capturedEnd() - from);
      from = m.capturedEnd();
    }
    lines << content.mid(from);
    for (QString line : lines) {
      line = line.trimmed();
      if (line.isEmpty()) continue;
      bool holds = false;
      for (qsizetype at = line.indexOf(keyword, 0, Qt::CaseInsensitive); at >= 0 && !holds;
           at = line.indexOf(keyword, at + 1, Qt::CaseInsensitive)) {
        int han = 0;
        for (const char32_t c : line.left(at).toUcs4())
          if ((c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) || c >= 0x20000) ++han;
        holds = place == 0 || han + 1 == place;
      }
      if (holds) out << poems.FieldByName(QStringLiteral("title")).AsString() + u'|' + line;
    }
  }
  return out;
}

TEST(LineSearchShipped, RowsEqualAPlainScanOfTheShippedPoems) {
  const QString file = QStringLiteral(CQ_BIN_DIR "/dat/db3.dat");
  if (!QFile::exists(file)) GTEST_SKIP() << "no poetry database in " CQ_BIN_DIR;
  const QString connection = data::MakeConnectionString(file, data::kPoetryDbPassword);
  data::TADOQuery poems(QStringLiteral("poems"));
  poems.SetConnectionString(connection);
  poems.SetSQL(QStringLiteral("select title,content from poetry order by rowid"));
  poems.Open();
  struct Case {
    const char16_t* keyword;
    int place;
  } cases[] = {{u"花", 0}, {u"花", 1}, {u"花", 2}, {u"月", 0}, {u"月", 5}, {u"月", 7}, {u"明月", 0},
               {u"春风", 1}, {u"不", 10}, {u"人", 14}, {u"山", 3}};
  // The full library in place of the shipped poems: two cases take long enough.
  const std::span<const Case> run(cases, poems.RecordCount() > 20000 ? 2 : std::size(cases));
  for (const Case& c : run) {
    const QString keyword = QString::fromUtf16(c.keyword);
    const QStringList plain = PlainScan(poems, keyword, c.place);
    EXPECT_FALSE(plain.isEmpty()) << keyword.toStdString() << " " << c.place;
    // Runs of seven poems as well: many runs, and a last one cut short.
    for (const int runLength : {0, 7}) {
      QStringList found;
      for (const LineRow& r : FindLines(connection, keyword, c.place, LineSearch::Candidates::kIndexed, runLength))
        found << r.title + u'|' + r.line;
      EXPECT_EQ(found, plain) << keyword.toStdString() << " " << c.place << " " << runLength;
    }
  }
}

}  // namespace
}  // namespace study
