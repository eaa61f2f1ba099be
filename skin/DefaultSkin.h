#pragma once
// The default skin, stored inside the program.
#include <QByteArray>

namespace skin {

// The complete skin file (":/skins/default.skn").
QByteArray DefaultSkinBytes();

}  // namespace skin
