#include "toolkit/ListItems.h"

#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <numeric>

#include "toolkit/Exception.h"
#include "toolkit/IdleWork.h"
#include "toolkit/ListView.h"

namespace toolkit {

void RaiseListIndexError(int index) {
  throw EInvalidOperation(QStringLiteral("List index out of bounds (%1)").arg(index));
}

// ---- sub-items ----------------------------------------------------------

int TListSubItems::Add(const QString& text) {
  // Room for one text per column at once, so that filling a row allocates once.
  if (strings_.isEmpty()) strings_.reserve(std::max<qsizetype>(1, owner_->view_->Columns().Count() - 1));
  strings_.append(text);
  Changed();
  return Count() - 1;
}

void TListSubItems::Clear() {
  if (strings_.isEmpty()) return;
  strings_.clear();
  Changed();
}

void TListSubItems::Delete(int index) {
  if (index < 0 || index >= Count()) RaiseListIndexError(index);
  strings_.removeAt(index);
  Changed();
}

QString TListSubItems::Strings(int index) const {
  if (index < 0 || index >= Count()) RaiseListIndexError(index);
  return strings_.at(index);
}

void TListSubItems::SetStrings(int index, const QString& text) {
  if (index < 0 || index >= Count()) RaiseListIndexError(index);
  if (strings_.at(index) == text) return;
  strings_[index] = text;
  Changed();
}

void TListSubItems::Changed() { owner_->view_->RepaintRow(owner_); }

// ---- items --------------------------------------------------------------

void TListItem::SetCaption(const QString& caption) {
  // Every assignment is reported, as the rows' text is handed to the control
  // anew each time; the change handlers rely on seeing rows being filled.
  caption_ = caption;
  view_->RepaintRow(this);
  view_->Change(this, ctText);
}

QString TListItem::ColumnText(int column) const {
  if (column == 0) return caption_;
  if (column < 0 || column > subItems_.Count()) return QString();
  return subItems_.strings_.at(column - 1);
}

void TListItem::SetSelected(bool selected) { view_->SetItemState(this, TListView::kSelected, selected, false); }

void TListItem::SetFocused(bool focused) { view_->SetItemState(this, TListView::kFocused, false, focused); }

void TListItem::MakeVisible() { view_->EnsureVisible(index_); }

void TListItem::Delete() { view_->items_.Delete(Index()); }

// ---- where the rows live ------------------------------------------------

// A slab of rows: blocks of row-sized slots handed out in order, slots given
// back reused first. When the last row goes, every block goes with it.
class TListItems::Storage {
 public:
  void* Take() {
    ++live_;
    if (!free_.empty()) {
      void* slot = free_.back();
      free_.pop_back();
      return slot;
    }
    if (used_ == kRowsPerBlock) {
      blocks_.push_back(std::make_unique<Slot[]>(kRowsPerBlock));
      used_ = 0;
    }
    return &blocks_.back()[used_++];
  }
  void Give(void* slot) {
    if (--live_ > 0) {
      free_.push_back(slot);
      return;
    }
    blocks_.clear();
    free_.clear();
    used_ = kRowsPerBlock;
  }

 private:
  struct alignas(TListItem) Slot {
    unsigned char bytes[sizeof(TListItem)];
  };
  static constexpr int kRowsPerBlock = 256;
  std::vector<std::unique_ptr<Slot[]>> blocks_;
  std::vector<void*> free_;
  int used_ = kRowsPerBlock;
  size_t live_ = 0;
};

// The rows of one large clear with the storage they live in, which goes once
// every row in it has been destroyed.
struct TListItems::Cleared {
  std::vector<TListItem*> rows;
  std::unique_ptr<Storage> storage;
  size_t next = 0;
  ~Cleared() {
    for (; next < rows.size(); ++next) rows[next]->~TListItem();
  }
};

namespace {

// Clears of fewer rows free them at once.
constexpr size_t kFreeAtOnce = 4096;

}  // namespace

TListItems::TListItems(TListView* view) : view_(view), storage_(std::make_unique<Storage>()) {}

TListItems::~TListItems() { FreeAll(); }

void TListItems::FreeAll() {
  for (TListItem* item : items_) Free(item);
  items_.clear();
}

bool TListItems::FreeCleared() {
  QElapsedTimer clock;
  clock.start();
  while (!cleared_.empty()) {
    Cleared& c = *cleared_.front();
    // The clock is read every few hundred rows: reading it costs more than freeing one.
    for (int n = 0; c.next < c.rows.size();) {
      c.rows[c.next++]->~TListItem();
      if (++n == 256) {
        n = 0;
        if (clock.nsecsElapsed() >= kIdleSliceNanoseconds) return true;
      }
    }
    cleared_.erase(cleared_.begin());
  }
  return false;
}

void TListItems::ScheduleFreeCleared() {
  if (freePosted_) return;
  freePosted_ = true;
  QTimer::singleShot(kIdlePauseMilliseconds, view_, [this] {
    freePosted_ = false;
    if (BackgroundWork::Running() || FreeCleared()) ScheduleFreeCleared();
  });
}

TListItem* TListItems::New() { return new (storage_->Take()) TListItem(view_); }

void TListItems::Free(TListItem* item) {
  item->~TListItem();
  storage_->Give(item);
}

// ---- the rows in order --------------------------------------------------

TListItem* TListItems::Add() { return Insert(Count()); }

TListItem* TListItems::Insert(int index) {
  if (index < 0 || index > Count()) RaiseListIndexError(index);
  TListItem* item = New();
  items_.insert(items_.begin() + index, item);
  Renumber(index);
  view_->RowsInserted(index, 1);
  return item;
}

void TListItems::Renumber(int from) {
  for (size_t i = static_cast<size_t>(from); i < items_.size(); ++i) items_[i]->index_ = static_cast<int>(i);
}

void TListItems::Clear() {
  if (items_.empty()) return;
  // Take the list apart before freeing the rows, so nothing reaches a freed row.
  std::vector<TListItem*> old;
  old.swap(items_);
  view_->RowsCleared();
  if (old.size() < kFreeAtOnce) {
    for (TListItem* item : old) Free(item);
    return;
  }
  // Every row goes, so their storage goes with them; new rows take a fresh one.
  auto cleared = std::make_unique<Cleared>();
  cleared->rows = std::move(old);
  cleared->storage = std::move(storage_);
  storage_ = std::make_unique<Storage>();
  cleared_.push_back(std::move(cleared));
  ScheduleFreeCleared();
}

void TListItems::Delete(int index) {
  TListItem* item = Item(index);
  if (!view_->SetItemState(item, TListView::kSelected | TListView::kFocused, false, false)) return;
  const int at = IndexOf(item);
  if (at < 0) return;
  items_.erase(items_.begin() + at);
  Renumber(at);
  view_->RowRemoved(item, at);
  Free(item);
}

void TListItems::Sort(const std::function<bool(TListItem* a, TListItem* b)>& less) {
  SortByPosition([&](int a, int b) { return less(At(a), At(b)); });
}

void TListItems::SortByPosition(const std::function<bool(int a, int b)>& less) {
  std::vector<int> order(items_.size());
  std::iota(order.begin(), order.end(), 0);
  // The order is worked out on positions first: a compare function that
  // raises leaves the rows as they were.
  std::stable_sort(order.begin(), order.end(), less);
  std::vector<TListItem*> sorted;
  sorted.reserve(items_.size());
  for (const int i : order) sorted.push_back(At(i));
  items_.swap(sorted);
  Renumber(0);
}

TListItem* TListItems::Item(int index) const {
  if (index < 0 || index >= Count()) RaiseListIndexError(index);
  return items_[static_cast<size_t>(index)];
}

int TListItems::IndexOf(const TListItem* item) const {
  if (item == nullptr || item->view_ != view_) return -1;
  const int index = item->index_;
  return index >= 0 && index < Count() && At(index) == item ? index : -1;
}

void TListItems::BeginUpdate() { ++updateCount_; }

void TListItems::EndUpdate() {
  if (updateCount_ == 0) return;
  if (--updateCount_ == 0) view_->RowsChanged();
}

}  // namespace toolkit
