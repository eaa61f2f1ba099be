// Pure geometry: group bar layout and hit test, animation frames, item boxes,
// frames, visibility, arrow-button places, wheel notches and the drop mark.
#include <gtest/gtest.h>

#include "controls/outbar/GroupBarGeometry.h"
#include "controls/outbar/ItemLayout.h"

using namespace outbar;

namespace {

GroupBarLayout Bar(int width, int height, std::vector<int> heights, int active) {
  GroupBarLayout l;
  l.inner = {1, 1, width - 1, height - 1};
  l.heights = std::move(heights);
  l.active = active;
  l.buttonSpace = 1;
  return l;
}

}  // namespace

TEST(GroupBarGeometry, MainWindowBarHasButtonAndPageOfTheWorkedFigures) {
  // 123 x 478, single border, one group, font height 16, ButtonSpace 1.
  const int slot = HeaderSlot(true, -16, 20, 1);
  EXPECT_EQ(slot, 33);
  const GroupBarLayout l = Bar(123, 478, {slot}, 0);
  EXPECT_EQ(GroupButtonRect(l, 0), (TRect{1, 1, 122, 33}));
  EXPECT_EQ(GroupPageRect(l), (TRect{1, 33, 122, 477}));
  EXPECT_EQ(GroupPageRect(l).Width(), 121);
  EXPECT_EQ(GroupPageRect(l).Height(), 444);
  // One group: no header button is ever found under the pointer.
  EXPECT_EQ(GroupAt(l, 50, 10), -1);
  // Caption height instead of the font when auto size is off.
  EXPECT_EQ(HeaderSlot(false, 16, 20, 1), 21);
}

TEST(GroupBarGeometry, ButtonsStackAroundTheActivePage) {
  // Three groups of 21-pixel slots in a 100 x 200 bar, the middle one open.
  const GroupBarLayout l = Bar(100, 200, {21, 21, 21}, 1);
  EXPECT_EQ(GroupButtonRect(l, 0), (TRect{1, 1, 99, 21}));
  EXPECT_EQ(GroupButtonRect(l, 1), (TRect{1, 22, 99, 42}));
  EXPECT_EQ(GroupPageRect(l), (TRect{1, 42, 99, 179}));
  EXPECT_EQ(GroupButtonRect(l, 2), (TRect{1, 179, 99, 199}));
  EXPECT_EQ(GroupAt(l, 10, 5), 0);
  EXPECT_EQ(GroupAt(l, 10, 30), 1);
  EXPECT_EQ(GroupAt(l, 10, 100), -1);  // inside the page
  EXPECT_EQ(GroupAt(l, 10, 185), 2);
  EXPECT_EQ(GroupAt(l, 10, 198), -1);  // the last row above the border
  // Last group open: nothing below the page.
  const GroupBarLayout last = Bar(100, 200, {21, 21, 21}, 2);
  EXPECT_EQ(GroupPageRect(last), (TRect{1, 63, 99, 199}));
  // No active group: the page is the whole inner rectangle.
  EXPECT_EQ(GroupPageRect(Bar(100, 200, {21, 21}, -1)), (TRect{1, 1, 99, 199}));
}

// Unequal slots and a ButtonSpace of 2, the first or the third group open: the
// buttons around the page, and the hit test at both ends of every range (the
// inner edges, the page's top, a count that ends at 0 or just past it).
TEST(GroupBarGeometry, LopsidedSlotsPlaceButtonsAndHitsAtTheirEnds) {
  GroupBarLayout first = Bar(100, 200, {19, 24, 27, 22}, 0);
  first.buttonSpace = 2;
  GroupBarLayout third = first;
  third.active = 2;
  EXPECT_EQ(GroupPageRect(first), (TRect{1, 18, 99, 128}));
  EXPECT_EQ(GroupPageRect(third), (TRect{1, 69, 99, 179}));
  EXPECT_EQ(GroupButtonRect(first, 0), (TRect{1, 1, 99, 18}));
  EXPECT_EQ(GroupButtonRect(first, 1), (TRect{1, 128, 99, 150}));
  EXPECT_EQ(GroupButtonRect(first, 3), (TRect{1, 179, 99, 199}));
  EXPECT_EQ(GroupButtonRect(third, 1), (TRect{1, 20, 99, 42}));
  EXPECT_EQ(GroupButtonRect(third, 3), (TRect{1, 179, 99, 199}));
  const struct {
    const GroupBarLayout* bar;
    int x, y, group;
  } hits[] = {
      {&first, 10, 1, -1},  {&first, 10, 2, 0},   {&first, 10, 17, 0},  {&first, 10, 18, -1},
      {&first, 10, 128, -1}, {&first, 10, 129, 1}, {&first, 10, 152, 1}, {&first, 10, 153, 2},
      {&third, 10, 20, 0},  {&third, 10, 21, 1},  {&third, 10, 68, 2},  {&third, 10, 69, -1},
      {&third, 1, 21, 1},   {&third, 0, 21, -1},  {&third, 99, 21, 1},  {&third, 100, 21, -1},
      {&third, 10, 180, 3}, {&third, 10, 197, 3}, {&third, 10, 198, -1},
  };
  for (const auto& h : hits)
    EXPECT_EQ(GroupAt(*h.bar, h.x, h.y), h.group) << (h.bar == &first ? "first " : "third ") << h.x << "," << h.y;
}

TEST(GroupBarGeometry, AnimationDrawsFrequencyFramesNeverTheFinalOffset) {
  const TRect oldPage{1, 22, 99, 158}, newPage{1, 43, 99, 179};
  const AnimationPlan down = PlanAnimation(oldPage, newPage, true, false, 10);
  ASSERT_EQ(down.offsets.size(), 10u);
  const int n = newPage.Height();  // 136
  for (int k = 0; k < 10; ++k) EXPECT_EQ(down.offsets[static_cast<size_t>(k)], k * n / 10) << k;
  EXPECT_LT(down.offsets.back(), n);
  EXPECT_EQ(down.band, (TRect{1, 22, 99, 179}));
  EXPECT_EQ(down.bandRows, 157 - 1);  // one row less when the new group is not the last
  // Moving down: rows from N go to the old page's bottom minus the offset.
  EXPECT_EQ(down.frames[3][0].sourceRow, n);
  EXPECT_EQ(down.frames[3][0].screenRow, 158 - down.offsets[3]);
  EXPECT_EQ(down.frames[3][0].rows, (179 - 158) + down.offsets[3]);
  // Moving up: the new page uncovers from the top and the rest slides down.
  const AnimationPlan up = PlanAnimation(newPage, oldPage, false, false, 4);
  ASSERT_EQ(up.frames.size(), 4u);
  const int y = up.offsets[2];
  EXPECT_EQ(y, 2 * oldPage.Height() / 4);
  EXPECT_EQ(up.frames[2][0].rows, y);
  EXPECT_EQ(up.band, (TRect{1, 22, 99, 179}));
  EXPECT_EQ(up.bandRows, 157);  // moving up keeps every row
  EXPECT_EQ(up.imageHeight, 157 + 136);
  EXPECT_EQ(up.frames[2][0].sourceRow, 0);
  EXPECT_EQ(up.frames[2][0].screenRow, 22);
  EXPECT_EQ(up.frames[2][1].sourceRow, oldPage.Height() + 1);
  EXPECT_EQ(up.frames[2][1].screenRow, up.band.top + y);
  EXPECT_EQ(up.frames[2][1].rows, 157 - y);
  EXPECT_EQ(PlanAnimation(oldPage, newPage, true, true, 10).bandRows, 157);  // the new group is the last
  // Pages with the same top: the new page does not lie lower, so the band ends at the old page's bottom.
  EXPECT_EQ(PlanAnimation({1, 20, 99, 100}, {1, 20, 99, 140}, false, false, 2).band, (TRect{1, 20, 99, 100}));
  EXPECT_TRUE(PlanAnimation(oldPage, newPage, true, false, 0).frames.empty());
}

TEST(ItemLayoutGeometry, SmallIconBoxesAndFramesFollowTheCaptionRule) {
  LayoutParams lp;
  lp.style = vsSmallIcon;
  lp.clientWidth = 121;
  lp.lineHeight = 20;
  const WrapFunction wrap = [](const QString&, int width) { return WrapResult{std::min(40, width), 1}; };
  const ItemBoxes b = ComputeItemBoxes(lp, QStringLiteral("x"), 40, ArrangedItemX(lp), 6, wrap);
  EXPECT_EQ(b.bounds.left, 7);  // Arrange puts the bounds' left at 7
  EXPECT_EQ(b.bounds.top, 6);
  EXPECT_EQ(b.bounds.bottom, 26);
  EXPECT_EQ(b.bounds.right, 50);  // T' = 10 ... 50
  EXPECT_EQ(b.label.top, 6);
  EXPECT_EQ(b.label.bottom, 26);
  FrameParams fp;
  fp.selectionType = stExpanded;
  fp.style = vsSmallIcon;
  fp.dragEnabled = true;
  fp.halfSpace = 6;
  fp.clientWidth = 121;
  EXPECT_EQ(FrameRect(fp, b), (TRect{0, 4, 120, 28}));
  fp.dragEnabled = false;
  EXPECT_EQ(FrameRect(fp, b), (TRect{0, 0, 120, 31}));
  // Hit areas: the item only with dragging on, half the gap around it without.
  fp.dragEnabled = true;
  EXPECT_TRUE(HitsItem(fp, b, 100, 6));
  EXPECT_FALSE(HitsItem(fp, b, 100, 5));
  EXPECT_FALSE(HitsItem(fp, b, 100, 26));
  fp.dragEnabled = false;
  EXPECT_TRUE(HitsItem(fp, b, 100, 0));
  EXPECT_TRUE(HitsItem(fp, b, 100, 31));
  EXPECT_FALSE(HitsItem(fp, b, 100, 32));
  // Two-line wrapping with WrapLineCount 2 doubles the height; cut at the count.
  lp.wrapLineCount = 2;
  const WrapFunction three = [](const QString&, int width) { return WrapResult{width, 3}; };
  const ItemBoxes tall = ComputeItemBoxes(lp, QStringLiteral("long"), 500, ArrangedItemX(lp), 6, three);
  EXPECT_EQ(tall.bounds.Height(), 40);
  EXPECT_EQ(tall.bounds.right, 111);  // cut at CW - 10
}

// Large icons: the caption box centred below the image (an odd difference cut
// towards zero), then the caption rule with a caption that fills the width,
// one narrower than the box and one in between; without an image the caption
// starts at the item's top. Standard frames ring the image 1 pixel out, or sit
// centred inside a larger icon box.
TEST(ItemLayoutGeometry, IconBoxesCentreTheCaptionBelowTheImage) {
  const WrapFunction fill = [](const QString&, int width) { return WrapResult{width, 1}; };
  const WrapFunction narrow = [](const QString&, int width) { return WrapResult{std::min(30, width), 1}; };
  const WrapFunction mid = [](const QString&, int width) { return WrapResult{std::min(90, width), 1}; };
  const struct {
    QSize image;
    const WrapFunction* wrap;
    TRect icon, bounds, label;
  } cases[] = {
      {QSize(33, 30), &fill, {44, 6, 77, 36}, {10, 6, 111, 55}, {10, 38, 111, 55}},
      {QSize(33, 30), &narrow, {44, 6, 77, 36}, {39, 6, 83, 55}, {39, 38, 83, 55}},
      {QSize(), &mid, {60, 6, 60, 6}, {15, 6, 105, 25}, {15, 6, 105, 23}},
  };
  for (const auto& c : cases) {
    LayoutParams lp;
    lp.style = vsIcon;
    lp.clientWidth = 121;
    lp.lineHeight = 17;
    lp.imageSize = c.image;
    const ItemBoxes b = ComputeItemBoxes(lp, QStringLiteral("x"), 40, ArrangedItemX(lp), 6, *c.wrap);
    EXPECT_EQ(b.icon, c.icon) << c.bounds.left;
    EXPECT_EQ(b.bounds, c.bounds) << c.bounds.left;
    EXPECT_EQ(b.label, c.label) << c.bounds.left;
  }
  LayoutParams lp;
  lp.clientWidth = 121;
  lp.lineHeight = 17;
  lp.imageSize = QSize(33, 30);
  const ItemBoxes b = ComputeItemBoxes(lp, QStringLiteral("x"), 40, ArrangedItemX(lp), 6, narrow);
  FrameParams fp;
  fp.imageSize = QSize(33, 30);
  EXPECT_EQ(FrameRect(fp, b), (TRect{43, 5, 78, 37}));
  fp.imageSize = QSize(16, 15);  // (33 - 16) div 2 - 1 = 7 and (30 - 15) div 2 - 1 = 6 inwards
  EXPECT_EQ(FrameRect(fp, b), (TRect{51, 12, 70, 30}));
  // Standard hits: the image, the label, and the gap rows between them under the label's width.
  const struct {
    int x, y;
    bool hit;
  } hits[] = {{44, 35, true}, {43, 35, false}, {40, 35, false}, {44, 36, true},  {39, 37, true}, {38, 37, false},
              {82, 37, true}, {83, 37, false}, {82, 54, true},  {82, 55, false}, {76, 6, true},  {76, 5, false}};
  for (const auto& h : hits) EXPECT_EQ(HitsItem(fp, b, h.x, h.y), h.hit) << h.x << "," << h.y;
  // A standard small-icon frame: 2 out at the left and top, 1 at the right and bottom.
  lp.style = vsSmallIcon;
  lp.imageSize = QSize(16, 15);
  fp.style = vsSmallIcon;
  EXPECT_EQ(FrameRect(fp, ComputeItemBoxes(lp, QStringLiteral("x"), 40, ArrangedItemX(lp), 6, narrow)),
            (TRect{3, 4, 22, 22}));
}

TEST(ItemLayoutGeometry, VisibilityButtonsWheelAndDropMark) {
  // Visible once the bottom stays more than h above the client bottom.
  EXPECT_TRUE(IsItemVisible({7, 100, 50, 120}, 0, 6, 12, 127, false));
  EXPECT_FALSE(IsItemVisible({7, 100, 50, 121}, 0, 6, 12, 127, false));
  EXPECT_TRUE(IsItemVisible({7, 100, 50, 121}, 0, 6, 12, 127, true));
  EXPECT_FALSE(IsItemVisible({7, 5, 50, 25}, 0, 6, 12, 300, true));  // above the top margin
  EXPECT_TRUE(IsItemVisible({7, 6, 50, 400}, 0, 6, 12, 300, false));  // too tall, at the top margin

  const ScrollButtonPlaces places = PlaceScrollButtons(121, 444, QSize(16, 16), QSize(16, 16), spTopAndBottom);
  EXPECT_EQ(places.down, QPoint(100, 423));
  EXPECT_EQ(places.up, QPoint(100, 5));
  EXPECT_EQ(PlaceScrollButtons(121, 444, QSize(16, 16), QSize(16, 16), spTop).down, QPoint(100, 26));
  EXPECT_EQ(PlaceScrollButtons(121, 444, QSize(16, 16), QSize(16, 16), spBottom).up, QPoint(100, 402));
  EXPECT_FALSE(PlaceScrollButtons(121, 41, QSize(16, 16), QSize(16, 16), spTopAndBottom).roomy);

  int remainder = 0;
  EXPECT_EQ(WheelSteps(remainder, -120, 3), 3);  // one notch towards the user: three steps down
  EXPECT_EQ(remainder, 0);
  EXPECT_EQ(WheelSteps(remainder, 60, 3), 0);  // half a notch waits
  EXPECT_EQ(WheelSteps(remainder, 60, 3), -3);
  EXPECT_EQ(remainder, 0);
  EXPECT_EQ(WheelSteps(remainder, 200, 1), -1);
  EXPECT_EQ(remainder, 80);

  // Item 2 of steps 32: the mark lies half a space above item 2's top (6 + 64).
  DropMark m = ComputeDropMark(2, 5, 64, 0, 0, 300, vsSmallIcon, stExpanded);
  EXPECT_EQ(m.y, 64);
  EXPECT_EQ(m.c, 1);
  EXPECT_EQ(m.top, 63);
  EXPECT_EQ(m.bottom, 65);
  m = ComputeDropMark(0, 0, 0, 0, 0, 300, vsIcon, stStandard);
  EXPECT_EQ(m.y, 0);
  EXPECT_EQ(m.c, 4);
  EXPECT_EQ(m.top, 0);  // half arrowheads in an empty list
  EXPECT_EQ(m.bottom, 0);
  m = ComputeDropMark(5, 5, 400, 0, 0, 300, vsIcon, stStandard);
  EXPECT_EQ(m.y, 298);  // cut to CH - 2
  EXPECT_EQ(m.top, 294);
  EXPECT_EQ(m.bottom, 298);
  // A top pad of 3 moves the mark up for every item but the first, once it lies below row 0.
  const struct {
    int k, stepsBefore, scrollY;
    TViewStyle style;
    TSelectionType selection;
    int y, top, bottom;
  } pads[] = {{1, 32, 0, vsSmallIcon, stExpanded, 29, 28, 30},
              {2, 41, 40, vsIcon, stStandard, -2, -6, 2},
              {0, 10, 0, vsIcon, stStandard, 10, 10, 14}};
  for (const auto& c : pads) {
    m = ComputeDropMark(c.k, 5, c.stepsBefore, c.scrollY, 3, 300, c.style, c.selection);
    EXPECT_EQ(m.y, c.y) << c.k;
    EXPECT_EQ(m.top, c.top) << c.k;
    EXPECT_EQ(m.bottom, c.bottom) << c.k;
  }
}
