#pragma once
// Paints a page of vertical setting: each character in its cell, the
// comma-like marks moved to the upper right, the turned marks rotated a
// quarter clockwise about the cell centre. The reading window and the printed
// page share it.
#include <QFont>

#include "app/reading/VerticalLayout.h"

class QPainter;

namespace reading {

// `face` gives the family; its size is set to the page's cell. The title is
// painted bold. Characters are drawn in reading order.
void PaintVerticalPage(QPainter& p, const VerticalPage& page, const QFont& face, int cell);

}  // namespace reading
