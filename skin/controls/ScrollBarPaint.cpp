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

void PaintScrollBar(QImage& work, const TSkinElements& e, const TScrollBarLook& look, TPartCache* cache) {
  QPainter p(&work);
  FillButtonFace(p, QRect(QPoint(0, 0), look.size), e);
  if (!CanPaintScrollBar(e)) return;
  const bool v = look.vertical;
  const TScrollBarGeometry& g = look.geometry;
  const int A = g.arrow;
  const int t = ScrollBarThickness(e, A > 0 ? A : 1);
  const int cross = v ? look.size.width() : look.size.height();
  const int across = std::min(t, cross);
  auto put = [&](int id, const QRect& rect, int frame, const QImage& source, const TPartCache::Draw& draw) {
    TPartCache::Put(cache, p, id, rect, frame, source, draw);
  };
  // The track.
  if (const TDataSkinObject* track = v ? e.VertScroll.get() : e.HorzScroll.get(); track && g.TrackEnd() > g.TrackStart()) {
    const int frame = look.enabled ? 1 : 3;
    put(1, Along(v, g.TrackStart(), g.TrackEnd(), across), frame, track->Image, [&](QPainter& dc, const QRect& r) {
      DrawSkinImage(dc, r, track->Image, false, track->Tile == 1, track->Trans != 0, 4, frame, track->Margins);
    });
  }
  // The arrows.
  if (A > 0) {
    const QImage& arrows = e.Scrollbar->Image;
    const int first = ScrollArrowFrame(v, false, look.pressedArrow == 1);
    const int second = ScrollArrowFrame(v, true, look.pressedArrow == 2);
    put(2, Along(v, 0, A, across), first, arrows,
        [&](QPainter& dc, const QRect& r) { DrawFrameStretched(dc, r, arrows, true, 23, first); });
    put(3, Along(v, g.length - A, g.length, across), second, arrows,
        [&](QPainter& dc, const QRect& r) { DrawFrameStretched(dc, r, arrows, true, 23, second); });
  }
  // The thumb.
  const TDataSkinObject* thumb = v ? e.VertScrollThumb.get() : e.HorzScrollThumb.get();
  if (look.enabled && thumb && g.HasThumb()) {
    const int frame = look.tracking ? 2 : 1;
    put(4, Along(v, g.thumbStart, g.thumbEnd, across), frame, thumb->Image, [&](QPainter& dc, const QRect& r) {
      DrawSkinImage(dc, r, thumb->Image, false, false, thumb->Trans != 0, thumb->FrameCount, frame, thumb->Margins);
    });
  }
}

void PaintScrollCorner(QPainter& dc, const QRect& rect, const TSkinElements& e) { FillButtonFace(dc, rect, e); }

}  // namespace skin
