#pragma once
// Whether a window manager runs on the display (and so frames, moves,
// maximises and iconifies windows), handing it a move or resize that the
// pointer began, and the work area it leaves free. False (or nothing) on
// platforms without X.
#include <QPoint>
#include <QRect>
#include <Qt>
#include <optional>

class QImage;
class QScreen;
class QWindow;

namespace platform {

bool HasWindowManager();

// Asks the window manager to go on moving `window` (no `edges`) or resizing
// it by `edges` while the left button is held, the window following the
// pointer from `from` (global coordinates; where the window was last placed
// for the pointer). False when there is no window manager that does it.
bool StartWindowManagerDrag(QWindow* window, const QPoint& from, Qt::Edges edges);

// The work area of `screen` in the display's own pixels, relative to the
// screen's top-left corner: the whole screen, less what the window manager
// keeps for itself (_NET_WORKAREA). Scaled coordinates lose this exactness
// (at 1.5 a 2560-pixel screen is 1707 logical pixels wide, and 1707 maps back
// to 2561). Nothing when the display does not tell it for this screen alone
// (no X, or several screens).
std::optional<QRect> NativeWorkArea(const QScreen* screen);

// Gives a native window a picture that the X server shows from the moment the
// window is mapped, before the program's first paint arrives (otherwise the
// window shows black, or the manager's frame, for that moment). False without X.
bool SetMapPicture(QWindow* window, const QImage& picture);
// Takes the picture away again: areas exposed later are the program's to paint.
void ClearMapPicture(QWindow* window);

}  // namespace platform
