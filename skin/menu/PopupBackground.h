#pragma once
// The background of a skinned popup-menu window: the skin's MenuBackground
// element composed at the window's size, and the border part of it that the
// window's frame shows.
#include <QImage>
#include <QRegion>
#include <QSize>

namespace skin {

class TSkinElements;

// The width of a skinned menu window's border.
constexpr int kMenuBorder = 3;

// Whether menu windows take their border and background from the skin.
bool HasMenuBackground(const TSkinElements& e);
// MenuBackground at `size`: one frame, its margins, centre tiled when the
// element's Tile is 1 and stretched otherwise. Null without the element.
QImage ComposeMenuBackground(const TSkinElements& e, const QSize& size);
// The outer border strips of a window of `size` (top, bottom, left, right).
QRegion MenuBorderRegion(const QSize& size);

}  // namespace skin
