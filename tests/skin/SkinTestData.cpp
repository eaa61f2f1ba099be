#include "tests/skin/SkinTestData.h"

#include "platform/Gbk.h"
#include "tools/skinpack/SkinArchive.h"

namespace skintest {

namespace {
void Put16(QByteArray& b, qsizetype at, quint32 v) {
  b[at] = static_cast<char>(v & 0xFF);
  b[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}
void Put32(QByteArray& b, qsizetype at, quint32 v) {
  Put16(b, at, v & 0xFFFF);
  Put16(b, at + 2, v >> 16);
}
}  // namespace

QByteArray MakeBmp(int width, int height, int bpp, const QList<quint32>& pixels, const QList<QRgb>& palette,
                   bool topDown) {
  const int stride = ((width * bpp + 31) / 32) * 4;
  const int offset = 54 + 4 * static_cast<int>(palette.size());
  QByteArray b(offset + stride * height, '\0');
  b[0] = 'B';
  b[1] = 'M';
  Put32(b, 2, static_cast<quint32>(b.size()));
  Put32(b, 10, static_cast<quint32>(offset));
  Put32(b, 14, 40);
  Put32(b, 18, static_cast<quint32>(width));
  Put32(b, 22, static_cast<quint32>(topDown ? -height : height));
  Put16(b, 26, 1);
  Put16(b, 28, static_cast<quint32>(bpp));
  Put32(b, 46, static_cast<quint32>(palette.size()));
  for (int i = 0; i < palette.size(); ++i) {
    b[54 + 4 * i] = static_cast<char>(qBlue(palette[i]));
    b[54 + 4 * i + 1] = static_cast<char>(qGreen(palette[i]));
    b[54 + 4 * i + 2] = static_cast<char>(qRed(palette[i]));
  }
  for (int y = 0; y < height; ++y) {
    const int fileRow = topDown ? y : height - 1 - y;
    const qsizetype row = offset + static_cast<qsizetype>(fileRow) * stride;
    for (int x = 0; x < width; ++x) {
      const quint32 v = pixels[y * width + x];
      switch (bpp) {
        case 1:
        case 4:
        case 8: {
          const int bit = x * bpp;
          const int shift = 8 - bpp - bit % 8;
          b[row + bit / 8] = static_cast<char>(static_cast<quint8>(b[row + bit / 8]) | (v << shift));
          break;
        }
        case 16:
          Put16(b, row + 2 * x, v);
          break;
        case 24:
          b[row + 3 * x] = static_cast<char>(v & 0xFF);
          b[row + 3 * x + 1] = static_cast<char>((v >> 8) & 0xFF);
          b[row + 3 * x + 2] = static_cast<char>((v >> 16) & 0xFF);
          break;
        default:
          Put32(b, row + 4 * x, v);
          break;
      }
    }
  }
  return b;
}

QByteArray BmpOf(const QImage& image) {
  QList<quint32> pixels;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) pixels.append(image.pixel(x, y) & 0xFFFFFFu);
  return MakeBmp(image.width(), image.height(), 24, pixels);
}

QImage Pattern(int width, int height, QRgb (*colour)(int x, int y)) {
  QImage img(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) img.setPixel(x, y, colour(x, y) | 0xFF000000u);
  return img;
}

QImage Solid(int width, int height, QRgb colour) {
  QImage img(width, height, QImage::Format_RGB32);
  img.fill(colour | 0xFF000000u);
  return img;
}

QRgb Coord(int x, int y) { return qRgb(x & 0xFF, y & 0xFF, 7); }

QByteArray Archive(const QString& ini, const QList<std::pair<QString, QImage>>& images) {
  QList<skinpack::Entry> entries;
  entries.append({"skin.ini", ini.isEmpty() ? QByteArray() : platform::ToGbk(ini)});
  for (const auto& [name, image] : images) entries.append({name.toLatin1(), BmpOf(image)});
  return skinpack::BuildArchive(entries);
}

}  // namespace skintest
