#pragma once
// The pointer on a skinned frame: hover over caption buttons and menu-bar
// items, presses and releases, double clicks, the system menu on a right
// click, the resize cursors over the borders, and moving by the caption and
// resizing by the borders (by the window manager when there is one, else by
// hand from the pointer's global position).
#include <QCursor>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>

#include "skin/frame/FrameGeometry.h"

class QEvent;
class QMouseEvent;

namespace skin {

class TWinSkinForm;

// Moving and resizing by hand: the new outer geometry from the geometry at
// the press and how far the pointer has moved.
// Moves `start` by `delta`.
QRect MovedGeometry(const QRect& start, const QPoint& delta);
// Moves the `edges` of `start` by `delta`, never below `minimum` (the edge
// opposite a moved edge stays where it was) nor above `maximum`.
QRect ResizedGeometry(const QRect& start, Qt::Edges edges, const QPoint& delta, const QSize& minimum,
                      const QSize& maximum);

class TFrameInput : public QObject {
 public:
  explicit TFrameInput(TWinSkinForm& frame) : frame_(frame) {}
  ~TFrameInput() override { RestoreCursor(); }

  // Handles a mouse event on the window; true when it was the frame's.
  bool Mouse(QMouseEvent* e);
  void RestoreCursor();
  bool Dragging() const { return drag_ != dragNone; }

 protected:
  // While a resize cursor is shown: any pointer move outside the borders
  // gives the window its cursor back.
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  enum Drag { dragNone, dragPending, dragMoving, dragResizing, dragSystem };
  bool Move(QMouseEvent* e, int hit);
  bool Press(QMouseEvent* e, int hit);
  bool Release(QMouseEvent* e, int hit);
  bool DoubleClick(QMouseEvent* e, int hit);
  void ShowCursorFor(int hit);
  void StartDrag(QMouseEvent* e, int hit);
  void ContinueDrag(QMouseEvent* e);

  TWinSkinForm& frame_;
  Drag drag_ = dragNone;
  int dragHit_ = HTNOWHERE;
  QPoint pressGlobal_;
  QRect pressGeometry_;
  bool cursorShown_ = false;
  bool hadCursor_ = false;
  QCursor savedCursor_;
};

}  // namespace skin
