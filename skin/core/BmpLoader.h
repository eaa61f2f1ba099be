#pragma once
// Device-independent bitmaps (".bmp" files) held in memory, turned into 32-bit
// images. Uncompressed 1, 4, 8, 16, 24 and 32 bits per pixel, bottom-up and
// top-down, with the old 12-byte and the 40-byte-or-longer info headers.
#include <QByteArray>
#include <QImage>

namespace skin {

// A null image when the bytes are not a bitmap this loader reads, or when the
// header promises more pixels or palette entries than the bytes hold.
QImage LoadBmp(const QByteArray& bytes);

}  // namespace skin
