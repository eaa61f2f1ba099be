#pragma once
// Builders for the skin tests: bitmaps of any depth, images from colour
// grids, and skin archives from INI text and images.
#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>
#include <utility>

namespace skintest {

// An uncompressed bitmap. `pixels` holds palette indexes (bpp <= 8) or
// 0xRRGGBB values, row by row from the top.
QByteArray MakeBmp(int width, int height, int bpp, const QList<quint32>& pixels, const QList<QRgb>& palette = {},
                   bool topDown = false);
// A 24-bit bitmap of an image.
QByteArray BmpOf(const QImage& image);
// An image whose pixel (x, y) is `colour(x, y)`.
QImage Pattern(int width, int height, QRgb (*colour)(int x, int y));
QImage Solid(int width, int height, QRgb colour);
// A distinct colour per pixel position.
QRgb Coord(int x, int y);

// A decoded archive holding `ini` as "skin.ini" and the images as BMP entries.
QByteArray Archive(const QString& ini, const QList<std::pair<QString, QImage>>& images = {});

}  // namespace skintest
