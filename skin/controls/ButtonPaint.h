#pragma once
// What the push-button, check-box and radio-button skinners paint, as free
// functions over images and plain values: the frame of each state, the
// caption layout and colours, the glyph placement.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>

#include "skin/core/SkinElements.h"
#include "skin/controls/PartCache.h"

class QFontMetrics;
class QPainter;

namespace skin {

// ---- push buttons ----------------------------------------------------------

struct TPushButtonLook {
  bool pressed = false;
  bool hot = false;
  bool isDefault = false;  // the window's default button
  bool focused = false;
  bool enabled = true;
};

// Frame of the 5-frame push-button image: 2 pressed, else 4 hot, else 5 the
// default button, else 4 focused, else 1; 3 whenever disabled.
int PushButtonFrameIndex(const TPushButtonLook& look);

// The caption as drawn: every "||" becomes a line break.
QString PushButtonCaptionText(const QString& caption);
// Word-wrapped, tabs expanded, "&" marking the accelerator, centred both ways.
constexpr int kPushButtonTextFlags =
    Qt::TextWordWrap | Qt::TextExpandTabs | Qt::TextShowMnemonic | Qt::AlignHCenter | Qt::AlignVCenter;
// The rectangle the caption's lines take in `rect`.
QRect PushButtonCaptionRect(const QFontMetrics& fm, const QRect& rect, const QString& caption);

// The caption colour in frame `index`. An application control keeps its font
// colour except where the skin gave NormalColour2 (frame 1), MouseOverColour2
// (frame 4) or PressedColour2 (frame 2); disabled it is the system
// button-shadow colour; in the default frame (5) a skin with window colours of
// its own gives its ButtonText. A foreign button starts from the skin's ButtonText,
// takes the three state colours whether given or not, and is grey 0x808080
// when disabled.
QColor PushButtonCaptionColour(const TSkinElements& e, int index, bool foreign, const QColor& fontColour);

// The face: the button's size filled with ButtonFace, then frame `index` of
// the push-button image.
void PaintPushButtonFace(QImage& work, const TSkinElements& e, int index, TPartCache* cache = nullptr);
// Face and caption.
void PaintPushButton(QImage& work, const TSkinElements& e, int index, const QString& caption, const QFont& font,
                     const QColor& colour, TPartCache* cache = nullptr);

// ---- check boxes and radio buttons -----------------------------------------

// The check state named by a "State" text: 1 "uncheck", else 2 "check",
// else 4 "gray" (letter case ignored); 0 when it names none.
int CheckStateFromText(const QString& state);

// Frame of an n-frame check-box image for check state c (1 clear, 2 checked,
// 4 grayed by the control's State): 4 for an indeterminate button, else c + 2
// when disabled, else c. A 12-frame image maps 2 to 5, 3 to 4 and 4 to 8, and
// shows an indeterminate button in frame 9 (12 when disabled).
int CheckBoxFrameIndex(int c, bool indeterminate, bool enabled, int frameCount);
// The same for a radio button (c 1 or 2; no indeterminate state).
int RadioButtonFrameIndex(int c, bool enabled, int frameCount);

// Where a glyph w x h goes in a control's rectangle, vertically centred: at the
// right for text on the left, else at the left (rectangles right-exclusive).
QRect ToggleGlyphRect(const QRect& rect, int w, int h, bool leftText);
// The strip cleared before the glyph is drawn: the last 18 pixels for text
// on the left, else the first 16.
QRect ToggleClearRect(const QRect& rect, bool leftText);
// Clears that strip with `clear` and draws frame `index` of `frameCount` of
// `image` (cells side by side) stretched to its glyph rectangle,
// magenta-transparent.
void PaintToggleGlyph(QPainter& dc, const QRect& rect, const QImage& image, int frameCount, int index, bool leftText,
                      const QColor& clear);

}  // namespace skin
