#pragma once
// 飞花令: the lines of the library's poems that hold a keyword, optionally
// with its first character at a given place of the line (VerseLines.h).
//
// The poems' word index names the poems that may hold the keyword; the line
// split of each decides. A keyword without a word (only marks), or a
// database without the index, has every poem read. Reading the poems is what
// takes the time (every page of them is decrypted), so two readers share it,
// each on a thread and a connection of its own, taking runs of poems in turn.
// The rows go over in the order of the poems and of their lines, a run at a
// time once the runs before it are in.
#include <QDeadlineTimer>
#include <QList>
#include <QString>
#include <QVariantList>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <atomic>
#include <vector>

namespace data {
class Connection;
}

namespace study {

struct LineRow {
  QString line;  // as the database holds it, with its closing marks
  QString title;
  QString author;
  qint64 poem = 0;  // the poem's row id
  int lineNumber = 0;  // 1 for the poem's first line
  // Where the line lies in the poem's text (UTF-16 units): what to highlight.
  qsizetype start = 0;
  qsizetype length = 0;
  bool operator==(const LineRow&) const = default;
};

// The statement that reads the poem of a row, its id bound: the fields the
// text pane and the info bar show.
struct PoemStatement {
  QString sql;
  QVariantList params;
};
PoemStatement PoemQuery(qint64 poem);

class LineSearch {
 public:
  enum class Candidates { kIndexed, kEveryPoem };

  // Connects to the database (raising the engine's errors as the cursors do)
  // and starts the search on its thread. Place 0: anywhere in the line.
  LineSearch(const QString& connectionString, const QString& keyword, int place,
             Candidates candidates = Candidates::kIndexed);
  // Stops the search and waits for its thread.
  ~LineSearch();
  LineSearch(const LineSearch&) = delete;
  LineSearch& operator=(const LineSearch&) = delete;

  // Waits until the search has ended or the deadline has passed, then
  // appends the rows found since the last call. True once the search has
  // ended and every row has been handed over; raises the engine's error of a
  // search that failed.
  bool Collect(QList<LineRow>& rows, const QDeadlineTimer& deadline);
  // Whether the word index names the candidates.
  bool Indexed() const { return indexed_; }

 private:
  class Reader;
  struct Shares;
  Shares FindCandidates();
  void Run();
  // Stopped by the owner, or given up after a reader failed.
  bool Stopped() const { return stop_.load() || givenUp_.load(); }
  // Keeps the rows of a run read and hands on those whose turn has come.
  void RunRead(qint64 run, QList<LineRow>& rows);

  QByteArray keyword_;  // UTF-8, as the poems are read
  int place_;
  bool indexed_ = false;
  QString phrase_;
  std::shared_ptr<data::Connection> connection_;  // the first reader's, and the candidates'
  std::shared_ptr<data::Connection> second_;      // the second reader's

  std::mutex mutex_;
  std::condition_variable handed_;
  QList<LineRow> pending_;  // handed on, not yet collected
  struct ReadRun {
    QList<LineRow> rows;
    bool read = false;
  };
  std::vector<ReadRun> runs_;
  size_t handedRuns_ = 0;
  bool done_ = false;
  QString error_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> givenUp_{false};
  std::thread thread_;
};

// Every row of a search at once.
QList<LineRow> FindLines(const QString& connectionString, const QString& keyword, int place,
                         LineSearch::Candidates candidates = LineSearch::Candidates::kIndexed);

}  // namespace study
