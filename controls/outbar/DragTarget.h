#pragma once
// The drag-over and drop handlers a control offers to the item drags of the
// vertical lists. A control under the pointer that does not implement them
// refuses every drop.
#include <QWidget>

#include "controls/outbar/Events.h"

namespace outbar {

class TDragTarget {
 public:
  virtual ~TDragTarget() = default;
  // Accept starts True; (x, y) are in the control's client coordinates.
  virtual void DragOver(QObject* source, int x, int y, TDragState state, bool& accept) = 0;
  virtual void DragDrop(QObject* source, int x, int y) = 0;
};

// The drag handlers of a widget, or null when it has none.
inline TDragTarget* DragTargetOf(QWidget* w) { return w ? dynamic_cast<TDragTarget*>(w) : nullptr; }

}  // namespace outbar
