#pragma once
// The command-line skin choice for documentation screenshots and tests:
// "--skin N" starts with skin N (0 the stored skin, 1 ... 7 the files of the
// skins folder), "--skin off" with the engine switched off. Nothing is saved.
#include <QString>
#include <QStringList>

namespace app {

class TForm1;

// Applies the option of `args` to the main window's skin component as the
// window is created; false (and the stored skin kept) when the value is not
// one of these.
bool ApplySkinOption(TForm1* form, const QStringList& args);

}  // namespace app
