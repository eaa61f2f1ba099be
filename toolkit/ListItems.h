#pragma once
// The rows of a report list view: each row (TListItem) has a caption shown in
// column 0, sub-item texts for the columns after it and a data value the
// program attaches (a record number, say). TListItems holds them in display
// order and owns their memory: rows live side by side in blocks, and the rows
// of a large clear are freed a slice at a time while the event loop idles.
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

namespace toolkit {

class TListView;
class TListItem;

enum TItemChange { ctText, ctImage, ctState };

// Sub-item texts of one row; changing them repaints the row.
class TListSubItems {
 public:
  int Count() const { return static_cast<int>(strings_.size()); }
  // Appends a text and returns its index.
  int Add(const QString& text);
  void Clear();
  void Delete(int index);
  // The text at an index; raises EInvalidOperation outside 0..Count()-1.
  QString Strings(int index) const;
  void SetStrings(int index, const QString& text);
  QString operator[](int index) const { return Strings(index); }
  const QStringList& ToStringList() const { return strings_; }

 private:
  friend class TListItem;
  explicit TListSubItems(TListItem* owner) : owner_(owner) {}
  void Changed();
  TListItem* owner_;
  QStringList strings_;
};

// One row. Rows are owned by their view; pointers stay valid until the row is
// deleted or the rows are cleared.
class TListItem {
 public:
  TListView* ListView() const { return view_; }
  // The row's position. While a sort's compare function runs, rows still
  // report the positions they had before that sort.
  int Index() const { return index_; }

  QString Caption() const { return caption_; }
  void SetCaption(const QString& caption);
  TListSubItems& SubItems() { return subItems_; }
  const TListSubItems& SubItems() const { return subItems_; }
  // Text of a column: 0 is the caption, k >= 1 is sub-item k-1 ("" when absent).
  QString ColumnText(int column) const;

  QVariant Data() const { return data_; }
  void SetData(const QVariant& data) { data_ = data; }

  bool Selected() const { return selected_; }
  void SetSelected(bool selected);
  bool Focused() const { return focused_; }
  void SetFocused(bool focused);
  // Scrolls the view so that the row shows.
  void MakeVisible();
  void Delete();

 private:
  friend class TListView;
  friend class TListItems;
  friend class TListSubItems;
  explicit TListItem(TListView* view) : view_(view), subItems_(this) {}

  TListView* view_;
  QString caption_;
  TListSubItems subItems_;
  QVariant data_;
  int index_ = -1;
  bool selected_ = false;
  bool focused_ = false;
};

// The rows of a view, in display order.
class TListItems {
 public:
  ~TListItems();
  int Count() const { return static_cast<int>(items_.size()); }
  // Appends an empty row and returns it; nothing is reported until its caption is set.
  TListItem* Add();
  // Inserts an empty row before `index` (0..Count()).
  TListItem* Insert(int index);
  // Removes every row without reporting changes. The rows of a large table
  // are taken out at once and freed a slice at a time afterwards, while the
  // event loop idles; pointers to them are invalid from here on all the same.
  void Clear();
  // Removes one row; its selection and focus are taken off first (and reported).
  void Delete(int index);
  // The row at an index; raises EInvalidOperation outside 0..Count()-1.
  TListItem* Item(int index) const;
  TListItem* operator[](int index) const { return Item(index); }
  int IndexOf(const TListItem* item) const;
  // Whether rows of earlier clears are still waiting to be freed.
  bool FreeingCleared() const { return !cleared_.empty(); }
  // Painting waits until the matching EndUpdate.
  void BeginUpdate();
  void EndUpdate();

 private:
  friend class TListView;
  friend class TListItem;
  class Storage;
  struct Cleared;
  explicit TListItems(TListView* view);
  // Puts the rows in the order `less` gives, keeping rows that compare equal
  // in their order. When `less` raises, the order is left untouched.
  void Sort(const std::function<bool(TListItem* a, TListItem* b)>& less);
  // The same with `less` comparing the rows' positions before the sort.
  void SortByPosition(const std::function<bool(int a, int b)>& less);
  // Frees every row at once, reporting nothing.
  void FreeAll();
  // Frees rows of earlier clears for a slice of time; true when some are left.
  bool FreeCleared();
  void ScheduleFreeCleared();
  // Gives the rows from `from` on their positions again.
  void Renumber(int from);
  TListItem* At(int index) const { return items_[static_cast<size_t>(index)]; }
  TListItem* New();
  void Free(TListItem* item);
  TListView* view_;
  std::vector<TListItem*> items_;
  // Where the rows live: blocks of rows side by side, so that adding, sorting
  // and clearing many rows touch memory in few places.
  std::unique_ptr<Storage> storage_;
  // Cleared rows not freed yet, oldest first.
  std::vector<std::unique_ptr<Cleared>> cleared_;
  bool freePosted_ = false;
  int updateCount_ = 0;
};

// Raises EInvalidOperation "List index out of bounds (index)".
[[noreturn]] void RaiseListIndexError(int index);

}  // namespace toolkit
