#include "skin/core/SkinDraw.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace skin {

namespace {
QImage As32(const QImage& image) {
  if (image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32) return image;
  return image.convertToFormat(QImage::Format_RGB32);
}

QRgb KeyRgb(platform::TColor key) {
  return qRgb(platform::GetRValue(key), platform::GetGValue(key), platform::GetBValue(key));
}

// Draws a composed work image at `at`, opaque or with magenta left undrawn.
void Put(QPainter& target, const QPoint& at, const QImage& work, bool transparent) {
  if (work.isNull()) return;
  if (transparent) {
    target.drawImage(at, KeyToAlpha(work));
  } else {
    target.drawImage(at, work);
  }
}

int SafeCount(int frameCount) { return frameCount < 1 ? 1 : frameCount; }

// Geometry from skins and windows is summed in 64 bits; a rectangle is made
// only of values an int holds, and one that no int can hold draws nothing.
using i64 = std::int64_t;
bool FitsInt(i64 v) { return v >= INT_MIN && v <= INT_MAX; }
bool MakeRect(i64 x, i64 y, i64 w, i64 h, QRect& r) {
  if (w <= 0 || h <= 0 || !FitsInt(x) || !FitsInt(y) || !FitsInt(w) || !FitsInt(h) || !FitsInt(x + w) ||
      !FitsInt(y + h))
    return false;
  r = QRect(static_cast<int>(x), static_cast<int>(y), static_cast<int>(w), static_cast<int>(h));
  return true;
}

// The first of the copies laid every `step` from `start` that can reach
// [0, ...): the copies before it lie wholly left of (above) 0.
i64 FirstVisibleCopy(i64 start, i64 step) { return start >= 0 ? start : start + (-start / step) * step; }
}  // namespace

QRect FrameRect(const QImage& image, bool vertical, int frameCount, int frameIndex) {
  const int n = SafeCount(frameCount);
  if (image.isNull() || frameIndex < 1 || frameIndex > n) return {};
  if (vertical) {
    const int ch = image.height() / n;
    if (ch <= 0) return {};
    return QRect(0, (frameIndex - 1) * ch, image.width(), ch);
  }
  const int cw = image.width() / n;
  if (cw <= 0) return {};
  return QRect((frameIndex - 1) * cw, 0, cw, image.height());
}

void StretchCopy(QImage& dst, const QRect& dstRect, const QImage& srcImage, const QRect& srcRect) {
  const int dw = dstRect.width(), dh = dstRect.height();
  const int sw = srcRect.width(), sh = srcRect.height();
  if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0 || dst.isNull() || srcImage.isNull()) return;
  const QImage src = As32(srcImage);
  if (dst.format() != QImage::Format_RGB32 && dst.format() != QImage::Format_ARGB32)
    dst = dst.convertToFormat(QImage::Format_ARGB32);
  const i64 top = dstRect.top(), left = dstRect.left();
  const i64 y0 = std::max<i64>(0, -top), y1 = std::min<i64>(dh, dst.height() - top);
  const i64 x0 = std::max<i64>(0, -left), x1 = std::min<i64>(dw, dst.width() - left);
  for (i64 y = y0; y < y1; ++y) {
    const i64 sy = srcRect.top() + y * sh / dh;
    if (sy < 0 || sy >= src.height()) continue;
    const auto* srow = reinterpret_cast<const QRgb*>(src.constScanLine(static_cast<int>(sy)));
    auto* drow = reinterpret_cast<QRgb*>(dst.scanLine(static_cast<int>(top + y)));
    for (i64 x = x0; x < x1; ++x) {
      const i64 sx = srcRect.left() + x * sw / dw;
      if (sx < 0 || sx >= src.width()) continue;
      drow[left + x] = srow[sx] | 0xFF000000u;
    }
  }
}

void TileImage(QImage& canvas, const QRect& rect, const QImage& source, const QRect& srcRect) {
  if (srcRect.width() <= 0 || srcRect.height() <= 0 || rect.width() <= 0 || rect.height() <= 0) return;
  const i64 w = srcRect.width(), h = srcRect.height();
  const i64 right = i64(rect.left()) + rect.width(), bottom = i64(rect.top()) + rect.height();
  // Only the copies that reach into the canvas are made, however large the rectangle.
  const i64 xEnd = std::min<i64>(right, canvas.width()), yEnd = std::min<i64>(bottom, canvas.height());
  for (i64 y = FirstVisibleCopy(rect.top(), h); y < yEnd; y += h) {
    for (i64 x = FirstVisibleCopy(rect.left(), w); x < xEnd; x += w) {
      // Each copy is cut at the rectangle's right and bottom edges.
      const i64 cw = std::min(w, right - x), ch = std::min(h, bottom - y);
      QRect to, from;
      if (MakeRect(x, y, cw, ch, to) && MakeRect(srcRect.left(), srcRect.top(), cw, ch, from))
        StretchCopy(canvas, to, source, from);
    }
  }
}

namespace {
// The part of `rect` the painter can show: its device's area (within its
// clip when it has one), mapped back through its transform. A rendering is
// made only of that part, so that a rectangle of any size costs at most the
// device's pixels.
QRect Visible(const QPainter& target, const QRect& rect) {
  const QPaintDevice* device = target.device();
  if (!device) return rect;
  bool invertible = false;
  const QTransform back = target.worldTransform().inverted(&invertible);
  if (!invertible) return rect;
  QRect area = back.mapRect(QRect(0, 0, device->width(), device->height()));
  if (target.hasClipping()) area &= target.clipBoundingRect().toAlignedRect();
  return rect & area.adjusted(-1, -1, 1, 1);
}

// Fills the nine parts of a W x H rendering in their drawing order; `out`
// holds its pixels from `origin` on.
void NineParts(QImage& out, const QSize& size, const QPoint& origin, const QImage& image, const QRect& cell,
               const TSkinMargins& m, bool tile, bool centre) {
  const i64 W = size.width(), H = size.height(), ox = origin.x(), oy = origin.y();
  i64 L = m.Left, T = m.Top, R = m.Right, B = m.Bottom;
  if (W < L + R) L = R = 0;
  if (H < T + B) T = B = 0;
  const i64 cx = cell.left(), cy = cell.top(), cw = cell.width(), ch = cell.height();
  auto part = [&](i64 sx, i64 sy, i64 sw, i64 sh, i64 dx, i64 dy, i64 dw, i64 dh) {
    QRect to, from;
    if (MakeRect(dx - ox, dy - oy, dw, dh, to) && MakeRect(sx, sy, sw, sh, from)) StretchCopy(out, to, image, from);
  };
  if (L * T > 0) part(cx, cy, L, T, 0, 0, L, T);
  if (L * B > 0) part(cx, cy + ch - B, L, B, 0, H - B, L, B);
  if (R * T > 0) part(cx + cw - R, cy, R, T, W - R, 0, R, T);
  if (L > 0) part(cx, cy + T, L, ch - T - B, 0, T, L, H - T - B);
  if (T > 0) part(cx + L, cy, cw - L - R, T, L, 0, W - L - R, T);
  QRect src, dst;
  if (centre && MakeRect(cx + L, cy + T, cw - L - R, ch - T - B, src) &&
      MakeRect(L - ox, T - oy, W - L - R, H - T - B, dst)) {
    if (tile) {
      TileImage(out, dst, image, src);
    } else {
      StretchCopy(out, dst, image, src);
    }
  }
  if (R * B > 0) part(cx + cw - R, cy + ch - B, R, B, W - R, H - B, R, B);
  if (R > 0) part(cx + cw - R, cy + T, R, ch - T - B, W - R, T, R, H - T - B);
  if (B > 0) part(cx + L, cy + ch - B, cw - L - R, B, L, H - B, W - L - R, B);
}

// The pixels `window` of the nine-part rendering of one frame at `size`.
QImage ComposeWindow(const QSize& size, const QRect& window, const QImage& image, const TSkinMargins& margins,
                     bool vertical, bool tile, int frameCount, int frameIndex) {
  const QRect cell = FrameRect(image, vertical, frameCount, frameIndex);
  if (cell.isEmpty() || size.width() <= 0 || size.height() <= 0 || window.isEmpty()) return {};
  QImage out(window.size(), QImage::Format_RGB32);
  if (out.isNull()) return {};  // more than memory holds
  out.fill(0xFF000000u);
  NineParts(out, size, window.topLeft(), image, cell, margins, tile, true);
  return out;
}
}  // namespace

QImage ComposeNinePart(const QSize& size, const QImage& image, const TSkinMargins& margins, bool vertical, bool tile,
                       int frameCount, int frameIndex) {
  return ComposeWindow(size, QRect(QPoint(0, 0), size), image, margins, vertical, tile, frameCount, frameIndex);
}

void DrawSkinImage(QPainter& target, const QRect& rect, const QImage& image, bool vertical, bool tile,
                   bool transparent, int frameCount, int frameIndex, const TSkinMargins& margins) {
  if (rect.width() <= 0 || rect.height() <= 0) return;
  const QRect shown = Visible(target, rect);
  Put(target, shown.topLeft(),
      ComposeWindow(rect.size(), shown.translated(-rect.topLeft()), image, margins, vertical, tile, frameCount,
                    frameIndex),
      transparent);
}

void DrawNinePartBorder(QPainter& target, const QRect& rect, const QImage& image, bool vertical, int frameCount,
                        int frameIndex, const TSkinMargins& margins) {
  const QRect cell = FrameRect(image, vertical, frameCount, frameIndex);
  const QRect shown = Visible(target, rect);
  if (cell.isEmpty() || rect.width() <= 0 || rect.height() <= 0 || shown.isEmpty()) return;
  QImage out(shown.size(), QImage::Format_ARGB32);
  if (out.isNull()) return;
  out.fill(0u);
  NineParts(out, rect.size(), shown.topLeft() - rect.topLeft(), image, cell, margins, false, false);
  target.drawImage(shown.topLeft(), out);
}

void DrawThreePartBar(QPainter& target, const QRect& rect, const QImage& image, bool vertical, bool transparent,
                      int frameCount, int frameIndex, const TSkinMargins& margins) {
  const QRect cell = FrameRect(image, vertical, frameCount, frameIndex);
  const QRect shown = Visible(target, rect);
  if (cell.isEmpty() || rect.width() <= 0 || rect.height() <= 0 || shown.isEmpty()) return;
  const i64 W = rect.width(), H = rect.height();
  const i64 ox = shown.left() - i64(rect.left()), oy = shown.top() - i64(rect.top());
  const i64 L = std::max(0, margins.Left), R = std::max(0, margins.Right);
  QImage out(shown.size(), QImage::Format_RGB32);
  if (out.isNull()) return;
  out.fill(0xFF000000u);
  auto copy = [&](i64 dx, i64 dw, i64 sx, i64 sw) {
    QRect to, from;
    if (MakeRect(dx - ox, -oy, dw, H, to) && MakeRect(sx, cell.top(), sw, cell.height(), from))
      StretchCopy(out, to, image, from);
  };
  copy(0, L, cell.left(), L);
  const i64 middle = cell.width() - L - R;
  // Only the copies of the middle that reach into the part shown.
  if (middle > 0)
    for (i64 x = L + std::max<i64>(0, (ox - L) / middle) * middle; x < std::min(W - R, ox + shown.width()); x += middle)
      copy(x, middle, cell.left() + L, middle);
  copy(W - R, R, i64(cell.left()) + cell.width() - R, R);
  Put(target, shown.topLeft(), out, transparent);
}

void DrawFrameStretched(QPainter& target, const QRect& rect, const QImage& image, bool transparent, int frameCount,
                        int frameIndex) {
  const QRect cell = FrameRect(image, false, frameCount, frameIndex);
  const QRect shown = Visible(target, rect);
  if (cell.isEmpty() || rect.width() <= 0 || rect.height() <= 0 || shown.isEmpty()) return;
  QImage out(shown.size(), QImage::Format_RGB32);
  if (out.isNull()) return;
  StretchCopy(out, QRect(rect.topLeft() - shown.topLeft(), rect.size()), image, cell);
  Put(target, shown.topLeft(), out, transparent);
}

void DrawFrameCentred(QPainter& target, const QRect& rect, const QImage& image, bool transparent, int frameCount,
                      int frameIndex) {
  const QRect cell = FrameRect(image, false, frameCount, frameIndex);
  if (cell.isEmpty()) return;
  const i64 x = rect.left() + (i64(rect.width()) - cell.width()) / 2;
  const i64 y = rect.top() + (i64(rect.height()) - cell.height()) / 2;
  if (!FitsInt(x) || !FitsInt(y)) return;
  Put(target, QPoint(static_cast<int>(x), static_cast<int>(y)), As32(image).copy(cell), transparent);
}

void DrawTransparent(QPainter& target, const QRect& rect, const QImage& image, platform::TColor key) {
  if (rect.width() <= 0 || rect.height() <= 0 || image.isNull()) return;
  const QImage part = As32(image).copy(0, 0, std::min(rect.width(), image.width()), std::min(rect.height(), image.height()));
  target.drawImage(rect.topLeft(), KeyToAlpha(part, key));
}

QImage KeyToAlpha(const QImage& image, platform::TColor key) {
  QImage out = image.convertToFormat(QImage::Format_ARGB32);
  const QRgb k = KeyRgb(key) & 0x00FFFFFFu;
  for (int y = 0; y < out.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x) row[x] = (row[x] & 0x00FFFFFFu) == k ? 0u : (row[x] | 0xFF000000u);
  }
  return out;
}

QRegion RegionFromImage(const QImage& source, int dx, int dy, int toleranceBlue, int toleranceGreen,
                        int toleranceRed, platform::TColor key) {
  QRegion region;
  if (source.isNull()) return region;
  const QImage image = As32(source);
  const int r0 = platform::GetRValue(key), g0 = platform::GetGValue(key), b0 = platform::GetBValue(key);
  const int r1 = std::min(255, r0 + toleranceRed), g1 = std::min(255, g0 + toleranceGreen);
  const int b1 = std::min(255, b0 + toleranceBlue);
  auto inKey = [&](QRgb p) {
    const int r = qRed(p), g = qGreen(p), b = qBlue(p);
    return r >= r0 && r <= r1 && g >= g0 && g <= g1 && b >= b0 && b <= b1;
  };
  // Runs come out sorted by row and then by column, without overlaps, which is
  // the banded form a region is built from directly.
  QList<QRect> rects;
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    int x = 0;
    const int w = image.width();
    while (x < w) {
      while (x < w && inKey(row[x])) ++x;
      const int start = x;
      while (x < w && !inKey(row[x])) ++x;
      QRect run;
      if (x > start && MakeRect(i64(start) + dx, i64(y) + dy, x - start, 1, run)) rects.append(run);
    }
  }
  region.setRects(rects.constData(), static_cast<int>(rects.size()));
  return region;
}

void GrayscaleBitmap(QImage& image) {
  if (image.isNull()) return;
  if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32)
    image = image.convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const int v = (qRed(row[x]) + qGreen(row[x]) + qBlue(row[x])) / 3;
      row[x] = qRgba(v, v, v, qAlpha(row[x]));
    }
  }
}

void MirrorBitmap(QImage& image) { image = image.mirrored(true, false); }

void FlipBitmap(QImage& image) { image = image.mirrored(false, true); }

void RotateBitmapLeft(QImage& image) {
  if (image.isNull()) return;
  const QImage src = As32(image);
  const int w = src.width(), h = src.height();
  QImage out(h, w, src.format());
  for (int y = 0; y < h; ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(src.constScanLine(y));
    for (int x = 0; x < w; ++x) reinterpret_cast<QRgb*>(out.scanLine(w - 1 - x))[y] = row[x];
  }
  image = out;
}

void RotateBitmapRight(QImage& image) {
  if (image.isNull()) return;
  const QImage src = As32(image);
  const int w = src.width(), h = src.height();
  QImage out(h, w, src.format());
  for (int y = 0; y < h; ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(src.constScanLine(y));
    for (int x = 0; x < w; ++x) reinterpret_cast<QRgb*>(out.scanLine(x))[h - 1 - y] = row[x];
  }
  image = out;
}

}  // namespace skin
