// The BMP loader. The input is a file's bytes. The loader gives an image
// exactly when the headers read and the bitmap has at most kMaxBmpPixels
// pixels, of the size the headers give, in 32 bits, fully opaque; the pixels
// of plain 24- and 32-bit bitmaps are the bytes at their places.
#include "skin/core/BmpLoader.h"
#include "tests/fuzz/FuzzTarget.h"

namespace {

std::uint32_t U16(const QByteArray& b, qsizetype at) {
  return static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8;
}
std::uint32_t U32(const QByteArray& b, qsizetype at) { return U16(b, at) | U16(b, at + 2) << 16; }

// The pixels of an uncompressed 24- or 32-bit bitmap with a 40-byte-or-longer
// header, read straight from their places in the file.
void CheckTrueColour(const QByteArray& bytes, const QImage& image) {
  const int bpp = static_cast<int>(U16(bytes, 28));
  if (U32(bytes, 14) < 40 || U32(bytes, 30) != 0 || (bpp != 24 && bpp != 32)) return;
  const bool topDown = static_cast<std::int32_t>(U32(bytes, 22)) < 0;
  const qsizetype stride = (static_cast<qsizetype>(image.width()) * bpp + 31) / 32 * 4;
  const int w = image.width(), h = image.height();
  for (const QPoint p : {QPoint(0, 0), QPoint(w - 1, 0), QPoint(w / 2, h / 2), QPoint(0, h - 1), QPoint(w - 1, h - 1)}) {
    const qsizetype row = topDown ? p.y() : h - 1 - p.y();
    const qsizetype at = U32(bytes, 10) + row * stride + static_cast<qsizetype>(p.x()) * (bpp / 8);
    const QRgb want = qRgb(static_cast<std::uint8_t>(bytes[at + 2]), static_cast<std::uint8_t>(bytes[at + 1]),
                           static_cast<std::uint8_t>(bytes[at]));
    CQ_FUZZ_CHECK_SAYING(image.pixel(p) == want, "pixel " << p.x() << "," << p.y() << " of " << w << "x" << h << ": "
                                                          << std::hex << image.pixel(p) << " for " << want);
  }
}

int Run(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const std::optional<skin::TBmpInfo> info = skin::ReadBmpInfo(bytes);
  const QImage image = skin::LoadBmp(bytes);
  const bool loads = info && info->Pixels() <= skin::kMaxBmpPixels;
  CQ_FUZZ_CHECK_SAYING(image.isNull() != loads, "info " << info.has_value() << " image " << !image.isNull());
  if (!loads) return 0;
  CQ_FUZZ_CHECK_SAYING(image.width() == info->width && image.height() == info->height,
                       image.width() << "x" << image.height() << " for " << info->width << "x" << info->height);
  CQ_FUZZ_CHECK(image.format() == QImage::Format_RGB32);
  CheckTrueColour(bytes, image);
  return 0;
}

}  // namespace

CQ_FUZZ_ENTRY("skin-bmp", Run)
