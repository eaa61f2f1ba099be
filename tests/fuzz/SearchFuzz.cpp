// Search words and phrases, the LIKE pattern and the search statements. The
// input: a flag byte, then a keyword, a title and a content, separated by NUL
// bytes (UTF-8; the search box holds no NUL). With the flag's low bit,
// U+FFFE and U+FFFF stand for a high and a low surrogate, so that lone
// surrogates reach the code too.
//
// The row is put into an in-memory database with its word index, as the
// database builder writes them, and every search statement, with and without
// the index, must find it exactly when its field holds the keyword (Latin
// letters without regard to case), the engine's own LIKE and full-text match
// deciding.
#include <sqlite3.h>

#include <QStringList>

#include "app/Queries.h"
#include "data/ResultSet.h"
#include "data/SearchWords.h"
#include "tests/fuzz/FuzzTarget.h"
#include "toolkit/Exception.h"

namespace {

using fuzz::Show;

sqlite3* Database() {
  static sqlite3* db = [] {
    sqlite3* d = nullptr;
    sqlite3_open(":memory:", &d);
    sqlite3_exec(d,
                 "CREATE TABLE poetry (title, authorname, formatName, head, content);"
                 "CREATE TABLE author (authorname, authoryear, poetryTotal, content, agename);"
                 "CREATE VIRTUAL TABLE poetry_search USING fts4(content, title);",
                 nullptr, nullptr, nullptr);
    return d;
  }();
  return db;
}

void Exec(const QString& sql, const QVariantList& params) { data::ResultSet::Fetch(Database(), sql, params); }

// Whether the text holds the keyword as the engine compares them: as UTF-8,
// ASCII letters without regard to case.
bool Holds(const QString& text, const QString& keyword) {
  return text.toUtf8().toLower().contains(keyword.toUtf8().toLower());
}

QString Decode(const QByteArray& bytes, bool surrogates) {
  QString s = QString::fromUtf8(bytes);
  if (!surrogates) return s;
  for (QChar& c : s) {
    if (c.unicode() == 0xFFFE) c = QChar(0xD83D);
    else if (c.unicode() == 0xFFFF) c = QChar(0xDE00);
  }
  return s;
}

// The index's text: one word per word character, one blank between words.
void CheckWords(const QString& text) {
  const QString words = data::SearchWords(text);
  if (words.isEmpty()) return;
  for (const QString& w : words.split(u' ')) {
    const QList<uint> c = w.toUcs4();
    CQ_FUZZ_CHECK_SAYING(c.size() == 1 && data::IsSearchWord(c[0]), Show(text) << " gave " << Show(words));
  }
}

void CheckSearch(app::SearchMode mode, bool indexed, const QString& keyword, const QString& field) {
  const app::Statement s = app::SearchQuery(mode, keyword, indexed);
  int rows = -1;
  try {
    rows = data::ResultSet::Fetch(Database(), s.sql, s.params).RowCount();
  } catch (const toolkit::EDatabaseError& e) {
    CQ_FUZZ_CHECK_SAYING(false, Show(s.sql) << " failed: " << Show(e.Message()));
  }
  CQ_FUZZ_CHECK_SAYING(rows == (Holds(field, keyword) ? 1 : 0),
                       "mode " << static_cast<int>(mode) << (indexed ? " indexed " : " ") << Show(keyword) << " in "
                               << Show(field) << " found " << rows << " rows: " << Show(s.sql));
}

int Run(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const QList<QByteArray> parts = fuzz::Split(data + 1, size - 1, '\0', 3);
  const bool surrogates = data[0] & 1;
  const QString keyword = Decode(parts[0], surrogates);
  const QString title = parts.size() > 1 ? Decode(parts[1], surrogates) : QString();
  const QString content = parts.size() > 2 ? Decode(parts[2], surrogates) : QString();
  CheckWords(keyword);
  CheckWords(title);
  CheckWords(content);

  // The pattern is the keyword between two '%', its own '%', '_' and '\' escaped.
  const QString pattern = app::ContainsPattern(keyword);
  QString body;
  bool escaped = pattern.size() >= 2 && pattern.startsWith(u'%') && pattern.endsWith(u'%');
  for (qsizetype i = 1; escaped && i + 1 < pattern.size(); ++i) {
    const QChar c = pattern[i];
    if (c == u'\\') {
      escaped = i + 2 < pattern.size();  // an escape before the closing '%' would escape it
      body += pattern[++i];
    } else {
      escaped = c != u'%' && c != u'_';
      body += c;
    }
  }
  CQ_FUZZ_CHECK_SAYING(escaped && body == keyword, Show(keyword) << " gave " << Show(pattern));

  Exec(QStringLiteral("DELETE FROM poetry"), {});
  Exec(QStringLiteral("DELETE FROM author"), {});
  Exec(QStringLiteral("DELETE FROM poetry_search"), {});
  Exec(QStringLiteral("INSERT INTO poetry (rowid, title, authorname, content) VALUES (1, ?, ?, ?)"), {title, title, content});
  Exec(QStringLiteral("INSERT INTO author (authorname) VALUES (?)"), {title});
  // The builder takes the words of the text as the database gives it back.
  const auto stored = [](const QString& s) { return data::SearchWords(QString::fromUtf8(s.toUtf8())); };
  Exec(QStringLiteral("INSERT INTO poetry_search (docid, content, title) VALUES (1, ?, ?)"), {stored(content), stored(title)});

  for (const bool indexed : {false, true}) {
    CheckSearch(app::SearchMode::Title, indexed, keyword, title);
    CheckSearch(app::SearchMode::Content, indexed, keyword, content);
    CheckSearch(app::SearchMode::Author, indexed, keyword, title);
  }
  return 0;
}

}  // namespace

CQ_FUZZ_ENTRY("search", Run)
