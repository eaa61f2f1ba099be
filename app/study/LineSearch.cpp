#include "app/study/LineSearch.h"

#include <sqlite3.h>

#include <QElapsedTimer>

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

const QString kFields = QStringLiteral("select rowid,title,authorname,formatName,head,content from poetry");

QString Text(sqlite3_stmt* stmt, int column) {
  const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
  return bytes ? QString::fromUtf8(bytes, sqlite3_column_bytes(stmt, column)) : QString();
}

int Stopping(void* stop) { return static_cast<std::atomic<bool>*>(stop)->load() ? 1 : 0; }

}  // namespace

PoemStatement PoemQuery(qint64 poem) {
  return {QStringLiteral("select title,authorname,formatName,head,content from poetry where rowid=?"), {poem}};
}

LineSearch::LineSearch(const QString& connectionString, const QString& keyword, int place, Candidates candidates)
    : keyword_(keyword), place_(place) {
  connection_ = data::Connection::Open(data::ParseConnectionString(connectionString));
  phrase_ = data::SearchPhrase(keyword);
  indexed_ = candidates == Candidates::kIndexed && !phrase_.isEmpty() && connection_->HasTable(data::kPoetrySearchIndex);
  thread_ = std::thread([this] { Run(); });
}

LineSearch::~LineSearch() {
  stop_.store(true);
  sqlite3_interrupt(connection_->Handle());
  thread_.join();
}

void LineSearch::Run() {
  sqlite3* db = connection_->Handle();
  const QString sql = indexed_ ? kFields + QStringLiteral(" where rowid in (select docid from ") + data::kPoetrySearchIndex +
                                     QStringLiteral(" where content match ?) order by rowid")
                               : kFields + QStringLiteral(" order by rowid");
  QList<LineRow> batch;
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_prepare16_v2(db, sql.utf16(), static_cast<int>(sql.size() * sizeof(char16_t)), &stmt, nullptr) != SQLITE_OK) {
    sqlite3_finalize(stmt);
    return Hand(batch, true, QString::fromUtf8(sqlite3_errmsg(db)));
  }
  const QByteArray phrase = phrase_.toUtf8();
  if (indexed_) sqlite3_bind_text(stmt, 1, phrase.constData(), static_cast<int>(phrase.size()), SQLITE_STATIC);
  sqlite3_progress_handler(db, 4096, &Stopping, &stop_);
  QElapsedTimer sinceHanded;
  sinceHanded.start();
  int rc = SQLITE_DONE;
  while (!stop_.load() && (rc = sqlite3_step(stmt)) == SQLITE_ROW) {
    const QString content = Text(stmt, 5);
    int number = 0;
    qsizetype firstOfPoem = batch.size();
    for (const VerseLine& l : SplitVerseLines(content)) {
      ++number;
      const QStringView line = QStringView(content).mid(l.start, l.length);
      if (!LineHolds(line, keyword_, place_)) continue;
      LineRow row;
      row.line = line.toString();
      row.poem = sqlite3_column_int64(stmt, 0);
      row.lineNumber = number;
      row.start = l.start;
      row.length = l.length;
      if (batch.size() == firstOfPoem) {
        row.title = Text(stmt, 1), row.author = Text(stmt, 2), row.form = Text(stmt, 3), row.head = Text(stmt, 4);
      } else {
        const LineRow& first = batch[firstOfPoem];
        row.title = first.title, row.author = first.author, row.form = first.form, row.head = first.head;
      }
      batch.append(std::move(row));
    }
    if (batch.size() >= kBatchRows || (!batch.isEmpty() && sinceHanded.hasExpired(kBatchMilliseconds))) {
      Hand(batch, false);
      sinceHanded.restart();
    }
  }
  const QString error = stop_.load() || rc == SQLITE_DONE ? QString() : QString::fromUtf8(sqlite3_errmsg(db));
  sqlite3_progress_handler(db, 0, nullptr, nullptr);
  sqlite3_finalize(stmt);
  Hand(batch, true, error);
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
