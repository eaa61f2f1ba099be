#pragma once
// Frame-control glyphs: scroll-bar arrows, caption buttons and push buttons,
// drawn in a raised (or pushed) square with the classic system colours.
#include <QRect>

class QPainter;

namespace platform {

enum FrameControlType : unsigned { DFC_CAPTION = 1, DFC_MENU = 2, DFC_SCROLL = 3, DFC_BUTTON = 4 };

enum FrameControlState : unsigned {
  // DFC_CAPTION parts
  DFCS_CAPTIONCLOSE = 0x0, DFCS_CAPTIONMIN = 0x1, DFCS_CAPTIONMAX = 0x2, DFCS_CAPTIONRESTORE = 0x3,
  DFCS_CAPTIONHELP = 0x4,
  // DFC_SCROLL parts
  DFCS_SCROLLUP = 0x0, DFCS_SCROLLDOWN = 0x1, DFCS_SCROLLLEFT = 0x2, DFCS_SCROLLRIGHT = 0x3,
  // DFC_BUTTON parts
  DFCS_BUTTONPUSH = 0x10,
  // modifiers
  DFCS_INACTIVE = 0x100, DFCS_PUSHED = 0x200, DFCS_CHECKED = 0x400, DFCS_FLAT = 0x4000, DFCS_MONO = 0x8000,
};

// Draws the frame control filling `rect` (right and bottom exclusive). Returns
// false for a type or part it does not know (nothing is drawn then).
bool DrawFrameControl(QPainter& p, const QRect& rect, unsigned type, unsigned state);

}  // namespace platform
