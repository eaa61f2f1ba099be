#pragma once
// The logical pixel a pointer event lies in.

#include <QEvent>
#include <QPoint>
#include <QPointF>
#include <QtMath>

namespace platform {

// At a screen scale above 1 a screen pixel lies inside a logical pixel: at 2x
// the second screen pixel of logical pixel 305 is at 305.5. Qt keeps that
// position only for the window (scenePosition); the widget's position is
// rounded to 306, so a click one screen pixel beside a button would press
// it. The pixel is the one that holds the window's position, moved by the
// widget's whole-pixel offset.
inline QPoint PixelAt(const QSinglePointEvent* e) {
  const QPointF s = e->scenePosition();
  return e->position().toPoint() + QPoint(qFloor(s.x()) - qRound(s.x()), qFloor(s.y()) - qRound(s.y()));
}

}  // namespace platform
