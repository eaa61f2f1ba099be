#include "skin/frame/FrameInput.h"

#include <QApplication>
#include <QMouseEvent>
#include <algorithm>

#include "platform/PointerPixel.h"
#include "platform/WindowManager.h"
#include "skin/frame/SystemMenu.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/menu/MenuHost.h"

namespace skin {
namespace {

QPoint GlobalPos(const QMouseEvent* e) { return e->globalPosition().toPoint(); }

}  // namespace

QRect MovedGeometry(const QRect& start, const QPoint& delta) { return start.translated(delta); }

QRect ResizedGeometry(const QRect& start, Qt::Edges edges, const QPoint& delta, const QSize& minimum,
                      const QSize& maximum) {
  // Edges as exclusive coordinates: left, top, right, bottom.
  int left = start.x(), top = start.y(), right = start.x() + start.width(), bottom = start.y() + start.height();
  const int minW = std::max(1, minimum.width()), minH = std::max(1, minimum.height());
  const int maxW = std::max(minW, maximum.width()), maxH = std::max(minH, maximum.height());
  if (edges & Qt::LeftEdge) left = std::clamp(left + delta.x(), right - maxW, right - minW);
  if (edges & Qt::RightEdge) right = std::clamp(right + delta.x(), left + minW, left + maxW);
  if (edges & Qt::TopEdge) top = std::clamp(top + delta.y(), bottom - maxH, bottom - minH);
  if (edges & Qt::BottomEdge) bottom = std::clamp(bottom + delta.y(), top + minH, top + maxH);
  return {left, top, right - left, bottom - top};
}


bool TFrameInput::Mouse(QMouseEvent* e) {
  if (!frame_.Handle()) return false;
  if (drag_ == dragMoving || drag_ == dragResizing || drag_ == dragPending) {
    if (e->type() == QEvent::MouseMove) {
      ContinueDrag(e);
      return true;
    }
    if (e->type() == QEvent::MouseButtonRelease) {
      drag_ = dragNone;
      return true;
    }
  }
  if (drag_ == dragSystem) drag_ = dragNone;
  const int hit = frame_.HitTest(platform::PixelAt(e));
  switch (e->type()) {
    case QEvent::MouseMove: return Move(e, hit);
    case QEvent::MouseButtonPress: return Press(e, hit);
    case QEvent::MouseButtonRelease: return Release(e, hit);
    case QEvent::MouseButtonDblClick: return DoubleClick(e, hit);
    default: return false;
  }
}

bool TFrameInput::Move(QMouseEvent* e, int hit) {
  const QPoint p = platform::PixelAt(e);
  TNCObject* hot = frame_.HotObject();
  if (e->buttons() != Qt::NoButton) return hit != HTCLIENT;
  if (hit == HTCLIENT) {
    RestoreCursor();
    if (hot) hot->Leave();
    return false;
  }
  ShowCursorFor(hit);
  if (!frame_.Active()) return true;
  TNCObject* over = frame_.CaptionButtonAt(p);
  if (!over && frame_.MenuBarSkinner()) over = frame_.MenuBarSkinner()->HitTestMenuBar(p);
  if (over) {
    if (over != hot || over->State == ncsNormal) over->Enter();
  } else if (hot) {
    hot->Leave();
  }
  return true;
}

bool TFrameInput::Press(QMouseEvent* e, int hit) {
  if (hit == HTCLIENT) return false;
  const QPoint p = platform::PixelAt(e);
  if (e->button() == Qt::RightButton && (hit == HTCAPTION || hit == HTMENU)) {
    frame_.ShowSystemMenu(GlobalPos(e));
    return true;
  }
  if (e->button() != Qt::LeftButton) return true;
  TNCObject* over = frame_.CaptionButtonAt(p);
  TNCObject* item = nullptr;
  if (!over && frame_.MenuBarSkinner()) item = frame_.MenuBarSkinner()->HitTestMenuBar(p);
  if (over || item) {
    if (!frame_.Active()) {
      frame_.Handle()->raise();
      frame_.Handle()->activateWindow();
    }
    (over ? over : item)->Press();
    if (item) frame_.MenuBarSkinner()->OpenMenuBarItem(item);
    return true;
  }
  // A maximised window is not moved by its caption.
  if (frame_.ShowState() == ssMaximized && hit == HTCAPTION) return true;
  if (hit == HTCAPTION || EdgesForHit(hit)) StartDrag(e, hit);
  return true;
}

bool TFrameInput::Release(QMouseEvent* e, int hit) {
  TNCObject* hot = frame_.HotObject();
  if (e->button() == Qt::LeftButton && hot && hot->State == ncsPressed) {
    auto* button = dynamic_cast<TWinSysButton*>(hot);
    if (hot->Rect.contains(platform::PixelAt(e))) {
      hot->Release();
      if (button) frame_.DoCaptionAction(button->Action());
    } else {
      hot->Leave();
    }
    return true;
  }
  return hit != HTCLIENT;
}

bool TFrameInput::DoubleClick(QMouseEvent* e, int hit) {
  if (hit == HTCLIENT) return false;
  if (e->button() == Qt::RightButton && (hit == HTCAPTION || hit == HTMENU)) {
    frame_.ShowSystemMenu(GlobalPos(e));
    return true;
  }
  if (e->button() != Qt::LeftButton) return true;
  if (TWinSysButton* b = frame_.CaptionButtonAt(platform::PixelAt(e))) {
    // The second click of a double click on a button presses it again.
    b->Press();
    return true;
  }
  // Maximise, or restore a maximised or minimised window.
  if (hit == HTCAPTION && (frame_.ShowState() != ssNormal || frame_.Caps().Maximize))
    frame_.RunCaptionAction(TCaptionAction::Maximize);
  return true;
}

void TFrameInput::StartDrag(QMouseEvent* e, int hit) {
  QWidget* w = frame_.Handle();
  drag_ = dragPending;
  dragHit_ = hit;
  pressGlobal_ = GlobalPos(e);
  pressGeometry_ = w->geometry();
}

void TFrameInput::ContinueDrag(QMouseEvent* e) {
  QWidget* w = frame_.Handle();
  if (!(e->buttons() & Qt::LeftButton)) {
    drag_ = dragNone;
    return;
  }
  const Qt::Edges edges = EdgesForHit(dragHit_);
  const bool starting = drag_ == dragPending;
  if (starting) drag_ = edges ? dragResizing : dragMoving;
  // Every motion counts from the press, the first one too: the pointer has
  // already moved from there when the drag begins.
  const QPoint delta = GlobalPos(e) - pressGlobal_;
  if (drag_ == dragMoving) {
    w->move(MovedGeometry(pressGeometry_, delta).topLeft());
  } else {
    const QMargins m = w->contentsMargins();
    const QSize minimum = w->minimumSize().expandedTo(QSize(m.left() + m.right() + 1, m.top() + m.bottom() + 1));
    w->setGeometry(ResizedGeometry(pressGeometry_, edges, delta, minimum, w->maximumSize()));
  }
  // The window manager takes the rest of the drag when there is one, from
  // the pointer's place now, where the window has just caught up with it.
  if (starting && platform::StartWindowManagerDrag(w->windowHandle(), GlobalPos(e), edges)) drag_ = dragSystem;
}

void TFrameInput::ShowCursorFor(int hit) {
  QWidget* w = frame_.Handle();
  const Qt::CursorShape shape = CursorForHit(hit);
  if (shape == Qt::ArrowCursor) {
    RestoreCursor();
    return;
  }
  if (!cursorShown_) {
    hadCursor_ = w->testAttribute(Qt::WA_SetCursor);
    savedCursor_ = w->cursor();
    cursorShown_ = true;
    qApp->installEventFilter(this);
  }
  w->setCursor(shape);
}

void TFrameInput::RestoreCursor() {
  if (!cursorShown_) return;
  cursorShown_ = false;
  qApp->removeEventFilter(this);
  QWidget* w = frame_.Handle();
  if (!w) return;
  if (hadCursor_) w->setCursor(savedCursor_);
  else w->unsetCursor();
}

bool TFrameInput::eventFilter(QObject* o, QEvent* e) {
  if (e->type() == QEvent::MouseMove && o != frame_.Handle() && o->isWidgetType() &&
      static_cast<QWidget*>(o)->window() == frame_.Handle())
    RestoreCursor();
  return false;
}

}  // namespace skin
