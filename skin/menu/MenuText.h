#pragma once
// Captions with an accelerator: "&" marks the next character as the
// accelerator (it is shown underlined), "&&" stands for one "&". The menu bar
// and the menu items measure and draw their captions through these.
#include <QChar>
#include <QFont>
#include <QRect>
#include <QString>

class QColor;
class QFontMetrics;
class QPainter;

namespace skin {

// The text as shown, without the accelerator marks.
QString StripAccelerator(const QString& caption);
// The accelerator of a caption, lower-cased; a null QChar when it has none.
QChar AcceleratorOf(const QString& caption);
// Whether `key` (either letter case) is the caption's accelerator.
bool IsAccel(QChar key, const QString& caption);

// The size of the caption measured on one line, tabs expanded, the
// accelerator marks honoured.
QSize CaptionTextSize(const QFontMetrics& fm, const QString& caption);
// Where the caption's text goes when it is centred in `rect` (integer halves
// rounding toward zero).
QRect CenteredCaptionRect(const QFontMetrics& fm, const QRect& rect, const QString& caption);
// Draws the caption centred in `rect` in `colour` with a transparent
// background and its accelerator underlined.
void DrawAcceleratedCaption(QPainter& p, const QRect& rect, const QString& caption, const QColor& colour);

// The font of menus and of the menu bar.
QFont MenuFont();

}  // namespace skin
