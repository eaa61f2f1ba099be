#pragma once
// Moving and resizing a window by hand (when no window manager does it): the
// new outer geometry from the geometry at the press and how far the pointer
// has moved.
#include <QPoint>
#include <QRect>
#include <QSize>

namespace skin {

// Moves `start` by `delta`.
QRect MovedGeometry(const QRect& start, const QPoint& delta);
// Moves the `edges` of `start` by `delta`, never below `minimum` (the edge
// opposite a moved edge stays where it was) nor above `maximum`.
QRect ResizedGeometry(const QRect& start, Qt::Edges edges, const QPoint& delta, const QSize& minimum,
                      const QSize& maximum);

}  // namespace skin
