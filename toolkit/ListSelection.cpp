// The selection's bookkeeping, and the view's selection operations built on it.
#include "toolkit/ListSelection.h"

#include <algorithm>

#include "toolkit/ListView.h"

namespace toolkit {

// ---- the bookkeeping ----------------------------------------------------

void ListSelection::Joined(int index) {
  ++count_;
  ++changes_;
  if (count_ == 1) {
    first_ = last_ = index;
    return;
  }
  first_ = std::min(first_, index);
  last_ = std::max(last_, index);
}

void ListSelection::Left() {
  --count_;
  ++changes_;
}

void ListSelection::RowsInserted(int index, int count) {
  if (count_ == 0) return;
  if (index <= first_) first_ += count;
  if (index <= last_) last_ += count;
}

void ListSelection::RowRemoved(const TListItem* row, bool selected, int index) {
  if (selected) --count_;
  if (focused_ == row) focused_ = nullptr;
  if (mark_ == row) mark_ = nullptr;
  if (count_ == 0) return;
  if (index < first_) --first_;
  if (index <= last_) --last_;
}

void ListSelection::Reordered(int count) {
  if (count_ == 0) return;
  first_ = 0;
  last_ = count - 1;
}

void ListSelection::Clear() {
  count_ = 0;
  first_ = 0;
  last_ = -1;
  focused_ = nullptr;
  mark_ = nullptr;
}

// ---- the view's selection -----------------------------------------------

int TListView::ItemIndex() const {
  TListItem* item = Selected();
  return item == nullptr ? -1 : item->index_;
}

void TListView::SetItemIndex(int index) {
  if (index == -1) {
    ClearSelection();
    return;
  }
  SetSelection(items_.Item(index));
}

TListItem* TListView::Selected() const {
  if (selection_.Count() == 0) return nullptr;
  // The span's start moves up to the first selected row, so repeated asks cost nothing.
  for (int i = std::max(selection_.First(), 0); i < items_.Count(); ++i) {
    if (items_.At(i)->selected_) {
      selection_.FoundFirst(i);
      return items_.At(i);
    }
  }
  return nullptr;
}

void TListView::SetSelected(TListItem* item) {
  if (item == nullptr) {
    ClearSelection();
    return;
  }
  item->SetSelected(true);
}

int TListView::SelCount() const { return selection_.Count(); }

TListItem* TListView::ItemFocused() const { return selection_.Focused(); }

void TListView::SetItemFocused(TListItem* item) {
  if (item != nullptr) {
    SetItemState(item, kFocused, false, true);
  } else if (selection_.Focused() != nullptr) {
    SetItemState(selection_.Focused(), kFocused, false, false);
  }
}

// Marks the calls of one selection action; the outermost starts a new one.
class TListView::SelectionActionScope {
 public:
  explicit SelectionActionScope(TListView& view) : view_(view) {
    if (view_.actionDepth_++ == 0 && ++view_.action_ == 0) view_.action_ = 1;
  }
  ~SelectionActionScope() { --view_.actionDepth_; }
  SelectionActionScope(const SelectionActionScope&) = delete;
  SelectionActionScope& operator=(const SelectionActionScope&) = delete;

 private:
  TListView& view_;
};

void TListView::ClearSelection() { DeselectAllExcept(nullptr); }

void TListView::SelectAll() {
  if (!multiSelect_) return;
  const SelectionActionScope action(*this);
  const unsigned generation = generation_;
  for (int i = 0; i < items_.Count() && generation == generation_; ++i) SetItemState(items_.At(i), kSelected, true, false);
}

void TListView::FlipSelected(TListItem* item, bool selected) {
  item->selected_ = selected;
  if (!selected) {
    selection_.Left();
    return;
  }
  selection_.Joined(item->index_);
  if (selection_.Mark() == nullptr) selection_.SetMark(item);
}

bool TListView::SetItemState(TListItem* item, int mask, bool selected, bool focused) {
  const unsigned generation = generation_;
  bool changed = false;
  if ((mask & kSelected) && item->selected_ != selected) {
    if (selected && !multiSelect_) {
      if (!DeselectAllExcept(item)) return false;
    }
    FlipSelected(item, selected);
    changed = true;
  }
  if ((mask & kFocused) && item->focused_ != focused) {
    TListItem* old = selection_.Focused();
    if (focused) {
      if (old != nullptr && old != item) {
        // The old row loses the focus first and is reported while the new
        // row already carries its new selection.
        if (!SetItemState(old, kFocused, false, false) || generation != generation_) return false;
      }
      if (selection_.Mark() == nullptr) selection_.SetMark(item);
      selection_.SetFocused(item);
    } else if (old == item) {
      selection_.SetFocused(nullptr);
    }
    item->focused_ = focused;
    changed = true;
  }
  if (!changed) return true;
  RepaintRow(item);
  Change(item, ctState);
  return generation == generation_;
}

bool TListView::DeselectAllExcept(const TListItem* keep) {
  const SelectionActionScope action(*this);
  const unsigned generation = generation_;
  // Only the selection's span is walked, and only until the rows to go are gone.
  auto others = [&] { return selection_.Count() - (keep != nullptr && keep->selected_ ? 1 : 0); };
  for (int i = std::max(selection_.First(), 0); others() > 0 && i <= selection_.Last() && i < items_.Count(); ++i) {
    TListItem* item = items_.At(i);
    if (item == keep || !item->selected_) continue;
    if (!SetItemState(item, kSelected, false, false) || generation != generation_) return false;
  }
  return true;
}

void TListView::SetSelection(TListItem* item) {
  if (!DeselectAllExcept(item)) return;
  if (!SetItemState(item, kSelected | kFocused, true, true)) return;
  selection_.SetMark(item);
}

bool TListView::DeselectOutside(int lo, int hi) {
  const SelectionActionScope action(*this);
  const unsigned generation = generation_;
  // Only the rows of the range and of the selection's span are visited: the
  // rows selected outside the range are counted first.
  auto outside = [&] {
    int n = selection_.Count();
    for (int i = lo; i <= hi && i < items_.Count(); ++i) n -= items_.At(i)->selected_ ? 1 : 0;
    return n;
  };
  int left = outside();
  for (int i = std::max(selection_.First(), 0); left > 0 && i <= selection_.Last() && i < items_.Count() && generation == generation_;
       ++i) {
    if (i >= lo && i <= hi) {
      i = hi;  // the range itself keeps its rows
      continue;
    }
    TListItem* row = items_.At(i);
    if (!row->selected_) continue;
    const unsigned changes = selection_.Changes();
    SetItemState(row, kSelected, false, false);
    // A handler that changed the selection meanwhile makes the rows be counted again.
    left = selection_.Changes() == changes + 1 ? left - 1 : outside();
  }
  return generation == generation_;
}

void TListView::SetGroupSelection(TListItem* item) {
  const SelectionActionScope action(*this);
  if (selection_.Mark() == nullptr) selection_.SetMark(item);
  const int a = selection_.Mark()->index_;
  const int b = item->index_;
  const int lo = std::min(a, b), hi = std::max(a, b);
  const unsigned generation = generation_;
  // Rows leave the selection before the new ones join it, in the order of their positions.
  if (!DeselectOutside(lo, hi)) return;
  for (int i = lo; i <= hi && i < items_.Count() && generation == generation_; ++i)
    SetItemState(items_.At(i), kSelected, true, false);
  if (generation == generation_) SetItemState(item, kFocused, false, true);
}

}  // namespace toolkit
