#include "app/study/LineSearch.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstring>
#include <span>

#include <QScopeGuard>

#include "app/study/VerseLines.h"
#include "data/Connection.h"
#include "data/Databases.h"
#include "data/SearchWords.h"
#include "toolkit/Exception.h"

namespace study {

namespace {

// The poems are read in runs: each reader takes the next run when it has read
// its last, so both keep busy to the end however the poems' lengths fall. A
// run is short enough for the first rows to come soon and for the readers to
// end close together, long enough that taking a run costs nothing beside
// reading it. When every poem is read, a run is a sixteenth of the row ids,
// between one and the longest run.
constexpr qint64 kLongestRun = 2048;
// The poems the index names are counted only once it has named them all, so
// their runs have one length: a large result has some sixty of them.
constexpr qint64 kCandidateRun = 1024;
// How many candidates the lookup names before handing them on.
constexpr size_t kCandidateBatch = 256;

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

// One reader of the poems, on a connection of its own: it reads the runs it
// is given, each the candidates the index named or a range of row ids.
class LineSearch::Reader {
 public:
  Reader(const LineSearch& search, sqlite3* db)
      : search_(search),
        db_(db),
        exact_(!HasLetters(search.keyword_)),
        // One read transaction for all the runs: each statement of its own
        // would lock and unlock the file, which costs more than a lookup.
        begin_(db, QStringLiteral("begin")),
        poem_(db, kFields + QStringLiteral(" where rowid=?")),
        range_(db, kFields + QStringLiteral(" where rowid between ? and ? order by rowid")) {
    begin_.Step();
  }
  ~Reader() { sqlite3_exec(db_, "commit", nullptr, nullptr, nullptr); }

  void ReadPoems(std::span<const qint64> ids) {
    for (const qint64 id : ids) {
      if (search_.Stopped()) return;
      sqlite3_bind_int64(*poem_, 1, id);
      if (poem_.Step()) Poem(*poem_);
      sqlite3_reset(*poem_);
    }
  }
  void ReadRange(qint64 first, qint64 last) {
    sqlite3_bind_int64(*range_, 1, first);
    sqlite3_bind_int64(*range_, 2, last);
    while (!search_.Stopped() && range_.Step()) Poem(*range_);
    sqlite3_reset(*range_);
  }

  QList<LineRow> rows;  // of the run being read

 private:
  void Poem(sqlite3_stmt* stmt) {
    const QByteArrayView content(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 3)), sqlite3_column_bytes(stmt, 3));
    const QByteArrayView keyword(search_.keyword_);
    // Where the keyword comes next in the poem, from a line's start on: the
    // lines before it need no search of their own. (A keyword with Latin
    // letters matches them in either case, which only the lines' search does.)
    qsizetype nextHit = exact_ ? Find(content, keyword, 0) : 0;
    if (nextHit < 0 || (!exact_ && !LineHolds(content, keyword, 0))) return;
    int number = 0;
    const qsizetype firstOfPoem = rows.size();
    VerseLineReader lines(content);
    for (VerseLine l; lines.Next(l);) {
      ++number;
      if (exact_) {
        if (nextHit < l.start) nextHit = Find(content, keyword, l.start);
        if (nextHit < 0) break;
        if (nextHit + keyword.size() > l.start + l.length) continue;
      }
      const QByteArrayView line = content.sliced(l.start, l.length);
      // A hit inside the line is all that anywhere asks.
      if (!(exact_ && search_.place_ == 0) && !LineHolds(line, keyword, search_.place_)) continue;
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
  }

  // The C library's search skips ahead by pairs of bytes, where a search for
  // the first byte alone would stop at nearly every character.
  static qsizetype Find(QByteArrayView text, QByteArrayView keyword, qsizetype from) {
    const void* at = memmem(text.data() + from, text.size() - from, keyword.data(), keyword.size());
    return at ? static_cast<const char*>(at) - text.data() : qsizetype{-1};
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
  const bool exact_;
  Statement begin_, poem_, range_;
  QByteArray lastAuthorBytes_;
  QString lastAuthor_;
};

LineSearch::LineSearch(const QString& connectionString, const QString& keyword, int place, Candidates candidates,
                       int runLength)
    : keyword_(keyword.toUtf8()), place_(place), runLength_(runLength > 0 ? runLength : kCandidateRun) {
  const data::ConnectionInfo info = data::ParseConnectionString(connectionString);
  connection_ = data::Connection::Open(info);
  second_ = data::Connection::Open(info);
  phrase_ = data::SearchPhrase(keyword);
  indexed_ = candidates == Candidates::kIndexed && !phrase_.isEmpty() && connection_->HasTable(data::kPoetrySearchIndex);
  thread_ = std::thread([this] { Run(); });
}

LineSearch::~LineSearch() {
  Halt(true);
  sqlite3_interrupt(connection_->Handle());
  sqlite3_interrupt(second_->Handle());
  thread_.join();
}

void LineSearch::Halt(bool owner) {
  {
    // Under the lock, so that a reader about to wait for candidates sees it.
    std::lock_guard lock(mutex_);
    (owner ? stop_ : givenUp_).store(true);
  }
  named_.notify_all();
}

void LineSearch::Run() {
  sqlite3_progress_handler(connection_->Handle(), 4096, &Stopping, &stop_);
  sqlite3_progress_handler(second_->Handle(), 4096, &Stopping, &stop_);
  QString error, secondError;
  try {
    if (indexed_) ReadCandidates(error, secondError);
    else ReadEveryPoem(error, secondError);
  } catch (const toolkit::Exception& e) {
    error = e.Message();
  }
  if (error.isEmpty()) error = secondError;
  if (stop_.load()) error.clear();  // stopped by the owner: the interruption is no failure
  sqlite3_progress_handler(connection_->Handle(), 0, nullptr, nullptr);
  sqlite3_progress_handler(second_->Handle(), 0, nullptr, nullptr);
  std::lock_guard lock(mutex_);
  done_ = true;
  error_ = error;
  handed_.notify_all();
}

void LineSearch::Read(sqlite3* db, QString& failure, const std::function<void(Reader&)>& readRuns) {
  try {
    Reader reader(*this, db);
    readRuns(reader);
  } catch (const toolkit::Exception& e) {
    failure = e.Message();
    Halt(false);
  }
}

void LineSearch::ReadCandidates(QString& error, QString& secondError) {
  std::atomic<qint64> next{0};
  auto read = [&](sqlite3* db, QString& failure) {
    Read(db, failure, [&](Reader& reader) {
      std::vector<qint64> ids;
      for (qint64 run; !Stopped() && TakeRun(run = next++, ids);) {
        reader.ReadPoems(ids);
        if (!Stopped()) RunRead(run, reader.rows);
      }
    });
  };
  // The second reader begins with the first run the lookup names; this
  // thread reads too once the lookup has ended.
  std::thread other([&] { read(second_->Handle(), secondError); });
  try {
    ListCandidates();
  } catch (const toolkit::Exception& e) {
    error = e.Message();
    Halt(false);
  }
  if (error.isEmpty()) read(connection_->Handle(), error);
  other.join();
}

void LineSearch::ListCandidates() {
  const auto listed = qScopeGuard([this] {
    {
      std::lock_guard lock(mutex_);
      listed_ = true;
    }
    named_.notify_all();
  });
  // The index gives the poems in the order of their ids, a few at a time.
  Statement which(connection_->Handle(), QStringLiteral("select docid from ") + data::kPoetrySearchIndex +
                                             QStringLiteral(" where content match ? order by docid"));
  const QByteArray phrase = phrase_.toUtf8();
  sqlite3_bind_text(*which, 1, phrase.constData(), static_cast<int>(phrase.size()), SQLITE_TRANSIENT);
  std::vector<qint64> batch;
  batch.reserve(kCandidateBatch);
  auto handOn = [&] {
    {
      std::lock_guard lock(mutex_);
      candidates_.insert(candidates_.end(), batch.begin(), batch.end());
    }
    batch.clear();
    named_.notify_all();
  };
  while (!Stopped() && which.Step()) {
    batch.push_back(sqlite3_column_int64(*which, 0));
    if (batch.size() == kCandidateBatch) handOn();
  }
  handOn();
}

bool LineSearch::TakeRun(qint64 run, std::vector<qint64>& ids) {
  const size_t from = static_cast<size_t>(run * runLength_), to = from + static_cast<size_t>(runLength_);
  std::unique_lock lock(mutex_);
  named_.wait(lock, [&] { return Stopped() || listed_ || candidates_.size() >= to; });
  if (Stopped() || from >= candidates_.size()) return false;
  ids.assign(candidates_.begin() + static_cast<qsizetype>(from),
             candidates_.begin() + static_cast<qsizetype>(std::min(to, candidates_.size())));
  if (runs_.size() <= static_cast<size_t>(run)) runs_.resize(static_cast<size_t>(run) + 1);
  return true;
}

void LineSearch::ReadEveryPoem(QString& error, QString& secondError) {
  qint64 low = 0, high = -1;
  {
    Statement range(connection_->Handle(),
                    QStringLiteral("select (select min(rowid) from poetry),(select max(rowid) from poetry)"));
    if (range.Step() && sqlite3_column_type(*range, 0) != SQLITE_NULL)
      low = sqlite3_column_int64(*range, 0), high = sqlite3_column_int64(*range, 1);
  }
  const qint64 count = high - low + 1;
  const qint64 length = std::clamp<qint64>(count / 16, 1, kLongestRun);
  {
    std::lock_guard lock(mutex_);
    runs_.resize(count > 0 ? static_cast<size_t>((count + length - 1) / length) : 0);
  }
  std::atomic<qint64> next{0};
  auto read = [&](sqlite3* db, QString& failure) {
    Read(db, failure, [&](Reader& reader) {
      for (qint64 run; !Stopped() && (run = next++) < static_cast<qint64>(runs_.size());) {
        const qint64 from = low + run * length;
        reader.ReadRange(from, std::min(high, from + length - 1));
        if (!Stopped()) RunRead(run, reader.rows);
      }
    });
  };
  std::thread other([&] { read(second_->Handle(), secondError); });
  read(connection_->Handle(), error);
  other.join();
}

void LineSearch::RunRead(qint64 run, QList<LineRow>& rows) {
  {
    std::lock_guard lock(mutex_);
    runs_[static_cast<size_t>(run)].rows = std::move(rows);
    runs_[static_cast<size_t>(run)].read = true;
    // The runs read so far go over in their order, up to the first still being read.
    for (; handedRuns_ < runs_.size() && runs_[handedRuns_].read; ++handedRuns_)
      pending_.append(std::move(runs_[handedRuns_].rows));
  }
  rows = QList<LineRow>();
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
                         LineSearch::Candidates candidates, int runLength) {
  LineSearch search(connectionString, keyword, place, candidates, runLength);
  QList<LineRow> rows;
  search.Collect(rows, QDeadlineTimer(QDeadlineTimer::Forever));
  return rows;
}

}  // namespace study
