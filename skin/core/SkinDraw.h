#pragma once
// Image primitives every skin painter goes through: picking one frame of a
// multi-frame element image, nine-part drawing with fixed margins, tiling,
// magenta transparency, window regions and pixel transforms.
//
// Rectangles are QRects; a rectangle whose width or height is not positive
// draws nothing. Frames are numbered from 1. Scaling replicates or drops whole
// pixels: no smoothing and no blending anywhere.
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QRegion>

#include "platform/Color.h"

namespace skin {

// Widths of the parts of a frame that are never stretched along their own axis.
struct TSkinMargins {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  friend bool operator==(const TSkinMargins&, const TSkinMargins&) = default;
};

// The transparent colour of skin images.
constexpr platform::TColor kSkinKeyColor = platform::RGB(255, 0, 255);
constexpr QRgb kMagenta = 0xFFFF00FFu;

// Cell `frameIndex` of `frameCount` cells laid side by side (or stacked when
// `vertical`); an empty rectangle when the index is outside 1..frameCount or
// the cells would be empty.
QRect FrameRect(const QImage& image, bool vertical, int frameCount, int frameIndex);

// Copies `src`'s `srcRect` onto `dst`'s `dstRect`, replicating or dropping
// pixels; pixels falling outside either image are skipped.
void StretchCopy(QImage& dst, const QRect& dstRect, const QImage& src, const QRect& srcRect);

// Repeats `srcRect` of `source` at natural size across `rect` of `canvas`,
// starting at its top-left corner and clipped to it.
void TileImage(QImage& canvas, const QRect& rect, const QImage& source, const QRect& srcRect);

// A new 32-bit image of `size` holding the nine-part rendering of one frame.
// A target narrower than Left + Right (lower than Top + Bottom) drops those
// margins. Null when the frame does not exist or the size is empty.
QImage ComposeNinePart(const QSize& size, const QImage& image, const TSkinMargins& margins, bool vertical,
                       bool tile, int frameCount, int frameIndex);

void DrawSkinImage(QPainter& target, const QRect& rect, const QImage& image, bool vertical, bool tile,
                   bool transparent, int frameCount, int frameIndex, const TSkinMargins& margins);
// The eight outer parts only, opaque; the centre of `rect` is left untouched.
void DrawNinePartBorder(QPainter& target, const QRect& rect, const QImage& image, bool vertical, int frameCount,
                        int frameIndex, const TSkinMargins& margins);
// Left cap, middle repeated at natural width, right cap; full height stretched.
void DrawThreePartBar(QPainter& target, const QRect& rect, const QImage& image, bool vertical, bool transparent,
                      int frameCount, int frameIndex, const TSkinMargins& margins);
void DrawFrameStretched(QPainter& target, const QRect& rect, const QImage& image, bool transparent, int frameCount,
                        int frameIndex);
void DrawFrameCentred(QPainter& target, const QRect& rect, const QImage& image, bool transparent, int frameCount,
                      int frameIndex);
// Copies `image` from its top-left corner into `rect` at natural size (cut to
// the rectangle), leaving pixels of exactly `key` undrawn.
void DrawTransparent(QPainter& target, const QRect& rect, const QImage& image, platform::TColor key);

// The region of the pixels outside the key range [key, key + tolerance] per
// channel, as one-pixel-high runs offset by (dx, dy).
QRegion RegionFromImage(const QImage& image, int dx, int dy, int toleranceBlue, int toleranceGreen,
                        int toleranceRed, platform::TColor key);

// In-place pixel transforms.
void GrayscaleBitmap(QImage& image);
void MirrorBitmap(QImage& image);
void FlipBitmap(QImage& image);
void RotateBitmapLeft(QImage& image);
void RotateBitmapRight(QImage& image);

// A copy in which pixels of exactly `key` are fully transparent and every
// other pixel is opaque.
QImage KeyToAlpha(const QImage& image, platform::TColor key = kSkinKeyColor);

}  // namespace skin
