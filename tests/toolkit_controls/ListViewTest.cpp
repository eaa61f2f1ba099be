// The list view's notifications: which of OnChange and OnClick fire, in which
// order and with which rows, for mouse, keyboard, clearing, filling and code.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QScrollBar>
#include <QTest>

#include "tests/support/TestSupport.h"
#include "toolkit/Exception.h"
#include "toolkit/ListView.h"

using toolkit::TItemChange;
using toolkit::TListItem;
using toolkit::TListView;

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
