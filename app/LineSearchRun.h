#pragma once
// 飞花令 in the window: one line search (study::LineSearch) from its start to
// the last line in the poem table, a stretch at a time as the other searches
// go. The search works on threads of its own; between the window's pauses the
// run takes the lines found so far without waiting for more. Once every line
// is in, the reader is told how many, and the table is filled a stretch at a
// time. A key in a table lets the fill finish first, since it may act on rows
// still to come; stopping drops the search, whose end stops its threads.
//
// The rows of the last search that found lines stay for the table's rows to
// name by their index (LineRowIndex in a row's Data), also while the next
// search is still collecting.
#include <QList>
#include <QMetaType>
#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>
#include <optional>

#include "app/study/LineSearch.h"
#include "toolkit/IdleWork.h"

class QDeadlineTimer;

namespace app {

// What a poem-table row filled by a line search holds as its Data.
struct LineRowIndex {
  qsizetype index = -1;
};

class LineSearchRun : public QObject {
  Q_OBJECT

 public:
  class Window {
   public:
    virtual ~Window() = default;
    // Tells the reader (how many lines were found, or that none was) and
    // returns once the message is closed.
    virtual void Tell(const QString& message) = 0;
    // The poem table shows, ready for lines, its old rows still in it.
    virtual void ShowLineTable() = 0;
    virtual void ClearLines() = 0;
    // The line becomes a row; `index` is its place among Rows().
    virtual void AddLine(const study::LineRow& line, qsizetype index) = 0;
  };

  // `keyTargets`: the widgets whose keys let a pending fill finish first.
  LineSearchRun(Window& window, QList<QObject*> keyTargets);
  ~LineSearchRun() override;

  // Starts the search for `keyword` (as the database spells it) with its
  // first character at `place` of the line (0: anywhere); the found message
  // names `shownKeyword`. Stops a run still pending first. Raises the
  // engine's error of a database that cannot be read.
  void Start(const QString& connectionString, const QString& keyword, int place, const QString& shownKeyword);
  bool Pending() const { return search_ || filling_; }
  // Whether the search is still looking for its lines (nothing is in the table yet).
  bool Collecting() const { return search_ != nullptr; }
  // Whether the run is in a stretch just now (the rows it adds report their captions).
  bool AddingRows() const { return busy_; }
  // Waits for the search and fills what is left at once.
  void Finish();
  // Drops the search and what it found so far; rows already in the table stay.
  void Stop();
  // How long a stretch works before the event loop runs again (35 ms unless set).
  void SetStretch(int milliseconds) { stretchMilliseconds_ = milliseconds; }

  // The line a table row names, or null for a row of another kind or of a search gone.
  const study::LineRow* RowOf(const QVariant& data) const;
  const QList<study::LineRow>& Rows() const { return rows_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // One stretch; true once the run has ended.
  bool Stretch(const QDeadlineTimer& deadline);
  // Tells the reader what was found and readies the table; false when nothing was.
  bool Announce();
  bool Fill(const QDeadlineTimer& deadline);
  void GoOn();
  void End();
  void WatchKeys(bool on);

  Window& window_;
  QList<QObject*> keyTargets_;
  std::unique_ptr<study::LineSearch> search_;
  // While the search's readers run, the window's idle work waits.
  std::optional<toolkit::BackgroundWork> reading_;
  QList<study::LineRow> found_;  // what the running search found so far
  QList<study::LineRow> rows_;   // the lines of the table
  QString shownKeyword_;
  qsizetype nextRow_ = 0;
  int run_ = 0;  // counts the runs stopped
  bool filling_ = false;
  bool busy_ = false;
  bool watching_ = false;
  QTimer pause_;
  int stretchMilliseconds_ = 35;
};

}  // namespace app

Q_DECLARE_METATYPE(app::LineRowIndex)
