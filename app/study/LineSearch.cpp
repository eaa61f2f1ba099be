#include "app/study/LineSearch.h"

#include <sqlite3.h>

#include <QElapsedTimer>
#include <algorithm>
#include <functional>

#include "app/study/VerseLines.h"
#include "data/Connection.h"
#include "data/Databases.h"
#include "data/SearchWords.h"
#include "toolkit/Exception.h"

namespace study {

namespace {

// Rows go over to the caller this many at a time, or sooner when this many
// milliseconds have passed since the last hand-over.
constexpr qsizetype kBatchRows = 512;
constexpr int kBatchMilliseconds = 8;

const QString kFields = QStringLiteral("select rowid,title,authorname,content from poetry");

QString Text(sqlite3_stmt* stmt, int column) {
  const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
  return bytes ? QString::fromUtf8(bytes, sqlite3_column_bytes(stmt, column)) : QString();
}

int Stopping(void* stop) { return static_cast<std::atomic<bool>*>(stop)->load() ? 1 : 0; }

// A prepared statement that raises the engine's error and is finalized with it.
class Statement {
 public:
  Statement(sqlite3* db, const QString& sql) : db_(db) {
    if (sqlite3_prepare16_v2(db, sql.utf16(), static_cast<int>(sql.size() * sizeof(char16_t)), &stmt_, nullptr) != SQLITE_OK)
      Fail();
  }
  ~Statement() { sqlite3_finalize(stmt_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  sqlite3_stmt* operator*() const { return stmt_; }
  // The next row (true) or the end (false).
  bool Step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc != SQLITE_DONE) Fail();
    return false;
  }
  [[noreturn]] void Fail() const { throw toolkit::EDatabaseError(QString::fromUtf8(sqlite3_errmsg(db_))); }

 private:
  sqlite3* db_;
  sqlite3_stmt* stmt_ = nullptr;
};

}  // namespace

PoemStatement PoemQuery(qint64 poem) {
  return {QStringLiteral("select title,authorname,formatName,head,content from poetry where rowid=?"), {poem}};
}

// The poems of one half: the candidates the index named, or a range of row
// ids when every poem is read. Its rows are handed on to `hand`.
class LineSearch::Half {
 public:
  Half(const LineSearch& search, sqlite3* db) : search_(search), db_(db) {}

  void ReadPoems(const std::vector<qint64>& ids) {
    // One read transaction for all the lookups: each statement of its own
    // would lock and unlock the file, which costs more than the lookup.
    Statement begin(db_, QStringLiteral("begin"));
    begin.Step();
    struct End {
      sqlite3* db;
      ~End() { sqlite3_exec(db, "commit", nullptr, nullptr, nullptr); }
    } end{db_};
    Statement poem(db_, kFields + QStringLiteral(" where rowid=?"));
    for (const qint64 id : ids) {
      if (search_.Stopped()) return;
      sqlite3_bind_int64(*poem, 1, id);
      if (poem.Step()) Poem(*poem);
      sqlite3_reset(*poem);
    }
  }
  void ReadRange(qint64 first, qint64 last) {
    Statement poems(db_, kFields + QStringLiteral(" where rowid between ? and ? order by rowid"));
    sqlite3_bind_int64(*poems, 1, first);
    sqlite3_bind_int64(*poems, 2, last);
    while (!search_.Stopped() && poems.Step()) Poem(*poems);
  }

  QList<LineRow> rows;
  std::function<void(QList<LineRow>&)> hand;  // null: the rows stay in `rows`

 private:
  void Poem(sqlite3_stmt* stmt) {
    const QByteArrayView content(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 3)), sqlite3_column_bytes(stmt, 3));
    const QByteArrayView keyword(search_.keyword_);
    if (!LineHolds(content, keyword, 0)) return;
    // Where the keyword comes next in the poem, from a line's start on: the
    // lines before it need no search of their own. (A keyword with Latin
    // letters matches them in either case, which only the lines' search does.)
    const bool exact = !HasLetters(keyword);
    qsizetype nextHit = exact ? content.indexOf(keyword) : 0;
    int number = 0;
    const qsizetype firstOfPoem = rows.size();
    VerseLineReader lines(content);
    for (VerseLine l; lines.Next(l);) {
      ++number;
      if (exact) {
        if (nextHit >= 0 && nextHit < l.start) nextHit = content.indexOf(keyword, l.start);
        if (nextHit < 0) break;
        if (nextHit + keyword.size() > l.start + l.length) continue;
      }
      const QByteArrayView line = content.sliced(l.start, l.length);
      if (!LineHolds(line, keyword, search_.place_)) continue;
      LineRow row;
      if (rows.size() == firstOfPoem) {
        row.title = Text(stmt, 1), row.author = Author(stmt);
      } else {
        const LineRow& first = rows[firstOfPoem];
        row.title = first.title, row.author = first.author;
      }
      row.line = QString::fromUtf8(line);
      row.poem = sqlite3_column_int64(stmt, 0);
      row.lineNumber = number;
      row.start = l.start16;
      row.length = l.length16;
      rows.append(std::move(row));
    }
    if (hand && (rows.size() >= kBatchRows || (!rows.isEmpty() && sinceHanded_.hasExpired(kBatchMilliseconds)))) {
      hand(rows);
      sinceHanded_.restart();
    }
  }

  // The poem's author: the library keeps an author's poems side by side, so the
  // last author's text serves the next poems of the same author.
  const QString& Author(sqlite3_stmt* stmt) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 2)), sqlite3_column_bytes(stmt, 2));
    if (bytes != QByteArrayView(lastAuthorBytes_)) {
      lastAuthorBytes_ = bytes.toByteArray();
      lastAuthor_ = QString::fromUtf8(bytes);
    }
    return lastAuthor_;
  }

  const LineSearch& search_;
  sqlite3* db_;
  QElapsedTimer sinceHanded_;
  QByteArray lastAuthorBytes_;
  QString lastAuthor_;
  friend class LineSearch;
};

LineSearch::LineSearch(const QString& connectionString, const QString& keyword, int place, Candidates candidates)
    : keyword_(keyword.toUtf8()), place_(place) {
  const data::ConnectionInfo info = data::ParseConnectionString(connectionString);
  connection_ = data::Connection::Open(info);
  second_ = data::Connection::Open(info);
  phrase_ = data::SearchPhrase(keyword);
  indexed_ = candidates == Candidates::kIndexed && !phrase_.isEmpty() && connection_->HasTable(data::kPoetrySearchIndex);
  thread_ = std::thread([this] { Run(); });
}

LineSearch::~LineSearch() {
  stop_.store(true);
  sqlite3_interrupt(connection_->Handle());
  sqlite3_interrupt(second_->Handle());
  thread_.join();
}

// What the two halves read: the candidates' ids, or every row id from low to high.
struct LineSearch::Shares {
  std::vector<qint64> ids;
  qint64 low = 0, high = -1;
};

LineSearch::Shares LineSearch::FindCandidates() {
  Shares s;
  Statement which(connection_->Handle(), indexed_ ? QStringLiteral("select docid from ") + data::kPoetrySearchIndex +
                                                        QStringLiteral(" where content match ?")
                                                  : QStringLiteral("select (select min(rowid) from poetry),(select max(rowid) from poetry)"));
  const QByteArray phrase = phrase_.toUtf8();
  if (indexed_) sqlite3_bind_text(*which, 1, phrase.constData(), static_cast<int>(phrase.size()), SQLITE_TRANSIENT);
  while (!Stopped() && which.Step()) {
    if (indexed_) s.ids.push_back(sqlite3_column_int64(*which, 0));
    else s.low = sqlite3_column_int64(*which, 0), s.high = sqlite3_column_int64(*which, 1);
  }
  std::sort(s.ids.begin(), s.ids.end());
  return s;
}

void LineSearch::Run() {
  Half first(*this, connection_->Handle()), second(*this, second_->Handle());
  first.hand = [this](QList<LineRow>& rows) { Hand(rows, false); };
  first.sinceHanded_.start();
  sqlite3_progress_handler(connection_->Handle(), 4096, &Stopping, &stop_);
  QString error, secondError;
  try {
    const Shares s = FindCandidates();
    const auto middle = s.ids.begin() + s.ids.size() / 2;
    const qint64 split = s.low + (s.high - s.low) / 2;
    std::thread other([&] {
      try {
        if (indexed_) second.ReadPoems({middle, s.ids.end()});
        else second.ReadRange(split + 1, s.high);
      } catch (const toolkit::Exception& e) {
        secondError = e.Message();
        givenUp_.store(true);
      }
    });
    try {
      if (indexed_) first.ReadPoems({s.ids.begin(), middle});
      else first.ReadRange(s.low, split);
    } catch (const toolkit::Exception& e) {
      error = e.Message();
      givenUp_.store(true);
    }
    other.join();
  } catch (const toolkit::Exception& e) {
    error = e.Message();
  }
  if (error.isEmpty()) error = secondError;
  if (stop_.load()) error.clear();  // stopped by the owner: the interruption is no failure
  sqlite3_progress_handler(connection_->Handle(), 0, nullptr, nullptr);
  Hand(first.rows, false);
  Hand(second.rows, true, error);
}

void LineSearch::Hand(QList<LineRow>& batch, bool done, const QString& error) {
  {
    std::lock_guard lock(mutex_);
    pending_.append(std::move(batch));
    done_ = done;
    error_ = error;
  }
  batch.clear();
  handed_.notify_all();
}

bool LineSearch::Collect(QList<LineRow>& rows, const QDeadlineTimer& deadline) {
  std::unique_lock lock(mutex_);
  if (deadline.isForever()) handed_.wait(lock, [this] { return done_; });
  else handed_.wait_for(lock, deadline.remainingTimeAsDuration(), [this] { return done_; });
  rows.append(std::move(pending_));
  pending_.clear();
  if (done_ && !error_.isEmpty()) throw toolkit::EDatabaseError(error_);
  return done_;
}

QList<LineRow> FindLines(const QString& connectionString, const QString& keyword, int place,
                         LineSearch::Candidates candidates) {
  LineSearch search(connectionString, keyword, place, candidates);
  QList<LineRow> rows;
  search.Collect(rows, QDeadlineTimer(QDeadlineTimer::Forever));
  return rows;
}

}  // namespace study
