#pragma once
// 3-D edges and focus rectangles drawn with the classic system colours.
// Rectangles follow the window convention: right and bottom are exclusive.
#include <QColor>
#include <QRect>

class QPainter;

namespace platform {

enum EdgeFlags : unsigned {
  BDR_RAISEDOUTER = 0x1, BDR_SUNKENOUTER = 0x2, BDR_RAISEDINNER = 0x4, BDR_SUNKENINNER = 0x8,
  EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER,
  EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER,
  EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER,
  EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER,
};

enum BorderFlags : unsigned {
  BF_LEFT = 0x1, BF_TOP = 0x2, BF_RIGHT = 0x4, BF_BOTTOM = 0x8,
  BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM,
  BF_MIDDLE = 0x800, BF_SOFT = 0x1000, BF_ADJUST = 0x2000, BF_FLAT = 0x4000, BF_MONO = 0x8000,
};

// Draws the edge inside `rect`; with BF_ADJUST, `rect` shrinks by the edge drawn.
void DrawEdge(QPainter& p, QRect& rect, unsigned edge, unsigned flags);
// A dotted (every other pixel) rectangle outline in the inverted colour.
void DrawFocusRect(QPainter& p, const QRect& rect);
// A rectangle outline one pixel wide, top-left colour and bottom-right colour
// (the toolkit's Frame3D); `rect` shrinks by one pixel on each side.
void Frame3D(QPainter& p, QRect& rect, const QColor& topLeft, const QColor& bottomRight, int width = 1);

}  // namespace platform
