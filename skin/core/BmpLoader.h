#pragma once
// Device-independent bitmaps (".bmp" files) held in memory, turned into 32-bit
// images. Uncompressed 1, 4, 8, 16, 24 and 32 bits per pixel, bottom-up and
// top-down, with the old 12-byte and the 40-byte-or-longer info headers.
#include <QByteArray>
#include <QImage>
#include <cstdint>
#include <optional>

namespace skin {

// The largest bitmap LoadBmp decodes, in pixels (width x height): 16 Mi
// pixels, 64 MiB as a 32-bit image.
constexpr std::int64_t kMaxBmpPixels = 16LL * 1024 * 1024;

// What a bitmap's headers say, once they are known to be readable: the
// pixel rows they promise lie inside the bytes.
struct TBmpInfo {
  std::int64_t width = 0;
  std::int64_t height = 0;
  std::int64_t Pixels() const { return width * height; }
};

// The size of a bitmap LoadBmp would read, whatever its pixel count; none
// when the bytes are not a bitmap this loader reads or promise more rows or
// palette entries than they hold.
std::optional<TBmpInfo> ReadBmpInfo(const QByteArray& bytes);

// A null image when ReadBmpInfo refuses the bytes or the bitmap has more than
// kMaxBmpPixels pixels.
QImage LoadBmp(const QByteArray& bytes);

}  // namespace skin
