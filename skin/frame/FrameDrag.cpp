#include "skin/frame/FrameDrag.h"

#include <algorithm>

namespace skin {

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

}  // namespace skin
