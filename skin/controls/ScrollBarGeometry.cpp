#include "skin/controls/ScrollBarGeometry.h"

#include <algorithm>

namespace skin {

long long MulDivRound(long long a, long long b, long long c) {
  if (c == 0) return 0;
  const long long n = a * b;
  const bool negative = (n < 0) != (c < 0);
  const long long an = n < 0 ? -n : n, ac = c < 0 ? -c : c;
  const long long q = (an + ac / 2) / ac;
  return negative ? -q : q;
}

int ScrollArrowLength(int length, int A) { return length < 2 * A ? std::max(0, length) / 2 : A; }

namespace {

TScrollBarGeometry Arrows(int length, int A) {
  TScrollBarGeometry g;
  g.length = std::max(0, length);
  g.arrow = ScrollArrowLength(g.length, A);
  g.trackEnd = g.length < 2 * A ? g.arrow : g.length - g.arrow;
  g.thumbStart = g.thumbEnd = g.arrow;
  return g;
}

void PlaceThumb(TScrollBarGeometry& g, long long start, long long thumb) {
  const int lo = g.TrackStart(), hi = g.TrackEnd();
  if (thumb <= 0 || hi - lo <= 0) return;
  const long long s = std::clamp<long long>(start, lo, hi);
  g.thumbStart = static_cast<int>(s);
  g.thumbEnd = static_cast<int>(std::clamp<long long>(s + thumb, lo, hi));
}

}  // namespace

TScrollBarGeometry AreaBarGeometry(int length, int A, const TScrollRange& range) {
  TScrollBarGeometry g = Arrows(length, A);
  const long long r = static_cast<long long>(range.maximum) - range.minimum;
  const int track = g.TrackEnd() - g.TrackStart();
  if (r <= 0 || track < kMinThumbLength) return g;
  const long long page = std::max(0, range.page);
  long long thumb = MulDivRound(track, page, r + page);
  thumb = std::clamp<long long>(thumb, kMinThumbLength, track);
  const long long q = std::clamp<long long>(static_cast<long long>(range.position) - range.minimum, 0, r);
  PlaceThumb(g, g.TrackStart() + MulDivRound(track - thumb, q, r), thumb);
  return g;
}

TScrollBarGeometry ControlBarGeometry(int length, int A, const TScrollRange& range) {
  TScrollBarGeometry g = Arrows(length, A);
  const long long span = static_cast<long long>(range.maximum) - range.minimum;
  const long long p = std::max(0, range.page);
  const long long r = p > 0 ? span + p - 1 : span;
  if (r <= 0 || span < 0) return g;
  const long long q = std::clamp<long long>(static_cast<long long>(range.position) - range.minimum, 0, span);
  const long long track = static_cast<long long>(g.length) - 2LL * A;
  if (p > 0) {
    const long long thumb = MulDivRound(track, p - 1, r);
    const long long start = q == 0 ? A : A + MulDivRound(track, q, r);
    PlaceThumb(g, start, thumb);
  } else {
    const long long start = q == 0 ? A : A + MulDivRound(static_cast<long long>(g.length) - 3LL * A, q, r);
    PlaceThumb(g, start, A);
  }
  return g;
}

int ScrollHitZone(const TScrollBarGeometry& g, int x) {
  if (x < g.arrow) return shLineBack;
  if (x < g.thumbStart) return shPageBack;
  if (x < g.thumbEnd) return shThumb;
  if (x < g.length - g.arrow) return shPageForward;
  return shLineForward;
}

int DraggedThumbStart(const TScrollBarGeometry& g, int startAtPress, int cursorMoved) {
  const int lo = g.arrow, hi = g.length - g.arrow - g.ThumbLength();
  return std::clamp(startAtPress + cursorMoved, lo, std::max(lo, hi));
}

}  // namespace skin
