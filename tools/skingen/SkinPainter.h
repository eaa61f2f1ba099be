#pragma once
// Pixel painting for skin images. Everything is drawn pixel by pixel, without
// smoothing, so that the transparent colour (magenta) appears exactly where a
// part must be see-through and nowhere else.
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QRect>

#include "tools/skingen/Palettes.h"

namespace skingen {

constexpr QRgb kKey = 0xFFFF00FFu;

QColor Mix(const QColor& a, const QColor& b, double t);
QColor Grey(const QColor& c);
// Keeps painted colours away from the transparent colour and its neighbours.
QRgb Safe(const QColor& c);

// A new image filled with the transparent colour.
QImage Blank(int w, int h);
void Fill(QImage& img, const QRect& r, const QColor& c);
void Gradient(QImage& img, const QRect& r, const QColor& from, const QColor& to, bool vertical = true);
void ApplyTexture(QImage& img, const QRect& r, Texture texture, int seed);
// One-pixel raised (or sunken) edge: light top-left, dark bottom-right.
void Bevel(QImage& img, const QRect& r, const QColor& light, const QColor& dark, bool sunken = false);
void Frame(QImage& img, const QRect& r, const QColor& c);
// Turns the pixels outside quarter circles of `radius` at the chosen corners
// back into the transparent colour.
void RoundCorners(QImage& img, const QRect& r, int radius, bool tl = true, bool tr = true, bool bl = true,
                  bool br = true);
void Disc(QImage& img, const QRect& r, const QColor& c);

enum class Glyph { Close, Maximize, Restore, Minimize, Menu, ArrowLeft, ArrowRight, ArrowUp, ArrowDown, Check, Dot,
                   Grip, Dash };
// Draws a glyph centred in `r`, `size` pixels across.
void DrawGlyph(QImage& img, const QRect& r, Glyph g, const QColor& c, int size);

// Places frames side by side (or stacked) in one image.
QImage Strip(const std::vector<QImage>& frames, bool vertical = false);

// An uncompressed bottom-up bitmap of 24 bits per pixel.
QByteArray Bmp24(const QImage& image);
// The same image as an 8-bit paletted bitmap when it has at most 256 colours
// (else the 24-bit form).
QByteArray Bmp8(const QImage& image);

}  // namespace skingen
