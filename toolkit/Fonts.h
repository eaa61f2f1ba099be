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

}  // namespace toolkit
