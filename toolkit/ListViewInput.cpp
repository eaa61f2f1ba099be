// Mouse and keys of the report list view: presses, releases and double
// clicks on the rows, and the keys that move the focus and the selection.
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

#include "platform/PointerPixel.h"
#include "toolkit/Dispatch.h"
#include "toolkit/ListView.h"

namespace toolkit {

void TListView::mousePressEvent(QMouseEvent* event) {
  const Qt::MouseButton button = event->button();
  if (button != Qt::LeftButton && button != Qt::RightButton) {
    QAbstractScrollArea::mousePressEvent(event);
    return;
  }
  setFocus(Qt::MouseFocusReason);
  const Qt::KeyboardModifiers mods = event->modifiers();
  const bool ctrl = mods & Qt::ControlModifier;
  const bool shift = mods & Qt::ShiftModifier;
  const int index = IndexAt(platform::PixelAt(event));
  pressedSelected_ = nullptr;
  if (button == Qt::LeftButton) leftPressed_ = true;
  if (index < 0) {
    // Empty space: a plain press clears the selection; the focus stays.
    if (!ctrl && !shift) ClearSelection();
    return;
  }
  TListItem* item = items_.At(index);
  if (button == Qt::RightButton) {
    if (!item->selected_) SetSelection(item);
    return;
  }
  if (!multiSelect_) {
    if (!item->selected_) SetSelection(item);
    return;
  }
  if (ctrl && shift) {
    SetItemState(item, kSelected | kFocused, true, true);
  } else if (ctrl) {
    if (SetItemState(item, kSelected | kFocused, !item->selected_, true)) selection_.SetMark(item);
  } else if (shift) {
    SetGroupSelection(item);
  } else if (item->selected_) {
    // A press on a selected row keeps the other selected rows until release.
    pressedSelected_ = item;
  } else {
    SetSelection(item);
  }
}

void TListView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !leftPressed_) {
    QAbstractScrollArea::mouseReleaseEvent(event);
    return;
  }
  leftPressed_ = false;
  TListItem* pressed = pressedSelected_;
  pressedSelected_ = nullptr;
  if (pressed != nullptr) {
    const int index = IndexAt(platform::PixelAt(event));
    if (index >= 0 && items_.At(index) == pressed) SetSelection(pressed);
  }
  Click();
}

void TListView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QAbstractScrollArea::mouseDoubleClickEvent(event);
    return;
  }
  // The second press of a double click changes nothing and is not a click.
  leftPressed_ = false;
  pressedSelected_ = nullptr;
  Raise(OnDblClick);
}

void TListView::KeySelect(int index, Qt::KeyboardModifiers mods, bool space) {
  if (index < 0 || index >= items_.Count()) return;
  TListItem* item = items_.At(index);
  if (item == selection_.Focused() && !space) return;
  const bool ctrl = mods & Qt::ControlModifier;
  const bool shift = mods & Qt::ShiftModifier;
  if (!multiSelect_ || (!shift && !ctrl)) {
    SetSelection(item);
  } else if (shift) {
    SetGroupSelection(item);
  } else if (space) {
    if (SetItemState(item, kSelected | kFocused, !item->selected_, true) && item->selected_) selection_.SetMark(item);
  } else {
    SetItemState(item, kFocused, false, true);
  }
  EnsureVisible(item->index_);
}

void TListView::keyPressEvent(QKeyEvent* event) {
  const int count = items_.Count();
  FlushScrollRange();
  const int current = selection_.Focused() == nullptr ? -1 : selection_.Focused()->index_;
  const int page = RowsPerPage();
  const int top = TopIndex();
  const Qt::KeyboardModifiers mods = event->modifiers();
  int target = -1;
  // Ctrl and a digit: the column of that number, as a click on its header
  // (the reader's way to sort without the pointer).
  if ((mods & Qt::ControlModifier) && event->key() >= Qt::Key_1 && event->key() <= Qt::Key_9) {
    const int column = event->key() - Qt::Key_1;
    if (column < Columns().Count()) {
      event->accept();
      ColumnClick(column);
      return;
    }
  }
  switch (event->key()) {
    case Qt::Key_Down: target = std::min(current + 1, count - 1); break;
    case Qt::Key_Up: target = current < 0 ? 0 : std::max(current - 1, 0); break;
    case Qt::Key_Home: target = 0; break;
    case Qt::Key_End: target = count - 1; break;
    case Qt::Key_PageDown:
      // The bottom row of the page, or a page further when already there.
      target = std::min(current == top + page - 1 ? current + page - 1 : top + page - 1, count - 1);
      break;
    case Qt::Key_PageUp:
      target = std::max(current == top ? top - page + 1 : top, 0);
      break;
    case Qt::Key_Space:
      if (current >= 0) KeySelect(current, mods, true);
      event->accept();
      return;
    default:
      QAbstractScrollArea::keyPressEvent(event);
      return;
  }
  event->accept();
  if (count == 0) return;
  KeySelect(target, mods, false);
}

}  // namespace toolkit
