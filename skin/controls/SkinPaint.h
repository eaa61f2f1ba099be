#pragma once
// Painting routines the control skinners share: filling with the skin's
// button face or with the colour of a control's parent, drawing one frame of
// an element, the caption drawer (also used by the menu bar), and reading a
// control's published properties by their names.
#include <QColor>
#include <QPainter>
#include <QPalette>
#include <QRect>
#include <QString>
#include <QVariant>

#include "platform/Color.h"
#include "skin/core/SkinElements.h"
#include "toolkit/Panel.h"

class QObject;
class QWidget;

namespace skin {

// The skin's ButtonFace as an opaque colour.
QColor ButtonFaceColour(const TSkinElements& e);
// A skin colour (an RGB or a system colour value) as an opaque colour.
QColor SkinColour(platform::TColor c);

void FillButtonFace(QPainter& dc, const QRect& rect, const TSkinElements& e);

// The palette roles a skin with window colours of its own (a dark skin, see
// TSkinColours::Window) gives a skinned window, which its controls inherit:
// texts on the button face in WindowText, edit boxes and lists in WindowText
// on Window, buttons in ButtonText, selections in Hilight and HilightText.
void ApplySkinTextColours(QPalette& p, const TSkinColours& c);
// The colour of a label's or check box's text on a skinned window, whose
// controls' own text colour is `own`.
QColor FormTextColour(const TSkinElements& e, const QColor& own);
// The colour of `control`'s parent: its published "Color" when it has one,
// else the window colour of its palette; ButtonFace when there is no parent.
QColor ParentColour(const QWidget* control, const TSkinElements& e);
void FillParentColour(QPainter& dc, const QRect& rect, const QWidget* control, const TSkinElements& e);

// One frame (1-based, of `frames` side by side) of an element, nine-part with
// its margins and Tile; transparent only when its Trans is exactly 1.
void DrawElement(QPainter& dc, const QRect& rect, int frames, int index, const TDataSkinObject& element);

// Text flags of the caption drawer: one line, tabs expanded, "&" marking the
// accelerator letter (drawn underlined).
constexpr int kCaptionFlags = Qt::TextSingleLine | Qt::TextExpandTabs | Qt::TextShowMnemonic;
// Where the caption drawer puts `text` in `rect`: the text measured on one
// line, centred vertically (integer halves rounding toward zero) and placed
// horizontally by `alignment` (centred for taCenter).
QRect CaptionRect(const QFontMetrics& fm, const QRect& rect, const QString& text,
                  toolkit::TAlignment alignment = toolkit::taCenter);
// Draws `text` there with a transparent background in the canvas font's
// regular style: in the canvas pen colour, or the system button-shadow colour
// when not enabled.
void DrawCaption(QPainter& canvas, const QRect& rect, const QString& text, toolkit::TAlignment alignment, bool enabled);

// A published property by its name, the letter case ignored (the toolkit's
// property names are compared that way): an invalid QVariant when there is
// none. An enumeration reads as the name of its value ("cbGrayed").
QVariant PublishedProperty(const QObject* o, const char* name);
QString PublishedText(const QObject* o, const char* name);
bool HasPublishedProperty(const QObject* o, const char* name);
bool SetPublishedProperty(QObject* o, const char* name, const QVariant& value);

}  // namespace skin
