#include "controls/outbar/GroupBarGeometry.h"

#include <cstdlib>

namespace outbar {

int HeaderSlot(bool captionAutoSize, int fontHeightPx, int captionHeight, int buttonSpace) {
  return captionAutoSize ? 2 * std::abs(fontHeightPx) + buttonSpace : captionHeight + buttonSpace;
}

TRect GroupPageRect(const GroupBarLayout& l) {
  const int n = static_cast<int>(l.heights.size());
  if (l.active < 0 || l.active >= n) return l.inner;
  TRect r = l.inner;
  int top = l.inner.top;
  for (int i = 0; i <= l.active; ++i) top += l.heights[static_cast<size_t>(i)];
  r.top = top - l.buttonSpace;
  int below = 0;
  for (int i = l.active + 1; i < n; ++i) below += l.heights[static_cast<size_t>(i)];
  r.bottom = l.inner.bottom - below + (l.active < n - 1 ? l.buttonSpace : 0);
  return r;
}

TRect GroupButtonRect(const GroupBarLayout& l, int i) {
  const int n = static_cast<int>(l.heights.size());
  TRect r = l.inner;
  if (l.active < 0 || i <= l.active) {
    int top = l.inner.top;
    for (int j = 0; j < i; ++j) top += l.heights[static_cast<size_t>(j)];
    r.top = top;
    r.bottom = top + l.heights[static_cast<size_t>(i)] - l.buttonSpace;
  } else {
    int below = 0;
    for (int j = i + 1; j < n; ++j) below += l.heights[static_cast<size_t>(j)];
    r.bottom = l.inner.bottom - below;
    r.top = r.bottom - (l.heights[static_cast<size_t>(i)] - l.buttonSpace);
  }
  return r;
}

int GroupAt(const GroupBarLayout& l, int x, int y) {
  const int n = static_cast<int>(l.heights.size());
  if (n == 1) return -1;
  if (x < l.inner.left || x > l.inner.right) return -1;
  const TRect page = GroupPageRect(l);
  const int a = l.active;
  if (l.inner.top < y && y < page.top) {
    int d = y - l.inner.top;
    for (int i = 0; i <= a && i < n; ++i) {
      d -= l.heights[static_cast<size_t>(i)];
      if (d <= 0) return i;
    }
  } else if (page.bottom < y && y < l.inner.bottom - 1) {
    int d = y - page.bottom;
    for (int i = a + 1; i < n; ++i) {
      d -= l.heights[static_cast<size_t>(i)];
      if (d <= 0) return i;
    }
  }
  return -1;
}

AnimationPlan PlanAnimation(const TRect& oldPage, const TRect& newPage, bool movingDown, bool newIsLast,
                            int frequency) {
  AnimationPlan plan;
  plan.movingDown = movingDown;
  plan.band.left = newPage.left;
  plan.band.right = newPage.right;
  if (newPage.top > oldPage.top) {
    plan.band.top = oldPage.top;
    plan.band.bottom = newPage.bottom;
  } else {
    plan.band.top = newPage.top;
    plan.band.bottom = oldPage.bottom;
  }
  int h = plan.band.Height();
  const int n = newPage.Height();
  plan.imageHeight = h + n;
  if (movingDown && !newIsLast) h -= 1;
  plan.bandRows = h;
  plan.newPageRows = n;
  for (int k = 0; k < frequency; ++k) {
    const int y = static_cast<int>(static_cast<double>(k) * n / frequency);
    plan.offsets.push_back(y);
    std::vector<AnimationCopy> copies;
    if (movingDown) {
      // The buttons between the pages, followed by the new page, slide up.
      copies.push_back({n, oldPage.bottom - y, (newPage.bottom - oldPage.bottom) + y});
    } else {
      // The new page uncovers from the top; the buttons and the old page slide down.
      copies.push_back({0, plan.band.top, y});
      copies.push_back({n + 1, plan.band.top + y, h - y});
    }
    plan.frames.push_back(copies);
  }
  return plan;
}

}  // namespace outbar
