#pragma once
// A report-style list view: a header of columns over rows of text (the rows,
// TListItem in TListItems, are declared in ListItems.h). Its work lies in
// files of their own: the rows and their memory (ListItems.cpp), the
// selection (ListSelection.cpp), painting (ListViewPaint.cpp), mouse and keys
// (ListViewInput.cpp) and the flat scroll bars' style (FlatScrollBarStyle.cpp);
// ListView.cpp itself holds the columns, the layout, scrolling and sorting.
//
// The view keeps its own selection and focus and reports every change of a
// row the way the program's handlers expect it:
//   - OnChange(item, ctState) for each row whose selected or focused state
//     changes, by mouse, keyboard or code. A plain click on another row first
//     deselects the old rows, then takes the focus off the old focused row and
//     finally reports the new row, which is already selected during the earlier
//     reports; so the last report always shows the row finally selected.
//   - OnChange(item, ctText) each time a row's caption is assigned (rows being
//     filled report once per caption); sub-item texts report nothing.
//   - Clearing the rows and sorting them report nothing.
// Each of these costs only the rows it touches (inserting or deleting a row
// before others also renumbers those): rows know their own position, the
// selection's span is kept, and only rows on the screen are repainted; the
// scroll range follows added rows once control returns to the event loop (or
// at once when the view needs it).
//   - OnClick after a left-button click anywhere in the rows area, empty space
//     included, once the button is released; keyboard moves never raise it.
//   - OnColumnClick(index) when a column header is clicked (or Ctrl and the
//     column's number, 1 to 9, is pressed).
// Every handler runs through the toolkit's dispatcher: an error ends that
// handler and shows the default error box; the view carries on.
#include <QAbstractScrollArea>
#include <QList>
#include <functional>
#include <memory>
#include <vector>

#include "platform/Color.h"
#include "toolkit/DisplayText.h"
#include "toolkit/ListItems.h"
#include "toolkit/ListSelection.h"

class QHeaderView;
class QPainter;
class QStandardItemModel;

namespace toolkit {

// A column of the header.
class TListColumn {
 public:
  int Index() const { return index_; }
  QString Caption() const;
  void SetCaption(const QString& caption);
  int Width() const;
  void SetWidth(int width);

 private:
  friend class TListColumns;
  TListColumn(TListView* view, int index) : view_(view), index_(index) {}
  TListView* view_;
  int index_;
};

class TListColumns {
 public:
  int Count() const { return static_cast<int>(columns_.size()); }
  TListColumn* Add(const QString& caption = QString(), int width = 50);
  TListColumn* Item(int index) const;
  TListColumn* operator[](int index) const { return Item(index); }
  void Clear();

 private:
  friend class TListView;
  explicit TListColumns(TListView* view) : view_(view) {}
  TListView* view_;
  std::vector<std::unique_ptr<TListColumn>> columns_;
};

// A stretch of a cell's shown text: start and length in UTF-16 units of it.
struct TTextMark {
  int start = 0;
  int length = 0;
  bool operator==(const TTextMark&) const = default;
};

// How painted cells are dressed beyond the view's own colours: stretches of a
// cell's shown text drawn in the mark colours, and rows drawn in the grey
// text colour (entries that cannot be opened). Unset, rows paint as ever.
struct TCellDress {
  std::function<QList<TTextMark>(const TListItem* item, int column, const QString& shown)> marks;
  std::function<bool(const TListItem* item)> greyed;
  platform::TColor markColor = platform::clHighlight;
  platform::TColor markTextColor = platform::clHighlightText;
  platform::TColor greyColor = platform::clGrayText;
};

// Compares two rows: negative when item1 goes first. `data` is the value
// handed to CustomSort.
using TLVCompare = std::function<int(TListItem* item1, TListItem* item2, qintptr data)>;

class TListView : public QAbstractScrollArea {
  Q_OBJECT
  Q_PROPERTY(int Color READ Color WRITE SetColor)
  Q_PROPERTY(int Tag READ Tag WRITE SetTag)
  Q_PROPERTY(bool MultiSelect READ MultiSelect WRITE SetMultiSelect)
  Q_PROPERTY(bool RowSelect READ RowSelect WRITE SetRowSelect)
  Q_PROPERTY(bool ReadOnly READ ReadOnly)
  Q_PROPERTY(bool HideSelection READ HideSelection WRITE SetHideSelection)
  Q_PROPERTY(bool FlatScrollBars READ FlatScrollBars WRITE SetFlatScrollBars)
  Q_PROPERTY(bool GridLines READ GridLines WRITE SetGridLines)
  Q_PROPERTY(int ItemIndex READ ItemIndex WRITE SetItemIndex)

 public:
  explicit TListView(QWidget* parent = nullptr);
  ~TListView() override;

  TListItems& Items() { return items_; }
  const TListItems& Items() const { return items_; }
  TListColumns& Columns() { return columns_; }
  const TListColumns& Columns() const { return columns_; }
  // The header control, for painters that dress it.
  QHeaderView* Header() const { return header_; }

  platform::TColor Color() const { return color_; }
  void SetColor(platform::TColor color);
  platform::TColor FontColor() const { return fontColor_; }
  void SetFontColor(platform::TColor color);
  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }
  bool MultiSelect() const { return multiSelect_; }
  void SetMultiSelect(bool multi);
  // Whole-row selection: the highlight spans every column.
  bool RowSelect() const { return rowSelect_; }
  void SetRowSelect(bool rowSelect);
  // Rows are never edited in place.
  bool ReadOnly() const { return true; }
  // When true, the selection is not highlighted while the view lacks the focus.
  bool HideSelection() const { return hideSelection_; }
  void SetHideSelection(bool hide);
  // Flat scroll bars: no 3-D edges on the arrows, thumb and track.
  bool FlatScrollBars() const { return flatScrollBars_; }
  void SetFlatScrollBars(bool flat);
  bool GridLines() const { return gridLines_; }
  void SetGridLines(bool grid);

  // Index of the first selected row, -1 when none.
  int ItemIndex() const;
  // Selects and focuses that row alone; -1 clears the selection.
  void SetItemIndex(int index);
  // The first selected row (lowest position), nullptr when none.
  TListItem* Selected() const;
  // Selects a row (in a multi-selection view the others stay selected);
  // nullptr clears the selection.
  void SetSelected(TListItem* item);
  int SelCount() const;
  TListItem* ItemFocused() const;
  void SetItemFocused(TListItem* item);
  void ClearSelection();
  void SelectAll();
  // While one action changes the selection of many rows (a range, a clear, a
  // select-all, a plain selection that drops the others), the number of that
  // action; 0 otherwise. An OnChange handler tells by it the reports of one
  // action, between which nothing but the handlers themselves runs.
  unsigned SelectionAction() const { return actionDepth_ > 0 ? action_ : 0; }
  // The row at a point of the widget, nullptr over empty space and the header.
  TListItem* GetItemAt(int x, int y) const;
  // A row's rectangle in widget coordinates (right and bottom exclusive).
  QRect ItemRect(const TListItem* item) const;
  int RowHeight() const;
  int TopIndex() const;

  // Re-orders the rows with `compare` (nullptr: the default order, see
  // AlphaSort). Selection and focus travel with their rows; nothing is
  // reported. Rows that compare equal keep their relative order. When the
  // compare function raises, the order is left untouched and the error goes on.
  bool CustomSort(const TLVCompare& compare, qintptr data);
  // The same with `less` given the positions the rows have before the sort,
  // for a caller that has worked out a key for each position beforehand: the
  // comparisons then need not reach the rows themselves, spread in memory.
  void SortByPosition(const std::function<bool(int a, int b)>& less);
  // Sorts by OnCompare when assigned, otherwise by caption, ignoring case.
  bool AlphaSort();

  // Rows are painted through `display`; captions and sub-items keep their stored
  // texts. Setting it repaints; so does RefreshDisplayText after the function
  // itself starts to answer differently.
  void SetDisplayText(TDisplayText display);
  void RefreshDisplayText();
  const TDisplayText& DisplayText() const { return display_; }

  // Dresses the cells as `dress` says from the next paint on (repaints).
  void SetCellDress(TCellDress dress);
  const TCellDress& CellDress() const { return dress_; }

  std::function<void(TListItem* item, TItemChange change)> OnChange;
  std::function<void()> OnClick;
  std::function<void()> OnDblClick;
  std::function<void(int column)> OnColumnClick;
  // The default comparison of AlphaSort: set `compare` negative when item1 goes first.
  std::function<void(TListItem* item1, TListItem* item2, qintptr data, int& compare)> OnCompare;

 protected:
  // Raises OnChange; subclasses may extend.
  virtual void Change(TListItem* item, TItemChange change);
  virtual void Click();
  virtual void ColumnClick(int column);

  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  bool viewportEvent(QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  friend class TListItem;
  friend class TListItems;
  friend class TListColumn;
  friend class TListColumns;
  friend class TListSubItems;

  enum StateMask { kSelected = 1, kFocused = 2 };
  // ---- selection (ListSelection.cpp) ----
  // Changes the selected/focused state of a row and reports it. Taking the
  // focus moves it off the previously focused row, which is reported first.
  // Returns false when a handler removed rows meanwhile.
  bool SetItemState(TListItem* item, int mask, bool selected, bool focused);
  // Takes a row's selected flag to `selected`, keeping the count and the span.
  void FlipSelected(TListItem* item, bool selected);
  // Deselects every row but `keep`; false when a handler removed rows meanwhile.
  bool DeselectAllExcept(const TListItem* keep);
  // Selects one row alone and focuses it (a plain click or arrow key).
  void SetSelection(TListItem* item);
  // Selects the rows from the selection mark to `item` alone and focuses `item`.
  void SetGroupSelection(TListItem* item);
  // Deselects the selected rows outside lo..hi, lowest first; false when a
  // handler removed rows meanwhile.
  bool DeselectOutside(int lo, int hi);

  // ---- what the rows tell the view (ListView.cpp) ----
  // Every row is gone: selection, focus and a pending press are forgotten.
  void RowsCleared();
  // The row that stood at `index` is gone (the rows after it are renumbered already).
  void RowRemoved(const TListItem* item, int index);
  // Rows were added at `index` (the rows after it moved down by `count`).
  void RowsInserted(int index, int count);
  // Rows were removed or columns changed: everything is laid out again.
  void RowsChanged();
  // The rows were put in another order: the selection's bounds widen to all of them.
  void Reordered();
  void RepaintRow(const TListItem* item);
  // Repaints the rows from `index` to the bottom of the view, if any of them shows.
  void RepaintFrom(int index);

  // ---- input (ListViewInput.cpp) ----
  void KeySelect(int index, Qt::KeyboardModifiers mods, bool space);

  // ---- layout and scrolling (ListView.cpp) ----
  void EnsureVisible(int index);
  int IndexAt(const QPoint& viewportPos) const;
  int RowsPerPage() const;
  int TotalColumnWidth() const;
  void UpdateScrollBars();
  // Brings a scroll range left behind by added rows up to date.
  void FlushScrollRange();
  void UpdateHeaderGeometry();
  void ApplyScrollBarStyle();
  void UpdateRowHeight();

  // ---- painting (ListViewPaint.cpp) ----
  struct RowLook;
  void PaintRow(QPainter& p, const TListItem* item, const QRect& row, const RowLook& look);
  // Draws the dress's marks over a cell's text, as far as the text shows.
  void PaintMarks(QPainter& p, const TListItem* item, int column, const QRect& textRect, const QString& shown,
                  const QString& drawn, const RowLook& look);

  TListItems items_;
  TListColumns columns_;
  QHeaderView* header_;
  QStandardItemModel* headerModel_;
  platform::TColor color_ = platform::clWindow;
  platform::TColor fontColor_ = platform::clWindowText;
  int tag_ = 0;
  bool multiSelect_ = false;
  bool rowSelect_ = false;
  bool hideSelection_ = true;
  bool flatScrollBars_ = false;
  bool gridLines_ = false;
  int rowHeight_ = 16;
  ListSelection selection_;
  // The scroll range lags behind added rows until FlushScrollRange.
  bool scrollRangeStale_ = false;
  bool flushPosted_ = false;
  // Row pressed while already selected: the others are deselected on release.
  TListItem* pressedSelected_ = nullptr;
  bool leftPressed_ = false;
  // Counts removals of rows, so that state changes notice handlers that removed rows.
  unsigned generation_ = 0;
  // The selection action under way (SelectionAction) and how deep its calls nest.
  class SelectionActionScope;
  unsigned action_ = 0;
  int actionDepth_ = 0;
  TDisplayText display_;
  TCellDress dress_;
};

}  // namespace toolkit
