// Item drags: reordering within a list (move and copy), moving between lists,
// the drop mark and pointer shapes, auto-scroll, Escape and foreign targets.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#include "controls/outbar/DragCursors.h"
#include "controls/outbar/VertListView.h"
#include "tests/outbar/OutbarTestSupport.h"

using namespace outbar;
using namespace outbar_test;

namespace {

QStringList Captions(TDCVertListView* list) {
  QStringList out;
  for (int i = 0; i < list->ItemCount(); ++i) out << list->Item(i)->Caption();
  return out;
}

// The y in the gap above item k (between items k - 1 and k).
int GapAbove(TDCVertListView* list, int k) { return list->Item(k)->Bounds().top - 4; }

bool SameShape(const QCursor* c, int id) {
  if (!c) return false;
  const QCursor expected = DragCursor(id);
  return c->bitmap().toImage() == expected.bitmap().toImage() && c->hotSpot() == expected.hotSpot();
}

struct Host {
  QWidget window;
  TDCVertListView* a;
  TDCVertListView* b;
  Host() {
    window.resize(300, 320);
    a = MakeList(&window, 5, QSize(120, 300));
    b = MakeList(&window, 3, QSize(120, 300));
    b->move(150, 0);
    for (int i = 0; i < 3; ++i) b->Item(i)->SetCaption(QStringLiteral("b%1").arg(i));
    window.show();
    QApplication::processEvents();
  }
};

}  // namespace

TEST(DragDrop, ReorderWithinAListMovesOrCopies) {
  Host h;
  TDCVertListView* list = h.a;
  int clicks = 0;
  list->OnButtonClick = [&](QObject*, TDCVertListItem*) { ++clicks; };
  const QPoint start = ItemCenter(list, 0);
  const QPoint gap(40, GapAbove(list, 3));
  Press(list, start);
  MoveTo(list, gap, Qt::LeftButton);
  EXPECT_TRUE(list->Dragging());
  EXPECT_TRUE(list->Accepted());
  EXPECT_EQ(list->DropIndex(), 3);
  EXPECT_TRUE(list->DropMarkShown());
  EXPECT_TRUE(SameShape(QApplication::overrideCursor(), crDragMove));
  // The mark lies half a space above item 3.
  EXPECT_EQ(list->CurrentDropMark().y, list->Item(3)->Bounds().top - list->HalfSpace());
  Release(list, gap);
  EXPECT_EQ(Captions(list), (QStringList{"item 1", "item 2", "item 0", "item 3", "item 4"}));
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(list->DropIndex(), -1);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);

  // With Ctrl held the item is copied: six items.
  Host h2;
  list = h2.a;
  Press(list, ItemCenter(list, 0), Qt::LeftButton, Qt::ControlModifier);
  MoveTo(list, QPoint(40, GapAbove(list, 3)), Qt::LeftButton, Qt::ControlModifier);
  EXPECT_TRUE(list->CopyMode());
  EXPECT_TRUE(SameShape(QApplication::overrideCursor(), crDragCopy));
  Release(list, QPoint(40, GapAbove(list, 3)), Qt::LeftButton, Qt::ControlModifier);
  EXPECT_EQ(Captions(list), (QStringList{"item 0", "item 1", "item 2", "item 0", "item 3", "item 4"}));
}

TEST(DragDrop, OverAnItemNoMarkAndNoDropPointer) {
  Host h;
  TDCVertListView* list = h.a;
  Press(list, ItemCenter(list, 0));
  MoveTo(list, ItemCenter(list, 2), Qt::LeftButton);
  EXPECT_FALSE(list->Accepted());
  EXPECT_FALSE(list->DropMarkShown());
  EXPECT_TRUE(SameShape(QApplication::overrideCursor(), crNoDrop));
  // Pressing Ctrl during the drag switches to copying at once when accepted.
  MoveTo(list, QPoint(40, GapAbove(list, 4)), Qt::LeftButton);
  EXPECT_TRUE(SameShape(QApplication::overrideCursor(), crDragMove));
  // A modifier key's own event carries the state before it (Qt flips it back).
  QKeyEvent ctrl(QEvent::KeyPress, Qt::Key_Control, Qt::NoModifier);
  QApplication::sendEvent(list, &ctrl);
  EXPECT_TRUE(list->CopyMode());
  EXPECT_TRUE(SameShape(QApplication::overrideCursor(), crDragCopy));
  QKeyEvent ctrlUp(QEvent::KeyRelease, Qt::Key_Control, Qt::ControlModifier);
  QApplication::sendEvent(list, &ctrlUp);
  EXPECT_FALSE(list->CopyMode());
  // Escape cancels: pointer restored, mark gone, lists unchanged, release silent.
  int ups = 0, clicks = 0;
  list->OnMouseUp = [&](QObject*, Qt::MouseButton, int, int x, int y) {
    ++ups;
    EXPECT_EQ(QPoint(x, y), QPoint(0, 0));
  };
  list->OnButtonClick = [&](QObject*, TDCVertListItem*) { ++clicks; };
  QTest::keyClick(list, Qt::Key_Escape);
  EXPECT_FALSE(list->Dragging());
  EXPECT_FALSE(list->DropMarkShown());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(ups, 1);  // the cancelling release at (0, 0)
  Release(list, QPoint(40, GapAbove(list, 4)));
  EXPECT_EQ(ups, 1);
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(Captions(list), (QStringList{"item 0", "item 1", "item 2", "item 3", "item 4"}));
}

TEST(DragDrop, MoveBetweenListsAndBelowTheLastItem) {
  Host h;
  // Drop below the last item of the other list: appended at the end.
  Press(h.a, ItemCenter(h.a, 1));
  const QPoint inB = h.b->mapTo(&h.window, QPoint(40, 250));
  const QPoint inA = h.a->mapFrom(&h.window, inB);
  MoveTo(h.a, inA, Qt::LeftButton);
  EXPECT_EQ(h.b->DropIndex(), 3);
  EXPECT_TRUE(h.b->DropMarkShown());
  EXPECT_TRUE(h.a->Accepted());
  Release(h.a, inA);
  EXPECT_EQ(Captions(h.a), (QStringList{"item 0", "item 2", "item 3", "item 4"}));
  EXPECT_EQ(Captions(h.b), (QStringList{"b0", "b1", "b2", "item 1"}));
  EXPECT_FALSE(h.b->DropMarkShown());
  EXPECT_EQ(h.b->DropIndex(), -1);
}

TEST(DragDrop, LeavingATargetRemovesItsMark) {
  Host h;
  Press(h.a, ItemCenter(h.a, 0));
  const QPoint gapInB = h.a->mapFrom(&h.window, h.b->mapTo(&h.window, QPoint(40, GapAbove(h.b, 1))));
  MoveTo(h.a, gapInB, Qt::LeftButton);
  EXPECT_TRUE(h.b->DropMarkShown());
  MoveTo(h.a, QPoint(40, GapAbove(h.a, 2)), Qt::LeftButton);
  EXPECT_FALSE(h.b->DropMarkShown());
  EXPECT_TRUE(h.a->DropMarkShown());
  Release(h.a, QPoint(40, GapAbove(h.a, 2)));
}

namespace {

// A control that takes drops but is not a vertical list.
class Basket : public QWidget, public TDragTarget {
 public:
  using QWidget::QWidget;
  int drops = 0;
  void DragOver(QObject*, int, int, TDragState, bool& accept) override { accept = true; }
  void DragDrop(QObject*, int, int) override { ++drops; }
};

}  // namespace

TEST(DragDrop, DroppingOnAnotherControlLeavesTheItem) {
  QWidget window;
  window.resize(300, 320);
  TDCVertListView* list = MakeList(&window, 3, QSize(120, 300));
  auto* basket = new Basket(&window);
  basket->setGeometry(150, 0, 100, 100);
  QObject* endTarget = nullptr;
  list->OnEndDrag = [&](QObject*, QObject* target, int, int) { endTarget = target; };
  window.show();
  Press(list, ItemCenter(list, 1));
  const QPoint over = list->mapFrom(&window, QPoint(180, 50));
  MoveTo(list, over, Qt::LeftButton);
  EXPECT_TRUE(list->Accepted());
  Release(list, over);
  EXPECT_EQ(basket->drops, 1);
  EXPECT_EQ(endTarget, basket);
  EXPECT_EQ(Captions(list), (QStringList{"item 0", "item 1", "item 2"}));
}

TEST(DragDrop, EmptyTargetShowsTheMarkAtTheTop) {
  Host h;
  h.b->ClearItems();
  Press(h.a, ItemCenter(h.a, 0));
  const QPoint inB = h.a->mapFrom(&h.window, h.b->mapTo(&h.window, QPoint(40, 100)));
  MoveTo(h.a, inB, Qt::LeftButton);
  EXPECT_EQ(h.b->DropIndex(), 0);
  const DropMark m = h.b->CurrentDropMark();
  EXPECT_EQ(m.y, 0);
  EXPECT_EQ(m.top, m.y);     // half arrowheads
  EXPECT_EQ(m.bottom, m.y);
  const QImage img = h.b->RenderClient();
  EXPECT_EQ(img.pixel(5, 0), qRgb(0, 0, 0));  // the line in DragPlaceColor (black)
  h.b->SetDragPlaceColor(platform::RGB(255, 0, 0));
  EXPECT_EQ(h.b->RenderClient().pixel(5, 0), qRgb(255, 0, 0));
  Release(h.a, inB);
  EXPECT_EQ(Captions(h.b), (QStringList{"item 0"}));
}

TEST(DragDrop, HoldingNearTheBottomAutoScrollsTheTarget) {
  QWidget window;
  window.resize(300, 220);
  TDCVertListView* src = MakeList(&window, 3, QSize(120, 200));
  TDCVertListView* dst = MakeList(&window, 30, QSize(120, 200));
  dst->move(150, 0);
  window.show();
  int scrolls = 0;
  dst->OnAfterScroll = [&](QObject*) { ++scrolls; };
  Press(src, ItemCenter(src, 0));
  const QPoint nearBottom = src->mapFrom(&window, dst->mapTo(&window, QPoint(40, 195)));
  MoveTo(src, nearBottom, Qt::LeftButton);
  EXPECT_TRUE(dst->AutoScrolling());
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < 450) QApplication::processEvents(QEventLoop::AllEvents, 10);
  EXPECT_GE(scrolls, 1);
  EXPECT_LE(scrolls, 3);  // one step every 200 ms
  EXPECT_GT(dst->ScrollOffset().y(), 0);
  Release(src, nearBottom);
  EXPECT_FALSE(dst->AutoScrolling());
}
