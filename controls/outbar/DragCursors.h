#pragma once
// The pointer shapes of item drags: 100 move, 101 copy, and the no-drop shape
// (crNoDrop, -13). They are loaded once from the library's resources; a shape
// that cannot be loaded raises "Error loading cursor".
#include <QCursor>

namespace outbar {

constexpr int crDragMove = 100;
constexpr int crDragCopy = 101;
constexpr int crNoDrop = -13;

// Loads the three shapes (once per process).
void InstallDragCursors();
// The shape registered under `id` (one of the three above).
QCursor DragCursor(int id);
// Loads one shape from the resources; raises "Error loading cursor" when missing.
QCursor LoadCursorResource(const QString& name, int hotX, int hotY);

}  // namespace outbar
