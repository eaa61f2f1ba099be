#include "tools/skinpack/BlankBitmap.h"

#include <cstdint>

namespace skinpack {

namespace {
void Put(QByteArray& b, qsizetype at, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}
}  // namespace

QByteArray BlankBitmap(int width, int height, std::uint32_t rgb) {
  const std::int64_t stride = ((static_cast<std::int64_t>(width) + 31) / 32) * 4;
  constexpr int kOffset = 14 + 40 + 2 * 4;  // file header, info header, two palette entries
  QByteArray b(kOffset + static_cast<qsizetype>(stride * height), '\0');
  b[0] = 'B';
  b[1] = 'M';
  Put(b, 2, static_cast<std::uint32_t>(b.size()), 4);
  Put(b, 10, kOffset, 4);
  Put(b, 14, 40, 4);
  Put(b, 18, static_cast<std::uint32_t>(width), 4);
  Put(b, 22, static_cast<std::uint32_t>(height), 4);
  Put(b, 26, 1, 2);  // planes
  Put(b, 28, 1, 2);  // bits per pixel
  Put(b, 46, 2, 4);  // palette entries
  // Every pixel is index 0: the first palette entry, blue, green, red.
  Put(b, 54, rgb & 0xFFFFFF, 3);
  return b;
}

}  // namespace skinpack
