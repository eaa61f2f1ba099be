#include "skin/core/BmpLoader.h"

#include <QList>

namespace skin {

namespace {

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

// Everything the headers say that decoding needs.
struct Layout {
  std::int64_t width = 0, height = 0, stride = 0;
  bool topDown = false;
  int bpp = 0;
  std::uint32_t compression = 0;
  std::uint32_t pixelOffset = 0;
  std::uint32_t masks[3] = {0, 0, 0};
  QList<QRgb> palette;
};

// The info header: size, depth, compression and palette size; false when it
// is neither the 12-byte nor a 40-byte-or-longer one.
bool ReadInfoHeader(const std::uint8_t* data, std::int64_t size, Layout& l, std::uint32_t& colorsUsed,
                    int& paletteEntrySize) {
  const std::uint32_t infoSize = U32(data + 14);
  if (infoSize == 12) {
    l.width = U16(data + 18);
    l.height = static_cast<std::int16_t>(U16(data + 20));
    if (U16(data + 22) != 1) return false;
    l.bpp = static_cast<int>(U16(data + 24));
    paletteEntrySize = 3;
    return true;
  }
  if (infoSize < 40 || 14 + static_cast<std::int64_t>(infoSize) > size) return false;
  l.width = static_cast<std::int32_t>(U32(data + 18));
  l.height = static_cast<std::int32_t>(U32(data + 22));
  if (U16(data + 26) != 1) return false;
  l.bpp = static_cast<int>(U16(data + 28));
  l.compression = U32(data + 30);
  colorsUsed = U32(data + 46);
  paletteEntrySize = 4;
  return true;
}

// Channel masks: uncompressed 16 and 32 bpp use the default layouts,
// bit-field compression reads three masks after a 40-byte header (or from
// the longer headers, which hold them at the same place).
bool ReadMasks(const std::uint8_t* data, std::int64_t size, Layout& l) {
  if (l.compression == 3 && (l.bpp == 16 || l.bpp == 32)) {
    if (14 + 40 + 12 > size) return false;
    for (int i = 0; i < 3; ++i) l.masks[i] = U32(data + 14 + 40 + 4 * i);
  } else if (l.compression != 0) {
    return false;
  } else if (l.bpp == 16) {
    l.masks[0] = 0x7C00;
    l.masks[1] = 0x03E0;
    l.masks[2] = 0x001F;
  }
  return l.bpp == 1 || l.bpp == 4 || l.bpp == 8 || l.bpp == 16 || l.bpp == 24 || l.bpp == 32;
}

// Palettes cut short by the pixel data keep the entries that fit.
bool ReadPalette(const std::uint8_t* data, std::int64_t size, std::uint32_t colorsUsed, int entrySize, Layout& l) {
  if (l.bpp > 8) return true;
  std::int64_t entries = colorsUsed ? colorsUsed : (1LL << l.bpp);
  if (entries > (1LL << l.bpp)) entries = 1LL << l.bpp;
  const std::int64_t at = 14 + static_cast<std::int64_t>(U32(data + 14));
  const std::int64_t room = (std::min<std::int64_t>(l.pixelOffset, size) - at) / entrySize;
  entries = std::min(entries, std::max<std::int64_t>(room, 0));
  if (entries <= 0) return false;
  for (std::int64_t i = 0; i < entries; ++i) {
    const std::uint8_t* p = data + at + i * entrySize;
    l.palette.append(qRgb(p[2], p[1], p[0]));
  }
  return true;
}

// The whole layout, or none when any header is unreadable or the promised
// rows do not fit in the bytes. Nothing here depends on the pixel count, so a
// huge bitmap costs no more to measure than a small one.
std::optional<Layout> ReadLayout(const QByteArray& bytes) {
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
  const std::int64_t size = bytes.size();
  if (size < 14 + 12 || data[0] != 'B' || data[1] != 'M') return std::nullopt;
  Layout l;
  l.pixelOffset = U32(data + 10);
  std::uint32_t colorsUsed = 0;
  int paletteEntrySize = 4;
  if (!ReadInfoHeader(data, size, l, colorsUsed, paletteEntrySize)) return std::nullopt;
  l.topDown = l.height < 0;
  if (l.topDown) l.height = -l.height;
  if (l.width <= 0 || l.height <= 0) return std::nullopt;
  if (!ReadMasks(data, size, l) || !ReadPalette(data, size, colorsUsed, paletteEntrySize, l)) return std::nullopt;
  l.stride = ((l.width * l.bpp + 31) / 32) * 4;
  // Divided rather than multiplied: stride x height may pass 2^63.
  if (l.pixelOffset > size || l.stride > (size - l.pixelOffset) / l.height) return std::nullopt;
  return l;
}

// One row of a paletted bitmap (1, 4 or 8 bits a pixel) through a table of
// every index's colour: indexes beyond the palette read as black.
void PalettedRow(const Layout& l, const QRgb (&colours)[256], const std::uint8_t* src, QRgb* dst) {
  const int bpp = l.bpp, mask = (1 << bpp) - 1;
  for (std::int64_t x = 0, bit = 0; x < l.width; ++x, bit += bpp)
    dst[x] = colours[(src[bit >> 3] >> (8 - bpp - (bit & 7))) & mask];
}

// One pixel of a 16-, 24- or 32-bit row.
QRgb PixelAt(const Layout& l, const std::uint8_t* src, std::int64_t x) {
  switch (l.bpp) {
    case 16: {
      const std::uint32_t v = U16(src + 2 * x);
      return qRgb(MaskChannel(v, l.masks[0]), MaskChannel(v, l.masks[1]), MaskChannel(v, l.masks[2]));
    }
    case 24: return qRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
    default:
      if (l.compression == 3) {
        const std::uint32_t v = U32(src + 4 * x);
        return qRgb(MaskChannel(v, l.masks[0]), MaskChannel(v, l.masks[1]), MaskChannel(v, l.masks[2]));
      }
      return qRgb(src[4 * x + 2], src[4 * x + 1], src[4 * x]);
  }
}

}  // namespace

std::optional<TBmpInfo> ReadBmpInfo(const QByteArray& bytes) {
  const std::optional<Layout> l = ReadLayout(bytes);
  if (!l) return std::nullopt;
  return TBmpInfo{l->width, l->height};
}

QImage LoadBmp(const QByteArray& bytes) {
  const std::optional<Layout> layout = ReadLayout(bytes);
  if (!layout || layout->width * layout->height > kMaxBmpPixels) return {};
  const Layout& l = *layout;
  QImage image(static_cast<int>(l.width), static_cast<int>(l.height), QImage::Format_RGB32);
  if (image.isNull()) return {};
  QRgb colours[256];
  for (int i = 0; i < 256; ++i) colours[i] = i < l.palette.size() ? l.palette[i] : qRgb(0, 0, 0);
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
  for (std::int64_t row = 0; row < l.height; ++row) {
    const std::uint8_t* src = data + l.pixelOffset + row * l.stride;
    const int y = static_cast<int>(l.topDown ? row : l.height - 1 - row);
    auto* dst = reinterpret_cast<QRgb*>(image.scanLine(y));
    if (l.bpp <= 8) {
      PalettedRow(l, colours, src, dst);
    } else {
      for (std::int64_t x = 0; x < l.width; ++x) dst[x] = PixelAt(l, src, x);
    }
  }
  return image;
}

}  // namespace skin
