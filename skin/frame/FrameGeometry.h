#pragma once
// The frame's geometry, without any window: border widths from the skin's
// border images, where a point lies on the frame, the outer size that keeps a
// client size, and the window region from the borders' transparency.
#include <QImage>
#include <QMargins>
#include <QPoint>
#include <QRegion>
#include <QSize>

namespace skin {

class TSkinElements;

enum TFrameKind { fkSizeable = 0, fkFixed = 1, fkNone = 2, fkDialog = 3 };

struct TFrameMetrics {
  int L = 0, T = 0, R = 0, B = 0;
  int M = 0;  // menu-bar height
  // The contents margins that reserve the frame.
  QMargins Margins() const { return {L, T + M, R, B}; }
  friend bool operator==(const TFrameMetrics&, const TFrameMetrics&) = default;
};

// L = Left width / frames, T = Top height / frames, R = Right width / frames,
// B = Bottom height / frames (integer division); all 0 for kind fkNone or a
// skin not loaded. M is left 0 (the menu skinner gives it).
TFrameMetrics ComputeFrameMetrics(const TSkinElements& e, TFrameKind kind);

// The outer size for a client size: client + L + R by client + T + B + M.
// Never below 1 x 1 for the client part (a skin without borders keeps the
// window usable).
QSize OuterSizeForClient(const QSize& client, const TFrameMetrics& m);
// The client size inside an outer size (at least 1 x 1).
QSize ClientSizeForOuter(const QSize& outer, const TFrameMetrics& m);

// Hit-test codes (the Windows values).
enum THitCode {
  HTNOWHERE = 0, HTCLIENT = 1, HTCAPTION = 2, HTSYSMENU = 3, HTMENU = 5, HTMINBUTTON = 8, HTMAXBUTTON = 9,
  HTLEFT = 10, HTRIGHT = 11, HTTOP = 12, HTTOPLEFT = 13, HTTOPRIGHT = 14, HTBOTTOM = 15, HTBOTTOMLEFT = 16,
  HTBOTTOMRIGHT = 17, HTCLOSE = 20,
};
// Where `p` (window coordinates) lies on a W x H window with this frame:
// borders of a sizeable window resize (corners take `corner` pixels along each
// edge, at least the border width); the top border and the caption strip are
// caption (a point within 3 pixels of the top edge of a sizeable window
// resizes); the menu bar is menu; the rest is client.
int FrameHitTest(const QPoint& p, const QSize& size, const TFrameMetrics& m, bool sizeable, int corner = 16);
// The cursor shape for a hit code (Qt::ArrowCursor outside the borders).
Qt::CursorShape CursorForHit(int hit);
// The window edges a resize from that hit code moves (empty outside borders).
Qt::Edges EdgesForHit(int hit);

// The region of a W x H window: the client rectangle plus each border part,
// cut from its image where the skin marks it transparent (Trans 1): the left
// border painted at L x H, the right likewise at (W - R, 0), the bottom at
// (W - L - R) x B from (L, H - B) when B >= 2, the top from `strip` (the last
// caption strip, or the top border painted when there is none) when T > 1.
// Without any transparent border (2 x Left.Trans + Right.Trans + Top.Trans is
// 0) the whole rectangle.
QRegion FrameRegion(const QSize& size, const TFrameMetrics& m, const TSkinElements& e, bool active, TFrameKind kind,
                    const QImage& strip);

}  // namespace skin
