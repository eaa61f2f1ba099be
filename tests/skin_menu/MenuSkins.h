#pragma once
// Menu elements for the menu tests, built in memory with known pixels: a
// menu-bar element whose two stacked frames have distinct caps and a middle of
// three distinct columns, a five-frame MenuItem whose frames are distinct
// solid colours (with magenta spots where transparency shows), and a
// MenuBackground whose every pixel tells where it came from.
#include <QColor>
#include <QImage>
#include <memory>

#include "skin/core/SkinElements.h"

namespace menutest {

// Colours of the bar's cells: frame f (1 active, 2 inactive), column part.
QRgb BarLeft(int frame);
QRgb BarMiddle(int frame, int column);  // column 0, 1, 2 of the middle
QRgb BarRight(int frame);
// The menu-bar element: each frame 1 + 3 + 1 columns wide and 10 rows high,
// frames stacked; margins TileLeftMenu `left`, TileRightMenu `right`.
std::unique_ptr<skin::TDataSkinObject> MenuBarElement(int left, int right, int tile);

// The colour of MenuItem frame k (1 ... 5).
QRgb ItemFrame(int k);
// Frame 2's bottom rows are this colour, its margin columns these.
QRgb SeparatorLine();
QRgb SeparatorLeft();
QRgb SeparatorRight();
// The MenuItem element: five 20 x 20 frames; margins as given; pixel (10, 10)
// of every frame is magenta, and frame 2 is magenta above its bottom 4 rows.
std::unique_ptr<skin::TDataSkinObject> MenuItemElement(int left, int top, int right, int bottom, int trans);

// The MenuBackground element: 12 x 12 of distinct colours, margins 3.
std::unique_ptr<skin::TDataSkinObject> MenuBackgroundElement();

// Elements with the colours the tests look for and, as asked, the three menu elements.
void SetMenuColours(skin::TSkinElements& e);
void AddMenuElements(skin::TSkinElements& e, bool bar, bool item, bool background);

QColor Colour(platform::TColor c);

}  // namespace menutest
