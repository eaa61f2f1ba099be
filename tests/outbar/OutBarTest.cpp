// The outlook bar: the main window's bar, groups and captions, switching and
// its animation, errors, header pointer handling, removal, parent flags,
// event relay and OneSelected.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "controls/outbar/OutBar.h"
#include "controls/outbar/OutBarGroup.h"
#include "controls/outbar/OutBarVertListView.h"
#include "tests/outbar/OutbarTestSupport.h"
#include "toolkit/Exception.h"
#include "toolkit/Fonts.h"

using namespace outbar;
using namespace outbar_test;

namespace {

// A bar with `groups` groups of 21-pixel headers (caption height 20).
std::unique_ptr<TDCOutBar> MakeBar(int groups, QSize size = QSize(150, 300)) {
  auto bar = std::make_unique<TDCOutBar>();
  bar->resize(size);
  for (int i = 0; i < groups; ++i) {
    TDCOutBarGroup* g = bar->AddGroup();
    g->SetCaptionAutoSize(false);
  }
  return bar;
}

}  // namespace

TEST(OutBar, MainWindowEraBarLayout) {
  TDCOutBar bar;
  bar.setFont(toolkit::MakeFont(QStringLiteral("黑体"), 16));
  bar.resize(123, 478);
  TDCOutBarGroup* group = bar.AddGroup();
  bar.show();
  EXPECT_EQ(bar.ActiveGroupIndex(), 0);
  EXPECT_EQ(bar.GetGroupButtonRect(0), (TRect{1, 1, 122, 33}));
  EXPECT_EQ(bar.GetGroupClientRect(), (TRect{1, 33, 122, 477}));
  EXPECT_EQ(group->geometry(), QRect(1, 33, 121, 444));
  TDCOutBarVertListView* list = group->ListView();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->size(), QSize(121, 444));
  EXPECT_EQ(list->BorderStyle(), bsNone);
  // One group: the header is inert.
  MoveTo(&bar, QPoint(60, 15));
  EXPECT_EQ(bar.HotIndex(), -1);
  Press(&bar, QPoint(60, 15));
  EXPECT_FALSE(bar.PressedLook());
  Release(&bar, QPoint(60, 15));
  EXPECT_NE(bar.cursor().shape(), Qt::PointingHandCursor);
  // Caption changes still show.
  int changed = 0;
  bar.OnGroupCaptionChanged = [&](QObject*, TDCOutBarGroup* g) {
    ++changed;
    EXPECT_EQ(g, group);
  };
  group->SetCaption(QStringLiteral("外国作品"));
  EXPECT_EQ(group->Caption(), QStringLiteral("外国作品"));
  EXPECT_EQ(changed, 1);
  group->SetCaption(QStringLiteral("外国作品"));
  EXPECT_EQ(changed, 1);
  // Frame and the active button: black line on the page's left edge, flat active button.
  const QImage img = bar.grab().toImage();
  EXPECT_EQ(img.pixel(0, 200), qRgb(0, 0, 0));
  EXPECT_EQ(img.pixel(60, 32), qRgb(0, 0, 0));      // black line under the active flat button
  EXPECT_EQ(img.pixel(1, 10), qRgb(255, 255, 255)); // raised inner edge: highlight on the left
}

TEST(OutBar, DefaultCaptionsAndErrors) {
  TDCOutBar bar;
  EXPECT_EQ(bar.ActiveGroupIndex(), -1);
  EXPECT_EQ(bar.ButtonSpaceColor(), platform::clGray);
  EXPECT_EQ(bar.AddGroup()->Caption(), QStringLiteral("New Group"));
  EXPECT_EQ(bar.AddGroup()->Caption(), QStringLiteral("New Group1"));
  EXPECT_EQ(bar.AddGroup()->Caption(), QStringLiteral("New Group2"));
  EXPECT_EQ(bar.ActiveGroupIndex(), 0);
  try {
    bar.SetActiveGroupIndex(3);
    FAIL() << "no error";
  } catch (const toolkit::EInvalidOperation& e) {
    EXPECT_EQ(e.Message(), QStringLiteral("Invalid ActiveGroupIndex value. Value must be between 0 and 2"));
  }
  EXPECT_EQ(bar.ActiveGroupIndex(), 0);
  bar.SetActiveGroupIndex(-4);
  EXPECT_EQ(bar.ActiveGroupIndex(), 0);
  EXPECT_THROW(bar.SetButtonSpace(-1), toolkit::EInvalidOperation);
  EXPECT_EQ(bar.ButtonSpace(), 1);
  bar.SetFrequency(-3);
  EXPECT_EQ(bar.Frequency(), 10);
}

TEST(OutBar, SwitchingAnimatesAndRaisesEvents) {
  auto bar = MakeBar(3);
  bar->show();
  QStringList events;
  bar->OnChanging = [&](QObject*, TDCOutBarGroup* g, bool& allow) {
    events << QStringLiteral("changing:%1").arg(g->GroupIndex());
    allow = g->GroupIndex() != 1;
  };
  bar->OnChange = [&](QObject*) { events << QStringLiteral("change:%1").arg(bar->ActiveGroupIndex()); };
  bar->SetActiveGroupIndex(1);  // refused
  EXPECT_EQ(bar->ActiveGroupIndex(), 0);
  EXPECT_TRUE(bar->Group(0)->isVisible());
  EXPECT_EQ(events, QStringList{"changing:1"});
  bar->SetActiveGroupIndex(2);
  EXPECT_EQ(events, (QStringList{"changing:1", "changing:2", "change:2"}));
  EXPECT_TRUE(bar->Group(2)->isVisible());
  EXPECT_FALSE(bar->Group(0)->isVisible());
  EXPECT_EQ(TRect::FromQRect(bar->Group(2)->geometry()), bar->GetGroupClientRect());
  // Ten frames at truncate(k * N / 10), never N itself.
  const int n = bar->GetGroupClientRect().Height();
  ASSERT_EQ(bar->LastAnimationOffsets().size(), 10u);
  for (int k = 0; k < 10; ++k) EXPECT_EQ(bar->LastAnimationOffsets()[static_cast<size_t>(k)], k * n / 10);
  // Frequency 1: immediate, no frames.
  bar->SetFrequency(1);
  bar->OnChanging = nullptr;
  const auto before = bar->LastAnimationOffsets();
  bar->SetActiveGroupIndex(0);
  EXPECT_EQ(bar->LastAnimationOffsets(), before);
  EXPECT_EQ(bar->ActiveGroupIndex(), 0);
}

TEST(OutBar, HeaderPressDragOffAndBack) {
  auto bar = MakeBar(3);
  bar->SetFrequency(0);
  bar->show();
  const TRect b2 = bar->GetGroupButtonRect(2);
  const QPoint onB2(50, (b2.top + b2.bottom) / 2);
  MoveTo(bar.get(), onB2);
  EXPECT_EQ(bar->HotIndex(), 2);
  EXPECT_TRUE(bar->HoverPolling());
  EXPECT_EQ(bar->cursor().shape(), Qt::PointingHandCursor);
  Press(bar.get(), onB2);
  EXPECT_TRUE(bar->PressedLook());
  MoveTo(bar.get(), QPoint(50, 150), Qt::LeftButton);  // off the buttons
  EXPECT_FALSE(bar->PressedLook());
  Release(bar.get(), QPoint(50, 150));
  EXPECT_EQ(bar->ActiveGroupIndex(), 0);
  Press(bar.get(), onB2);
  MoveTo(bar.get(), QPoint(50, 150), Qt::LeftButton);
  MoveTo(bar.get(), onB2, Qt::LeftButton);  // back on
  EXPECT_TRUE(bar->PressedLook());
  Release(bar.get(), onB2);
  EXPECT_EQ(bar->ActiveGroupIndex(), 2);
  // A disabled group cannot be pressed or activated, and its caption is grey.
  bar->Group(1)->setEnabled(false);
  const TRect b1 = bar->GetGroupButtonRect(1);
  Press(bar.get(), QPoint(50, (b1.top + b1.bottom) / 2));
  EXPECT_FALSE(bar->PressedLook());
  Release(bar.get(), QPoint(50, (b1.top + b1.bottom) / 2));
  bar->SetActiveGroupIndex(1);
  EXPECT_EQ(bar->ActiveGroupIndex(), 2);
}

TEST(OutBar, RemovingGroupsActivatesANeighbour) {
  auto bar = MakeBar(4);
  bar->SetFrequency(0);
  bar->SetActiveGroupIndex(1);
  TDCOutBarGroup* third = bar->Group(2);
  delete bar->Group(1);  // not the last: the group after it opens
  EXPECT_EQ(bar->GroupCount(), 3);
  EXPECT_EQ(bar->ActiveGroup(), third);
  EXPECT_EQ(bar->ActiveGroupIndex(), 1);
  bar->SetActiveGroupIndex(2);
  TDCOutBarGroup* before = bar->Group(1);
  delete bar->Group(2);  // the last: the one before it opens
  EXPECT_EQ(bar->ActiveGroup(), before);
  delete bar->Group(0);
  delete bar->Group(0);
  EXPECT_EQ(bar->GroupCount(), 0);
  EXPECT_EQ(bar->ActiveGroupIndex(), -1);
}

TEST(OutBar, PropertiesFollowTheBarUntilAListSetsItsOwn) {
  auto bar = MakeBar(2);
  bar->SetHighlightSelection(true);
  TDCOutBarVertListView* a = bar->ListOf(0);
  TDCOutBarVertListView* b = bar->ListOf(1);
  EXPECT_TRUE(a->HighlightSelection());
  EXPECT_TRUE(b->HighlightSelection());
  b->SetHighlightSelection(false);
  EXPECT_FALSE(b->ParentHighlightSelection());
  bar->SetHighlightSelection(false);
  bar->SetHighlightSelection(true);
  EXPECT_FALSE(b->HighlightSelection());
  EXPECT_TRUE(a->HighlightSelection());
  EXPECT_TRUE(a->ParentHighlightSelection());
  b->SetParentHighlightSelection(true);
  EXPECT_TRUE(b->HighlightSelection());
  // Setting the same value keeps the flag.
  a->SetDragEnabled(true);
  EXPECT_TRUE(a->ParentDragEnabled());
  bar->SetDragEnabled(false);
  EXPECT_FALSE(a->DragEnabled());
  bar->SetWrapLineCount(2);
  EXPECT_EQ(a->WrapLineCount(), 2);
  bar->SetGradientEndColor(platform::clWhite);
  EXPECT_EQ(a->GradientEndColor(), platform::clWhite);
  // A new group's list starts from the bar's current values.
  TDCOutBarVertListView* c = bar->ListOf(bar->IndexOfGroup(bar->AddGroup()));
  EXPECT_FALSE(c->DragEnabled());
  EXPECT_EQ(c->WrapLineCount(), 2);
  EXPECT_EQ(c->Color(), platform::clAppWorkSpace);
  EXPECT_EQ(c->FontColor(), platform::clWhite);
  // Image lists: the bar's unless the list has its own; freed lists are dropped.
  auto* images = new TImageList(16, 16);
  bar->SetSmallImages(images);
  EXPECT_EQ(a->ImagesInUse(), nullptr);
  a->SetViewStyle(vsSmallIcon);
  EXPECT_EQ(a->ImagesInUse(), images);
  delete images;
  EXPECT_EQ(a->ImagesInUse(), nullptr);
  EXPECT_EQ(bar->SmallImages(), nullptr);
}

TEST(OutBar, ItemEventsAreRelayedAndOneSelectedClearsOtherGroups) {
  auto bar = MakeBar(2);
  bar->SetFrequency(0);
  bar->show();
  TDCOutBarVertListView* a = bar->ListOf(0);
  TDCOutBarVertListView* b = bar->ListOf(1);
  for (int i = 0; i < 3; ++i) {
    a->AddItem(QStringLiteral("a%1").arg(i));
    b->AddItem(QStringLiteral("b%1").arg(i));
  }
  QStringList order;
  a->OnButtonClick = [&](QObject*, TDCVertListItem*) { order << "list"; };
  QObject* lastSender = nullptr;
  bar->OnButtonClick = [&](QObject* sender, TDCVertListItem* item) {
    order << QStringLiteral("bar:%1").arg(item->Caption());
    lastSender = sender;
  };
  bar->OnExecuteItem = [&](QObject*, TDCVertListItem*, bool& processed) {
    order << "bar-exec";
    processed = true;
  };
  a->OnExecuteItem = [&](QObject*, TDCVertListItem*, bool&) { order << "list-exec"; };
  a->SetItemIndex(1);
  EXPECT_EQ(order, (QStringList{"bar-exec", "list", "bar:a1"}));
  EXPECT_EQ(lastSender, a);  // the list in which the click happened

  b->SetItemIndex(2);
  EXPECT_EQ(a->ItemIndex(), 1);  // OneSelected off: both keep theirs
  bar->SetOneSelected(true);     // relative to the active group (0)
  EXPECT_EQ(a->ItemIndex(), 1);
  EXPECT_EQ(b->ItemIndex(), -1);
  b->SetItemIndex(0);
  EXPECT_EQ(a->ItemIndex(), -1);
  EXPECT_EQ(b->ItemIndex(), 0);
  // A list outside any bar relays nothing.
  TDCOutBarVertListView loose;
  loose.AddItem(QStringLiteral("x"));
  const int before = order.size();
  loose.SetItemIndex(0);
  EXPECT_EQ(order.size(), before);
}

TEST(OutBar, DraggedItemHeldOverAHeaderOpensThatGroup) {
  auto bar = MakeBar(2);
  bar->SetFrequency(0);
  bar->show();
  bar->SetSelectionType(stExpanded);  // items are hit across the full width
  TDCOutBarVertListView* a = bar->ListOf(0);
  a->SetViewStyle(vsSmallIcon);
  for (int i = 0; i < 3; ++i) a->AddItem(QStringLiteral("a%1").arg(i));
  Press(a, ItemCenter(a, 0));
  const TRect b1 = bar->GetGroupButtonRect(1);
  const QPoint header = a->mapFrom(bar.get(), QPoint(50, (b1.top + b1.bottom) / 2));
  MoveTo(a, header, Qt::LeftButton);
  EXPECT_EQ(bar->DragOverIndex(), 1);
  QTest::qWait(650);
  EXPECT_EQ(bar->ActiveGroupIndex(), 1);
  QTest::keyClick(a, Qt::Key_Escape);
  EXPECT_FALSE(a->Dragging());
}
