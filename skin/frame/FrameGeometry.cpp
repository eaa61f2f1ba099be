#include "skin/frame/FrameGeometry.h"

#include <algorithm>

#include "skin/core/SkinDraw.h"
#include "skin/core/SkinElements.h"

namespace skin {

namespace {
int Part(int length, int frames) { return frames > 0 ? length / frames : 0; }
}  // namespace

TFrameMetrics ComputeFrameMetrics(const TSkinElements& e, TFrameKind kind) {
  TFrameMetrics m;
  if (kind == fkNone) return m;
  m.L = Part(e.FrameLeft.Image.width(), e.FrameLeft.FrameCount);
  m.T = Part(e.FrameTop.Image.height(), e.FrameTop.FrameCount);
  m.R = Part(e.FrameRight.Image.width(), e.FrameRight.FrameCount);
  m.B = Part(e.FrameBottom.Image.height(), e.FrameBottom.FrameCount);
  return m;
}

QSize OuterSizeForClient(const QSize& client, const TFrameMetrics& m) {
  return {std::max(1, client.width()) + m.L + m.R, std::max(1, client.height()) + m.T + m.B + m.M};
}

QSize ClientSizeForOuter(const QSize& outer, const TFrameMetrics& m) {
  return {std::max(1, outer.width() - m.L - m.R), std::max(1, outer.height() - m.T - m.B - m.M)};
}

int FrameHitTest(const QPoint& p, const QSize& size, const TFrameMetrics& m, bool sizeable, int corner) {
  const int W = size.width(), H = size.height();
  if (p.x() < 0 || p.y() < 0 || p.x() >= W || p.y() >= H) return HTNOWHERE;
  if (sizeable) {
    const bool left = p.x() < m.L, right = p.x() >= W - m.R;
    // The top edge resizes only in its outermost pixels: the rest is the caption.
    const bool top = p.y() < std::min(m.T, 3), bottom = p.y() >= H - m.B;
    const bool nearLeft = p.x() < std::max(corner, m.L), nearRight = p.x() >= W - std::max(corner, m.R);
    const bool nearTop = p.y() < std::max(corner, m.T), nearBottom = p.y() >= H - std::max(corner, m.B);
    if ((top && nearLeft) || (left && nearTop)) return HTTOPLEFT;
    if ((top && nearRight) || (right && nearTop)) return HTTOPRIGHT;
    if ((bottom && nearLeft) || (left && nearBottom)) return HTBOTTOMLEFT;
    if ((bottom && nearRight) || (right && nearBottom)) return HTBOTTOMRIGHT;
    if (left) return HTLEFT;
    if (right) return HTRIGHT;
    if (top) return HTTOP;
    if (bottom) return HTBOTTOM;
  } else if (p.x() < m.L || p.x() >= W - m.R || p.y() >= H - m.B) {
    // Fixed borders are part of the frame but do nothing.
    return p.y() < m.T ? HTCAPTION : HTNOWHERE;
  }
  if (p.y() < m.T) return HTCAPTION;
  if (p.y() < m.T + m.M) return HTMENU;
  return HTCLIENT;
}

Qt::CursorShape CursorForHit(int hit) {
  switch (hit) {
    case HTLEFT:
    case HTRIGHT: return Qt::SizeHorCursor;
    case HTTOP:
    case HTBOTTOM: return Qt::SizeVerCursor;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT: return Qt::SizeFDiagCursor;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT: return Qt::SizeBDiagCursor;
    default: return Qt::ArrowCursor;
  }
}

Qt::Edges EdgesForHit(int hit) {
  switch (hit) {
    case HTLEFT: return Qt::LeftEdge;
    case HTRIGHT: return Qt::RightEdge;
    case HTTOP: return Qt::TopEdge;
    case HTBOTTOM: return Qt::BottomEdge;
    case HTTOPLEFT: return Qt::TopEdge | Qt::LeftEdge;
    case HTTOPRIGHT: return Qt::TopEdge | Qt::RightEdge;
    case HTBOTTOMLEFT: return Qt::BottomEdge | Qt::LeftEdge;
    case HTBOTTOMRIGHT: return Qt::BottomEdge | Qt::RightEdge;
    default: return {};
  }
}

QImage ComposeBorder(const TDataSkinBorder& border, const QSize& size, bool vertical, bool active);

QRegion FrameRegion(const QSize& size, const TFrameMetrics& m, const TSkinElements& e, bool active, TFrameKind kind,
                    const QImage& strip) {
  const int W = size.width(), H = size.height();
  if (2 * e.FrameLeft.Trans + e.FrameRight.Trans + e.FrameTop.Trans == 0) return QRegion(0, 0, W, H);
  QRegion r(m.L, m.T, std::max(0, W - m.L - m.R), std::max(0, H - m.T - m.B));
  if (kind == fkNone) return r;
  auto part = [&](const TDataSkinBorder& b, bool transparent, const QSize& s, bool vertical, QPoint at) {
    if (s.isEmpty()) return;
    if (transparent) {
      const QImage img = ComposeBorder(b, s, vertical, active);
      if (!img.isNull()) {
        r += RegionFromImage(img, at.x(), at.y(), 1, 1, 1, kSkinKeyColor);
        return;
      }
    }
    r += QRect(at, s);
  };
  part(e.FrameLeft, e.FrameLeft.Trans == 1 && H > 1, {m.L, H}, false, {0, 0});
  part(e.FrameRight, e.FrameRight.Trans == 1 && H > 1, {m.R, H}, false, {W - m.R, 0});
  part(e.FrameBottom, e.FrameBottom.Trans == 1 && m.B >= 2, {W - m.L - m.R, m.B}, true, {m.L, H - m.B});
  const QSize top(W - m.L - m.R, m.T);
  if (e.FrameTop.Trans == 1 && m.T > 1 && !top.isEmpty()) {
    if (!strip.isNull() && strip.height() >= m.T && strip.width() >= W) {
      r += RegionFromImage(strip.copy(m.L, 0, top.width(), m.T), m.L, 0, 1, 1, 1, kSkinKeyColor);
    } else {
      part(e.FrameTop, true, top, true, {m.L, 0});
    }
  } else if (!top.isEmpty()) {
    r += QRect(QPoint(m.L, 0), top);
  }
  return r;
}

}  // namespace skin
