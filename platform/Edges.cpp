#include "platform/Edges.h"

#include <QPainter>

#include "platform/Color.h"

namespace platform {
namespace {

// Lines in exclusive-rectangle terms: (x, y) to (x + w, y) covers w pixels.
void HLine(QPainter& p, int x1, int x2, int y, const QColor& c) {
  if (x2 > x1) p.fillRect(QRect(x1, y, x2 - x1, 1), c);
}
void VLine(QPainter& p, int x, int y1, int y2, const QColor& c) {
  if (y2 > y1) p.fillRect(QRect(x, y1, 1, y2 - y1), c);
}

// One ring of an edge: top-left colour on the left and top, bottom-right colour
// on the right and bottom; the rectangle shrinks by the sides drawn.
void Ring(QPainter& p, QRect& r, const QColor& tl, const QColor& br, unsigned flags) {
  const int left = r.left(), top = r.top(), right = r.left() + r.width(), bottom = r.top() + r.height();
  if (flags & BF_LEFT) VLine(p, left, top, bottom, tl);
  if (flags & BF_TOP) HLine(p, left, right, top, tl);
  if (flags & BF_RIGHT) VLine(p, right - 1, top, bottom, br);
  if (flags & BF_BOTTOM) HLine(p, left, right, bottom - 1, br);
  // Overdraw the corner where the two colours meet, as the classic painter does.
  if ((flags & BF_RIGHT) && (flags & BF_TOP)) p.fillRect(QRect(right - 1, top, 1, 1), br);
  if ((flags & BF_LEFT) && (flags & BF_BOTTOM)) p.fillRect(QRect(left, bottom - 1, 1, 1), br);
  r.adjust(flags & BF_LEFT ? 1 : 0, flags & BF_TOP ? 1 : 0, flags & BF_RIGHT ? -1 : 0, flags & BF_BOTTOM ? -1 : 0);
}

}  // namespace

void DrawEdge(QPainter& p, QRect& rect, unsigned edge, unsigned flags) {
  QRect r = rect;
  const QColor light = ToQColor(cl3DLight);
  const QColor highlight = ToQColor(clBtnHighlight);
  const QColor shadow = ToQColor(clBtnShadow);
  const QColor dark = ToQColor(cl3DDkShadow);
  const QColor black = ToQColor(clWindowFrame);
  const bool mono = flags & BF_MONO;
  const bool flat = flags & BF_FLAT;
  if (edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) {
    QColor tl, br;
    if (mono) tl = br = black;
    else if (flat) tl = br = shadow;
    else if (edge & BDR_RAISEDOUTER) {
      tl = (flags & BF_SOFT) ? highlight : light;
      br = dark;
    } else {
      tl = shadow;
      br = highlight;
    }
    Ring(p, r, tl, br, flags);
  }
  if (edge & (BDR_RAISEDINNER | BDR_SUNKENINNER)) {
    QColor tl, br;
    if (mono || flat) tl = br = ToQColor(clBtnFace);
    else if (edge & BDR_RAISEDINNER) {
      tl = (flags & BF_SOFT) ? light : highlight;
      br = shadow;
    } else {
      tl = dark;
      br = light;
    }
    Ring(p, r, tl, br, flags);
  }
  if (flags & BF_MIDDLE) p.fillRect(r, ToQColor(clBtnFace));
  if (flags & BF_ADJUST) rect = r;
}

void DrawFocusRect(QPainter& p, const QRect& rect) {
  if (rect.isEmpty()) return;
  p.save();
  p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  const QColor white(255, 255, 255);
  const int right = rect.left() + rect.width() - 1, bottom = rect.top() + rect.height() - 1;
  for (int x = rect.left(); x <= right; x += 2) {
    p.fillRect(QRect(x, rect.top(), 1, 1), white);
    if (bottom != rect.top()) p.fillRect(QRect(x, bottom, 1, 1), white);
  }
  for (int y = rect.top() + 2; y < bottom; y += 2) {
    p.fillRect(QRect(rect.left(), y, 1, 1), white);
    if (right != rect.left()) p.fillRect(QRect(right, y, 1, 1), white);
  }
  p.restore();
}

void Frame3D(QPainter& p, QRect& rect, const QColor& topLeft, const QColor& bottomRight, int width) {
  for (int i = 0; i < width; ++i) {
    const int left = rect.left(), top = rect.top(), right = rect.left() + rect.width() - 1,
              bottom = rect.top() + rect.height() - 1;
    p.fillRect(QRect(left, top, 1, bottom - top), topLeft);
    p.fillRect(QRect(left, top, right - left, 1), topLeft);
    p.fillRect(QRect(right, top, 1, bottom - top + 1), bottomRight);
    p.fillRect(QRect(left, bottom, right - left + 1, 1), bottomRight);
    rect.adjust(1, 1, -1, -1);
  }
}

}  // namespace platform
