#include "skin/core/BmpLoader.h"

#include <cstdint>

namespace skin {

namespace {
constexpr std::int64_t kMaxPixels = 64LL * 1024 * 1024;

std::uint32_t U16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }
std::uint32_t U32(const std::uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// Extracts a channel through a bit mask, scaled to 8 bits.
int MaskChannel(std::uint32_t value, std::uint32_t mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while (!((mask >> shift) & 1)) ++shift;
  int bits = 0;
  while (shift + bits < 32 && ((mask >> (shift + bits)) & 1)) ++bits;
  const std::uint32_t v = (value & mask) >> shift;
  const std::uint32_t max = bits >= 32 ? 0xFFFFFFFFu : ((1u << bits) - 1);
  return static_cast<int>((static_cast<std::uint64_t>(v) * 255 + max / 2) / max);
}
}  // namespace

QImage LoadBmp(const QByteArray& bytes) {
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
  const std::int64_t size = bytes.size();
  if (size < 14 + 12 || data[0] != 'B' || data[1] != 'M') return {};
  const std::uint32_t pixelOffset = U32(data + 10);
  const std::uint32_t infoSize = U32(data + 14);
  std::int64_t width, height;
  int bpp;
  std::uint32_t compression = 0, colorsUsed = 0;
  int paletteEntrySize;
  if (infoSize == 12) {
    width = U16(data + 18);
    height = static_cast<std::int16_t>(U16(data + 20));
    if (U16(data + 22) != 1) return {};
    bpp = static_cast<int>(U16(data + 24));
    paletteEntrySize = 3;
  } else if (infoSize >= 40 && 14 + static_cast<std::int64_t>(infoSize) <= size) {
    width = static_cast<std::int32_t>(U32(data + 18));
    height = static_cast<std::int32_t>(U32(data + 22));
    if (U16(data + 26) != 1) return {};
    bpp = static_cast<int>(U16(data + 28));
    compression = U32(data + 30);
    colorsUsed = U32(data + 46);
    paletteEntrySize = 4;
  } else {
    return {};
  }
  const bool topDown = height < 0;
  if (topDown) height = -height;
  if (width <= 0 || height <= 0 || width * height > kMaxPixels) return {};

  // Channel masks: uncompressed 16 and 32 bpp use the default layouts,
  // bit-field compression reads three masks after a 40-byte header (or from
  // the longer headers, which hold them at the same place).
  std::uint32_t masks[3] = {0, 0, 0};
  if (compression == 3 && (bpp == 16 || bpp == 32)) {
    if (14 + 40 + 12 > size) return {};
    for (int i = 0; i < 3; ++i) masks[i] = U32(data + 14 + 40 + 4 * i);
  } else if (compression != 0) {
    return {};
  } else if (bpp == 16) {
    masks[0] = 0x7C00;
    masks[1] = 0x03E0;
    masks[2] = 0x001F;
  }
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return {};

  QList<QRgb> palette;
  if (bpp <= 8) {
    std::int64_t entries = colorsUsed ? colorsUsed : (1LL << bpp);
    if (entries > (1LL << bpp)) entries = 1LL << bpp;
    const std::int64_t at = 14 + infoSize;
    // Palettes cut short by the pixel data keep the entries that fit.
    const std::int64_t room = (std::min<std::int64_t>(pixelOffset, size) - at) / paletteEntrySize;
    entries = std::min(entries, std::max<std::int64_t>(room, 0));
    if (entries <= 0) return {};
    for (std::int64_t i = 0; i < entries; ++i) {
      const std::uint8_t* p = data + at + i * paletteEntrySize;
      palette.append(qRgb(p[2], p[1], p[0]));
    }
  }
  const std::int64_t stride = ((width * bpp + 31) / 32) * 4;
  if (pixelOffset > size || stride * height > size - pixelOffset) return {};

  QImage image(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB32);
  if (image.isNull()) return {};
  for (std::int64_t row = 0; row < height; ++row) {
    const std::uint8_t* src = data + pixelOffset + row * stride;
    const int y = static_cast<int>(topDown ? row : height - 1 - row);
    auto* dst = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (std::int64_t x = 0; x < width; ++x) {
      QRgb rgb;
      switch (bpp) {
        case 1:
        case 4:
        case 8: {
          const std::int64_t bit = x * bpp;
          const int shift = 8 - bpp - static_cast<int>(bit % 8);
          const int index = (src[bit / 8] >> shift) & ((1 << bpp) - 1);
          // Indexes beyond the palette read as black.
          rgb = index < palette.size() ? palette[index] : qRgb(0, 0, 0);
          break;
        }
        case 16: {
          const std::uint32_t v = U16(src + 2 * x);
          rgb = qRgb(MaskChannel(v, masks[0]), MaskChannel(v, masks[1]), MaskChannel(v, masks[2]));
          break;
        }
        case 24:
          rgb = qRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
          break;
        default: {
          if (compression == 3) {
            const std::uint32_t v = U32(src + 4 * x);
            rgb = qRgb(MaskChannel(v, masks[0]), MaskChannel(v, masks[1]), MaskChannel(v, masks[2]));
          } else {
            rgb = qRgb(src[4 * x + 2], src[4 * x + 1], src[4 * x]);
          }
          break;
        }
      }
      dst[x] = rgb;
    }
  }
  return image;
}

}  // namespace skin
