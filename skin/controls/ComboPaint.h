#pragma once
// What the combo-box skinner paints, by the ComboButton element's style:
//   2  the combo composite of the skin (sunken edge, button and drop-down
//      mark in one image whose magenta centre leaves the edit area alone);
//      a right-to-left combo draws its mirror, the SunkEdge element;
//   1  two frame lines and the ComboButton frame stretched into the button;
//   other  SunkEdge round everything, the ComboButton frame in the button
//      area and the ExtraImages mark centred in it.
// Rectangles are right-exclusive, in the combo's coordinates.
#include <QColor>
#include <QRect>

#include "skin/core/SkinElements.h"
#include "skin/controls/PartCache.h"

class QPainter;

namespace skin {

// 2 pressed, else 4 focused or hot, else 1 enabled, 3 disabled.
int ComboFrameIndex(bool pressed, bool focused, bool hot, bool enabled);
// Whether the skin paints combos at all (the ComboButton element has an image).
bool CanPaintCombo(const TSkinElements& e);
// The drop-down button's area and the edit area of a combo of `size`.
QRect ComboButtonRect(const TSkinElements& e, const QSize& size, bool rightToLeft);
QRect ComboEditRect(const TSkinElements& e, const QSize& size, bool rightToLeft);
// Paints the combo's frame and button over `rect`; `background` is the
// colour behind the edit area (the combo's brush).
void PaintComboBox(QPainter& dc, const QRect& rect, const TSkinElements& e, int index, bool rightToLeft,
                   const QColor& background, TPartCache* cache = nullptr);

}  // namespace skin
