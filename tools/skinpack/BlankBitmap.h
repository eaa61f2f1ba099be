#pragma once
// Bitmaps of one colour written straight to their bytes: one bit a pixel and
// no image built, so a bitmap of any size costs only its file (4096 x 4096 is
// 2 MiB) and packs small. For skins made to a size: tests and benchmarks.
#include <QByteArray>
#include <cstdint>

namespace skinpack {

// A bottom-up 1-bit bitmap of `width` x `height` pixels, every one of colour
// `rgb` (0xRRGGBB).
QByteArray BlankBitmap(int width, int height, std::uint32_t rgb = 0xFFFFFF);

}  // namespace skinpack
