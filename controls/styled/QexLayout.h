#pragma once
// Where the glyph button's parts go, worked out before anything is painted:
// the face inside the frame, the glyph cell, the caption and the popup mark.
// Sizes in, rectangles out; rectangles are QRect(x, y, w, h) and divisions
// truncate towards zero.
#include <QRect>
#include <QSize>

#include "controls/styled/QexButton.h"

namespace styled {

struct QexLayoutInput {
  QRect client{};               // the button's client rectangle
  int frameWidth = 0;           // rings of the look's frame; the face lies inside them
  bool innerInset = false;      // the face shrinks by one pixel more (stFrameRaised)
  QSize cell{};                 // the glyph cell to draw; empty when none is drawn
  bool hasGlyph = false;        // Glyph is not empty (without it the caption centres)
  bool hasCaption = false;      // the caption is not empty
  QSize caption{};              // the caption measured as one line
  TQexButton::TLayout layout = TQexButton::blGlyphLeft;
  int spacing = 4;              // gap between glyph and caption (S)
  int spacingLayout = 3;        // how far the glyph moves away from the caption (L)
  int pressed = 0;              // pressed offset (P)
  bool popupMark = false;       // PopupMenuMark
  QSize mark{};                 // the mark's picture; empty when there is none
  int markGap = 5;              // gap between the glyph cell and the mark
  int glyphCellWidth = 0;       // Glyph's width div NumGlyphs: the mark starts past it
};

struct QexLayout {
  QRect face;
  QRect glyph;    // null when no cell is drawn
  QRect caption;  // null without a caption
  QRect mark;     // null when no mark is drawn
};

QexLayout LayOutQexButton(const QexLayoutInput& in);

}  // namespace styled
