#pragma once
// One keyword search, from its statement to the last hit in the tables. A
// large result comes a stretch at a time: the run fetches and fills until its
// stretch is over, lets the event loop run for the idle pause, and goes on,
// so the window stays usable meanwhile. Whatever the reader does that needs
// the whole result (a key in a table, a choice, a sort) finishes it first.
//
// The run knows the window only through SearchRun::Window: which table the
// hits go to, what the reader is told, and how a hit becomes a row. It reads
// the hits from the poetry cursor, which holds them when the run ends.
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>
#include <optional>

#include "app/Queries.h"

class QDeadlineTimer;

namespace data {
class TADOQuery;
}

namespace app {

class SearchRun : public QObject {
  Q_OBJECT

 public:
  // What a search asks of the window it fills.
  class Window {
   public:
    virtual ~Window() = default;
    // The table the hits of `mode` go to shows, the other one hides.
    virtual void ShowHitsTable(SearchMode mode) = 0;
    // Tells the reader (how many were found, or that nothing was) and returns
    // once the message is closed.
    virtual void Tell(const QString& message) = 0;
    // Empties what the hits of `mode` fill.
    virtual void ClearHits(SearchMode mode) = 0;
    // The cursor's current record becomes a hit of `mode`.
    virtual void AddHit(SearchMode mode) = 0;
  };

  // `keyTargets`: the widgets whose keys let a pending search finish first,
  // since a key may act on rows still to come.
  SearchRun(data::TADOQuery& cursor, Window& window, QList<QObject*> keyTargets);
  ~SearchRun() override;

  // Runs `statement` on the cursor for the hits of `mode`; the found message
  // names `keyword`. The first stretch runs at once; errors of the engine or
  // of the window end the run and go on to the caller.
  void Start(SearchMode mode, const Statement& statement, const QString& keyword);
  // Whether the run is still fetching or filling.
  bool Pending() const { return run_.has_value(); }
  // Whether the run is adding hits just now (the rows it adds report their captions).
  bool AddingRows() const { return stepping_; }
  // Fetches and fills what is left at once; nothing while the run is adding rows.
  void Finish();
  // How long a stretch works before the event loop runs again (35 ms unless set).
  void SetStretch(int milliseconds) { stretchMilliseconds_ = milliseconds; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // What the run has still to do: fetch its rows, then show the message and
  // fill the table from the record `nextRow` on.
  struct Run {
    SearchMode mode;
    QString keyword;
    bool filling = false;
    int found = 0;  // the rows the fill lists, once it has begun
    int nextRow = 1;
    // Where a handler run between the stretches left the cursor (0: nowhere).
    int leftAt = 0;
  };
  // One stretch; what is left goes on from the event loop.
  void Stretch();
  // Steps with the adding flag up until the deadline; the run ends when the
  // step says so or raises. True once it has ended.
  bool StepUntil(const QDeadlineTimer& deadline);
  // Goes on with the run until the deadline; true once it has ended.
  bool Step(const QDeadlineTimer& deadline);
  // Tells the reader what the fetch found and readies the hits' table; false when nothing was found.
  bool Announce();
  // Adds hits until the deadline; true once the last one is in.
  bool Fill(const QDeadlineTimer& deadline);
  void End();
  // Every event passes the application's filters first, the skin's handling of the tables included.
  void WatchKeys(bool on);

  data::TADOQuery& cursor_;
  Window& window_;
  QList<QObject*> keyTargets_;
  std::optional<Run> run_;
  QTimer pause_;
  bool stepping_ = false;
  bool watching_ = false;
  int stretchMilliseconds_ = 35;
};

}  // namespace app
