#pragma once
// Keeping windows inside the screen's work area (what the window manager
// leaves free) at any scale factor. Logical pixels become display pixels by
// rounding each position and each length on its own, so a logical rectangle
// that looks inside may still end one display pixel past the screen's edge
// (at 1.5 a 2560-pixel screen is 1707 logical pixels wide, and 1707 logical
// pixels are 2561 display pixels). The arithmetic here counts in display
// pixels and gives back logical rectangles whose display pixels lie inside.
#include <QRect>

class QScreen;
class QWidget;

namespace toolkit {

struct TWorkArea {
  // The free area in display pixels, relative to the screen's top-left corner.
  QRect native;
  // Display pixels per logical pixel.
  double scale = 1;
  // The screen's top-left corner in logical coordinates (the same point in
  // display pixels: scaling keeps each screen's origin).
  QPoint origin;
};

enum class TPlacing {
  Inside,   // moved (and shrunk) only as far as needed to lie inside
  Centred,  // centred in the area (and shrunk to fit)
  Filled,   // the whole area (a maximised window)
};

// The display pixels a logical rectangle covers, relative to the screen's top-left corner.
QRect NativeRect(const QRect& logical, const TWorkArea& area);
// Where a window that wants `wanted` (logical, frame included) goes.
QRect PlaceInWorkArea(const QRect& wanted, const TWorkArea& area, TPlacing how);

// The work area of a screen (the primary one when null).
TWorkArea WorkAreaOf(const QScreen* screen);
// Where a top-level window that wants `wanted` goes on its screen.
QRect PlacedGeometry(const QWidget* window, const QRect& wanted, TPlacing how);
// Places a top-level window on its screen; a window the window manager
// frames counts its frame in (once it is known, after the first showing).
void PlaceWindow(QWidget* window, TPlacing how);
// The geometry a maximised window takes on its screen.
QRect FilledGeometry(const QWidget* window);

}  // namespace toolkit
