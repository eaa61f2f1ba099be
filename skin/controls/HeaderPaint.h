#pragma once
// What the header skinner paints: each column header, and the empty space
// after the last one, from the skin's 5-frame Headerbar element (1 normal,
// 2 pressed, 3 disabled, 4 hot), with the caption in the element's state
// colours.
#include <QColor>
#include <QRect>

#include "skin/core/SkinElements.h"
#include "skin/controls/PartCache.h"

class QPainter;

namespace skin {

// Whether the skin paints headers (its Headerbar element has an image).
bool CanPaintHeader(const TSkinElements& e);
int HeaderFrameIndex(bool pressed, bool hot, bool enabled);
// The caption colour of a header in frame `index`.
QColor HeaderTextColour(const TSkinElements& e, int index);
// Through `cache` when given (see PartCache.h).
void PaintHeaderSection(QPainter& dc, const QRect& rect, const TSkinElements& e, int index,
                        TPartCache* cache = nullptr);

}  // namespace skin
