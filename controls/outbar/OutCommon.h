#pragma once
// Drawing routines shared by the outlook bar, its lists and their background:
// the banded gradient, Max3, CenterRectHorz and the tiling range.
//
// Geometry convention for this library: a TRect is (left, top)-(right, bottom)
// with right and bottom exclusive, so a filled TRect covers right - left columns
// and bottom - top rows; lines include their start point and exclude their end.
#include <QRect>
#include <vector>

#include "platform/Color.h"

class QPainter;

namespace outbar {

struct TRect {
  int left = 0, top = 0, right = 0, bottom = 0;

  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
  constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
  constexpr bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  constexpr TRect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  constexpr TRect Inflate(int dx, int dy) const { return {left - dx, top - dy, right + dx, bottom + dy}; }
  QRect ToQRect() const { return QRect(left, top, right - left, bottom - top); }
  static TRect FromQRect(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }
  friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

constexpr int Max3(int a, int b, int c) { return a > b ? (a > c ? a : c) : (b > c ? b : c); }

// Keeps r's width and centres it horizontally within outer.
TRect CenterRectHorz(TRect r, const TRect& outer);

// One band of a gradient: `start` along the gradient's axis, `thickness` pixels,
// filled with `color` (RGB).
struct GradientBand {
  int start;
  int thickness;
  platform::TColor color;
};

// The bands DrawGradient fills: at most Max3(|dR|, |dG|, |dB|) + 1 of them,
// each E div bands + 1 thick, stopping once a band would start beyond E.
std::vector<GradientBand> GradientBands(int extent, platform::TColor begin, platform::TColor end);

// Fills (0, 0)-(width, height) with the gradient; bands run top to bottom when
// `vertical`, else left to right. System colours are resolved first.
void DrawGradient(QPainter& surface, int width, int height, bool vertical, platform::TColor begin,
                  platform::TColor end);

// Columns and rows of tiles (tile size w x h) that touch r: first..last inclusive.
struct TileRange {
  int firstColumn, lastColumn, firstRow, lastRow;
};
TileRange TilesFor(const TRect& r, int w, int h);

// A horizontal or vertical line from (x1, y1) towards (x2, y2), excluding the end point.
void LineTo(QPainter& p, int x1, int y1, int x2, int y2, const QColor& color);

}  // namespace outbar
