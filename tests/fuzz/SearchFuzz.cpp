// Search words and phrases, the LIKE pattern and the search statements. The
// input: a flag byte, then a keyword, a title and a content, separated by NUL
// bytes, anything after a third NUL left out (UTF-8; neither the search box
// nor the database's texts hold a NUL). With the flag's low bit,
// U+FFFE and U+FFFF stand for a high and a low surrogate, so that lone
// surrogates reach the code too.
//
// The row is put into an in-memory database with its word index, as the
// database builder writes them, and every search statement, with and without
// the index, must find it exactly when its field holds the keyword (Latin
// letters without regard to case), the engine's own LIKE and full-text match
// deciding. Values are bound as the program binds them, as UTF-8 text.
#include <sqlite3.h>

#include <QHash>
#include <QStringList>

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/Queries.h"
#include "data/SearchWords.h"
#include "tests/fuzz/FuzzTarget.h"

namespace {

using fuzz::Show;

// The engine's memory in this target: freed blocks are kept by size class for
// reuse. The system's engine is built without its own small-block cache, and
// otherwise most of a run would go to the sanitizer's allocator, for code
// that is not ours and not under test.
class EnginePool {
 public:
  static void Install() {
    static const sqlite3_mem_methods methods = {Malloc, Free, Realloc, Size, Roundup, Init, Shutdown, nullptr};
    sqlite3_config(SQLITE_CONFIG_SINGLETHREAD);
    sqlite3_config(SQLITE_CONFIG_MALLOC, &methods);
  }

 private:
  static constexpr int kHeader = 16;  // the block's size, keeping the payload 16-byte aligned
  static constexpr int kClasses = 17;  // 16 bytes to 1 MiB of payload; larger blocks are not kept
  static std::vector<void*>& FreeList(int c) {
    static auto* const lists = new std::vector<void*>[kClasses];  // never destroyed: the kept blocks stay reachable
    return lists[c];
  }
  static int ClassOf(int n) { return n <= 16 ? 0 : std::min<int>(kClasses, std::bit_width(static_cast<unsigned>(n - 1)) - 4); }
  static void* Malloc(int n) {
    const int c = ClassOf(n);
    const std::int64_t size = c < kClasses ? 16 << c : n;
    void* block = nullptr;
    if (c < kClasses && !FreeList(c).empty()) {
      block = FreeList(c).back();
      FreeList(c).pop_back();
    } else {
      block = std::malloc(static_cast<size_t>(size) + kHeader);
      if (!block) return nullptr;
    }
    *static_cast<std::int64_t*>(block) = size;
    return static_cast<char*>(block) + kHeader;
  }
  static void Free(void* p) {
    if (!p) return;
    void* block = static_cast<char*>(p) - kHeader;
    const int c = ClassOf(Size(p));
    if (c < kClasses && (16 << c) == Size(p)) FreeList(c).push_back(block);
    else std::free(block);
  }
  static void* Realloc(void* p, int n) {
    if (Size(p) >= n) return p;
    void* q = Malloc(n);
    if (q) std::memcpy(q, p, static_cast<size_t>(Size(p)));
    Free(p);
    return q;
  }
  static int Size(void* p) { return p ? static_cast<int>(*reinterpret_cast<std::int64_t*>(static_cast<char*>(p) - kHeader)) : 0; }
  static int Roundup(int n) {
    const int c = ClassOf(n);
    return c < kClasses ? 16 << c : n;
  }
  static int Init(void*) { return SQLITE_OK; }
  static void Shutdown(void*) {}
};

// The in-memory database and its statements, each prepared once: preparing
// costs far more than running one of them over one row.
class Database {
 public:
  Database() {
    EnginePool::Install();  // before the engine's first use; refused, and harmless, after it
    sqlite3_open(":memory:", &db_);
    sqlite3_exec(db_,
                 "CREATE TABLE poetry (title, authorname, formatName, head, content);"
                 "CREATE TABLE author (authorname, authoryear, poetryTotal, content, agename);"
                 "CREATE VIRTUAL TABLE poetry_search USING fts4(content, title);",
                 nullptr, nullptr, nullptr);
  }
  // Runs the statement with its values bound as the program binds them (text
  // as UTF-8) and returns the number of rows, or -1 with the engine's message.
  int Rows(const QString& sql, const QVariantList& params, QString* error) {
    sqlite3_stmt*& stmt = statements_[sql];
    if (!stmt && sqlite3_prepare16_v2(db_, sql.utf16(), static_cast<int>(sql.size() * 2), &stmt, nullptr) != SQLITE_OK) {
      *error = QString::fromUtf8(sqlite3_errmsg(db_));
      return -1;
    }
    sqlite3_reset(stmt);
    for (int i = 0; i < params.size(); ++i) {
      const QByteArray utf8 = params[i].toString().toUtf8();
      sqlite3_bind_text(stmt, i + 1, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
    }
    int rows = 0, rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) ++rows;
    if (rc == SQLITE_DONE) return rows;
    *error = QString::fromUtf8(sqlite3_errmsg(db_));
    return -1;
  }

 private:
  sqlite3* db_ = nullptr;
  QHash<QString, sqlite3_stmt*> statements_;
};

Database& Db() {
  static Database db;
  return db;
}

void Exec(const QString& sql, const QVariantList& params) {
  QString error;
  CQ_FUZZ_CHECK_SAYING(Db().Rows(sql, params, &error) >= 0, Show(sql) << ": " << Show(error));
}

// Whether the text holds the keyword as the engine compares them: as UTF-8,
// ASCII letters without regard to case.
bool Holds(const QString& text, const QString& keyword) {
  return text.toUtf8().toLower().contains(keyword.toUtf8().toLower());
}

// The engine reads the noncharacters U+FFFE and U+FFFF as U+FFFD, which no
// text of the database holds: without the flag they become U+FFFD here.
QString Decode(const QByteArray& bytes, bool surrogates) {
  QString s = QString::fromUtf8(bytes);
  for (QChar& c : s) {
    if (c.unicode() == 0xFFFE) c = QChar(surrogates ? 0xD83D : 0xFFFD);
    else if (c.unicode() == 0xFFFF) c = QChar(surrogates ? 0xDE00 : 0xFFFD);
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
  QString error;
  const int rows = Db().Rows(s.sql, s.params, &error);
  CQ_FUZZ_CHECK_SAYING(rows >= 0, Show(s.sql) << " failed: " << Show(error));
  CQ_FUZZ_CHECK_SAYING(rows == (Holds(field, keyword) ? 1 : 0),
                       "mode " << static_cast<int>(mode) << (indexed ? " indexed " : " ") << Show(keyword) << " in "
                               << Show(field) << " found " << rows << " rows: " << Show(s.sql));
}

int Run(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const QList<QByteArray> parts = fuzz::Split(data + 1, size - 1, '\0', 4);
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

  // The one row, in a transaction that is rolled back: every input starts
  // from empty tables, and the index never grows.
  struct Transaction {
    Transaction() { Exec(QStringLiteral("BEGIN"), {}); }
    ~Transaction() {
      QString error;
      Db().Rows(QStringLiteral("ROLLBACK"), {}, &error);
    }
  } transaction;
  Exec(QStringLiteral("INSERT INTO poetry (rowid, title, authorname, content) VALUES (1, ?, ?, ?)"), {title, title, content});
  Exec(QStringLiteral("INSERT INTO author (rowid, authorname) VALUES (1, ?)"), {title});
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
