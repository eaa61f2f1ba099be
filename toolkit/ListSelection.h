#pragma once
// What a report list view knows of its selection beyond the rows' own
// selected and focused flags: how many rows are selected, a span of positions
// known to hold every selected row, the focused row and the mark a range
// selection starts from. The view reports each row that joins or leaves the
// selection, and each change of its rows (added, one removed, all reordered,
// all cleared); the span stays true without a row being visited, so asking
// for the first selected row or clearing the selection walks the span only.
#include <QtGlobal>

namespace toolkit {

class TListItem;

class ListSelection {
 public:
  int Count() const { return count_; }
  // Every selected row lies within First()..Last() (meaningful while Count() > 0).
  int First() const { return first_; }
  int Last() const { return last_; }
  // The lowest selected row was found at `index`: the span starts there. The
  // view answers a question with this, so it is allowed on a const selection.
  void FoundFirst(int index) const { first_ = index; }
  // Counts the rows that joined or left, so that a walk over the rows notices
  // a handler that changed the selection meanwhile.
  unsigned Changes() const { return changes_; }

  // The row at `index` joined the selection; the span widens to hold it.
  void Joined(int index);
  // A row left the selection; the span stays as it is.
  void Left();

  TListItem* Focused() const { return focused_; }
  void SetFocused(TListItem* row) { focused_ = row; }
  // The row a Shift range starts from; nullptr until a row is selected or focused.
  TListItem* Mark() const { return mark_; }
  void SetMark(TListItem* row) { mark_ = row; }

  // `count` rows were inserted at `index`; the rows from there on moved down.
  void RowsInserted(int index, int count);
  // The row that stood at `index` is gone (`selected`: it was still selected);
  // the rows after it moved up.
  void RowRemoved(const TListItem* row, bool selected, int index);
  // The `count` rows were put in a new order: the span becomes all of them.
  void Reordered(int count);
  // Every row is gone.
  void Clear();

 private:
  int count_ = 0;
  mutable int first_ = 0;
  int last_ = -1;
  unsigned changes_ = 0;
  TListItem* focused_ = nullptr;
  TListItem* mark_ = nullptr;
};

}  // namespace toolkit
