// The list view's selection bookkeeping: the span that holds every selected
// row through insertions, removals, sorting and clearing, and the focus and
// mark it forgets with their rows.
#include <gtest/gtest.h>

#include <QTest>

#include "toolkit/ListView.h"

using toolkit::ListSelection;
using toolkit::TListItem;
using toolkit::TListView;

namespace {

// Rows 8 and 3 selected, 8 first, so that the span has to widen upwards.
ListSelection ThreeAndEight() {
  ListSelection s;
  s.Joined(8);
  s.Joined(3);
  return s;
}

struct SpanCase {
  const char* what;
  int index;      // where rows go in or the row goes out
  int count;      // rows inserted; 0: one row removed
  bool selected;  // the removed row was still selected
  int first, last, rows;
};

}  // namespace

TEST(ListSelection, TheSpanFollowsRowsGoingInAndOut) {
  const SpanCase cases[] = {
      {"two rows above", 0, 2, false, 5, 10, 2},
      {"one row at the first", 3, 1, false, 4, 9, 2},
      {"three rows between", 5, 3, false, 3, 11, 2},
      {"one row at the last", 8, 1, false, 3, 9, 2},
      {"four rows below", 9, 4, false, 3, 8, 2},
      {"removed above", 0, 0, false, 2, 7, 2},
      {"removed: the first, still selected", 3, 0, true, 3, 7, 1},
      {"removed between", 5, 0, false, 3, 7, 2},
      {"removed at the last", 8, 0, false, 3, 7, 2},
      {"removed below", 9, 0, false, 3, 8, 2},
  };
  for (const SpanCase& c : cases) {
    ListSelection s = ThreeAndEight();
    if (c.count > 0)
      s.RowsInserted(c.index, c.count);
    else
      s.RowRemoved(nullptr, c.selected, c.index);
    EXPECT_EQ(s.First(), c.first) << c.what;
    EXPECT_EQ(s.Last(), c.last) << c.what;
    EXPECT_EQ(s.Count(), c.rows) << c.what;
  }
}

TEST(ListSelection, CountsFlipsAndStartsAFreshSpanAfterEveryRowLeft) {
  ListSelection s = ThreeAndEight();
  EXPECT_EQ(s.Count(), 2);
  EXPECT_EQ(s.Changes(), 2u);
  s.Left();
  s.Left();
  EXPECT_EQ(s.Count(), 0);
  EXPECT_EQ(s.Changes(), 4u);
  s.Joined(5);  // not 3..8 widened by 5
  EXPECT_EQ(s.First(), 5);
  EXPECT_EQ(s.Last(), 5);
  s.FoundFirst(5);
  s.Joined(0);
  EXPECT_EQ(s.First(), 0);
  EXPECT_EQ(s.Last(), 5);
  // Sorting makes the span every row, but only while something is selected.
  s.Reordered(10);
  EXPECT_EQ(s.First(), 0);
  EXPECT_EQ(s.Last(), 9);
  ListSelection none;
  none.Reordered(10);
  EXPECT_EQ(none.Last(), -1);
  // Rows added to a selection of nothing leave its (meaningless) span alone.
  none.RowsInserted(0, 4);
  EXPECT_EQ(none.First(), 0);
  EXPECT_EQ(none.Last(), -1);
}

TEST(ListSelection, ARemovedRowTakesOnlyItsOwnFocusAndMark) {
  TListView view;
  TListItem* focused = view.Items().Add();
  TListItem* mark = view.Items().Add();
  ListSelection s = ThreeAndEight();
  s.SetFocused(focused);
  s.SetMark(mark);
  s.RowRemoved(mark, false, 0);
  EXPECT_EQ(s.Focused(), focused);
  EXPECT_EQ(s.Mark(), nullptr);
  s.SetMark(mark);
  s.RowRemoved(focused, false, 0);
  EXPECT_EQ(s.Focused(), nullptr);
  EXPECT_EQ(s.Mark(), mark);
  s.SetFocused(focused);
  s.Clear();
  EXPECT_EQ(s.Count(), 0);
  EXPECT_EQ(s.Focused(), nullptr);
  EXPECT_EQ(s.Mark(), nullptr);
}

namespace {

// A view of rows that a reader selects several at a time.
void MultiSelecting(TListView& view) {
  view.resize(300, 200);
  view.SetMultiSelect(true);
  view.SetRowSelect(true);
  view.Columns().Add(QStringLiteral("标题"), 150);
}

}  // namespace

// Through the view: a Shift range after the rows were cleared or its mark row
// deleted starts at the row clicked, never at a row that is gone.
TEST(ListSelectionOfTheView, ARangeNeverStartsAtARowThatIsGone) {
  TListView view;
  MultiSelecting(view);
  auto fill = [&](int rows) {
    for (int i = 0; i < rows; ++i) view.Items().Add()->SetCaption(QStringLiteral("row %1").arg(i));
  };
  auto click = [&](int row, Qt::KeyboardModifiers mods) {
    QTest::mouseClick(view.viewport(), Qt::LeftButton, mods, view.ItemRect(view.Items()[row]).center());
  };
  auto selectedRows = [&] {
    QList<int> rows;
    for (int i = 0; i < view.Items().Count(); ++i)
      if (view.Items()[i]->Selected()) rows << i;
    return rows;
  };
  fill(6);
  view.show();
  click(1, Qt::NoModifier);
  view.Items().Clear();
  fill(6);
  click(4, Qt::ShiftModifier);
  EXPECT_EQ(selectedRows(), QList<int>{4});
  EXPECT_EQ(view.ItemFocused(), view.Items()[4]);

  click(1, Qt::NoModifier);
  click(3, Qt::ControlModifier);  // the mark moves to row 3
  view.Items().Delete(3);
  EXPECT_EQ(view.SelCount(), 1);
  click(0, Qt::ShiftModifier);
  EXPECT_EQ(selectedRows(), QList<int>{0});
  // With the mark on a row that stays, the range runs from it.
  click(4, Qt::ShiftModifier);
  EXPECT_EQ(selectedRows(), (QList<int>{0, 1, 2, 3, 4}));
}

// Each report of a state change tells the selection action it belongs to: the
// reports of one range, clear or select-all share a number no other action has,
// and a row that takes the selection or the focus by itself has none.
TEST(ListSelectionOfTheView, EachReportTellsTheSelectionActionItBelongsTo) {
  TListView view;
  MultiSelecting(view);
  for (int i = 0; i < 5; ++i) view.Items().Add()->SetCaption(QStringLiteral("row %1").arg(i));
  QList<unsigned> seen;
  view.OnChange = [&](TListItem*, toolkit::TItemChange) { seen << view.SelectionAction(); };
  view.show();
  view.setFocus();
  auto press = [&](Qt::Key key, Qt::KeyboardModifiers mods) {
    seen.clear();
    QTest::keyClick(&view, key, mods);
    return seen;
  };
  view.SetItemIndex(0);
  EXPECT_EQ(view.SelectionAction(), 0u);
  // Shift+End: rows 1 to 4 join and the focus moves from row 0 to row 4, all in one action.
  const QList<unsigned> range = press(Qt::Key_End, Qt::ShiftModifier);
  ASSERT_EQ(range.size(), 6);
  EXPECT_NE(range[0], 0u);
  EXPECT_EQ(range.count(range[0]), 6);
  // Home: rows 1 to 4 leave in an action of their own; the focus then comes
  // back to row 0 by itself.
  const QList<unsigned> home = press(Qt::Key_Home, Qt::NoModifier);
  ASSERT_EQ(home.size(), 6);
  EXPECT_NE(home[0], 0u);
  EXPECT_NE(home[0], range[0]);
  EXPECT_EQ(home.count(home[0]), 4);
  EXPECT_EQ(home.mid(4), (QList<unsigned>{0u, 0u}));
  // Down: row 0 is cleared away in an action of one row, then row 1 takes
  // the selection and the focus, reported alone.
  const QList<unsigned> down = press(Qt::Key_Down, Qt::NoModifier);
  ASSERT_EQ(down.size(), 3);
  EXPECT_NE(down[0], 0u);
  EXPECT_NE(down[0], home[0]);
  EXPECT_EQ(down.mid(1), (QList<unsigned>{0u, 0u}));
  EXPECT_EQ(view.SelectionAction(), 0u);
}
