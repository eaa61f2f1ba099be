#pragma once
// The vertical list's geometry as free functions: the boxes of an item, its
// frame, the hit test, visibility, the arrow buttons' places, wheel notches and
// the drop mark. All rectangles are TRects (right and bottom exclusive) in
// client coordinates.
#include <QSize>
#include <QString>
#include <functional>

#include "controls/outbar/OutCommon.h"

namespace outbar {

enum TViewStyle { vsIcon, vsList, vsReport, vsSmallIcon };
enum TSelectionType { stStandard, stExpanded };
enum TScrollButtonsPos { spTopAndBottom, spTop, spBottom };

// The standard list-item metrics: the platform list's basic image and caption
// boxes, on which the list's own rules are applied.
struct ItemMetrics {
  static constexpr int kSmallIconGap = 2;   // between a small image and its caption box
  static constexpr int kLargeIconGap = 2;   // between a large image and the caption below it
  static constexpr int kCaptionMargin = 2;  // inside the caption box, left and right
};

// How a caption wraps within a width: its widest line and its number of lines.
struct WrapResult {
  int width = 0;
  int lines = 0;
};
using WrapFunction = std::function<WrapResult(const QString& text, int width)>;

struct LayoutParams {
  TViewStyle style = vsIcon;
  int clientWidth = 0;
  int lineHeight = 0;   // L
  QSize imageSize;      // of the view's image list; empty without one
  int wrapLineCount = 1;
};

struct ItemBoxes {
  TRect icon;    // icon rectangle (the basic image box)
  TRect bounds;  // bounds after the caption rule
  TRect label;   // label rectangle after the caption rule
};

// The boxes of an item at position (px, py) whose one-line caption is
// `captionAdvance` pixels wide.
ItemBoxes ComputeItemBoxes(const LayoutParams& lp, const QString& caption, int captionAdvance, int px, int py,
                           const WrapFunction& wrap);

// The x position Arrange gives every item of a view style.
int ArrangedItemX(const LayoutParams& lp);

// The caption rule applied to rectangle r.
TRect ApplyCaptionRule(const LayoutParams& lp, TRect r, const QString& caption, const WrapFunction& wrap);

struct FrameParams {
  TSelectionType selectionType = stStandard;
  TViewStyle style = vsIcon;
  bool dragEnabled = true;
  int halfSpace = 5;
  int topPad = 0;
  int clientWidth = 0;
  QSize imageSize;
};
// The item's frame rectangle; its right and bottom are the lines' coordinates.
TRect FrameRect(const FrameParams& fp, const ItemBoxes& boxes);
// Whether (x, y) hits the item (the first of the hit test's item rules).
bool HitsItem(const FrameParams& fp, const ItemBoxes& boxes, int x, int y);

// IsItemVisible for bounds b with top pad, half space h, ItemSpace and client height.
bool IsItemVisible(const TRect& b, int topPad, int halfSpace, int itemSpace, int clientHeight, bool partialOK);

// The places of the arrow buttons (client coordinates of their top-left).
struct ScrollButtonPlaces {
  QPoint down, up;
  bool roomy;  // the client is tall enough for both
};
ScrollButtonPlaces PlaceScrollButtons(int clientWidth, int clientHeight, QSize down, QSize up, TScrollButtonsPos pos);

// Adds a wheel delta to the remainder and returns the item steps to scroll:
// negative scrolls up, positive down.
int WheelSteps(int& remainder, int delta, int linesPerNotch);

// The drop mark for insertion index k: its line's y and the half height c of
// the arrowheads. `stepsBefore` is the sum of the steps of items 0 ... k - 1.
struct DropMark {
  int y;
  int c;
  // Triangle corners: left (2, top)-(2, bottom)-(10, y), right mirrored.
  int top, bottom;
};
DropMark ComputeDropMark(int k, int count, int stepsBefore, int scrollY, int topPad, int clientHeight, TViewStyle style,
                         TSelectionType selectionType);

}  // namespace outbar
