#pragma once
// 飞花令: the lines of the library's poems that hold a keyword, optionally
// with its first character at a given place of the line (VerseLines.h).
//
// The poems' word index names the poems that may hold the keyword; the line
// split of each decides. A keyword without a word (only marks), or a
// database without the index, has every poem read. Reading the poems is what
// takes the time (every page of them is decrypted), so two readers share it,
// each on a thread and a connection of its own, taking runs of poems in turn.
// The first reader begins as soon as the index has named a run's worth of
// poems, while the lookup goes on naming the rest. The rows go over in the
// order of the poems and of their lines, a run at a time once the runs before
// it are in.
#include <QDeadlineTimer>
#include <QList>
#include <QString>
#include <QVariantList>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <atomic>
#include <vector>

struct sqlite3;

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
  // `runLength`: the poems of a run the index names (0: as many as suits a
  // large result; tests give small runs to have many of them).
  LineSearch(const QString& connectionString, const QString& keyword, int place,
             Candidates candidates = Candidates::kIndexed, int runLength = 0);
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
  void Run();
  // Reads runs on one connection; a reader that fails gives the search up,
  // and the other stops at its next poem.
  void Read(sqlite3* db, QString& failure, const std::function<void(Reader&)>& readRuns);
  // Reads the poems the index names, while it names them.
  void ReadCandidates(QString& error, QString& secondError);
  // Reads every poem, in runs of row ids.
  void ReadEveryPoem(QString& error, QString& secondError);
  // Has the index name the candidates, handing them on as they come.
  void ListCandidates();
  // The ids of a run, once the index has named all of them or has ended;
  // false when the run holds none (or the search stops).
  bool TakeRun(qint64 run, std::vector<qint64>& ids);
  // Stopped by the owner, or given up after a reader failed.
  bool Stopped() const { return stop_.load() || givenUp_.load(); }
  // Stops the search (`owner`) or gives it up, waking whoever waits for candidates.
  void Halt(bool owner);
  // Keeps the rows of a run read and hands on those whose turn has come.
  void RunRead(qint64 run, QList<LineRow>& rows);

  QByteArray keyword_;  // UTF-8, as the poems are read
  int place_;
  bool indexed_ = false;
  QString phrase_;
  std::shared_ptr<data::Connection> connection_;  // the first reader's, and the candidates'
  std::shared_ptr<data::Connection> second_;      // the second reader's

  const qint64 runLength_;

  std::mutex mutex_;
  std::condition_variable handed_;
  // The candidates named so far, in the order of their ids.
  std::condition_variable named_;
  std::vector<qint64> candidates_;
  bool listed_ = false;  // the index has named them all
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
                         LineSearch::Candidates candidates = LineSearch::Candidates::kIndexed, int runLength = 0);

}  // namespace study
