#include "skin/controls/ScrollBarPaint.h"

#include <QPainter>

#include "skin/controls/SkinPaint.h"

namespace skin {

bool CanPaintScrollBar(const TSkinElements& e) { return e.Scrollbar && !e.Scrollbar->Image.isNull(); }

int ScrollBarThickness(const TSkinElements& e, int A) {
  if (!CanPaintScrollBar(e)) return A;
  const int h = e.Scrollbar->Image.height();
  return h + 3 < A ? A : h;
}

int ScrollArrowFrame(bool vertical, bool second, bool pressed) {
  const int base = (vertical ? 9 : 1) + (second ? 4 : 0);
  return pressed ? base + 1 : base;
}

namespace {

// A rectangle [from, to) along the axis and [0, t) across it.
QRect Along(bool vertical, int from, int to, int t) {
  return vertical ? QRect(0, from, t, to - from) : QRect(from, 0, to - from, t);
}

}  // namespace

void PaintScrollBar(QImage& work, const TSkinElements& e, const TScrollBarLook& look) {
  QPainter p(&work);
  FillButtonFace(p, QRect(QPoint(0, 0), look.size), e);
  if (!CanPaintScrollBar(e)) return;
  const bool v = look.vertical;
  const TScrollBarGeometry& g = look.geometry;
  const int A = g.arrow;
  const int t = ScrollBarThickness(e, A > 0 ? A : 1);
  const int cross = v ? look.size.width() : look.size.height();
  const int across = std::min(t, cross);
  // The track.
  if (const TDataSkinObject* track = v ? e.VertScroll.get() : e.HorzScroll.get(); track && g.TrackEnd() > g.TrackStart())
    DrawSkinImage(p, Along(v, g.TrackStart(), g.TrackEnd(), across), track->Image, false, track->Tile == 1,
                  track->Trans != 0, 4, look.enabled ? 1 : 3, track->Margins);
  // The arrows.
  if (A > 0) {
    DrawFrameStretched(p, Along(v, 0, A, across), e.Scrollbar->Image, true, 23,
                       ScrollArrowFrame(v, false, look.pressedArrow == 1));
    DrawFrameStretched(p, Along(v, g.length - A, g.length, across), e.Scrollbar->Image, true, 23,
                       ScrollArrowFrame(v, true, look.pressedArrow == 2));
  }
  // The thumb.
  const TDataSkinObject* thumb = v ? e.VertScrollThumb.get() : e.HorzScrollThumb.get();
  if (look.enabled && thumb && g.HasThumb())
    DrawSkinImage(p, Along(v, g.thumbStart, g.thumbEnd, across), thumb->Image, false, false, thumb->Trans != 0,
                  thumb->FrameCount, look.tracking ? 2 : 1, thumb->Margins);
}

void PaintScrollCorner(QPainter& dc, const QRect& rect, const TSkinElements& e) { FillButtonFace(dc, rect, e); }

}  // namespace skin
