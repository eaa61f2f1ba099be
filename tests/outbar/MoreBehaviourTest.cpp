// Further rules: loading with a remembered active group, moving groups,
// caption refusal and owner drawing, hover poll, batch updates, deletions,
// drop positions and the frame-control painter.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPainter>
#include <QTest>

#include "controls/outbar/OutBar.h"
#include "controls/outbar/OutBarGroup.h"
#include "controls/outbar/OutBarVertListView.h"
#include "platform/FrameControl.h"
#include "tests/outbar/OutbarTestSupport.h"

using namespace outbar;
using namespace outbar_test;

TEST(GroupBarRules, LoadingRemembersTheActiveGroupAndSkipsChanging) {
  TDCOutBar bar;
  bar.BeginLoading();
  for (int i = 0; i < 3; ++i) bar.AddGroup();
  bar.SetActiveGroupIndex(2);
  EXPECT_EQ(bar.ActiveGroupIndex(), 2);  // remembered
  EXPECT_EQ(bar.ActiveGroup(), nullptr);
  int changing = 0, changes = 0;
  bar.OnChanging = [&](QObject*, TDCOutBarGroup*, bool&) { ++changing; };
  bar.OnChange = [&](QObject*) { ++changes; };
  bar.Loaded();
  EXPECT_EQ(bar.ActiveGroupIndex(), 2);
  EXPECT_EQ(changing, 0);
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(bar.Group(0)->isVisibleTo(&bar));
  EXPECT_TRUE(bar.Group(2)->isVisibleTo(&bar));
}

TEST(GroupBarRules, MovingAGroupKeepsTheSameGroupOpen) {
  TDCOutBar bar;
  bar.resize(150, 300);
  for (int i = 0; i < 4; ++i) bar.AddGroup()->SetCaption(QStringLiteral("g%1").arg(i));
  bar.SetActiveGroupIndex(2);
  TDCOutBarGroup* open = bar.ActiveGroup();
  bar.Group(0)->SetGroupIndex(9);  // beyond the count: the last place
  EXPECT_EQ(bar.Group(3)->Caption(), QStringLiteral("g0"));
  EXPECT_EQ(bar.ActiveGroup(), open);
  EXPECT_EQ(bar.ActiveGroupIndex(), 1);
  open->SetGroupIndex(0);
  EXPECT_EQ(bar.ActiveGroupIndex(), 0);
  EXPECT_EQ(bar.ActiveGroup(), open);
  EXPECT_EQ(TDCOutBarGroup().GroupIndex(), -1);
}

TEST(GroupBarRules, CaptionRefusalAndOwnerDrawnButtons) {
  TDCOutBar bar;
  bar.resize(150, 300);
  TDCOutBarGroup* g = bar.AddGroup();
  bar.AddGroup();
  bar.OnGroupCaptionChanging = [](QObject*, TDCOutBarGroup*, const QString& caption, bool& can) {
    can = !caption.isEmpty();
  };
  g->SetCaption(QString());
  EXPECT_EQ(g->Caption(), QStringLiteral("New Group"));
  g->SetCaption(QStringLiteral("诗"));
  EXPECT_EQ(g->Caption(), QStringLiteral("诗"));
  bar.show();
  const TRect b = bar.GetGroupButtonRect(0);
  QList<TRect> drawn;
  bar.OnGroupDraw = [&](QObject*, TDCOutBarGroup* group, const QRect& rect, bool& ownerDraw) {
    drawn << TRect::FromQRect(rect);
    EXPECT_EQ(TRect::FromQRect(rect), bar.GetGroupButtonRect(group->GroupIndex()));
    ownerDraw = true;
  };
  // The bar paints every pixel it owns, so it is drawn over a known colour:
  // a grab would hold whatever memory its image was given where nothing paints.
  QImage owner(bar.size(), QImage::Format_RGB32);
  owner.fill(qRgb(1, 2, 3));
  bar.render(&owner);
  EXPECT_EQ(drawn, (QList<TRect>{bar.GetGroupButtonRect(0), bar.GetGroupButtonRect(1)}));
  // Owner-drawn buttons get nothing of the standard look: no highlight line, no face.
  EXPECT_EQ(owner.pixel(b.left, b.top + 5), qRgb(1, 2, 3));
  EXPECT_EQ(owner.pixel(b.left + b.Width() / 2, b.top + b.Height() / 2), qRgb(1, 2, 3));
  bar.OnGroupDraw = nullptr;
  EXPECT_EQ(bar.grab().toImage().pixel(b.left, b.top + 5), qRgb(255, 255, 255));
}

TEST(GroupBarRules, HoverPollDropsTheHotButtonAndHotTrackColours) {
  TDCOutBar bar;
  bar.resize(150, 300);
  for (int i = 0; i < 2; ++i) bar.AddGroup()->SetCaptionAutoSize(false);
  bar.SetHotTrack(true);
  bar.show();
  const TRect b1 = bar.GetGroupButtonRect(1);
  MoveTo(&bar, QPoint(60, (b1.top + b1.bottom) / 2));
  EXPECT_EQ(bar.HotIndex(), 1);
  // The hot button is drawn raised (not flat): black bottom line, grey above it.
  const QImage hot = bar.grab().toImage();
  EXPECT_EQ(hot.pixel(60, b1.bottom - 1), qRgb(0, 0, 0));
  EXPECT_EQ(hot.pixel(60, b1.bottom - 2), qRgb(128, 128, 128));
  QCursor::setPos(bar.mapToGlobal(QPoint(60, 150)));  // onto the page
  QTest::qWait(250);
  EXPECT_EQ(bar.HotIndex(), -1);
  EXPECT_FALSE(bar.HoverPolling());
}

// A menu opened from the keyboard takes the pointer from the list (a leave);
// when it closes the pointer is over the list again without moving (an
// enter): the item under it is hot again, whatever the menu changed.
TEST(ListRules, TheItemUnderThePointerIsHotAgainWhenThePointerComesBack) {
  QWidget host;
  TDCVertListView* list = MakeList(&host, 0, QSize(120, 160));
  host.show();
  for (int i = 0; i < 4; ++i) list->AddItem(QStringLiteral("n%1").arg(i));
  MoveTo(list, ItemCenter(list, 2));
  ASSERT_EQ(list->HotItem(), list->Item(2));
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(list, &leave);
  ASSERT_EQ(list->HotItem(), nullptr);
  list->SetDisplayText([](const QString& s) { return s + QStringLiteral("x"); });
  const QPoint at = ItemCenter(list, 2);
  QEnterEvent enter(at, list->mapTo(list->window(), at), list->mapToGlobal(at));
  QApplication::sendEvent(list, &enter);
  EXPECT_EQ(list->HotItem(), list->Item(2));
  QApplication::sendEvent(list, &leave);
  const QPoint below = ItemCenter(list, 3) + QPoint(0, 60);  // under the last item: nothing is hot
  QEnterEvent elsewhere(below, list->mapTo(list->window(), below), list->mapToGlobal(below));
  QApplication::sendEvent(list, &elsewhere);
  EXPECT_EQ(list->HotItem(), nullptr);
}

TEST(ListRules, BatchUpdatesDeferTheLayoutAndDeletionsForgetItems) {
  QWidget host;
  TDCVertListView* list = MakeList(&host, 0, QSize(120, 120));
  host.show();
  list->BeginUpdate();
  for (int i = 0; i < 20; ++i) list->AddItem(QStringLiteral("n%1").arg(i));
  EXPECT_FALSE(list->DownButton()->isVisible());  // arranging waits for the end
  list->EndUpdate();
  EXPECT_TRUE(list->DownButton()->isVisible());

  MoveTo(list, ItemCenter(list, 1));
  ASSERT_EQ(list->HotItem(), list->Item(1));
  list->SetItemIndex(1);
  QList<TDCVertListItem*> hot;
  list->OnHotTrackItem = [&](QObject*, TDCVertListItem* item) { hot << item; };
  list->DeleteItem(list->Item(1));
  EXPECT_EQ(list->HotItem(), nullptr);
  EXPECT_EQ(list->Selected(), nullptr);
  EXPECT_EQ(hot, QList<TDCVertListItem*>{nullptr});
  EXPECT_EQ(list->Item(1)->Caption(), QStringLiteral("n2"));
  EXPECT_EQ(list->Item(1)->Index(), 1);

  // Deleting items at the end of a scrolled list brings the last one back.
  while (list->CanScrollDown()) list->ScrollDownStep();
  while (list->ItemCount() > 3) list->DeleteItem(list->Item(list->ItemCount() - 1));
  EXPECT_TRUE(list->IsItemVisible(list->Item(2), true));
}

TEST(ListRules, DropPositionsBetweenItemsOnlyAndBelowTheLastWhenVisible) {
  QWidget host;
  TDCVertListView* list = MakeList(&host, 20, QSize(120, 120));
  host.show();
  const TRect b0 = list->Item(0)->Bounds(), b1 = list->Item(1)->Bounds();
  EXPECT_EQ(list->DropIndexAt(40, b0.top - 1), 0);
  EXPECT_EQ(list->DropIndexAt(40, b0.top), -1);  // over item 0
  EXPECT_EQ(list->DropIndexAt(40, b0.bottom), 1);
  EXPECT_EQ(list->DropIndexAt(40, b1.bottom - 1), -1);
  EXPECT_EQ(list->DropIndexAt(40, 119), -1);  // below a last item that is not visible
  EXPECT_EQ(list->DropIndexAt(40, 120), -1);  // outside
  TDCVertListView* few = MakeList(&host, 2, QSize(120, 120));
  EXPECT_EQ(few->DropIndexAt(40, 110), 2);
}

TEST(FrameControl, PaintsKnownGlyphsAndRefusesUnknownParts) {
  QImage img(16, 16, QImage::Format_RGB32);
  QPainter p(&img);
  EXPECT_FALSE(platform::DrawFrameControl(p, QRect(0, 0, 16, 16), platform::DFC_SCROLL, 9));
  EXPECT_FALSE(platform::DrawFrameControl(p, QRect(0, 0, 16, 16), platform::DFC_MENU, 0));
  QList<QImage> glyphs;
  for (unsigned part : {platform::DFCS_CAPTIONCLOSE, platform::DFCS_CAPTIONMIN, platform::DFCS_CAPTIONMAX,
                        platform::DFCS_CAPTIONRESTORE, platform::DFCS_CAPTIONHELP}) {
    img.fill(Qt::magenta);
    EXPECT_TRUE(platform::DrawFrameControl(p, QRect(0, 0, 16, 16), platform::DFC_CAPTION, part));
    glyphs << img.copy();
  }
  for (unsigned part : {platform::DFCS_SCROLLUP, platform::DFCS_SCROLLDOWN, platform::DFCS_SCROLLLEFT,
                        platform::DFCS_SCROLLRIGHT}) {
    img.fill(Qt::magenta);
    EXPECT_TRUE(platform::DrawFrameControl(p, QRect(0, 0, 16, 16), platform::DFC_SCROLL, part));
    glyphs << img.copy();
  }
  // Every glyph differs from every other, and none leaves the square unpainted.
  for (int i = 0; i < glyphs.size(); ++i) {
    for (int j = i + 1; j < glyphs.size(); ++j) EXPECT_NE(glyphs[i], glyphs[j]) << i << " " << j;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) ASSERT_NE(glyphs[i].pixel(x, y), qRgb(255, 0, 255)) << i;
  }
  // The up arrow's tip is on top: its top glyph row is narrower than its bottom row.
  const QImage& up = glyphs[5];
  auto darkInRow = [&](int y) {
    int n = 0;
    for (int x = 0; x < 16; ++x) n += (up.pixel(x, y) & 0xFFFFFF) == 0;
    return n;
  };
  int first = -1, last = -1;
  for (int y = 2; y < 14; ++y)
    if (darkInRow(y) > 0) {
      if (first < 0) first = y;
      last = y;
    }
  ASSERT_GE(first, 0);
  EXPECT_LT(darkInRow(first), darkInRow(last));
}
