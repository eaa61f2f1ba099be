// The title and content searches through the word index against the plain
// literal match they stand for: for thousands of keywords (single characters,
// pairs, whole lines, Latin letters in both cases, punctuation, blanks and the
// characters the pattern treats specially) both statements, run through the
// same connection, must give the same rows with the same values in the same
// order. Once over the shipped poems and once over a large generated set
// written to make near misses likely.
#include <gtest/gtest.h>

#include <QDir>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

#include "app/Queries.h"
#include "data/Connection.h"
#include "data/Databases.h"
#include "data/Query.h"
#include "data/SearchWords.h"
#include "tools/mkdb/DbBuilder.h"

using app::SearchMode;
using app::SearchQuery;

namespace {

// Every row of a statement, in the engine's order: the named fields joined
// (all of the statement's when none are named, and then their names first).
QStringList Rows(data::TADOQuery& q, const app::Statement& s, const QStringList& names = {}) {
  q.SetSQL(s.sql);
  q.SetParams(s.params);
  if (!s.deferredSql.isEmpty()) q.SetDeferredFields(s.deferredKey, s.deferredSql);
  q.Open();
  QStringList rows;
  if (names.isEmpty()) rows << q.FieldNames().join(u'\x1f');
  for (q.First(); !q.Eof(); q.Next()) {
    QStringList fields;
    for (int i = 0; i < (names.isEmpty() ? q.FieldCount() : names.size()); ++i)
      fields << (names.isEmpty() ? q.Fields(i) : q.FieldByName(names[i])).AsString();
    rows << fields.join(u'\x1f');
  }
  return rows;
}

QString Char(char32_t c) { return QString::fromUcs4(&c, 1); }

class SearchIndexTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

  void Build(const QList<dbbuild::Table>& tables) {
    path_ = dir_.filePath(QStringLiteral("db3.dat"));
    dbbuild::WriteDatabase(path_, data::kPoetryDbPassword, tables, {}, {dbbuild::PoetrySearchIndex()});
    query_.SetConnectionString(data::MakeConnectionString(path_, data::kPoetryDbPassword));
    ASSERT_TRUE(query_.HasTable(data::kPoetrySearchIndex));
  }

  // Runs every keyword in both modes through the plain statement, the
  // index's and the listing's, comparing the plain statement's fields.
  // Returns the number of searches the index narrowed and of those the
  // listing answered.
  std::pair<int, int> Compare(const QStringList& keywords) {
    int indexed = 0, listed = 0, mismatches = 0;
    for (const QString& keyword : keywords) {
      for (SearchMode mode : {SearchMode::Title, SearchMode::Content}) {
        QStringList expected = Rows(query_, SearchQuery(mode, keyword, false));
        const QStringList names = expected.takeFirst().split(u'\x1f');
        for (const bool listing : {false, true}) {
          const app::Statement s = SearchQuery(mode, keyword, true, listing);
          if (listing && !s.sql.contains(data::kPoetryListing)) continue;  // the index's statement again
          if (listing) ++listed;
          else if (s.sql.contains(data::kPoetrySearchIndex)) ++indexed;
          const QStringList actual = Rows(query_, s, names);
          if (actual != expected && ++mismatches <= 5) {
            ADD_FAILURE() << "keyword \"" << keyword.toStdString() << "\" mode " << static_cast<int>(mode) << ": "
                          << actual.size() << " rows through the " << (listing ? "listing" : "index") << ", "
                          << expected.size() << " by the plain match";
          }
        }
      }
    }
    EXPECT_EQ(mismatches, 0);
    return {indexed, listed};
  }

  // How many rows the index alone names for the keyword's phrase.
  int Candidates(SearchMode mode, const QString& keyword) {
    const QString column = mode == SearchMode::Title ? QStringLiteral("title") : QStringLiteral("content");
    return Rows(query_, {QStringLiteral("select docid from %1 where %2 match ?").arg(data::kPoetrySearchIndex, column),
                         {data::SearchPhrase(keyword)}})
               .size() - 1;
  }

  int Hits(SearchMode mode, const QString& keyword) { return Rows(query_, SearchQuery(mode, keyword, false)).size() - 1; }

  QTemporaryDir dir_;
  QString path_;
  data::TADOQuery query_{QStringLiteral("ADOQuery1")};
};

// Keywords of every kind the reader may type, whatever the texts hold.
QStringList TypedKeywords() {
  QStringList k;
  for (const char* s : {"，", "。", "？", "！", "、", "：", "；", "“", "”", "《", "》", "（", "）", "—", "…", "，。",
                        ",", ".", "!", "?", ";", ":", "-", "'", " ", "  ", "\t", "\r\n", "\n", "　", " 月", "月 ",
                        "明 月", "明，月", "明月 ", "\"", "%", "_", "[", "\\", "]", "%月", "月%", "_月", "月_", "[月]",
                        "\\月", "%%", "__", "\\\\", "\"月\"", "'月'", "%_[\\\"", "1", "12", "0", "a", "A", "Ab",
                        "aB", "spring", "SPRING", "Spring", "é", "É", "Ａ", "ａ", "𠀀", "\xEF\xBF\xBD", "\xEF\xBF\xBD月", "不存在的字词组合"})
    k << QString::fromUtf8(s);
  return k;
}

TEST_F(SearchIndexTest, TheShippedPoemsGiveTheSameRowsInTheSameOrder) {
  const QString data = QStringLiteral(CQ_SOURCE_DIR "/install/data/");
  const dbbuild::Table poetry = dbbuild::ReadTableSource(QStringLiteral("poetry"), data + QStringLiteral("poetry.tsv"));
  Build({dbbuild::ReadTableSource(QStringLiteral("author"), data + QStringLiteral("author.tsv")), poetry});
  QStringList titles, contents;
  for (const QVariantList& row : poetry.rows) {
    titles << row[0].toString();
    contents << row[4].toString();
  }
  QStringList keywords = TypedKeywords();
  // Single characters: every character of the titles, every fourth of the contents'.
  QSet<char32_t> seen;
  QList<char32_t> contentChars;
  for (const QString& t : titles)
    for (char32_t c : t.toUcs4())
      if (!seen.contains(c)) seen.insert(c), keywords << Char(c);
  for (const QString& t : contents)
    for (char32_t c : t.toUcs4())
      if (!seen.contains(c)) seen.insert(c), contentChars << c;
  std::sort(contentChars.begin(), contentChars.end());
  for (qsizetype i = 0; i < contentChars.size(); i += 4) keywords << Char(contentChars[i]);
  QRandomGenerator random(13);
  // Pairs that occur, and pairs of characters that may not occur side by side.
  for (int i = 0; i < 400; ++i) {
    const QString& text = contents[random.bounded(static_cast<int>(contents.size()))];
    if (text.size() < 2) continue;
    keywords << text.mid(random.bounded(static_cast<int>(text.size() - 1)), 2);
  }
  for (int i = 0; i < 150; ++i)
    keywords << Char(contentChars[random.bounded(static_cast<int>(contentChars.size()))]) +
                    Char(contentChars[random.bounded(static_cast<int>(contentChars.size()))]);
  // Whole lines with their punctuation, whole titles, and stretches across line breaks.
  for (int i = 0; i < 120; ++i) {
    const QStringList lines = contents[random.bounded(static_cast<int>(contents.size()))].split(QStringLiteral("\r\n"));
    keywords << lines[random.bounded(static_cast<int>(lines.size()))];
    keywords << titles[random.bounded(static_cast<int>(titles.size()))];
    const QString& text = contents[random.bounded(static_cast<int>(contents.size()))];
    keywords << text.mid(random.bounded(static_cast<int>(std::max<qsizetype>(1, text.size()))), 12);
  }
  keywords.removeAll(QString());
  ASSERT_GT(keywords.size(), 1500);
  const auto [indexed, listed] = Compare(keywords);
  // The index answered nearly every search; the keywords without words took the plain scan.
  EXPECT_GT(indexed, 2 * keywords.size() * 9 / 10);
  EXPECT_LT(indexed, 2 * keywords.size());
  // The listing answered the title searches and the single characters' content searches.
  EXPECT_GT(listed, keywords.size());
  EXPECT_LT(listed, indexed);
}

// Poems over a small alphabet, so that keywords often nearly match: words
// that are neighbours only when punctuation or blanks are passed over, Latin
// letters in either case, characters outside the basic plane, specials.
QList<dbbuild::Table> GeneratedPoems(int count, QStringList& alphabet) {
  for (const char* s : {"明", "月", "光", "春", "风", "山", "水", "不", "知", "人", "花", "落", "夜", "雨", "江", "南",
                        "A", "a", "B", "b", "Z", "z", "0", "7", "é", "É", "Ａ", "𠀀", "𠀁", "\xEF\xBF\xBD", "?", "，", "。", "！", ",",
                        ".", " ", "　", "\"", "%", "_", "[", "\\", "\r\n"})
    alphabet << QString::fromUtf8(s);
  QRandomGenerator random(20140901);
  auto text = [&](int minLength, int maxLength) {
    QString t;
    const int n = minLength + random.bounded(maxLength - minLength + 1);
    for (int i = 0; i < n; ++i) {
      // The first sixteen (CJK) characters come up most often.
      const int pick = random.bounded(3) == 0 ? random.bounded(static_cast<int>(alphabet.size())) : random.bounded(16);
      t += alphabet[pick];
    }
    return t;
  };
  dbbuild::Table poetry;
  poetry.name = QStringLiteral("poetry");
  for (const char* c : {"title", "authorname", "formatName", "head", "content"}) poetry.columns.append({QString::fromLatin1(c)});
  for (int i = 0; i < count; ++i) {
    const QString content = text(8, 60);
    // Now and then a null title or content, which neither statement finds.
    poetry.rows.append({i % 97 == 0 ? QVariant() : QVariant(text(1, 8)), QStringLiteral("作者%1").arg(i % 50),
                        QStringLiteral("体"), content.left(5), i % 89 == 0 ? QVariant() : QVariant(content)});
  }
  return {poetry};
}

TEST_F(SearchIndexTest, AGeneratedSetWithNearMissesGivesTheSameRowsInTheSameOrder) {
  QStringList alphabet;
  const QList<dbbuild::Table> tables = GeneratedPoems(5000, alphabet);
  Build(tables);
  QStringList keywords = TypedKeywords() + alphabet;
  // Lone surrogates, which reach the engine as "?".
  keywords << QString(QChar(0xD800)) << QString(QChar(0xDC00)) + QStringLiteral("月") << QStringLiteral("?") << QStringLiteral("a?");
  QRandomGenerator random(7);
  // Every pair of the sixteen common characters with Latin letters and specials among them.
  for (int i = 0; i < 26; ++i)
    for (int j = 0; j < 26; ++j) keywords << alphabet[i] + alphabet[j];
  // Stretches of the texts, and the same with the Latin letters' case turned.
  for (int i = 0; i < 300; ++i) {
    const QVariantList& row = tables[0].rows[random.bounded(static_cast<int>(tables[0].rows.size()))];
    const QString t = row[4].toString();
    const QString piece = t.mid(random.bounded(static_cast<int>(std::max<qsizetype>(1, t.size()))), 1 + random.bounded(10));
    keywords << piece;
    QString turned = piece;
    for (QChar& c : turned) c = c.isUpper() ? c.toLower() : c.toUpper();
    keywords << turned;
  }
  keywords.removeAll(QString());
  ASSERT_GT(keywords.size(), 1200);
  Compare(keywords);
  // The index alone finds more than the literal match for keywords whose
  // words are neighbours elsewhere: the literal match is what keeps the result exact.
  EXPECT_GT(Candidates(SearchMode::Content, QStringLiteral("明月")), Hits(SearchMode::Content, QStringLiteral("明月")));
  EXPECT_GT(Candidates(SearchMode::Content, QStringLiteral("Ab")), Hits(SearchMode::Content, QStringLiteral("Ab")));
  EXPECT_GT(Hits(SearchMode::Content, QStringLiteral("Ab")), 0);
}

TEST(SearchWords, TheProgramsPoetryDatabaseHoldsTheWordIndex) {
  data::TADOQuery q(QStringLiteral("ADOQuery1"));
  q.SetConnectionString(data::MakeConnectionString(QStringLiteral(CQ_BIN_DIR "/dat/db3.dat"), data::kPoetryDbPassword));
  EXPECT_TRUE(q.HasTable(data::kPoetrySearchIndex));
  EXPECT_FALSE(q.HasTable(QStringLiteral("poetry_words")));
  // The listing holds every poem under its own row id.
  EXPECT_TRUE(q.HasTable(data::kPoetryListing));
  q.SetSQL(QStringLiteral("select count(*),sum(p.rowid=l.poem and p.title is l.title and p.authorname is l.authorname and "
                          "p.formatName is l.formatName and p.head is l.head) from poetry p left join %1 l on l.poem=p.rowid")
               .arg(data::kPoetryListing));
  q.Open();
  EXPECT_GT(q.Fields(0).AsInteger(), 1000);
  EXPECT_EQ(q.Fields(1).AsInteger(), q.Fields(0).AsInteger());
}

TEST(SearchWords, KeywordsWithoutWordsAreLeftToThePlainScan) {
  for (const char* s : {"，", " ", "\"%_[\\", "\r\n", "　。！"})
    EXPECT_TRUE(data::SearchPhrase(QString::fromUtf8(s)).isEmpty()) << s;
  EXPECT_EQ(data::SearchPhrase(QStringLiteral("Ab，明 月𠀀")), QStringLiteral("\"a b 明 月 𠀀\""));
  EXPECT_EQ(data::SearchWords(QStringLiteral("床前，明月光。\r\nZ")), QStringLiteral("床 前 明 月 光 z"));
  // Characters that straddle the ranges left out stay words.
  EXPECT_TRUE(data::IsSearchWord(0x00C0));
  EXPECT_FALSE(data::IsSearchWord(0x00BF));
  EXPECT_TRUE(data::IsSearchWord(0x3040));
  EXPECT_FALSE(data::IsSearchWord(0x303F));
  EXPECT_TRUE(data::IsSearchWord(0xFF10));  // full-width digit zero
  EXPECT_FALSE(data::IsSearchWord(0xFF0F));
  // ASCII: both ends of the digits and of either case are words, the
  // characters just outside them and DEL are not.
  for (char c : {'0', '9', 'A', 'Z', 'a', 'z'}) EXPECT_TRUE(data::IsSearchWord(static_cast<char32_t>(c))) << c;
  for (char c : {'/', ':', '@', '[', '`', '{', '\x7F'}) EXPECT_FALSE(data::IsSearchWord(static_cast<char32_t>(c))) << c;
  // One word character, alone or as a surrogate pair, is a single word; a
  // character that is no word, a lone surrogate or two words are not.
  for (const QString& one : {QStringLiteral("a"), QStringLiteral("明"), QStringLiteral("𠀀")})
    EXPECT_TRUE(data::IsSingleWord(one)) << one.toStdString();
  for (const QString& other : {QString(), QStringLiteral("，"), QString(QChar(0xD800)), QStringLiteral("ab"),
                               QStringLiteral("a𠀀"), QString(QChar(0xDC00)) + QChar(0xD840)})
    EXPECT_FALSE(data::IsSingleWord(other)) << other.size();
}

}  // namespace
