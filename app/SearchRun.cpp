#include "app/SearchRun.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QScopeGuard>

#include "app/FontPageRelease.h"
#include "data/Query.h"
#include "toolkit/Dispatch.h"
#include "toolkit/IdleWork.h"

namespace app {

SearchRun::SearchRun(data::TADOQuery& cursor, Window& window, QList<QObject*> keyTargets)
    : cursor_(cursor), window_(window), keyTargets_(std::move(keyTargets)) {
  // Between stretches the event loop runs for the pause the tables' freeing of
  // cleared rows takes between its slices.
  pause_.setSingleShot(true);
  pause_.setInterval(toolkit::kIdlePauseMilliseconds);
  connect(&pause_, &QTimer::timeout, this, [this] { toolkit::Dispatch([this] { Stretch(); }); });
}

SearchRun::~SearchRun() { End(); }

void SearchRun::Start(SearchMode mode, const Statement& statement, const QString& keyword) {
  // The statement replaces whatever the cursor held, a run still pending included.
  End();
  cursor_.SetSQL(statement.sql);
  cursor_.SetParams(statement.params);
  if (!statement.deferredSql.isEmpty()) cursor_.SetDeferredFields(statement.deferredKey, statement.deferredSql);
  run_ = Run{mode, keyword};
  Stretch();
}

void SearchRun::Stretch() {
  if (!run_ || stepping_) return;
  if (StepUntil(QDeadlineTimer(stretchMilliseconds_))) return;
  WatchKeys(true);
  pause_.start();
}

void SearchRun::Finish() {
  if (!run_ || stepping_) return;
  pause_.stop();
  StepUntil(QDeadlineTimer(QDeadlineTimer::Forever));
  End();
}

bool SearchRun::StepUntil(const QDeadlineTimer& deadline) {
  stepping_ = true;
  bool ended = true;  // a step that raises ends the run as well
  const auto done = qScopeGuard([&] {
    stepping_ = false;
    if (ended) End();
  });
  ended = Step(deadline);
  return ended;
}

bool SearchRun::Step(const QDeadlineTimer& deadline) {
  Run& run = *run_;
  if (!run.filling) {
    // A fetch going on on its own thread is looked at, not waited for, between
    // the pauses: waiting would keep the window from the reader meanwhile.
    const bool onItsThread = cursor_.Opening() && !deadline.isForever();
    if (!cursor_.OpenUntil(onItsThread ? QDeadlineTimer(0) : deadline)) return false;
    if (!Announce()) return true;
    run.filling = true;
    run.found = cursor_.RecordCount();
  } else if (cursor_.RecNo() != run.nextRow) {
    // A row was chosen since the last stretch: the fill goes on from its own record.
    run.leftAt = cursor_.RecNo();
    cursor_.SetRecNo(run.nextRow);
  }
  return Fill(deadline);
}

bool SearchRun::Announce() {
  const int found = cursor_.RecordCount();
  if (found == 0) {
    window_.Tell(QStringLiteral("没有找到符合条件的记录"));
    return false;
  }
  // The hits' table shows with its old rows while the message is up, and is emptied after.
  window_.ShowHitsTable(run_->mode);
  window_.Tell(QStringLiteral("共找到") + QString::number(found) + QStringLiteral("条记录含有：\r\n") + run_->keyword);
  window_.ClearHits(run_->mode);
  return true;
}

bool SearchRun::Fill(const QDeadlineTimer& deadline) {
  Run& run = *run_;
  // The clock is read every few dozen rows: reading it costs more than a row.
  for (unsigned n = 1; !cursor_.Eof(); ++n) {
    if (n % 64 == 0 && deadline.hasExpired()) {
      run.nextRow = cursor_.RecNo();
      return false;
    }
    window_.AddHit(run.mode);
    cursor_.Next();
  }
  // The cursor stands where the last choice left it, as had the choice come after the search.
  if (run.leftAt > 0) cursor_.SetRecNo(run.leftAt);
  return true;
}

void SearchRun::End() {
  if (run_) ReleaseFontPagesSoon(run_->found);
  run_.reset();
  pause_.stop();
  WatchKeys(false);
}

void SearchRun::WatchKeys(bool on) {
  if (on == watching_) return;
  watching_ = on;
  if (on)
    QCoreApplication::instance()->installEventFilter(this);
  else
    QCoreApplication::instance()->removeEventFilter(this);
}

bool SearchRun::eventFilter(QObject* watched, QEvent* event) {
  const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride;
  if (run_ && key && keyTargets_.contains(watched)) toolkit::Dispatch([this] { Finish(); });
  return false;
}

}  // namespace app
