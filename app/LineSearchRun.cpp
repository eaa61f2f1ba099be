#include "app/LineSearchRun.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QScopeGuard>

#include "app/FontPageRelease.h"
#include "toolkit/Dispatch.h"
#include "toolkit/IdleWork.h"

namespace app {

LineSearchRun::LineSearchRun(Window& window, QList<QObject*> keyTargets)
    : window_(window), keyTargets_(std::move(keyTargets)) {
  // The pause between stretches is the one the other searches take.
  pause_.setSingleShot(true);
  pause_.setInterval(toolkit::kIdlePauseMilliseconds);
  connect(&pause_, &QTimer::timeout, this, [this] { toolkit::Dispatch([this] { GoOn(); }); });
}

LineSearchRun::~LineSearchRun() { End(); }

void LineSearchRun::Start(const QString& connectionString, const QString& keyword, int place,
                          const QString& shownKeyword) {
  Stop();
  search_ = std::make_unique<study::LineSearch>(connectionString, keyword, place);
  reading_.emplace();
  shownKeyword_ = shownKeyword;
  GoOn();
}

void LineSearchRun::GoOn() {
  if (!Pending() || busy_) return;
  if (Stretch(QDeadlineTimer(stretchMilliseconds_))) return;
  WatchKeys(filling_);
  pause_.start();
}

void LineSearchRun::Finish() {
  if (!Pending() || busy_) return;
  pause_.stop();
  Stretch(QDeadlineTimer(QDeadlineTimer::Forever));
}

void LineSearchRun::Stop() {
  ++run_;
  End();
}

bool LineSearchRun::Stretch(const QDeadlineTimer& deadline) {
  busy_ = true;
  bool ended = true;  // a stretch that raises ends the run as well
  const auto done = qScopeGuard([&] {
    busy_ = false;
    if (ended) End();
  });
  if (search_) {
    // The search's threads are looked at, not waited for, unless the whole
    // result is wanted now: waiting would keep the window from the reader.
    if (!search_->Collect(found_, deadline.isForever() ? deadline : QDeadlineTimer(0))) {
      ended = false;
      return false;
    }
    search_.reset();
    reading_.reset();
    if (!Announce()) return true;
  }
  ended = Fill(deadline);
  return ended;
}

bool LineSearchRun::Announce() {
  if (found_.isEmpty()) {
    window_.Tell(QStringLiteral("没有找到符合条件的记录"));
    return false;
  }
  const int run = run_;
  window_.ShowLineTable();
  window_.Tell(QStringLiteral("共找到") + QString::number(found_.size()) + QStringLiteral("条记录含有：\r\n") + shownKeyword_);
  if (run != run_) return false;  // stopped while the message was up
  // The old rows name the old lines until the table lets them go.
  rows_ = std::move(found_);
  found_.clear();
  window_.ClearLines();
  filling_ = true;
  nextRow_ = 0;
  return true;
}

bool LineSearchRun::Fill(const QDeadlineTimer& deadline) {
  // The clock is read every few dozen rows: reading it costs more than a row.
  for (unsigned n = 1; nextRow_ < rows_.size(); ++n) {
    if (n % 64 == 0 && deadline.hasExpired()) return false;
    const qsizetype i = nextRow_++;
    window_.AddLine(rows_[i], i);
  }
  return true;
}

void LineSearchRun::End() {
  if (search_) ReleaseFontPagesSoon(nextRow_);
  search_.reset();
  reading_.reset();
  found_.clear();
  filling_ = false;
  pause_.stop();
  WatchKeys(false);
}

const study::LineRow* LineSearchRun::RowOf(const QVariant& data) const {
  if (data.metaType() != QMetaType::fromType<LineRowIndex>()) return nullptr;
  const qsizetype i = data.value<LineRowIndex>().index;
  return i >= 0 && i < rows_.size() ? &rows_[i] : nullptr;
}

void LineSearchRun::WatchKeys(bool on) {
  if (on == watching_) return;
  watching_ = on;
  // The application's filter sees a key before the skin's handling of the tables does.
  if (on) QCoreApplication::instance()->installEventFilter(this);
  else QCoreApplication::instance()->removeEventFilter(this);
}

bool LineSearchRun::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (filling_ && (type == QEvent::KeyPress || type == QEvent::ShortcutOverride) && keyTargets_.contains(watched))
    toolkit::Dispatch([this] { Finish(); });
  return false;
}

}  // namespace app
