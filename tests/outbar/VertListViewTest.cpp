// The vertical list: layout figures, arrow buttons, scrolling, wheel, clicks
// and their order, selection from code, double clicks, keys, commands,
// property rules, wrapping and painting of frames.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>

#include "controls/outbar/TextWrap.h"
#include "controls/outbar/VertListView.h"
#include "tests/outbar/OutbarTestSupport.h"
#include "tests/support/TestSupport.h"
#include "toolkit/Exception.h"

using namespace outbar;
using namespace outbar_test;

TEST(VertListLayout, ItemTopsDownButtonAndScrollSteps) {
  QWidget host;
  TDCVertListView* list = MakeList(&host, 0, QSize(121, 200));
  host.show();
  const int l = list->LineHeight();
  EXPECT_EQ(l, QFontMetrics(list->font()).height());
  // Fill until the last item's bottom is no longer more than 6 pixels above the bottom edge.
  int i = 0;
  for (;; ++i) {
    list->AddItem(QStringLiteral("item %1").arg(i));
    const TRect b = list->Item(i)->Bounds();
    EXPECT_EQ(b.top, 6 + i * (l + 12)) << i;
    EXPECT_EQ(b.left, 7);
    if (b.bottom + 6 >= 200) break;
    EXPECT_FALSE(list->DownButton()->isVisible()) << i;
  }
  EXPECT_TRUE(list->DownButton()->isVisible());
  EXPECT_FALSE(list->UpButton()->isVisible());
  EXPECT_EQ(list->DownButton()->geometry(), QRect(121 - 16 - 5, 200 - 16 - 5, 16, 16));

  // One step down: the first item that starts below the top edge gives the step.
  list->ScrollDownStep();
  EXPECT_EQ(list->ScrollOffset().y(), l + 12);
  EXPECT_EQ(list->Item(1)->Bounds().top, 6);
  EXPECT_TRUE(list->UpButton()->isVisible());
  EXPECT_EQ(list->UpButton()->pos(), QPoint(100, 5));
  EXPECT_FALSE(list->DownButton()->isVisible());
  // Up steps never leave a negative offset.
  list->ScrollUpStep();
  EXPECT_EQ(list->ScrollOffset().y(), 0);
  list->ScrollUpStep();
  EXPECT_EQ(list->ScrollOffset().y(), 0);
}

TEST(VertListLayout, WheelNotchesScrollWholeStepsUpToTheEnd) {
  QWidget host;
  TDCVertListView* list = MakeList(&host, 30, QSize(121, 200));
  host.show();
  const int step = list->ItemStep(list->Item(0));
  QApplication::setWheelScrollLines(3);
  auto wheel = [&](int delta) {
    QWheelEvent e(QPointF(40, 40), list->mapToGlobal(QPointF(40, 40)), QPoint(), QPoint(0, delta), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(list, &e);
  };
  wheel(-120);
  EXPECT_EQ(list->ScrollOffset().y(), 3 * step);
  wheel(-60);
  EXPECT_EQ(list->ScrollOffset().y(), 3 * step);  // half a notch waits
  wheel(-60);
  EXPECT_EQ(list->ScrollOffset().y(), 6 * step);
  wheel(120);
  EXPECT_EQ(list->ScrollOffset().y(), 3 * step);
  for (int k = 0; k < 20; ++k) wheel(-120);
  EXPECT_FALSE(list->CanScrollDown());
  EXPECT_TRUE(list->IsItemVisible(list->Item(29), false));
  EXPECT_FALSE(list->IsItemVisible(list->Item(0), true));
}

TEST(VertListLayout, ClearingKeepsTheOffsetAndRefilledItemsStartAbove) {
  QWidget host;
  TDCVertListView* list = MakeList(&host, 30, QSize(121, 200));
  host.show();
  list->ScrollDownStep();
  list->ScrollDownStep();
  const int offset = list->ScrollOffset().y();
  list->ClearItems();
  EXPECT_EQ(list->ScrollOffset().y(), offset);
  for (int i = 0; i < 30; ++i) list->AddItem(QStringLiteral("again %1").arg(i));
  EXPECT_LT(list->Item(0)->Bounds().top, 0);
  EXPECT_TRUE(list->UpButton()->isVisible());
  // With fewer items than the offset covers, the steps still bring them back.
  list->ClearItems();
  list->AddItem(QStringLiteral("only"));
  EXPECT_LT(list->Item(0)->Bounds().top, 6);
  list->ScrollDownStep();
  list->ScrollUpStep();
  EXPECT_TRUE(list->IsItemVisible(list->Item(0), true));
}

TEST(VertListClicks, ClickOrderIsSelectionItemClickThenButtonClick) {
  QWidget host;
  TDCVertListView* list = MakeList(&host, 30, QSize(121, 200));
  host.show();
  QStringList order;
  list->Item(3)->OnItemClick = [&](QObject* sender) {
    order << QStringLiteral("item:%1").arg(list->ItemIndex());
    EXPECT_EQ(sender, list);
  };
  list->OnButtonClick = [&](QObject* sender, TDCVertListItem* item) {
    order << QStringLiteral("button:%1:%2").arg(list->ItemIndex()).arg(item->Index());
    EXPECT_EQ(sender, list);
    EXPECT_EQ(list->Selected(), item);
  };
  list->OnClick = [&](QObject*) { order << QStringLiteral("click"); };
  const QPoint p = ItemCenter(list, 3);
  Press(list, p);
  EXPECT_EQ(list->HotItem(), list->Item(3));
  EXPECT_EQ(list->PressedItem(), list->Item(3));
  Release(list, p);
  EXPECT_EQ(order, (QStringList{"item:3", "button:3:3", "click"}));
  EXPECT_EQ(list->ItemFocused(), list->Item(3));

  // A partly hidden item is scrolled fully into view after its click.
  const int last = [&] {
    for (int i = 0; i < list->ItemCount(); ++i)
      if (!list->IsItemVisible(list->Item(i), false)) return i;
    return -1;
  }();
  ASSERT_GT(last, 0);
  const QPoint partly(40, list->Item(last)->Bounds().top + 1);
  ASSERT_LT(partly.y(), list->ClientHeight());
  Press(list, partly);
  Release(list, partly);
  EXPECT_TRUE(list->IsItemVisible(list->Item(last), false));
  EXPECT_GT(list->ScrollOffset().y(), 0);
}

TEST(VertListClicks, MovingMoreThanFivePixelsIsADragNotAClick) {
  QWidget host;
  TDCVertListView* list = MakeList(&host, 5);
  host.show();
  int clicks = 0;
  list->OnButtonClick = [&](QObject*, TDCVertListItem*) { ++clicks; };
  const QPoint p = ItemCenter(list, 1);
  Press(list, p);
  MoveTo(list, p + QPoint(5, 0), Qt::LeftButton);
  Release(list, p + QPoint(5, 0));
  EXPECT_EQ(clicks, 1);
  Press(list, p);
  MoveTo(list, p + QPoint(0, 6), Qt::LeftButton);
  EXPECT_TRUE(list->Dragging());
  Release(list, p + QPoint(0, 6));
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(list->Dragging());

  // Same with dragging switched off: no move, no click.
  list->SetDragEnabled(false);
  Press(list, ItemCenter(list, 2));
  MoveTo(list, ItemCenter(list, 2) + QPoint(10, 0), Qt::LeftButton);
  Release(list, ItemCenter(list, 2) + QPoint(10, 0));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(list->Item(2)->Caption(), QStringLiteral("item 2"));
  EXPECT_EQ(list->ItemCount(), 5);
}

TEST(VertListClicks, GapsAreDeadWithDraggingAndReachableWithout) {
  QWidget host;
  TDCVertListView* list = MakeList(&host, 5);
  host.show();
  int clicks = 0;
  list->OnButtonClick = [&](QObject*, TDCVertListItem*) { ++clicks; };
  const int gapY = list->Item(1)->Bounds().bottom + 3;  // 3 pixels into the 12-pixel gap
  Press(list, QPoint(40, gapY));
  Release(list, QPoint(40, gapY));
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(list->ItemIndex(), -1);
  list->SetDragEnabled(false);
  Press(list, QPoint(40, gapY));
  Release(list, QPoint(40, gapY));
  EXPECT_EQ(list->ItemIndex(), 1);
  const int upperGapY = list->Item(3)->Bounds().top - 5;
  EXPECT_EQ(list->GetItemAt(40, upperGapY), list->Item(3));
}

TEST(VertListClicks, SettingTheSelectionFromCodeActsAsAClick) {
  TDCVertListView* list = MakeList(nullptr, 5);
  std::unique_ptr<TDCVertListView> owner(list);
  QList<int> clicked;
  list->OnButtonClick = [&](QObject*, TDCVertListItem* item) { clicked << item->Index(); };
  list->SetItemIndex(2);
  EXPECT_EQ(clicked, QList<int>{2});
  list->SetItemIndex(2);  // already selected: nothing
  EXPECT_EQ(clicked, QList<int>{2});
  list->SetSelected(list->Item(4));
  EXPECT_EQ(clicked, (QList<int>{2, 4}));
  EXPECT_FALSE(list->Item(2)->Selected());
  list->SetItemIndex(-1);
  EXPECT_EQ(list->Selected(), nullptr);
  EXPECT_EQ(clicked.size(), 2);
}

TEST(VertListClicks, DoubleClicksAndCommands) {
  testing_support::ShellRecorder shell;
  QWidget host;
  TDCVertListView* list = MakeList(&host, 5);
  host.show();
  list->Item(1)->FileName = QStringLiteral("http://example.org/");
  list->Item(1)->Parameters = QStringLiteral("--new-window");
  int clicks = 0, dbl = 0;
  list->OnButtonClick = [&](QObject*, TDCVertListItem*) { ++clicks; };
  list->OnDblClick = [&](QObject*) { ++dbl; };
  const QPoint p = ItemCenter(list, 1);
  auto doubleClick = [&] {
    Press(list, p);
    Release(list, p);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(p), list->mapToGlobal(QPointF(p)), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list, &dbl);
    Release(list, p);
  };
  doubleClick();
  EXPECT_EQ(clicks, 2);  // without UseDblClick each press clicks
  EXPECT_EQ(dbl, 1);
  ASSERT_EQ(shell->calls.size(), 2);
  EXPECT_EQ(shell->calls[0].verb, QStringLiteral("open"));
  EXPECT_EQ(shell->calls[0].parameters, QStringLiteral("--new-window"));
  EXPECT_EQ(shell->calls[0].target, QStringLiteral("http://example.org/"));

  list->SetUseDblClick(true);
  list->SetItemIndex(-1);
  doubleClick();
  EXPECT_EQ(clicks, 3);             // only the first press clicks
  EXPECT_EQ(shell->calls.size(), 3);  // the command runs once, on the double click
  // OnExecuteItem can take the command over.
  list->OnExecuteItem = [](QObject*, TDCVertListItem*, bool& processed) { processed = true; };
  doubleClick();
  EXPECT_EQ(shell->calls.size(), 3);
}

TEST(VertListKeys, NavigationKeysNeedSunkSelection) {
  QWidget host;
  TDCVertListView* list = MakeList(&host, 5);
  host.show();
  int keys = 0;
  list->OnKeyDown = [&](QObject*, int&, int) { ++keys; };
  list->SetItemIndex(1);
  QTest::keyClick(list, Qt::Key_Down);
  EXPECT_EQ(list->ItemIndex(), 1);
  EXPECT_EQ(keys, 0);
  list->SetSunkSelected(true);
  int clicks = 0;
  list->OnButtonClick = [&](QObject*, TDCVertListItem*) { ++clicks; };
  QTest::keyClick(list, Qt::Key_Down);
  EXPECT_EQ(list->ItemIndex(), 2);
  EXPECT_EQ(clicks, 1);  // a key's selection change counts as a click
  QTest::keyClick(list, Qt::Key_End);
  EXPECT_EQ(list->ItemIndex(), 4);
  EXPECT_EQ(keys, 2);
  // Type-ahead picks the next caption starting with the letter.
  list->Item(0)->SetCaption(QStringLiteral("zebra"));
  QTest::keyClick(list, Qt::Key_Z);
  EXPECT_EQ(list->ItemIndex(), 0);
}

TEST(VertListProperties, RangeRulesAndErrors) {
  TDCVertListView list;
  list.SetItemSpace(3);
  EXPECT_EQ(list.ItemSpace(), 5);
  EXPECT_EQ(list.HalfSpace(), 2);
  try {
    list.SetWrapLineCount(0);
    FAIL() << "no error";
  } catch (const toolkit::EInvalidOperation& e) {
    EXPECT_EQ(e.Message(), QStringLiteral("Invalid property value"));
  }
  EXPECT_EQ(list.WrapLineCount(), 1);
  try {
    list.SetViewStyle(vsReport);
    FAIL() << "no error";
  } catch (const toolkit::EInvalidOperation& e) {
    EXPECT_EQ(e.Message(), QStringLiteral("Invalid view style"));
  }
  EXPECT_EQ(list.ViewStyle(), vsIcon);
}

TEST(VertListPainting, LongCaptionsEllipsizeOrWrap) {
  const QFont font = QApplication::font();
  const QString caption = QStringLiteral("a rather long caption that will not fit in the list");
  const QStringList one = WrappedLines(font, caption, 80, 1);
  ASSERT_EQ(one.size(), 1);
  EXPECT_TRUE(one[0].endsWith(QChar(0x2026)));
  EXPECT_LE(QFontMetrics(font).horizontalAdvance(one[0]), 80);
  const QStringList two = WrappedLines(font, caption, 80, 2);
  ASSERT_EQ(two.size(), 2);
  EXPECT_TRUE(caption.startsWith(two[0]));
  EXPECT_FALSE(two[0].endsWith(QChar(0x2026)));

  QWidget host;
  TDCVertListView* list = MakeList(&host, 0, QSize(120, 300));
  list->AddItem(caption);
  list->AddItem(QStringLiteral("short"));
  host.show();
  const int l = list->LineHeight();
  EXPECT_EQ(list->Item(0)->Bounds().Height(), l);
  list->SetWrapLineCount(2);
  EXPECT_EQ(list->Item(0)->Bounds().Height(), 2 * l);
  EXPECT_EQ(list->Item(1)->Bounds().top, 6 + 2 * l + 12);
}

TEST(VertListPainting, HotFrameIsRaisedThenSunkWhilePressed) {
  QWidget host;
  TDCVertListView* list = MakeList(&host, 5);
  list->SetColor(platform::RGB(240, 248, 255));
  host.show();
  MoveTo(list, ItemCenter(list, 1));
  ASSERT_EQ(list->HotItem(), list->Item(1));
  const TRect f = list->GetFrameRect(list->Item(1));
  EXPECT_EQ(f.left, 0);
  EXPECT_EQ(f.right, 119);
  QImage img = list->RenderClient();
  EXPECT_EQ(img.pixel(f.left, f.top + 3), qRgb(192, 192, 192));   // silver top-left while raised
  EXPECT_EQ(img.pixel(f.right, f.top + 3), qRgb(0, 0, 0));        // black bottom-right
  EXPECT_EQ(img.pixel(f.left + 5, f.bottom), qRgb(0, 0, 0));
  Press(list, ItemCenter(list, 1));
  img = list->RenderClient();
  EXPECT_EQ(img.pixel(f.left, f.top + 3), qRgb(0, 0, 0));         // sunken: dark first
  EXPECT_EQ(img.pixel(f.right, f.top + 3), qRgb(192, 192, 192));
  Release(list, ItemCenter(list, 1));
  // Highlighted selection fills the frame with the highlight colour.
  list->SetHighlightSelection(true);
  list->SetHighlightColor(platform::RGB(10, 200, 30));
  MoveTo(list, ItemCenter(list, 2));
  ASSERT_EQ(list->HotItem(), list->Item(2));
  const TRect g = list->GetFrameRect(list->Item(2));
  img = list->RenderClient();
  EXPECT_EQ(img.pixel(g.right - 2, g.top + 2), qRgb(10, 200, 30));
  EXPECT_EQ(img.pixel(g.left, g.top + 2), qRgb(255, 255, 255));  // white with highlighting
  // Elsewhere the background colour.
  EXPECT_EQ(img.pixel(60, 290), qRgb(240, 248, 255));
}

TEST(VertListPerformance, AppendingDoesLinearLayoutWork) {
  TDCVertListView list;
  list.SetViewStyle(vsSmallIcon);
  list.resize(120, 300);
  for (int i = 0; i < 2000; ++i) list.AddItem(QStringLiteral("entry %1").arg(i));
  // Each append lays out only the new item.
  EXPECT_LE(list.LayoutWork(), 2000 + 10);
  EXPECT_EQ(list.Item(1999)->Bounds().top, 5 + 1999 * list.ItemStep(list.Item(0)));
}
