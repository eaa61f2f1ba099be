#pragma once
// The program's fonts by their Windows family names (宋体, 楷体, 黑体), mapped to
// the installed CJK fonts. Heights are character heights in pixels.
#include <QFont>
#include <QString>

#include "platform/Color.h"

namespace toolkit {

// Registers the substitutions once; the application object calls it.
void InstallFontSubstitutes();
// A font of the given family and character height in pixels.
QFont MakeFont(const QString& family, int heightPx, bool bold = false);

// The same font in a face drawn in the traditional forms of characters (靜
// with 爭, not the simplified forms' shapes): 宋体 and its faces become the
// serif TC face, 黑体 the sans-serif one, 楷体 the kai face of the TW set,
// which has the same metrics as its CN sibling. Size, weight and style are kept.
QFont TraditionalFace(const QFont& font);

// The face for flowing traditional text, whose lines must keep one height: one
// that holds every character the script conversion writes (the kai faces lack
// 爲, and a line falling back to another face for it grows taller), so kai
// becomes the serif TC face too.
QFont TraditionalTextFace(const QFont& font);

}  // namespace toolkit
