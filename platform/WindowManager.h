#pragma once
// Whether a window manager runs on the display (and so frames, moves,
// maximises and iconifies windows), and handing it a move or resize that the
// pointer began. False on platforms without X.
#include <QPoint>
#include <Qt>

class QWindow;

namespace platform {

bool HasWindowManager();

// Asks the window manager to go on moving `window` (no `edges`) or resizing
// it by `edges` while the left button is held, the window following the
// pointer from `from` (global coordinates; where the window was last placed
// for the pointer). False when there is no window manager that does it.
bool StartWindowManagerDrag(QWindow* window, const QPoint& from, Qt::Edges edges);

}  // namespace platform
