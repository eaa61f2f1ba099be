#pragma once
// Drawing routines shared by the flat controls: glyph and caption layout, the
// one-colour frame, the embossed disabled glyph, gradients, the see-through
// background, and the enumerations the flat controls publish.
//
// Rectangles follow the window convention throughout: a QRect(x, y, w, h)
// covers x .. x + w - 1 and y .. y + h - 1; "right" and "bottom" below mean
// x + w and y + h (exclusive), never QRect::right()/bottom().
#include <QFont>
#include <QImage>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include "platform/Color.h"

class QPainter;
class QWidget;

namespace styled {
Q_NAMESPACE

// Look state of the flat speed button and the flat button (ordinal order matters).
enum TFlatButtonState : unsigned char { fbsUp, fbsDisabled, fbsDown, fbsExclusive };
Q_ENUM_NS(TFlatButtonState)
// Side of the glyph relative to the caption.
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
Q_ENUM_NS(TButtonLayout)
// When the flat buttons fill their background.
enum TTransparentMode { tmAlways, tmNotFocused, tmNone };
Q_ENUM_NS(TTransparentMode)
// Gradient directions.
enum TFillDirection { fdBottomToTop, fdCenterToVerti, fdCenterToHoriz, fdLeftToRight, fdRightToLeft, fdTopToBottom, fdXPFace };
Q_ENUM_NS(TFillDirection)
enum TStyleFace { fsDefault, fsCustom };
Q_ENUM_NS(TStyleFace)
// Font style set, as bits.
enum TFontStyle { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = int;
// `font` with exactly the styles of `styles`.
QFont WithStyles(QFont font, TFontStyles styles);

// The version text the flat controls report.
inline constexpr const char* kFlatVersion = "4.56.0.0";

inline int Right(const QRect& r) { return r.x() + r.width(); }
inline int Bottom(const QRect& r) { return r.y() + r.height(); }

// Where a button's glyph cell and caption go.
struct GlyphLayoutResult {
  QPoint glyphOrigin;  // top-left of the glyph cell
  QRect captionRect;   // the measured caption, moved to its place (empty when no caption)
};

// Places glyph and caption inside `client`. `captionSize` is the caption measured
// as one line in the canvas font ((0, 0) for an empty caption); `glyphSize` is the
// whole glyph strip's size, of which one cell (width / numGlyphs) is drawn.
// Divisions truncate towards zero.
GlyphLayoutResult CalcGlyphLayout(const QRect& client, QPoint offset, QSize captionSize, TButtonLayout layout,
                                  int margin, int spacing, QSize glyphSize, int numGlyphs);

// An n-pixel frame in one colour lying just inside `rect`.
void DrawFlatFrame(QPainter& p, const QRect& rect, const QColor& color, int width);

// The embossed look of a glyph cell: a background-coloured image where every
// pure-black pixel of `cell` shows in the highlight colour one pixel right and
// down, and in the shadow colour at its own place.
QImage MakeDisabledGlyph(const QImage& cell);

// Draws `image` at `at`, leaving out every pixel whose colour equals `transparent`.
void DrawTransparent(QPainter& p, QPoint at, const QImage& image, QRgb transparent);
// `image` with every pixel of colour `from` replaced by `to`.
QImage ReplaceColor(const QImage& image, QRgb from, QRgb to);
// The colour of an image's bottom-left pixel (the glyph's transparent colour).
QRgb BottomLeftColor(const QImage& image);

// Fills `rect` of `image` with a gradient from `start` to `stop` in `direction`
// using `colors` colour steps. Nothing outside `rect` (or the image) is painted.
void FillGradient(QImage& image, const QRect& rect, platform::TColor start, platform::TColor stop,
                  TFillDirection direction, int colors);

// Paints what `control`'s parent shows behind it (the parent's background and its
// own painting, without its child widgets) into `p`, whose origin is the control's
// top-left corner. Nothing happens for a control without a parent.
void DrawParentBackground(QWidget* control, QPainter& p);

// The accelerator character of a caption ("&x" marks x; "&&" is a literal "&"),
// lower-cased, or a null character when there is none.
QChar AcceleratorOf(const QString& caption);

}  // namespace styled
