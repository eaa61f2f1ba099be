// The list view's notifications: which of OnChange and OnClick fire, in which
// order and with which rows, for mouse, keyboard, clearing, filling and code.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QScrollBar>
#include <QTest>
#include <memory>

#include "tests/support/TestSupport.h"
#include "toolkit/Exception.h"
#include "toolkit/IdleWork.h"
#include "toolkit/ListView.h"

using toolkit::TCellDress;
using toolkit::TItemChange;
using toolkit::TListItem;
using toolkit::TListView;
using toolkit::TTextMark;

namespace {

// One notification as the handlers saw it.
struct Note {
  char kind;        // 'c' change, 'k' click, 'h' column click
  int row;          // index of the reported row (column for 'h'), -1 for a click
  TItemChange change;
  int selectedNow;  // ItemIndex while the handler ran
  bool operator==(const Note& o) const {
    return kind == o.kind && row == o.row && (kind != 'c' || change == o.change) && selectedNow == o.selectedNow;
  }
};

std::ostream& operator<<(std::ostream& os, const Note& n) {
  return os << n.kind << "(row " << n.row << ", change " << n.change << ", selected " << n.selectedNow << ")";
}

Note Changed(int row, int selectedNow, TItemChange change = toolkit::ctState) { return {'c', row, change, selectedNow}; }
Note Clicked(int selectedNow) { return {'k', -1, toolkit::ctState, selectedNow}; }

class ListViewNotes : public ::testing::Test {
 protected:
  void SetUp() override {
    view.resize(420, 220);
    view.SetMultiSelect(true);
    view.SetRowSelect(true);
    view.Columns().Add(QStringLiteral("标题"), 150);
    view.Columns().Add(QStringLiteral("格式"), 90);
    view.Columns().Add(QStringLiteral("首句"), 150);
    Fill(5);
    view.show();
    Listen();
  }

  void Fill(int rows) {
    for (int i = 0; i < rows; ++i) {
      TListItem* item = view.Items().Add();
      item->SetCaption(QStringLiteral("row %1").arg(i));
      item->SubItems().Add(QStringLiteral("form %1").arg(i));
      item->SubItems().Add(QStringLiteral("head %1").arg(i));
    }
  }

  void Listen() {
    notes.clear();
    view.OnChange = [this](TListItem* item, TItemChange change) {
      notes.push_back({'c', item->Index(), change, view.ItemIndex()});
    };
    view.OnClick = [this] { notes.push_back({'k', -1, toolkit::ctState, view.ItemIndex()}); };
    view.OnColumnClick = [this](int column) { notes.push_back({'h', column, toolkit::ctState, view.ItemIndex()}); };
  }

  QPoint RowPoint(int row) { return view.ItemRect(view.Items()[row]).center(); }
  void ClickRow(int row, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::mouseClick(view.viewport(), Qt::LeftButton, mods, RowPoint(row));
  }
  void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyClick(&view, key, mods); }

  TListView view;
  std::vector<Note> notes;
};

TEST_F(ListViewNotes, FirstClickSelectsFocusesAndThenClicks) {
  ClickRow(2);
  EXPECT_EQ(notes, (std::vector<Note>{Changed(2, 2), Clicked(2)}));
  EXPECT_EQ(view.ItemIndex(), 2);
  EXPECT_EQ(view.ItemFocused(), view.Items()[2]);
  EXPECT_EQ(view.SelCount(), 1);
}

TEST_F(ListViewNotes, ClickOnAnotherRowReportsOldRowTwiceThenNewRowThenClick) {
  ClickRow(1);
  notes.clear();
  ClickRow(3);
  // Row 1 loses its selection (nothing selected yet), then its focus (row 3
  // already selected), then row 3 is reported; the click comes last.
  EXPECT_EQ(notes, (std::vector<Note>{Changed(1, -1), Changed(1, 3), Changed(3, 3), Clicked(3)}));
  EXPECT_FALSE(view.Items()[1]->Selected());
  EXPECT_FALSE(view.Items()[1]->Focused());
  EXPECT_TRUE(view.Items()[3]->Focused());
}

TEST_F(ListViewNotes, ClickOnTheSelectedRowOnlyClicks) {
  ClickRow(4);
  notes.clear();
  ClickRow(4);
  EXPECT_EQ(notes, (std::vector<Note>{Clicked(4)}));
}

TEST_F(ListViewNotes, ClickOnOneOfSeveralSelectedRowsKeepsThemUntilRelease) {
  ClickRow(1);
  ClickRow(3, Qt::ControlModifier);
  ASSERT_EQ(view.SelCount(), 2);
  notes.clear();
  QTest::mousePress(view.viewport(), Qt::LeftButton, Qt::NoModifier, RowPoint(3));
  EXPECT_TRUE(notes.empty());
  EXPECT_EQ(view.SelCount(), 2);
  QTest::mouseRelease(view.viewport(), Qt::LeftButton, Qt::NoModifier, RowPoint(3));
  EXPECT_EQ(notes, (std::vector<Note>{Changed(1, 3), Clicked(3)}));
  EXPECT_EQ(view.SelCount(), 1);
}

TEST_F(ListViewNotes, ClickOnEmptySpaceClearsSelectionAndStillClicks) {
  ClickRow(2);
  notes.clear();
  const QPoint below(20, view.ItemRect(view.Items()[4]).bottom() + 20);
  ASSERT_EQ(view.GetItemAt(below.x(), below.y()), nullptr);
  QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, below);
  EXPECT_EQ(notes, (std::vector<Note>{Changed(2, -1), Clicked(-1)}));
  EXPECT_EQ(view.Selected(), nullptr);
  // The focus stays on the row: the next Down moves on from it.
  EXPECT_EQ(view.ItemFocused(), view.Items()[2]);
  Key(Qt::Key_Down);
  EXPECT_EQ(view.ItemIndex(), 3);
}

TEST_F(ListViewNotes, WithoutRowSelectOnlyTheFirstColumnTakesTheRow) {
  view.SetRowSelect(false);
  const QPoint inThirdColumn(view.Header()->sectionViewportPosition(2) + 10, RowPoint(1).y());
  QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, inThirdColumn);
  EXPECT_EQ(view.ItemIndex(), -1);
  EXPECT_EQ(notes, (std::vector<Note>{Clicked(-1)}));
}

TEST_F(ListViewNotes, KeyboardMovesReportChangesButNeverClick) {
  ClickRow(1);
  notes.clear();
  Key(Qt::Key_Down);
  EXPECT_EQ(notes, (std::vector<Note>{Changed(1, -1), Changed(1, 2), Changed(2, 2)}));
  notes.clear();
  Key(Qt::Key_End);
  EXPECT_EQ(notes.back(), Changed(4, 4));
  notes.clear();
  Key(Qt::Key_Down);  // already on the last row
  EXPECT_TRUE(notes.empty());
  Key(Qt::Key_Home);
  EXPECT_EQ(view.ItemIndex(), 0);
  for (const Note& n : notes) EXPECT_EQ(n.kind, 'c');
}

TEST_F(ListViewNotes, KeyboardWithModifiersExtendsOrMovesFocusOnly) {
  ClickRow(1);
  Key(Qt::Key_Down, Qt::ShiftModifier);
  Key(Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(view.SelCount(), 3);
  EXPECT_EQ(view.ItemIndex(), 1);
  EXPECT_EQ(view.ItemFocused(), view.Items()[3]);
  Key(Qt::Key_Up, Qt::ShiftModifier);  // the range shrinks back towards the mark
  EXPECT_EQ(view.SelCount(), 2);
  EXPECT_FALSE(view.Items()[3]->Selected());
  Key(Qt::Key_Down, Qt::ControlModifier);  // focus moves, selection stays
  EXPECT_EQ(view.SelCount(), 2);
  EXPECT_EQ(view.ItemFocused(), view.Items()[3]);
  Key(Qt::Key_Space, Qt::ControlModifier);  // toggles the focused row
  EXPECT_EQ(view.SelCount(), 3);
}

TEST_F(ListViewNotes, ControlClickTogglesAndTheLowestSelectedRowIsCurrent) {
  ClickRow(3);
  ClickRow(1, Qt::ControlModifier);
  EXPECT_EQ(view.SelCount(), 2);
  EXPECT_EQ(view.Selected(), view.Items()[1]);
  EXPECT_EQ(view.ItemIndex(), 1);
  ClickRow(1, Qt::ControlModifier);
  EXPECT_EQ(view.SelCount(), 1);
  EXPECT_EQ(view.ItemIndex(), 3);
}

TEST_F(ListViewNotes, SingleSelectionViewKeepsOneRow) {
  view.SetMultiSelect(false);
  ClickRow(1);
  ClickRow(3, Qt::ControlModifier);
  EXPECT_EQ(view.SelCount(), 1);
  view.Items()[0]->SetSelected(true);
  EXPECT_EQ(view.SelCount(), 1);
  EXPECT_EQ(view.ItemIndex(), 0);
}

TEST_F(ListViewNotes, ClearingReportsNothingAndForgetsSelectionAndFocus) {
  ClickRow(2);
  ClickRow(4, Qt::ControlModifier);
  notes.clear();
  view.Items().Clear();
  EXPECT_TRUE(notes.empty());
  EXPECT_EQ(view.Items().Count(), 0);
  EXPECT_EQ(view.SelCount(), 0);
  EXPECT_EQ(view.Selected(), nullptr);
  EXPECT_EQ(view.ItemFocused(), nullptr);
  EXPECT_EQ(view.ItemIndex(), -1);
  // Keys and clicks on the empty view are harmless.
  Key(Qt::Key_Down);
  QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
  EXPECT_EQ(notes, (std::vector<Note>{Clicked(-1)}));
}

// A large table is emptied at once and its rows are freed later, a slice at a
// time; the rows of a small one go at once. Either way every row is freed
// once, new rows fill the view meanwhile, and a view destroyed before the
// freeing ends takes the rest with it.
TEST_F(ListViewNotes, ClearingALargeTableFreesEveryRowOnceWhileNewRowsFill) {
  auto probe = [](TListItem* row) {
    auto owner = std::make_shared<int>(row->Index());
    row->SetData(QVariant::fromValue(owner));
    return std::weak_ptr<int>(owner);
  };
  std::vector<std::weak_ptr<int>> small;
  for (int i = 0; i < view.Items().Count(); ++i) small.push_back(probe(view.Items()[i]));
  view.Items().Clear();
  for (const auto& p : small) EXPECT_TRUE(p.expired());

  // Every row shares one value: each row freed drops one hold on it, so a row
  // freed twice or never shows in the count.
  const int rows = 60001;
  Fill(rows);
  auto shared = std::make_shared<int>(0);
  for (int i = 0; i < rows; ++i) view.Items()[i]->SetData(QVariant::fromValue(shared));
  std::vector<std::weak_ptr<int>> large;
  for (int i : {0, 255, 256, 257, 30000, rows - 1}) large.push_back(probe(view.Items()[i]));
  ASSERT_EQ(shared.use_count(), 1 + rows - 6);
  notes.clear();
  view.Items().Clear();
  EXPECT_TRUE(notes.empty());
  EXPECT_EQ(view.Items().Count(), 0);
  Fill(3);
  EXPECT_EQ(view.Items().Count(), 3);
  EXPECT_EQ(view.Items()[2]->Caption(), QStringLiteral("row 2"));
  {
    // Work on threads of its own that the reader waits for holds the freeing back.
    const toolkit::BackgroundWork work;
    QTest::qWait(40);
    EXPECT_TRUE(view.Items().FreeingCleared());
    EXPECT_FALSE(large.front().expired());
    EXPECT_EQ(shared.use_count(), 1 + rows - 6);
  }
  QTest::qWait(1);
  for (int waited = 0; waited < 5000 && !large.back().expired(); waited += 10) QTest::qWait(10);
  for (const auto& p : large) EXPECT_TRUE(p.expired());
  for (int waited = 0; waited < 5000 && shared.use_count() > 1; waited += 10) QTest::qWait(10);
  EXPECT_EQ(shared.use_count(), 1);
  // The new rows were never among those freed.
  EXPECT_EQ(view.Items()[0]->Caption(), QStringLiteral("row 0"));
  view.Items()[1]->SetCaption(QStringLiteral("again"));
  EXPECT_EQ(view.Items()[1]->ColumnText(0), QStringLiteral("again"));

  auto doomed = std::make_unique<TListView>();
  doomed->Columns().Add(QStringLiteral("标题"), 150);
  std::vector<std::weak_ptr<int>> left;
  for (int i = 0; i < 9000; ++i) {
    TListItem* row = doomed->Items().Add();
    row->SetCaption(QStringLiteral("poem %1").arg(i));
    if (i % 1000 == 999) left.push_back(probe(row));
  }
  doomed->Items().Clear();
  doomed.reset();
  for (const auto& p : left) EXPECT_TRUE(p.expired());
}

TEST_F(ListViewNotes, FillingReportsOneTextChangePerCaptionAndNothingForSubItems) {
  view.Items().Clear();
  notes.clear();
  Fill(3);
  EXPECT_EQ(notes, (std::vector<Note>{Changed(0, -1, toolkit::ctText), Changed(1, -1, toolkit::ctText),
                                      Changed(2, -1, toolkit::ctText)}));
  EXPECT_EQ(view.Items()[2]->ColumnText(2), QStringLiteral("head 2"));
  EXPECT_EQ(view.Items()[2]->ColumnText(3), QString());
}

TEST_F(ListViewNotes, SelectionFromCodeReportsEachChangedRow) {
  view.SetItemIndex(2);
  EXPECT_EQ(notes, (std::vector<Note>{Changed(2, 2)}));
  EXPECT_TRUE(view.Items()[2]->Focused());
  notes.clear();
  view.SetItemIndex(2);  // no change, nothing reported
  EXPECT_TRUE(notes.empty());
  view.SetSelected(view.Items()[4]);  // adds to the selection of a multi-selection view
  EXPECT_EQ(notes, (std::vector<Note>{Changed(4, 2)}));
  EXPECT_EQ(view.SelCount(), 2);
  notes.clear();
  view.SetItemIndex(-1);
  EXPECT_EQ(notes, (std::vector<Note>{Changed(2, 4), Changed(4, -1)}));
  EXPECT_EQ(view.SelCount(), 0);
  EXPECT_THROW(view.SetItemIndex(5), toolkit::EInvalidOperation);
  notes.clear();
  view.SetItemFocused(view.Items()[0]);
  EXPECT_EQ(notes, (std::vector<Note>{Changed(2, -1), Changed(0, -1)}));
}

TEST_F(ListViewNotes, DeletingASelectedRowReportsItAndKeepsTheRest) {
  view.SetItemIndex(1);
  notes.clear();
  view.Items().Delete(1);
  EXPECT_EQ(notes, (std::vector<Note>{Changed(1, -1)}));
  EXPECT_EQ(view.Items().Count(), 4);
  EXPECT_EQ(view.SelCount(), 0);
  EXPECT_EQ(view.ItemFocused(), nullptr);
  EXPECT_EQ(view.Items()[1]->Caption(), QStringLiteral("row 2"));
}

TEST_F(ListViewNotes, HandlerErrorsAreShownAndTheViewCarriesOn) {
  testing_support::DialogScript dialogs;
  view.OnChange = [](TListItem*, TItemChange) { throw toolkit::EDatabaseError("Field 'head' not found"); };
  int clicks = 0;
  view.OnClick = [&] { ++clicks; };
  ClickRow(1);
  ClickRow(2);
  EXPECT_EQ(dialogs->Errors().size(), 4);  // one per change: row 1, then 1, 1, 2
  EXPECT_EQ(dialogs->Errors().front(), QStringLiteral("Field 'head' not found."));
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(view.ItemIndex(), 2);
}

TEST_F(ListViewNotes, HandlerThatClearsTheRowsDuringAClickIsSafe) {
  ClickRow(1);
  view.OnChange = [this](TListItem*, TItemChange) { view.Items().Clear(); };
  int clicks = 0;
  view.OnClick = [&] { ++clicks; };
  ClickRow(3);
  EXPECT_EQ(view.Items().Count(), 0);
  EXPECT_EQ(view.SelCount(), 0);
  EXPECT_EQ(view.ItemFocused(), nullptr);
  EXPECT_EQ(clicks, 1);
}

TEST_F(ListViewNotes, HeaderClickGivesTheColumnAndNoRowClick) {
  QHeaderView* header = view.Header();
  const QPoint second(header->sectionViewportPosition(1) + header->sectionSize(1) / 2, header->height() / 2);
  QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, second);
  const QPoint first(header->sectionViewportPosition(0) + 5, header->height() / 2);
  QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, first);
  ASSERT_EQ(notes.size(), 2u);
  EXPECT_EQ(notes[0].kind, 'h');
  EXPECT_EQ(notes[0].row, 1);
  EXPECT_EQ(notes[1].row, 0);
  // A quick second click arrives as a double click and still counts as a click.
  notes.clear();
  QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, second);
  // The window system delivers the second press of a quick pair as a double click.
  QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(second), header->viewport()->mapToGlobal(QPointF(second)),
                  Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(header->viewport(), &dbl);
  QTest::mouseRelease(header->viewport(), Qt::LeftButton, Qt::NoModifier, second);
  ASSERT_EQ(notes.size(), 2u);
  EXPECT_EQ(notes.back().kind, 'h');
  EXPECT_EQ(notes.back().row, 1);
}

TEST_F(ListViewNotes, KeyboardScrollsTheCurrentRowIntoView) {
  view.Items().Clear();
  Fill(60);
  ClickRow(0);
  Key(Qt::Key_End);
  const QRect last = view.ItemRect(view.Items()[59]);
  EXPECT_GT(view.TopIndex(), 0);
  EXPECT_LE(last.bottom(), view.viewport()->height());
  Key(Qt::Key_PageUp);
  EXPECT_EQ(view.ItemIndex(), view.TopIndex());
  Key(Qt::Key_Home);
  EXPECT_EQ(view.TopIndex(), 0);
}

TEST_F(ListViewNotes, RowsAddedAboveTheSelectionKeepTheCurrentRowAndTheRange) {
  view.Items().Clear();
  Fill(10);
  ClickRow(5);
  ClickRow(7, Qt::ControlModifier);
  notes.clear();
  // Rows inserted above and between the selected rows report their caption
  // with the positions they take; the selected rows move down with them.
  TListItem* top = view.Items().Insert(0);
  top->SetCaption(QStringLiteral("new 0"));
  view.Items().BeginUpdate();
  view.Items().Insert(7)->SetCaption(QStringLiteral("new 7"));
  view.Items().EndUpdate();
  EXPECT_EQ(notes, (std::vector<Note>{Changed(0, 6, toolkit::ctText), Changed(7, 6, toolkit::ctText)}));
  EXPECT_EQ(view.ItemIndex(), 6);
  EXPECT_EQ(view.Items()[9]->Caption(), QStringLiteral("row 7"));
  EXPECT_TRUE(view.Items()[9]->Selected());
  for (int i = 0; i < view.Items().Count(); ++i) ASSERT_EQ(view.Items()[i]->Index(), i);
  // Deleting above the selection moves it up again.
  view.Items().Delete(0);
  view.Items().Delete(0);
  EXPECT_EQ(view.ItemIndex(), 4);
  // A plain click now clears both selected rows, lowest first.
  notes.clear();
  ClickRow(0);
  EXPECT_EQ(notes, (std::vector<Note>{Changed(4, 7), Changed(7, -1), Changed(7, 0), Changed(0, 0), Clicked(0)}));
}

TEST_F(ListViewNotes, ShiftClickDeselectsOutsideRowsInOrderThenSelectsTheRange) {
  view.Items().Clear();
  Fill(12);
  ClickRow(3);                          // mark and focus on row 3
  ClickRow(10, Qt::ControlModifier);    // focus and mark move to row 10
  ClickRow(1, Qt::ControlModifier);     // and on to row 1
  ClickRow(5, Qt::ControlModifier);     // rows 1, 3, 5, 10 selected; mark on 5
  notes.clear();
  ClickRow(8, Qt::ShiftModifier);
  // Rows outside 5..8 leave in the order of their positions (1, 3, 10), the
  // rows of the range not yet selected join (6, 7, 8), then the focus moves
  // from row 5 to row 8.
  EXPECT_EQ(notes, (std::vector<Note>{Changed(1, 3), Changed(3, 5), Changed(10, 5), Changed(6, 5), Changed(7, 5),
                                      Changed(8, 5), Changed(5, 5), Changed(8, 5), Clicked(5)}));
  EXPECT_EQ(view.SelCount(), 4);
  EXPECT_EQ(view.ItemFocused(), view.Items()[8]);
  // Shift+click above the mark takes the range the other way; 6..8 leave.
  notes.clear();
  ClickRow(4, Qt::ShiftModifier);
  EXPECT_EQ(notes, (std::vector<Note>{Changed(6, 5), Changed(7, 5), Changed(8, 5), Changed(4, 4), Changed(8, 4),
                                      Changed(4, 4), Clicked(4)}));
  EXPECT_EQ(view.SelCount(), 2);
}

TEST_F(ListViewNotes, ShiftEndAndShiftHomeReportEveryRowOnce) {
  view.Items().Clear();
  Fill(300);
  ClickRow(2);
  notes.clear();
  Key(Qt::Key_End, Qt::ShiftModifier);
  // Rows 3..299 join, then the focus leaves row 2 and reaches row 299.
  ASSERT_EQ(notes.size(), 297u + 2u);
  for (int i = 0; i < 297; ++i) ASSERT_EQ(notes[i], Changed(3 + i, 2)) << i;
  EXPECT_EQ(notes[297], Changed(2, 2));
  EXPECT_EQ(notes[298], Changed(299, 2));
  EXPECT_EQ(view.SelCount(), 298);
  EXPECT_LE(view.ItemRect(view.Items()[299]).bottom(), view.viewport()->height());
  notes.clear();
  Key(Qt::Key_Home, Qt::ShiftModifier);
  // Rows 3..299 leave first, then rows 0 and 1 join; row 2, the mark, stays.
  ASSERT_EQ(notes.size(), 297u + 2u + 2u);
  for (int i = 0; i < 297; ++i) ASSERT_EQ(notes[i], Changed(3 + i, 2)) << i;
  EXPECT_EQ(notes[297], Changed(0, 0));
  EXPECT_EQ(notes[298], Changed(1, 0));
  EXPECT_EQ(notes[300], Changed(0, 0));
  EXPECT_EQ(view.SelCount(), 3);
  EXPECT_EQ(view.TopIndex(), 0);
}

TEST_F(ListViewNotes, AHandlerThatSelectsRowsDuringARangeSelectionIsFollowed) {
  view.Items().Clear();
  Fill(10);
  ClickRow(0);
  ClickRow(4, Qt::ControlModifier);
  // While row 0 leaves the selection, the handler selects row 9, beyond the
  // range and beyond the selection's span so far; it leaves in its turn.
  bool once = false;
  view.OnChange = [&](TListItem* item, TItemChange) {
    notes.push_back({'c', item->Index(), toolkit::ctState, view.ItemIndex()});
    if (item->Index() == 0 && !once) {
      once = true;
      view.Items()[9]->SetSelected(true);
    }
  };
  notes.clear();
  ClickRow(6, Qt::ShiftModifier);
  EXPECT_EQ(notes, (std::vector<Note>{Changed(0, 4), Changed(9, 4), Changed(9, 4), Changed(5, 4), Changed(6, 4),
                                      Changed(4, 4), Changed(6, 4), Clicked(4)}));
  EXPECT_EQ(view.SelCount(), 3);
  EXPECT_FALSE(view.Items()[9]->Selected());
}

TEST_F(ListViewNotes, SortedRowsKeepTheirSelectionForTheNextRange) {
  view.Items().Clear();
  Fill(6);
  ClickRow(1);
  ClickRow(4, Qt::ControlModifier);  // "row 1" and "row 4" selected, mark on "row 4"
  view.CustomSort([](TListItem* a, TListItem* b, qintptr) { return b->Caption().compare(a->Caption()); }, 0);
  // Reversed: "row 4" is now at 1, "row 1" at 4.
  EXPECT_EQ(view.ItemIndex(), 1);
  notes.clear();
  ClickRow(2, Qt::ShiftModifier);
  EXPECT_EQ(notes, (std::vector<Note>{Changed(4, 1), Changed(2, 1), Changed(1, 1), Changed(2, 1), Clicked(1)}));
  EXPECT_EQ(view.Items()[1]->Caption(), QStringLiteral("row 4"));
}

TEST_F(ListViewNotes, TheScrollRangeFollowsAFillBeforeAndAfterTheEventLoop) {
  view.Items().Clear();
  Fill(500);
  const int page = view.viewport()->height() / view.RowHeight();
  // Moving to the end at once already scrolls over the whole new range.
  Key(Qt::Key_Down);
  Key(Qt::Key_End);
  EXPECT_EQ(view.TopIndex(), 500 - page);
  EXPECT_EQ(view.verticalScrollBar()->maximum(), 500 - page);
  Fill(100);
  QApplication::processEvents();
  EXPECT_EQ(view.verticalScrollBar()->maximum(), 600 - page);
  EXPECT_EQ(view.TopIndex(), 500 - page);  // adding rows never moves the view
  view.Items().Clear();
  EXPECT_EQ(view.verticalScrollBar()->maximum(), 0);
  EXPECT_EQ(view.TopIndex(), 0);
}

// Painting: the view's colour fills the rows area and whole selected rows take
// the highlight colour while the view has the focus.
TEST(ListViewPaint, BackgroundAndWholeRowHighlight) {
  TListView view;
  view.resize(400, 200);
  view.SetColor(platform::RGB(251, 253, 255));
  view.SetRowSelect(true);
  view.Columns().Add(QStringLiteral("a"), 120);
  view.Columns().Add(QStringLiteral("b"), 120);
  for (int i = 0; i < 3; ++i) view.Items().Add()->SetCaption(QStringLiteral("x"));
  view.show();
  view.activateWindow();
  view.setFocus();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
  view.SetItemIndex(1);
  const QImage image = view.viewport()->grab().toImage();
  const int y1 = view.ItemRect(view.Items()[1]).center().y();
  const int y0 = view.ItemRect(view.Items()[0]).center().y();
  // Far right of the second column: no text there.
  EXPECT_EQ(image.pixelColor(230, y1), platform::ToQColor(platform::clHighlight));
  EXPECT_EQ(image.pixelColor(230, y0), QColor(251, 253, 255));
  // Beyond the last column the row is not highlighted.
  EXPECT_EQ(image.pixelColor(300, y1), QColor(251, 253, 255));
  // Without the focus a hidden selection shows the plain colour.
  view.clearFocus();
  QWidget other;
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  const QImage unfocused = view.viewport()->grab().toImage();
  EXPECT_EQ(unfocused.pixelColor(230, y1), QColor(251, 253, 255));
}

// The dress marks stretches of a cell's shown text in the mark colours, as
// far as the text shows before an ellipsis, and greys whole rows.
TEST(ListViewPaint, DressMarksStretchesOfShownTextAndGreysRows) {
  TListView view;
  view.resize(400, 120);
  view.SetColor(platform::RGB(251, 253, 255));
  view.Columns().Add(QStringLiteral("a"), 200);
  view.Columns().Add(QStringLiteral("b"), 60);
  view.Items().Add()->SetCaption(QStringLiteral("ab月cd"));
  view.Items()[0]->SubItems().Add(QStringLiteral("月月月月月月月月月月"));
  view.Items().Add()->SetCaption(QStringLiteral("灰色的行"));
  // Shown through a display function: the marks count in the shown text.
  view.SetDisplayText([](const QString& s) { return QStringLiteral("[") + s; });
  QList<QString> asked;
  TCellDress dress;
  dress.marks = [&](const TListItem* item, int column, const QString& shown) {
    asked << shown;
    if (item->Index() != 0) return QList<TTextMark>();
    return column == 0 ? QList<TTextMark>{{3, 1}} : QList<TTextMark>{{8, 2}};
  };
  dress.greyed = [](const TListItem* item) { return item->Index() == 1; };
  dress.markColor = platform::RGB(200, 40, 10);
  dress.markTextColor = platform::RGB(255, 255, 254);
  dress.greyColor = platform::RGB(130, 131, 132);
  view.SetCellDress(dress);
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  const QImage image = view.viewport()->grab().toImage();
  EXPECT_TRUE(asked.contains(QStringLiteral("[ab月cd")));
  const QFontMetrics fm(view.font());
  const QRect row0 = view.ItemRect(view.Items()[0]);
  auto count = [&](const QRect& r, const QColor& c) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
      for (int x = r.left(); x <= r.right(); ++x) n += image.pixelColor(x, y) == c;
    return n;
  };
  // The mark starts where "[ab" ends (6 is the text's indent) and is one character wide.
  const int left = 6 + fm.horizontalAdvance(QStringLiteral("[ab"));
  const int width = fm.horizontalAdvance(QStringLiteral("月"));
  const QColor mark(200, 40, 10);
  EXPECT_EQ(image.pixelColor(left, row0.top() + 1), mark);
  EXPECT_EQ(image.pixelColor(left + width - 1, row0.top() + 1), mark);
  EXPECT_NE(image.pixelColor(left - 1, row0.top() + 1), mark);
  EXPECT_NE(image.pixelColor(left + width, row0.top() + 1), mark);
  // The marked character's strokes are light (the mark text colour blended
  // into the mark), where the view's own black text would be darker than it.
  auto inked = [&](const QRect& r, const std::function<bool(QColor)>& ink) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
      for (int x = r.left(); x <= r.right(); ++x) n += ink(image.pixelColor(x, y));
    return n;
  };
  const QRect markRect(left, row0.top(), width, row0.height());
  EXPECT_GT(inked(markRect, [](QColor c) { return qGray(c.rgb()) > qGray(qRgb(200, 40, 10)) + 60; }), 5);
  EXPECT_EQ(inked(markRect, [](QColor c) { return qGray(c.rgb()) < qGray(qRgb(200, 40, 10)) - 30; }), 0);
  // The second column's mark lies past its ellipsis: nothing of it shows.
  EXPECT_EQ(count(QRect(200, row0.top(), 60, row0.height()), mark), 0);
  // The greyed row's text is in the grey colour, and nothing of it is marked.
  const QRect row1 = view.ItemRect(view.Items()[1]);
  // Its strokes blend the grey into the white rows: none darker than the grey.
  const QRect greyRow(0, row1.top(), 200, row1.height());
  EXPECT_GT(inked(greyRow, [](QColor c) { return qGray(c.rgb()) < 230; }), 10);
  EXPECT_EQ(inked(greyRow, [](QColor c) { return qGray(c.rgb()) < 128; }), 0);
  EXPECT_EQ(count(QRect(0, row1.top(), 400, row1.height()), mark), 0);
  // Undressed, the rows paint as ever.
  view.SetCellDress({});
  const QImage plain = view.viewport()->grab().toImage();
  EXPECT_NE(plain.pixelColor(left, row0.top() + 1), mark);
}

TEST(ListViewPaint, FlatScrollBarsPaintWithoutEdges) {
  TListView view;
  view.resize(200, 120);
  view.Columns().Add(QStringLiteral("a"), 100);
  for (int i = 0; i < 40; ++i) view.Items().Add()->SetCaption(QString::number(i));
  view.show();
  QScrollBar* bar = view.verticalScrollBar();
  ASSERT_TRUE(bar->isVisible());
  view.SetFlatScrollBars(true);
  const QImage flat = bar->grab().toImage();
  // The thumb sits right below the up arrow at the top: a flat box with a
  // one-pixel shadow outline around button-face colour.
  const int x = flat.width() / 2;
  bool shadowSeen = false, faceSeen = false;
  for (int y = 0; y < flat.height() / 2; ++y) {
    shadowSeen |= flat.pixelColor(0, y) == platform::ToQColor(platform::clBtnShadow);
    faceSeen |= flat.pixelColor(x - 4, y) == platform::ToQColor(platform::clBtnFace);
  }
  EXPECT_TRUE(shadowSeen);
  EXPECT_TRUE(faceSeen);
  // Highlight-coloured 3-D edges never appear on a flat bar.
  for (int y = 0; y < flat.height(); ++y) EXPECT_NE(flat.pixelColor(1, y), QColor(Qt::white)) << y;
  view.SetFlatScrollBars(false);
  EXPECT_NE(bar->grab().toImage(), flat);
}

}  // namespace
