#include "skin/frame/FrameSizing.h"

#include <QDialog>
#include <QFontMetrics>
#include <QLayout>
#include <QWidget>
#include <algorithm>

#include "skin/engine/SkinData.h"
#include "skin/frame/WinSkinForm.h"
#include "toolkit/AlignLayout.h"
#include "toolkit/WorkArea.h"

namespace skin {
namespace {

// A size limit moved by the frame's growth (an unlimited maximum stays unlimited).
QSize WidenedLimit(const QSize& limit, const QSize& by, bool maximum) {
  if (maximum) {
    return {limit.width() >= QWIDGETSIZE_MAX ? QWIDGETSIZE_MAX : std::min(QWIDGETSIZE_MAX, limit.width() + by.width()),
            limit.height() >= QWIDGETSIZE_MAX ? QWIDGETSIZE_MAX
                                               : std::min(QWIDGETSIZE_MAX, limit.height() + by.height())};
  }
  return {limit.width() > 0 ? limit.width() + by.width() : 0, limit.height() > 0 ? limit.height() + by.height() : 0};
}

// A dialog that sizes itself when it is shown (a message box) takes the
// margins into its own size.
bool SizesItself(const QWidget* w, bool isForm) { return !isForm && qobject_cast<const QDialog*>(w); }

}  // namespace

QMargins TFrameSizing::Margins() const { return frame_.metrics_.Margins() + captionRoom_; }

void TFrameSizing::ReserveFrame() {
  ApplyMargins();
  fitPending_ = true;
  if (QWidget* w = frame_.Handle(); w && w->isVisible()) FitWindowToClient(true);
}

void TFrameSizing::FirstShow() {
  if (!fitPending_) return;
  fitAt_.reset();
  if (!SizesItself(frame_.Handle(), frame_.Form())) FitWindowToClient(true);
  fitPending_ = false;
}

void TFrameSizing::ShiftHandPlacedChildren(int dx, int dy) {
  QWidget* w = frame_.Handle();
  if (!w || (dx == 0 && dy == 0)) return;
  // Only windows laid out by alignment place some children by hand; other
  // layouts place every child inside the contents margins themselves.
  QLayout* layout = w->layout();
  auto* align = qobject_cast<toolkit::AlignLayout*>(layout);
  if (layout && !align) return;
  for (QObject* o : w->children()) {
    if (!o->isWidgetType()) continue;
    auto* child = static_cast<QWidget*>(o);
    if (child->isWindow() || (layout && layout->menuBar() == child)) continue;
    if (align && toolkit::Align(child) != toolkit::alNone && align->indexOf(child) >= 0) continue;
    child->move(child->pos() + QPoint(dx, dy));
  }
}

void TFrameSizing::ApplyMargins() {
  QWidget* w = frame_.Handle();
  if (!w) return;
  const QMargins m = Margins();
  const QPoint origin(m.left(), m.top());
  ShiftHandPlacedChildren(origin.x() - handPlacedShift_.x(), origin.y() - handPlacedShift_.y());
  handPlacedShift_ = origin;
  w->setContentsMargins(m);
}

int TFrameSizing::CaptionWidthNeeded() const {
  const TDataSkinTitle& title = frame_.SkinData()->Elements().Title;
  return title.Margins.Left + QFontMetrics(frame_.CaptionFont()).horizontalAdvance(frame_.CaptionText()) +
         title.Margins.Right;
}

void TFrameSizing::GrowForCaption(int clientWidth) {
  // A message window whose caption is wider than its body grows, its children
  // moved right by half the difference.
  const int needed = CaptionWidthNeeded();
  const int width = clientWidth + frame_.metrics_.L + frame_.metrics_.R;
  const int diff = needed - width;
  captionRoom_ = diff > 0 ? QMargins(diff / 2, 0, diff - diff / 2, 0) : QMargins();
}

void TFrameSizing::FitWindowToClient(bool keepClient) {
  QWidget* w = frame_.Handle();
  if (!w || frame_.Kind() == fkNone) return;
  // Before the first fit the whole window is still its client.
  const bool first = fitPending_;
  const QMargins before = first ? frame_.saved_.Margins() : w->contentsMargins();
  fitPending_ = false;
  const QSize client = w->size().shrunkBy(before).expandedTo(QSize(1, 1));
  if (!keepClient && frame_.IsDialog()) GrowForCaption(client.width());
  const QMargins m = Margins();
  const QSize grow(m.left() + m.right() - before.left() - before.right(),
                   m.top() + m.bottom() - before.top() - before.bottom());
  // Limits move with the frame, so a fixed-size window keeps its client.
  const QSize minimum = WidenedLimit(w->minimumSize(), grow, false);
  const QSize maximum = WidenedLimit(w->maximumSize(), grow, true);
  ApplyMargins();
  if (frame_.ShowState() == ssMaximized) {
    fittedGeometry_ = w->geometry();
    return;
  }
  if (SizesItself(w, frame_.Form()) && !w->isVisible()) {
    fittedGeometry_ = QRect();
    return;
  }
  // Growing: the maximum first, so the minimum never passes it (and the other way round).
  if (grow.width() > 0 || grow.height() > 0) {
    w->setMaximumSize(maximum);
    w->setMinimumSize(minimum);
  } else {
    w->setMinimumSize(minimum);
    w->setMaximumSize(maximum);
  }
  const QSize outer(client.width() + m.left() + m.right(), client.height() + m.top() + m.bottom());
  // The window keeps its outer top-left corner.
  const QPoint at = fitAt_ ? *fitAt_ : w->geometry().topLeft();
  fitAt_.reset();
  QRect fitted(at, outer);
  // Grown by its frame, the window still lies inside the work area; one
  // placed at the screen's centre is centred again with its frame.
  if (first) fitted = toolkit::PlacedGeometry(w, fitted, CentredOnScreen() ? toolkit::TPlacing::Centred
                                                                           : toolkit::TPlacing::Inside);
  w->setGeometry(fitted);
  fittedGeometry_ = w->geometry();
}

bool TFrameSizing::CentredOnScreen() const {
  const toolkit::TForm* form = frame_.Form();
  return form && (form->Position() == toolkit::poScreenCenter || form->Position() == toolkit::poDesktopCenter);
}

void TFrameSizing::FitMessageToCaption() {
  QWidget* w = frame_.Handle();
  if (!w || !captionRoom_.isNull()) return;
  const QMargins m = w->contentsMargins();
  GrowForCaption(w->width() - m.left() - m.right());
  if (captionRoom_.isNull()) return;
  ApplyMargins();
  if (QLayout* layout = w->layout()) layout->activate();
  const int needed = CaptionWidthNeeded();
  if (w->width() < needed) {
    if (w->minimumWidth() == w->maximumWidth()) w->setFixedWidth(needed);
    else w->resize(needed, w->height());
  }
}

QRect TFrameSizing::TakeBack() {
  QWidget* w = frame_.Handle();
  const TFrameMetrics& metrics = frame_.metrics_;
  // The client keeps its size and place under the platform frame again.
  const QRect client(w->mapToGlobal(QPoint(0, 0)) + QPoint(metrics.L + captionRoom_.left(), metrics.T + metrics.M),
                     w->contentsRect().size());
  const bool untouched = w->geometry() == fittedGeometry_;
  ShiftHandPlacedChildren(-handPlacedShift_.x(), -handPlacedShift_.y());
  handPlacedShift_ = {};
  return untouched ? frame_.saved_.Geometry() : client;
}

}  // namespace skin
