#pragma once
// The default skin, stored inside the program as the main window's
// stored-skin stream.
#include <QByteArray>

namespace skin {

// The stream: a 32-bit little-endian byte count, then the skin file.
QByteArray DefaultSkinStream();
// The complete skin file held by the stream.
QByteArray DefaultSkinBytes();

}  // namespace skin
