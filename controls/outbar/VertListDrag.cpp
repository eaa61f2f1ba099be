// Item drag and drop of the vertical list: the source side (start, move,
// release, cancel, transfer) and the target side (drag-over, drop, drop mark,
// auto-scroll).
#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPolygon>

#include "controls/outbar/DragCursors.h"
#include "controls/outbar/VertListView.h"
#include "toolkit/Dispatch.h"

namespace outbar {

// Watches the keyboard process-wide while a drag runs: Ctrl switches between
// moving and copying, Escape cancels.
class DragKeyWatch : public QObject {
 public:
  explicit DragKeyWatch(TDCVertListView* list) : list_(list) { qApp->installEventFilter(this); }
  ~DragKeyWatch() override { qApp->removeEventFilter(this); }

  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->isAutoRepeat()) return key->key() == Qt::Key_Escape;
    if (key->key() == Qt::Key_Control) {
      list_->SetCopyMode(key->modifiers() & Qt::ControlModifier);
      return false;
    }
    if (key->key() == Qt::Key_Escape && event->type() == QEvent::KeyPress) {
      list_->CancelDrag();
      return true;
    }
    return false;
  }

 private:
  TDCVertListView* list_;
};

namespace {
// Only one drag runs at a time in the process.
TDCVertListView* g_dragSource = nullptr;
}  // namespace

void TDCVertListView::StartDrag(bool ctrl) {
  if (g_dragSource && g_dragSource != this) g_dragSource->CancelDrag();
  dragging_ = true;
  copyMode_ = ctrl;
  dragCursor_ = ctrl ? crDragCopy : crDragMove;
  accepted_ = false;
  if (!overrideCursor_) {
    // The shape before the drag comes back when the override is removed.
    QApplication::setOverrideCursor(cursor());
    overrideCursor_ = true;
    currentShape_ = 0;
  }
  clickPending_ = false;
  g_dragSource = this;
  if (!keyWatch_) keyWatch_ = new DragKeyWatch(this);
}

void TDCVertListView::StopKeyWatch() {
  delete keyWatch_;
  keyWatch_ = nullptr;
  if (g_dragSource == this) g_dragSource = nullptr;
}

void TDCVertListView::SetDragCursor(bool accepted) {
  const int shape = accepted ? dragCursor_ : crNoDrop;
  if (!overrideCursor_ || shape == currentShape_) return;
  currentShape_ = shape;
  QApplication::changeOverrideCursor(DragCursor(shape));
}

void TDCVertListView::SetCopyMode(bool on) {
  copyMode_ = on;
  dragCursor_ = on ? crDragCopy : crDragMove;
  if (accepted_) SetDragCursor(true);
}

bool TDCVertListView::AskTarget(QWidget* target, const QPoint& globalPos) {
  TDragTarget* handlers = DragTargetOf(target);
  if (!handlers) return false;
  QPoint local = target->mapFromGlobal(globalPos);
  if (auto* list = qobject_cast<TCustomDCListViewEx*>(target)) local = list->ToClient(local);
  bool accept = true;
  handlers->DragOver(this, local.x(), local.y(), dsDragMove, accept);
  return accept;
}

void TDCVertListView::DragMove(const QPoint& globalPos) {
  try {
    accepted_ = false;
    // The previous target is asked first so that it can remove its mark.
    if (target_) accepted_ = AskTarget(target_, globalPos);
    QWidget* under = QApplication::widgetAt(globalPos);
    target_ = under;
    if (under) accepted_ = AskTarget(under, globalPos);
  } catch (const toolkit::Exception& e) {
    CancelDrag();
    toolkit::ShowException(e.Message());
    return;
  } catch (const std::exception& e) {
    CancelDrag();
    toolkit::ShowException(QString::fromUtf8(e.what()));
    return;
  }
  SetDragCursor(accepted_);
}

void TDCVertListView::FinishDrag(const QPoint& clientPos, const QPoint& globalPos) {
  StopKeyWatch();
  dragging_ = false;
  QWidget* target = target_;
  auto* targetList = qobject_cast<TDCVertListView*>(target);
  if (dragEnabled_) {
    if (accepted_ && target) {
      QPoint local = target->mapFromGlobal(globalPos);
      if (auto* list = qobject_cast<TCustomDCListViewEx*>(target)) local = list->ToClient(local);
      if (TDragTarget* handlers = DragTargetOf(target)) handlers->DragDrop(this, local.x(), local.y());
      EndDrag(target_, clientPos);
      if (targetList) {
        targetList->dropIndex_ = -1;
        targetList->markShown_ = false;
        targetList->update();
      }
    } else {
      EndDrag(nullptr, clientPos);
      if (targetList) {
        targetList->DrawDropMark(false);
        targetList->dropIndex_ = -1;
        targetList->StopAutoScroll();
      }
    }
  }
  pressed_ = nullptr;
  target_ = nullptr;
  accepted_ = false;
  if (overrideCursor_) {
    QApplication::restoreOverrideCursor();
    overrideCursor_ = false;
    currentShape_ = 0;
  }
}

void TDCVertListView::EndDrag(QWidget* target, const QPoint& clientPos) {
  toolkit::Raise(OnEndDrag, this, static_cast<QObject*>(target), clientPos.x(), clientPos.y());
  StopAutoScroll();
  if (auto* list = qobject_cast<TDCVertListView*>(target)) {
    list->StopAutoScroll();
    TransferTo(list);
  }
}

void TDCVertListView::TransferTo(TDCVertListView* target) {
  TDCVertListItem* source = pressed_;
  if (!source || !Alive(source)) return;
  TDCVertListItem* created = nullptr;
  const bool copy = copyMode_;
  target->BeginUpdate();
  // Whatever happens, the target's batch update ends and both lists are arranged again.
  struct Finally {
    TDCVertListView* source;
    TDCVertListView* target;
    TDCVertListItem*& created;
    bool copy;
    ~Finally() {
      target->EndUpdate();
      target->Arrange();
      if (created && target->Alive(created)) target->ScrollIntoView(created, false);
      if (!copy) source->Arrange();
    }
  } finally{this, target, created, copy};

  ++target->lock_;
  try {
    const int at = target->dropIndex_ < 0 ? target->ItemCount() : std::min(target->dropIndex_, target->ItemCount());
    created = target->InsertItem(at);
  } catch (...) {
    --target->lock_;
    throw;
  }
  --target->lock_;
  created->SetCaption(source->caption_);
  created->data_ = source->data_;
  created->SetImageIndex(source->imageIndex_);
  created->SetOverlayIndex(source->overlayIndex_);
  created->SetStateIndex(source->stateIndex_);
  created->subItems_ = source->subItems_;
  created->FileName = source->FileName;
  created->Parameters = source->Parameters;
  created->OnItemClick = source->OnItemClick;
  created->selectedImageIndex_ = source->selectedImageIndex_;
  created->HotImageIndex = source->HotImageIndex;
  if (!copy) {
    SetHotItem(nullptr);
    DeleteItem(source);
  }
}

void TDCVertListView::CancelDrag() {
  StopKeyWatch();
  pressed_ = nullptr;
  leftDown_ = false;
  clickPending_ = false;
  if (dragging_) {
    accepted_ = false;
    // A target list ignores its next release; this list's own flag is set
    // after the cancelling release below, which still raises OnMouseUp.
    if (auto* list = qobject_cast<TDCVertListView*>(target_.data()); list && list != this) list->cancelled_ = true;
    // A release at (0, 0) ends the drag without a drop.
    ReleaseLeft(QPoint(0, 0), 0, Qt::LeftButton);
  }
  cancelled_ = true;
  InvalidateFrame(hot_);
}

// ---------------------------------------------------------------- target side

int TDCVertListView::DropIndexAt(int x, int y) {
  if (!ClientRect().Contains(x, y)) return -1;
  const int n = ItemCount();
  if (n == 0) return 0;
  const int k = FirstItemBelow(y);
  if (k >= n) return IsItemVisible(items_.back().get(), false) ? n : -1;
  return VerticalBounds(items_[static_cast<size_t>(k)].get()).top > y ? k : -1;
}

DropMark TDCVertListView::CurrentDropMark() {
  const int k = std::max(0, dropIndex_);
  return ComputeDropMark(k, ItemCount(), StepsBefore(k), offset_.y(), topPad_, ClientHeight(), viewStyle_,
                         selectionType_);
}

void TDCVertListView::DrawDropMark(bool draw) {
  if (dropIndex_ == -1) return;
  const DropMark m = CurrentDropMark();
  InvalidateClient({1, m.y - m.c - 1, ClientWidth() - 1, m.y + m.c + 2});
  if (draw) {
    markShown_ = true;
    shownMark_ = m;
    return;
  }
  markShown_ = false;
  // The frames touching the mark are painted again.
  for (TDCVertListItem* item : {selected_, hot_}) {
    if (!item) continue;
    const int i = item->index_;
    if (i == dropIndex_ || i == dropIndex_ - 1) InvalidateFrame(item);
  }
}

void TDCVertListView::PaintOverlay(QPainter& p) {
  if (!markShown_ || dropIndex_ == -1) return;
  const DropMark m = CurrentDropMark();
  const int cw = ClientWidth();
  const QColor color = platform::ToQColor(dragPlaceColor_);
  LineTo(p, 2, m.y, cw - 2, m.y, color);
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(color);
  p.setBrush(color);
  p.drawPolygon(QPolygon({QPoint(2, m.top), QPoint(2, m.bottom), QPoint(10, m.y)}));
  p.drawPolygon(QPolygon({QPoint(cw - 2, m.top), QPoint(cw - 2, m.bottom), QPoint(cw - 10, m.y)}));
  p.restore();
}

void TDCVertListView::DragOver(QObject* source, int x, int y, TDragState state, bool& accept) {
  accept = true;
  // Handlers are called directly here: an error while asking cancels the drag.
  if (OnDragOver) OnDragOver(this, source, x, y, state, accept);
  if (!accept) {
    DrawDropMark(false);
    return;
  }
  if (state == dsDragLeave) {
    DrawDropMark(false);
    accept = dropIndex_ >= 0;
    dropIndex_ = -1;
    StopAutoScroll();
    return;
  }
  auto* sourceList = qobject_cast<TDCVertListView*>(source);
  if (sourceList) {
    UpdateHotItem(QPoint(x, y));
    if (!dragEnabled_) {
      accept = false;
      return;
    }
  } else {
    if (OnDragOver) OnDragOver(this, source, x, y, state, accept);
    if (!accept) {
      DrawDropMark(false);
      return;
    }
  }
  const int ch = ClientHeight();
  const bool inside = ClientRect().Contains(x, y);
  if (!inside) {
    accept = false;
    StopAutoScroll();
  } else if (sourceList) {
    const QPoint global = mapToGlobal(QPoint(x, y) + ClientOrigin());
    if (y >= 0 && y <= 10 && CanScrollUp())
      StartAutoScroll(sourceList, global, -1);
    else if (y > ch - 10 && y < ch && CanScrollDown())
      StartAutoScroll(sourceList, global, 1);
    else if (y > 10 && y < ch - 10)
      StopAutoScroll();
  }
  const int d = DropIndexAt(x, y);
  lastDropIndex_ = d;
  accept = d >= 0;
  if (d == dropIndex_ && (markShown_ || d == -1)) return;
  DrawDropMark(false);
  dropIndex_ = d;
  if (d != -1) DrawDropMark(true);
}

void TDCVertListView::DragDrop(QObject* source, int x, int y) {
  DrawDropMark(false);
  StopAutoScroll();
  toolkit::Raise(OnDragDrop, this, source, x, y);
  lastDropIndex_ = -1;
}

void TDCVertListView::StartAutoScroll(TDCVertListView* source, const QPoint& globalPos, int direction) {
  if (autoScrollTimer_.isActive() && autoScrollDirection_ == direction) return;
  autoScrollSource_ = source;
  autoScrollPoint_ = globalPos;
  autoScrollDirection_ = direction;
  autoScrollTimer_.start((direction < 0 ? up_ : down_)->Frequency());
}

void TDCVertListView::StopAutoScroll() {
  autoScrollTimer_.stop();
  autoScrollDirection_ = 0;
}

void TDCVertListView::AutoScrollTick() {
  if (autoScrollDirection_ > 0)
    ScrollDownStep();
  else
    ScrollUpStep();
  if (!(autoScrollDirection_ > 0 ? CanScrollDown() : CanScrollUp())) StopAutoScroll();
  repaint();
  // The source recomputes the drop position after the scroll.
  if (TDCVertListView* source = autoScrollSource_; source && source->dragging_) {
    const QPoint local = source->ToClient(source->mapFromGlobal(autoScrollPoint_));
    source->PointerMoved(local, autoScrollPoint_, source->copyMode_ ? (ssCtrl | ssLeft) : ssLeft);
  }
}

}  // namespace outbar
