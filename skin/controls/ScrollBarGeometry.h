#pragma once
// The geometry of a skinned scroll bar along its axis: the two arrows, the
// track between them and the thumb, the hit zones, and the thumb followed
// while it is dragged. Positions are pixels from the bar's start; ends are
// exclusive.
namespace skin {

// 0 a horizontal and 1 a vertical bar of a scroll area; 2 a scroll-bar
// control standing alone.
enum TScrollBarKind { sbkHorizontal = 0, sbkVertical = 1, sbkControl = 2 };

// Scroll codes of the hit zones.
enum TScrollHit { shLineBack = 0, shLineForward = 1, shPageBack = 2, shPageForward = 3, shThumb = 5 };

// a * b / c with a 64-bit intermediate, rounded to the nearest integer
// (halves away from zero); 0 when c is 0.
long long MulDivRound(long long a, long long b, long long c);

struct TScrollBarGeometry {
  int length = 0;      // the bar's length along its axis
  int arrow = 0;       // each arrow's length: A, or half the length of a bar shorter than 2A
  int thumbStart = 0;  // the thumb, [thumbStart, thumbEnd); empty when there is none
  int thumbEnd = 0;
  int trackEnd = 0;    // the track is [arrow, trackEnd); empty for a short bar
  bool HasThumb() const { return thumbEnd > thumbStart; }
  int ThumbLength() const { return thumbEnd - thumbStart; }
  int TrackStart() const { return arrow; }
  int TrackEnd() const { return trackEnd; }
};

// The scroll range of a bar: positions minimum ... maximum, `page` units
// visible at once (0: the bar has no page size), at `position`.
struct TScrollRange {
  int minimum = 0;
  int maximum = 0;
  int page = 0;
  int position = 0;
};

// Arrow length of a bar: A, or half the bar when it is shorter than two arrows.
int ScrollArrowLength(int length, int A);

// The smallest thumb of a scroll area's bar.
constexpr int kMinThumbLength = 8;

// A scroll area's bar (kinds 0 and 1): the thumb takes the visible share of
// the track (at least kMinThumbLength) and moves over the rest of it in step
// with the position. No thumb when the range is empty or the track cannot
// hold one.
TScrollBarGeometry AreaBarGeometry(int length, int A, const TScrollRange& range);

// A scroll-bar control (kind 2), with r the range counted the control's way
// (maximum - minimum + page - 1 with a page size, maximum - minimum without):
// with a page size p the thumb is (length - 2A) * (p - 1) / r long and starts
// at A + (length - 2A) * q / r; without one it is A long and starts at
// A + (length - 3A) * q / r; q the position from the minimum, each
// product-then-quotient rounded to the nearest integer. An empty range has no
// thumb.
TScrollBarGeometry ControlBarGeometry(int length, int A, const TScrollRange& range);

// The scroll code at position x: before the first arrow's end the line back,
// before the thumb the page back, on the thumb the thumb, before the last
// arrow the page forward, else the line forward.
int ScrollHitZone(const TScrollBarGeometry& g, int x);

// Where a dragged thumb is drawn: its start at the press moved by how far the
// cursor moved, kept between the arrows.
int DraggedThumbStart(const TScrollBarGeometry& g, int startAtPress, int cursorMoved);

}  // namespace skin
