#include "skin/controls/SkinScrollbar.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QLayout>
#include <QEvent>
#include <QPainter>

#include "skin/engine/SkinData.h"

namespace skin {

TSkinScrollbar::~TSkinScrollbar() {
  if (life_ == sclAlive && initialised_) RestoreControl();
}

void TSkinScrollbar::InitScroll(QWidget* control, TSkinData* skinData, TWinSkinForm* frame, QImage* canvas) {
  if (initialised_ || !control) return;
  initialised_ = true;
  handle_ = control;
  skinData_ = skinData;
  canvas_ = canvas;
  Enrol(frame);
  focused_ = control->hasFocus();
  enabled_ = control->isEnabled();
  // Hooked first: a bar that is its own control watches its presses in a
  // filter that must run before the hook's handling.
  Hook(control);
  CreateBars(control);
  Repaint();
}

void TSkinScrollbar::InitControl(TWinSkinForm* frame, TSkinData* skinData, bool, QImage* canvas) {
  InitScroll(control_.data(), skinData, frame, canvas);
}

void TSkinScrollbar::InitWindow(QWidget* hwnd, TSkinData* skinData, TWinSkinForm* frame, QImage* canvas) {
  InitScroll(hwnd, skinData, frame, canvas);
}

void TSkinScrollbar::CreateBars(QWidget* control) {
  if (auto* bar = qobject_cast<QScrollBar*>(control)) {
    // A scroll-bar control of its own.
    (bar->orientation() == Qt::Horizontal ? horizontal_ : vertical_) =
        std::make_unique<TWScrollbar>(bar, sbkControl, skinData_);
  } else if (auto* area = qobject_cast<QAbstractScrollArea*>(control)) {
    horizontal_ = std::make_unique<TWScrollbar>(area->horizontalScrollBar(), sbkHorizontal, skinData_);
    vertical_ = std::make_unique<TWScrollbar>(area->verticalScrollBar(), sbkVertical, skinData_);
  }
  for (TWScrollbar* b : {horizontal_.get(), vertical_.get()})
    if (b) b->Attach();
  Relayout();
}

void TSkinScrollbar::Relayout() {
  // A scroll area places its bars by their thickness: lay it out again now
  // that the bars' style changed. Each bar sits in a container whose layout
  // holds the bar's old size as its limits until it is activated again;
  // setting a policy then lays a shown area out (a hidden one is laid out
  // when it is shown).
  auto* area = qobject_cast<QAbstractScrollArea*>(handle_.data());
  if (!area) return;
  for (QScrollBar* bar : {area->horizontalScrollBar(), area->verticalScrollBar()}) {
    QWidget* container = bar ? bar->parentWidget() : nullptr;
    if (container && container != area && container->layout()) {
      container->layout()->invalidate();
      container->layout()->activate();
    }
  }
  area->setVerticalScrollBarPolicy(area->verticalScrollBarPolicy());
}

void TSkinScrollbar::RestoreControl() {
  const bool had = horizontal_ || vertical_;
  horizontal_.reset();
  vertical_.reset();
  if (had) Relayout();
  TSkinControl::RestoreControl();
  Repaint();
}

void TSkinScrollbar::Refresh() {
  for (TWScrollbar* b : {horizontal_.get(), vertical_.get()})
    if (b) b->Refresh();
  Relayout();
  TSkinControl::Refresh();
}

QRect TSkinScrollbar::CornerRect() const {
  const QWidget* host = handle_.data();
  const QScrollBar* h = horizontal_ ? horizontal_->Bar() : nullptr;
  const QScrollBar* v = vertical_ ? vertical_->Bar() : nullptr;
  if (!host || !h || !v || !h->isVisibleTo(host) || !v->isVisibleTo(host)) return {};
  const QRect hr(h->mapTo(host, QPoint(0, 0)), h->size());
  const QRect vr(v->mapTo(host, QPoint(0, 0)), v->size());
  return QRect(vr.left(), hr.top(), vr.width(), hr.height());
}

void TSkinScrollbar::AfterMessage(QEvent* message) {
  switch (message->type()) {
    case QEvent::Resize:
      Repaint();
      return;
    default: TSkinControl::AfterMessage(message);
  }
}

void TSkinScrollbar::Paint(QPainter& dc, const QRect&) {
  if (!skinData_ || !CanPaintScrollBar(skinData_->Elements())) return;
  const QRect corner = CornerRect();
  if (!corner.isEmpty()) PaintScrollCorner(dc, corner, skinData_->Elements());
}

}  // namespace skin
