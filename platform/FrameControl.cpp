#include "platform/FrameControl.h"

#include <QPainter>
#include <algorithm>

#include "platform/Color.h"
#include "platform/Edges.h"

namespace platform {
namespace {

// The square behind every glyph: raised, or pushed (a flat shadow ring).
// Returns the face left inside the edge.
QRect DrawSquare(QPainter& p, const QRect& rect, unsigned state) {
  QRect r = rect;
  p.fillRect(rect, ToQColor(clBtnFace));
  if (state & DFCS_FLAT) return r.adjusted(1, 1, -1, -1);
  if (state & DFCS_MONO) {
    DrawEdge(p, r, BDR_RAISEDOUTER, BF_RECT | BF_MONO | BF_ADJUST);
  } else if (state & (DFCS_PUSHED | DFCS_CHECKED)) {
    DrawEdge(p, r, EDGE_SUNKEN, BF_RECT | BF_FLAT | BF_ADJUST);
  } else {
    DrawEdge(p, r, EDGE_RAISED, BF_RECT | BF_ADJUST);
  }
  return r;
}

// Draws the glyph once in `color`, shifted by (dx, dy), through `shape`.
template <typename Shape>
void Glyph(unsigned state, Shape shape) {
  const int shift = (state & DFCS_PUSHED) ? 1 : 0;
  if (state & DFCS_INACTIVE) {
    // Inactive glyphs are etched: a white copy one pixel lower right, the grey one on top.
    shape(shift + 1, shift + 1, ToQColor(clBtnHighlight));
    shape(shift, shift, ToQColor(clBtnShadow));
  } else {
    shape(shift, shift, ToQColor(clBtnText));
  }
}

// A solid triangle pointing in `dir` (0 up, 1 down, 2 left, 3 right), centred in r.
void Arrow(QPainter& p, const QRect& r, int dir, unsigned state) {
  const int size = std::min(r.width(), r.height());
  const int n = std::max(2, (size + 2) / 4);  // rows of the triangle; 4 for a 16-pixel button
  const bool vertical = dir <= 1;
  const int cx = r.left() + (r.width() - (vertical ? 2 * n - 1 : n)) / 2;
  const int cy = r.top() + (r.height() - (vertical ? n : 2 * n - 1)) / 2;
  Glyph(state, [&](int dx, int dy, const QColor& c) {
    for (int k = 0; k < n; ++k) {
      const int half = (dir == 0 || dir == 2) ? k : n - 1 - k;  // half-width of row k
      if (vertical)
        p.fillRect(QRect(cx + dx + (n - 1 - half), cy + dy + k, 2 * half + 1, 1), c);
      else
        p.fillRect(QRect(cx + dx + k, cy + dy + (n - 1 - half), 1, 2 * half + 1), c);
    }
  });
}

void Caption(QPainter& p, const QRect& r, unsigned part, unsigned state) {
  const int size = std::min(r.width(), r.height());
  const int g = std::max(4, size - 4 - (size & 1));  // glyph box, even-sized
  const int x0 = r.left() + (r.width() - g) / 2;
  const int y0 = r.top() + (r.height() - g) / 2;
  Glyph(state, [&](int dx, int dy, const QColor& c) {
    const int x = x0 + dx, y = y0 + dy;
    switch (part) {
      case DFCS_CAPTIONCLOSE:
        for (int i = 0; i < g; ++i) {
          p.fillRect(QRect(x + i, y + i, 2, 1), c);
          p.fillRect(QRect(x + g - 2 - i, y + i, 2, 1), c);
        }
        break;
      case DFCS_CAPTIONMIN:
        p.fillRect(QRect(x + 1, y + g - 2, g / 2 + 1, 2), c);
        break;
      case DFCS_CAPTIONMAX:
        p.fillRect(QRect(x, y, g, 2), c);
        p.fillRect(QRect(x, y, 1, g), c);
        p.fillRect(QRect(x + g - 1, y, 1, g), c);
        p.fillRect(QRect(x, y + g - 1, g, 1), c);
        break;
      case DFCS_CAPTIONRESTORE: {
        const int s = g * 2 / 3;
        // Back window, top right.
        p.fillRect(QRect(x + g - s, y, s, 2), c);
        p.fillRect(QRect(x + g - 1, y, 1, s), c);
        p.fillRect(QRect(x + g - s, y, 1, g - s), c);
        // Front window, bottom left.
        const int fy = y + g - s;
        p.fillRect(QRect(x, fy, s, 2), c);
        p.fillRect(QRect(x, fy, 1, s), c);
        p.fillRect(QRect(x + s - 1, fy, 1, s), c);
        p.fillRect(QRect(x, fy + s - 1, s, 1), c);
        break;
      }
      case DFCS_CAPTIONHELP: {
        // A question mark: hook, stem and dot.
        const int w = g / 2 + 1;
        const int hx = x + (g - w) / 2;
        p.fillRect(QRect(hx, y, w, 2), c);
        p.fillRect(QRect(hx + w - 2, y, 2, g / 3 + 1), c);
        p.fillRect(QRect(hx + w / 2 - 1, y + g / 3, w / 2 + 1, 2), c);
        p.fillRect(QRect(hx + w / 2 - 1, y + g / 3, 2, g / 3), c);
        p.fillRect(QRect(hx + w / 2 - 1, y + g - 2, 2, 2), c);
        break;
      }
      default:
        break;
    }
  });
}

}  // namespace

bool DrawFrameControl(QPainter& p, const QRect& rect, unsigned type, unsigned state) {
  const unsigned part = state & 0xFF;
  switch (type) {
    case DFC_SCROLL: {
      if (part > DFCS_SCROLLRIGHT) return false;
      const QRect face = DrawSquare(p, rect, state);
      static constexpr int kDir[] = {0, 1, 2, 3};
      Arrow(p, face, kDir[part], state);
      return true;
    }
    case DFC_CAPTION: {
      if (part > DFCS_CAPTIONHELP) return false;
      const QRect face = DrawSquare(p, rect, state);
      Caption(p, face, part, state);
      return true;
    }
    case DFC_BUTTON:
      if (part != DFCS_BUTTONPUSH) return false;
      DrawSquare(p, rect, state);
      return true;
    default:
      return false;
  }
}

}  // namespace platform
