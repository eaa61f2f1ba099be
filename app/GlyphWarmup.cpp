#include "app/GlyphWarmup.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QFontMetrics>
#include <QTimer>
#include <QWidget>
#include <algorithm>

namespace app {
namespace {

// How long one step may keep the user-interface thread.
constexpr qint64 kStepNanoseconds = 8'000'000;

}  // namespace

GlyphWarmup::GlyphWarmup(QWidget* widget, std::function<QString()> texts)
    : QObject(widget), widget_(widget), texts_(std::move(texts)) {
  widget_->installEventFilter(this);
}

bool GlyphWarmup::eventFilter(QObject* watched, QEvent* event) {
  if (watched == widget_ && event->type() == QEvent::Paint && !started_) {
    started_ = true;
    widget_->removeEventFilter(this);
    // After the paint itself, once control is back in the event loop.
    QTimer::singleShot(0, this, [this] { Step(); });
  }
  return false;
}

void GlyphWarmup::Step() {
  QElapsedTimer clock;
  clock.start();
  if (!loaded_) {
    loaded_ = true;
    const QString text = texts_ ? texts_() : QString();
    texts_ = nullptr;
    pending_ = text.toStdU32String();
    std::sort(pending_.begin(), pending_.end());
    pending_.erase(std::unique(pending_.begin(), pending_.end()), pending_.end());
  }
  const QFontMetrics metrics(widget_->font());
  while (next_ < pending_.size() && clock.nsecsElapsed() < kStepNanoseconds) {
    const char32_t c = pending_[next_++];
    // The single-character overload for the basic plane, as the lists measure them.
    if (c < 0x10000) metrics.horizontalAdvance(QChar(static_cast<char16_t>(c)));
    else metrics.horizontalAdvance(QString::fromUcs4(&c, 1));
  }
  if (next_ < pending_.size()) {
    QTimer::singleShot(0, this, [this] { Step(); });
    return;
  }
  // The font files' pages read here stay resident (see platform/FontPages.h):
  // an era's first listing reads most of them again, and faulting them back
  // in would cost it a third more.
  pending_.clear();
  pending_.shrink_to_fit();
  done_ = true;
}

}  // namespace app
