#pragma once
// The group bar's geometry as free functions: header heights, the active page,
// header button rectangles, the hit test and the switch animation's frames.
// Rectangles are TRects (right and bottom exclusive).
#include <vector>

#include "controls/outbar/OutCommon.h"

namespace outbar {

struct GroupBarLayout {
  TRect inner;              // client rectangle, inset by 1 with a single border
  std::vector<int> heights;   // h(i): header height plus ButtonSpace, per group
  int active = -1;
  int buttonSpace = 1;
};

// h(i) from a group's caption settings.
int HeaderSlot(bool captionAutoSize, int fontHeightPx, int captionHeight, int buttonSpace);

TRect GroupPageRect(const GroupBarLayout& layout);
TRect GroupButtonRect(const GroupBarLayout& layout, int i);
// The header button at (x, y), -1 for none (always -1 with exactly one group).
int GroupAt(const GroupBarLayout& layout, int x, int y);

// One copy of the switch animation: `rows` image rows from `sourceRow` go to
// the screen at `screenRow` (band left, full band width).
struct AnimationCopy {
  int sourceRow, screenRow, rows;
};
struct AnimationPlan {
  TRect band;
  int imageHeight = 0;         // H + N
  int bandRows = 0;            // H (after the one-row cut when moving down)
  int newPageRows = 0;         // N
  bool movingDown = false;
  std::vector<int> offsets;    // y for k = 0 ... Frequency - 1
  std::vector<std::vector<AnimationCopy>> frames;
};
AnimationPlan PlanAnimation(const TRect& oldPage, const TRect& newPage, bool movingDown, bool newIsLast,
                            int frequency);

}  // namespace outbar
