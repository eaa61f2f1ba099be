#pragma once
// What a skinned scroll bar looks like: a work image of the bar's size filled
// with ButtonFace, the track from VertScroll / HorzScroll (frame 1, 3 when
// the bar is unavailable), the two arrows from the 23-frame Scrollbar image
// (left 1, right 5, up 9, down 13; the next frame while pressed) and, on an
// available bar, the thumb from VertScrollThumb / HorzScrollThumb (frame 2
// while it is dragged).
#include <QImage>

#include "skin/core/SkinElements.h"
#include "skin/controls/PartCache.h"
#include "skin/controls/ScrollBarGeometry.h"

namespace skin {

struct TScrollBarLook {
  bool vertical = true;
  QSize size;  // the bar's whole size
  TScrollBarGeometry geometry;
  bool enabled = true;  // false: unavailable (disabled, or nothing to scroll)
  int pressedArrow = 0;  // 1 the first, 2 the second arrow is held down
  bool tracking = false;  // the thumb is being dragged
};

// Whether the skin paints scroll bars (its Scrollbar element has an image).
bool CanPaintScrollBar(const TSkinElements& e);
// The bar's cross size: the Scrollbar image's height, or A when that height
// + 3 is below A.
int ScrollBarThickness(const TSkinElements& e, int A);
// The Scrollbar frame of an arrow.
int ScrollArrowFrame(bool vertical, bool second, bool pressed);
// The bar into `work` (of the look's size), through `cache` when given.
void PaintScrollBar(QImage& work, const TSkinElements& e, const TScrollBarLook& look, TPartCache* cache = nullptr);
// The square between two bars.
void PaintScrollCorner(QPainter& dc, const QRect& rect, const TSkinElements& e);

}  // namespace skin
