#include "toolkit/ListView.h"

#include <QElapsedTimer>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QStyleOptionSlider>
#include <QTimer>
#include <algorithm>
#include <numeric>

#include "platform/Edges.h"
#include "toolkit/Dispatch.h"
#include "toolkit/Exception.h"

namespace toolkit {

namespace {

// Space between a cell's left edge and its text.
constexpr int kTextIndent = 6;

[[noreturn]] void RaiseIndexError(int index) {
  throw EInvalidOperation(QStringLiteral("List index out of bounds (%1)").arg(index));
}

// Scroll bars without 3-D edges: a plain track, and arrows and thumb as flat
// boxes with a one-pixel shadow outline. Geometry and hit-testing stay the
// base style's, so the bars behave exactly as before.
class FlatScrollBarStyle : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;

  void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* p,
                          const QWidget* widget) const override {
    const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option);
    if (control != CC_ScrollBar || bar == nullptr) {
      QProxyStyle::drawComplexControl(control, option, p, widget);
      return;
    }
    const QColor face = platform::ToQColor(platform::clBtnFace);
    const QColor shadow = platform::ToQColor(platform::clBtnShadow);
    const QColor track = platform::ToQColor(platform::clScrollBar);
    const bool enabled = bar->state & State_Enabled;
    p->save();
    p->fillRect(bar->rect, track);
    const QRect thumb = subControlRect(CC_ScrollBar, bar, SC_ScrollBarSlider, widget);
    const QRect sub = subControlRect(CC_ScrollBar, bar, SC_ScrollBarSubLine, widget);
    const QRect add = subControlRect(CC_ScrollBar, bar, SC_ScrollBarAddLine, widget);
    for (const QRect& r : {sub, add, thumb}) {
      if (r.isEmpty() || (r == thumb && (!enabled || bar->maximum == bar->minimum))) continue;
      p->fillRect(r, face);
      p->setPen(shadow);
      p->drawRect(r.adjusted(0, 0, -1, -1));
    }
    p->setPen(Qt::NoPen);
    p->setBrush(platform::ToQColor(enabled ? platform::clBtnText : platform::clGrayText));
    const bool vertical = bar->orientation == Qt::Vertical;
    auto arrow = [&](const QRect& r, bool forward) {
      if (r.isEmpty()) return;
      const QPointF c = QRectF(r).center();
      const qreal s = std::max(2.0, std::min(r.width(), r.height()) / 5.0);
      QPolygonF tri;
      if (vertical) {
        const qreal d = forward ? s : -s;
        tri << QPointF(c.x() - 2 * s, c.y() - d / 2) << QPointF(c.x() + 2 * s, c.y() - d / 2) << QPointF(c.x(), c.y() + d * 1.5);
      } else {
        const qreal d = forward ? s : -s;
        tri << QPointF(c.x() - d / 2, c.y() - 2 * s) << QPointF(c.x() - d / 2, c.y() + 2 * s) << QPointF(c.x() + d * 1.5, c.y());
      }
      p->drawPolygon(tri);
    };
    arrow(sub, false);
    arrow(add, true);
    p->restore();
  }
};

}  // namespace

// ---- sub-items ----------------------------------------------------------

int TListSubItems::Add(const QString& text) {
  // Room for one text per column at once, so that filling a row allocates once.
  if (strings_.isEmpty()) strings_.reserve(std::max<qsizetype>(1, owner_->view_->columns_.Count() - 1));
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
  if (index < 0 || index >= Count()) RaiseIndexError(index);
  strings_.removeAt(index);
  Changed();
}

QString TListSubItems::Strings(int index) const {
  if (index < 0 || index >= Count()) RaiseIndexError(index);
  return strings_.at(index);
}

void TListSubItems::SetStrings(int index, const QString& text) {
  if (index < 0 || index >= Count()) RaiseIndexError(index);
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
// How long one slice of freeing cleared rows may take, and the pause between slices.
constexpr qint64 kFreeSliceNanoseconds = 1'000'000;
constexpr int kFreePauseMilliseconds = 4;

}  // namespace

TListItems::TListItems(TListView* view) : view_(view), storage_(std::make_unique<Storage>()) {}

TListItems::~TListItems() {
  for (TListItem* item : items_) Free(item);
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
        if (clock.nsecsElapsed() >= kFreeSliceNanoseconds) return true;
      }
    }
    cleared_.erase(cleared_.begin());
  }
  return false;
}

void TListItems::ScheduleFreeCleared() {
  if (freePosted_) return;
  freePosted_ = true;
  QTimer::singleShot(kFreePauseMilliseconds, view_, [this] {
    freePosted_ = false;
    if (FreeCleared()) ScheduleFreeCleared();
  });
}

TListItem* TListItems::New() { return new (storage_->Take()) TListItem(view_); }

void TListItems::Free(TListItem* item) {
  item->~TListItem();
  storage_->Give(item);
}

TListItem* TListItems::Add() { return Insert(Count()); }

TListItem* TListItems::Insert(int index) {
  if (index < 0 || index > Count()) RaiseIndexError(index);
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
  view_->selCount_ = 0;
  view_->focused_ = nullptr;
  view_->selectionMark_ = nullptr;
  view_->pressedSelected_ = nullptr;
  ++view_->generation_;
  view_->RowsChanged();
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
  view_->ForgetItem(item);
  items_.erase(items_.begin() + at);
  Free(item);
  Renumber(at);
  if (view_->selCount_ > 0) {
    if (at < view_->selLo_) --view_->selLo_;
    if (at <= view_->selHi_) --view_->selHi_;
  }
  ++view_->generation_;
  view_->RowsChanged();
}

TListItem* TListItems::Item(int index) const {
  if (index < 0 || index >= Count()) RaiseIndexError(index);
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

// ---- columns ------------------------------------------------------------

QString TListColumn::Caption() const {
  return view_->headerModel_->headerData(index_, Qt::Horizontal, Qt::DisplayRole).toString();
}

void TListColumn::SetCaption(const QString& caption) {
  view_->headerModel_->setHeaderData(index_, Qt::Horizontal, caption, Qt::DisplayRole);
}

int TListColumn::Width() const { return view_->header_->sectionSize(index_); }

void TListColumn::SetWidth(int width) { view_->header_->resizeSection(index_, std::max(0, width)); }

TListColumn* TListColumns::Add(const QString& caption, int width) {
  const int index = Count();
  view_->headerModel_->setColumnCount(index + 1);
  columns_.push_back(std::unique_ptr<TListColumn>(new TListColumn(view_, index)));
  TListColumn* column = columns_.back().get();
  column->SetCaption(caption);
  column->SetWidth(width);
  view_->UpdateHeaderGeometry();
  view_->RowsChanged();
  return column;
}

TListColumn* TListColumns::Item(int index) const {
  if (index < 0 || index >= Count()) RaiseIndexError(index);
  return columns_[static_cast<size_t>(index)].get();
}

void TListColumns::Clear() {
  columns_.clear();
  view_->headerModel_->setColumnCount(0);
  view_->RowsChanged();
}

// ---- the view -----------------------------------------------------------

TListView::TListView(QWidget* parent)
    : QAbstractScrollArea(parent), items_(this), columns_(this), headerModel_(new QStandardItemModel(0, 0, this)) {
  header_ = new QHeaderView(Qt::Horizontal, this);
  header_->setModel(headerModel_);
  header_->setSectionsClickable(true);
  header_->setSectionsMovable(false);
  header_->setStretchLastSection(false);
  header_->setHighlightSections(false);
  header_->setSortIndicatorShown(false);
  header_->setSectionResizeMode(QHeaderView::Interactive);
  header_->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  header_->setMinimumSectionSize(0);
  header_->setFocusPolicy(Qt::NoFocus);
  connect(header_, &QHeaderView::sectionClicked, this, [this](int column) { ColumnClick(column); });
  // The second click of a quick pair arrives as a double click: it is a column click too.
  connect(header_, &QHeaderView::sectionDoubleClicked, this, [this](int column) { ColumnClick(column); });
  connect(header_, &QHeaderView::sectionResized, this, [this] {
    UpdateScrollBars();
    viewport()->update();
  });
  setFocusPolicy(Qt::StrongFocus);
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  verticalScrollBar()->setSingleStep(1);
  viewport()->setAutoFillBackground(false);
  UpdateRowHeight();
  UpdateHeaderGeometry();
}

TListView::~TListView() {
  // Rows go first, quietly: nobody listens to a view being destroyed.
  for (TListItem* item : items_.items_) items_.Free(item);
  items_.items_.clear();
}

void TListView::SetColor(platform::TColor color) {
  if (color_ == color) return;
  color_ = color;
  viewport()->update();
}

void TListView::SetFontColor(platform::TColor color) {
  if (fontColor_ == color) return;
  fontColor_ = color;
  viewport()->update();
}

void TListView::SetMultiSelect(bool multi) {
  if (multiSelect_ == multi) return;
  multiSelect_ = multi;
  // A single-selection view keeps only the first selected row.
  if (!multi && selCount_ > 1) DeselectAllExcept(Selected());
}

void TListView::SetRowSelect(bool rowSelect) {
  if (rowSelect_ == rowSelect) return;
  rowSelect_ = rowSelect;
  viewport()->update();
}

void TListView::SetHideSelection(bool hide) {
  if (hideSelection_ == hide) return;
  hideSelection_ = hide;
  viewport()->update();
}

void TListView::SetFlatScrollBars(bool flat) {
  if (flatScrollBars_ == flat) return;
  flatScrollBars_ = flat;
  ApplyScrollBarStyle();
}

void TListView::ApplyScrollBarStyle() {
  for (QScrollBar* bar : {verticalScrollBar(), horizontalScrollBar()}) {
    QStyle* old = bar->style();
    if (flatScrollBars_) {
      auto* style = new FlatScrollBarStyle();
      style->setParent(bar);
      bar->setStyle(style);
    } else {
      bar->setStyle(nullptr);
    }
    if (auto* flat = dynamic_cast<FlatScrollBarStyle*>(old); flat != nullptr && flat->parent() == bar) flat->deleteLater();
  }
}

void TListView::SetGridLines(bool grid) {
  if (gridLines_ == grid) return;
  gridLines_ = grid;
  viewport()->update();
}

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
  if (selCount_ == 0) return nullptr;
  // The span's start moves up to the first selected row, so repeated asks cost nothing.
  for (int i = std::max(selLo_, 0); i < items_.Count(); ++i) {
    if (items_.At(i)->selected_) {
      selLo_ = i;
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

int TListView::SelCount() const { return selCount_; }

TListItem* TListView::ItemFocused() const { return focused_; }

void TListView::SetItemFocused(TListItem* item) {
  if (item != nullptr) {
    SetItemState(item, kFocused, false, true);
  } else if (focused_ != nullptr) {
    SetItemState(focused_, kFocused, false, false);
  }
}

void TListView::ClearSelection() { DeselectAllExcept(nullptr); }

void TListView::SelectAll() {
  if (!multiSelect_) return;
  const unsigned generation = generation_;
  for (int i = 0; i < items_.Count() && generation == generation_; ++i) SetItemState(items_.At(i), kSelected, true, false);
}

bool TListView::SetItemState(TListItem* item, int mask, bool selected, bool focused) {
  const unsigned generation = generation_;
  bool changed = false;
  if ((mask & kSelected) && item->selected_ != selected) {
    if (selected && !multiSelect_) {
      if (!DeselectAllExcept(item)) return false;
    }
    item->selected_ = selected;
    selCount_ += selected ? 1 : -1;
    ++selectionChanges_;
    if (selected) NoteSelected(item->index_);
    if (selected && selectionMark_ == nullptr) selectionMark_ = item;
    changed = true;
  }
  if ((mask & kFocused) && item->focused_ != focused) {
    if (focused) {
      if (focused_ != nullptr && focused_ != item) {
        // The old row loses the focus first and is reported while the new
        // row already carries its new selection.
        if (!SetItemState(focused_, kFocused, false, false) || generation != generation_) return false;
      }
      if (selectionMark_ == nullptr) selectionMark_ = item;
      focused_ = item;
    } else if (focused_ == item) {
      focused_ = nullptr;
    }
    item->focused_ = focused;
    changed = true;
  }
  if (!changed) return true;
  RepaintRow(item);
  Change(item, ctState);
  return generation == generation_;
}

void TListView::NoteSelected(int index) {
  if (selCount_ == 1) {
    selLo_ = selHi_ = index;
    return;
  }
  selLo_ = std::min(selLo_, index);
  selHi_ = std::max(selHi_, index);
}

bool TListView::DeselectAllExcept(const TListItem* keep) {
  const unsigned generation = generation_;
  // Only the selection's span is walked, and only until the rows to go are gone.
  auto others = [&] { return selCount_ - (keep != nullptr && keep->selected_ ? 1 : 0); };
  for (int i = std::max(selLo_, 0); others() > 0 && i <= selHi_ && i < items_.Count(); ++i) {
    TListItem* item = items_.At(i);
    if (item == keep || !item->selected_) continue;
    if (!SetItemState(item, kSelected, false, false) || generation != generation_) return false;
  }
  return true;
}

void TListView::SetSelection(TListItem* item) {
  if (!DeselectAllExcept(item)) return;
  if (!SetItemState(item, kSelected | kFocused, true, true)) return;
  selectionMark_ = item;
}

void TListView::SetGroupSelection(TListItem* item) {
  if (selectionMark_ == nullptr) selectionMark_ = item;
  const int a = selectionMark_->index_;
  const int b = item->index_;
  const int lo = std::min(a, b), hi = std::max(a, b);
  const unsigned generation = generation_;
  // Rows leave the selection before the new ones join it, in the order of
  // their positions. Only the rows of the range and of the selection's span
  // are visited: the rows selected outside the range are counted first.
  int inside = 0;
  for (int i = lo; i <= hi; ++i) inside += items_.At(i)->selected_ ? 1 : 0;
  auto outside = [&] {
    int n = selCount_;
    for (int i = lo; i <= hi && i < items_.Count(); ++i) n -= items_.At(i)->selected_ ? 1 : 0;
    return n;
  };
  int left = selCount_ - inside;
  for (int i = std::max(selLo_, 0); left > 0 && i <= selHi_ && i < items_.Count() && generation == generation_; ++i) {
    if (i >= lo && i <= hi) {
      i = hi;  // the range itself keeps its rows
      continue;
    }
    TListItem* row = items_.At(i);
    if (!row->selected_) continue;
    const unsigned changes = selectionChanges_;
    SetItemState(row, kSelected, false, false);
    // A handler that changed the selection meanwhile makes the rows be counted again.
    left = selectionChanges_ == changes + 1 ? left - 1 : outside();
  }
  for (int i = lo; i <= hi && i < items_.Count() && generation == generation_; ++i)
    SetItemState(items_.At(i), kSelected, true, false);
  if (generation == generation_) SetItemState(item, kFocused, false, true);
}

void TListView::ForgetItem(const TListItem* item) {
  if (item->selected_) --selCount_;
  if (focused_ == item) focused_ = nullptr;
  if (selectionMark_ == item) selectionMark_ = nullptr;
  if (pressedSelected_ == item) pressedSelected_ = nullptr;
}

void TListView::Change(TListItem* item, TItemChange change) { Raise(OnChange, item, change); }

void TListView::Click() { Raise(OnClick); }

void TListView::ColumnClick(int column) { Raise(OnColumnClick, column); }

bool TListView::CustomSort(const TLVCompare& compare, qintptr data) {
  auto& rows = items_.items_;
  std::vector<size_t> order(rows.size());
  std::iota(order.begin(), order.end(), size_t{0});
  auto less = [&](size_t a, size_t b) {
    TListItem* x = rows[a];
    TListItem* y = rows[b];
    int result = 0;
    if (compare) {
      result = compare(x, y, data);
    } else if (OnCompare) {
      OnCompare(x, y, data, result);
    } else {
      result = QString::compare(x->caption_, y->caption_, Qt::CaseInsensitive);
    }
    return result < 0;
  };
  // The order is worked out on indexes first: a compare function that raises
  // leaves the rows as they were.
  std::stable_sort(order.begin(), order.end(), less);
  std::vector<TListItem*> sorted;
  sorted.reserve(rows.size());
  for (size_t i : order) sorted.push_back(rows[i]);
  rows.swap(sorted);
  items_.Renumber(0);
  if (selCount_ > 0) {
    selLo_ = 0;
    selHi_ = items_.Count() - 1;
  }
  viewport()->update();
  return true;
}

bool TListView::AlphaSort() { return CustomSort(nullptr, 0); }

void TListView::SetDisplayText(TDisplayText display) {
  display_ = std::move(display);
  RefreshDisplayText();
}

void TListView::RefreshDisplayText() { viewport()->update(); }

// ---- geometry -----------------------------------------------------------

int TListView::RowHeight() const { return rowHeight_; }

void TListView::UpdateRowHeight() { rowHeight_ = std::max(fontMetrics().height() + 2, 16); }

int TListView::TopIndex() const { return verticalScrollBar()->value(); }

int TListView::RowsPerPage() const { return std::max(1, viewport()->height() / RowHeight()); }

int TListView::TotalColumnWidth() const {
  int total = 0;
  for (int c = 0; c < header_->count(); ++c) total += header_->sectionSize(c);
  return total;
}

QRect TListView::ItemRect(const TListItem* item) const {
  const int index = items_.IndexOf(item);
  if (index < 0) return QRect();
  const int h = RowHeight();
  return QRect(-horizontalScrollBar()->value(), (index - TopIndex()) * h, std::max(TotalColumnWidth(), 0), h);
}

int TListView::IndexAt(const QPoint& pos) const {
  if (pos.y() < 0) return -1;
  const int index = TopIndex() + pos.y() / RowHeight();
  if (index < 0 || index >= items_.Count()) return -1;
  const int x = pos.x() + horizontalScrollBar()->value();
  // Without whole-row selection only the first column takes the row.
  const int hitWidth = rowSelect_ || header_->count() == 0 ? TotalColumnWidth() : header_->sectionSize(0);
  if (x < 0 || x >= hitWidth) return -1;
  return index;
}

TListItem* TListView::GetItemAt(int x, int y) const {
  const int index = IndexAt(QPoint(x, y));
  return index < 0 ? nullptr : items_.At(index);
}

void TListView::EnsureVisible(int index) {
  if (index < 0 || index >= items_.Count()) return;
  FlushScrollRange();
  const int top = TopIndex();
  const int page = RowsPerPage();
  if (index < top) verticalScrollBar()->setValue(index);
  else if (index >= top + page) verticalScrollBar()->setValue(index - page + 1);
}

void TListView::UpdateScrollBars() {
  scrollRangeStale_ = false;
  const int page = RowsPerPage();
  QScrollBar* v = verticalScrollBar();
  v->setPageStep(page);
  v->setRange(0, std::max(0, items_.Count() - page));
  QScrollBar* h = horizontalScrollBar();
  const int width = viewport()->width();
  h->setPageStep(std::max(1, width));
  h->setSingleStep(std::max(1, fontMetrics().averageCharWidth()));
  h->setRange(0, std::max(0, TotalColumnWidth() - width));
}

void TListView::UpdateHeaderGeometry() {
  const int height = header_->sizeHint().height();
  setViewportMargins(0, height, 0, 0);
  const QRect vg = viewport()->geometry();
  header_->setGeometry(vg.left(), vg.top() - height, vg.width(), height);
  header_->setOffset(horizontalScrollBar()->value());
}

void TListView::RowsChanged() {
  if (items_.updateCount_ > 0) return;
  UpdateScrollBars();
  viewport()->update();
}

void TListView::RowsInserted(int index, int count) {
  if (selCount_ > 0) {
    if (index <= selLo_) selLo_ += count;
    if (index <= selHi_) selHi_ += count;
  }
  if (items_.updateCount_ > 0) return;
  // Added rows only lengthen the scroll range, so the scroll position stays
  // valid; the range itself is brought up to date once, after the rows are in.
  if (!scrollRangeStale_) {
    scrollRangeStale_ = true;
    if (!flushPosted_) {
      flushPosted_ = true;
      QMetaObject::invokeMethod(this, [this] {
        flushPosted_ = false;
        FlushScrollRange();
      }, Qt::QueuedConnection);
    }
  }
  RepaintFrom(index);
}

void TListView::FlushScrollRange() {
  if (scrollRangeStale_) UpdateScrollBars();
}

void TListView::RepaintFrom(int index) {
  const int top = verticalScrollBar()->value();
  const int y = (std::max(index, top) - top) * rowHeight_;
  if (y < viewport()->height()) viewport()->update(QRect(0, y, viewport()->width(), viewport()->height() - y));
}

void TListView::RepaintRow(const TListItem* item) {
  if (items_.updateCount_ > 0) return;
  const int top = verticalScrollBar()->value();
  const int y = (item->index_ - top) * rowHeight_;
  if (item->index_ >= top && y < viewport()->height()) viewport()->update(QRect(0, y, viewport()->width(), rowHeight_));
}

void TListView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateHeaderGeometry();
  UpdateScrollBars();
}

void TListView::scrollContentsBy(int, int) {
  header_->setOffset(horizontalScrollBar()->value());
  viewport()->update();
}

void TListView::showEvent(QShowEvent* event) {
  FlushScrollRange();
  QAbstractScrollArea::showEvent(event);
}

void TListView::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    UpdateRowHeight();
    UpdateHeaderGeometry();
    UpdateScrollBars();
    viewport()->update();
  }
}

bool TListView::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::Resize) UpdateScrollBars();
  return QAbstractScrollArea::viewportEvent(event);
}

// ---- painting -----------------------------------------------------------

void TListView::paintEvent(QPaintEvent* event) {
  FlushScrollRange();
  QPainter p(viewport());
  const QRect dirty = event->rect();
  p.fillRect(dirty, platform::ToQColor(color_));
  p.setFont(font());
  const int h = RowHeight();
  const int first = TopIndex();
  const int columnsWidth = TotalColumnWidth();
  // Only the rows that meet the area to paint are drawn.
  const int from = first + std::max(0, dirty.top()) / h;
  const int last = std::min(items_.Count() - 1, first + std::max(0, dirty.bottom()) / h);
  const int offset = horizontalScrollBar()->value();
  const bool focusedView = hasFocus();
  const bool showSelection = focusedView || !hideSelection_;
  const QColor text = platform::ToQColor(fontColor_);
  const QColor highlight = platform::ToQColor(focusedView ? platform::clHighlight : platform::clBtnFace);
  const QColor highlightText = platform::ToQColor(focusedView ? platform::clHighlightText : platform::clBtnText);
  const QFontMetrics fm = fontMetrics();
  for (int i = from; i <= last; ++i) {
    const TListItem* item = items_.At(i);
    const QRect row(-offset, (i - first) * h, columnsWidth, h);
    const bool marked = item->selected_ && showSelection;
    QRect mark;
    if (marked) {
      if (rowSelect_) {
        mark = row;
      } else if (header_->count() > 0) {
        const int shown = fm.horizontalAdvance(ShownText(display_, item->caption_));
        const int w = std::min(header_->sectionSize(0), shown + 2 * kTextIndent);
        mark = QRect(row.left(), row.top(), w, h);
      }
      p.fillRect(mark, highlight);
    }
    for (int c = 0; c < header_->count(); ++c) {
      const int w = header_->sectionSize(c);
      if (w <= 0) continue;
      const QRect cell(header_->sectionViewportPosition(c), row.top(), w, h);
      const bool inMark = marked && mark.intersects(cell) && (rowSelect_ || c == 0);
      p.setPen(inMark ? highlightText : text);
      const QRect textRect = cell.adjusted(kTextIndent, 0, -kTextIndent / 2, 0);
      p.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                 fm.elidedText(ShownText(display_, item->ColumnText(c)), Qt::ElideRight, textRect.width()));
      if (gridLines_) {
        p.setPen(platform::ToQColor(platform::clBtnFace));
        p.drawLine(cell.right(), cell.top(), cell.right(), cell.bottom());
        p.drawLine(cell.left(), cell.bottom(), cell.right(), cell.bottom());
      }
    }
    if (focusedView && item->focused_) {
      const QRect focusRect = rowSelect_ || mark.isEmpty() ? row : mark;
      if (!focusRect.isEmpty()) platform::DrawFocusRect(p, focusRect);
    }
  }
}

void TListView::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  viewport()->update();
}

void TListView::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  viewport()->update();
}

// ---- mouse and keyboard -------------------------------------------------

void TListView::mousePressEvent(QMouseEvent* event) {
  const Qt::MouseButton button = event->button();
  if (button != Qt::LeftButton && button != Qt::RightButton) {
    QAbstractScrollArea::mousePressEvent(event);
    return;
  }
  setFocus(Qt::MouseFocusReason);
  const Qt::KeyboardModifiers mods = event->modifiers();
  const bool ctrl = mods & Qt::ControlModifier;
  const bool shift = mods & Qt::ShiftModifier;
  const int index = IndexAt(event->position().toPoint());
  pressedSelected_ = nullptr;
  if (button == Qt::LeftButton) leftPressed_ = true;
  if (index < 0) {
    // Empty space: a plain press clears the selection; the focus stays.
    if (!ctrl && !shift) ClearSelection();
    return;
  }
  TListItem* item = items_.At(index);
  if (button == Qt::RightButton) {
    if (!item->selected_) SetSelection(item);
    return;
  }
  if (!multiSelect_) {
    if (!item->selected_) SetSelection(item);
    return;
  }
  if (ctrl && shift) {
    SetItemState(item, kSelected | kFocused, true, true);
  } else if (ctrl) {
    if (SetItemState(item, kSelected | kFocused, !item->selected_, true)) selectionMark_ = item;
  } else if (shift) {
    SetGroupSelection(item);
  } else if (item->selected_) {
    // A press on a selected row keeps the other selected rows until release.
    pressedSelected_ = item;
  } else {
    SetSelection(item);
  }
}

void TListView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !leftPressed_) {
    QAbstractScrollArea::mouseReleaseEvent(event);
    return;
  }
  leftPressed_ = false;
  TListItem* pressed = pressedSelected_;
  pressedSelected_ = nullptr;
  if (pressed != nullptr) {
    const int index = IndexAt(event->position().toPoint());
    if (index >= 0 && items_.At(index) == pressed) SetSelection(pressed);
  }
  Click();
}

void TListView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QAbstractScrollArea::mouseDoubleClickEvent(event);
    return;
  }
  // The second press of a double click changes nothing and is not a click.
  leftPressed_ = false;
  pressedSelected_ = nullptr;
  Raise(OnDblClick);
}

void TListView::KeySelect(int index, Qt::KeyboardModifiers mods, bool space) {
  if (index < 0 || index >= items_.Count()) return;
  TListItem* item = items_.At(index);
  if (item == focused_ && !space) return;
  const bool ctrl = mods & Qt::ControlModifier;
  const bool shift = mods & Qt::ShiftModifier;
  if (!multiSelect_ || (!shift && !ctrl)) {
    SetSelection(item);
  } else if (shift) {
    SetGroupSelection(item);
  } else if (space) {
    if (SetItemState(item, kSelected | kFocused, !item->selected_, true) && item->selected_) selectionMark_ = item;
  } else {
    SetItemState(item, kFocused, false, true);
  }
  EnsureVisible(item->index_);
}

void TListView::keyPressEvent(QKeyEvent* event) {
  const int count = items_.Count();
  FlushScrollRange();
  const int current = focused_ == nullptr ? -1 : focused_->index_;
  const int page = RowsPerPage();
  const int top = TopIndex();
  const Qt::KeyboardModifiers mods = event->modifiers();
  int target = -1;
  switch (event->key()) {
    case Qt::Key_Down: target = std::min(current + 1, count - 1); break;
    case Qt::Key_Up: target = current < 0 ? 0 : std::max(current - 1, 0); break;
    case Qt::Key_Home: target = 0; break;
    case Qt::Key_End: target = count - 1; break;
    case Qt::Key_PageDown:
      // The bottom row of the page, or a page further when already there.
      target = std::min(current == top + page - 1 ? current + page - 1 : top + page - 1, count - 1);
      break;
    case Qt::Key_PageUp:
      target = std::max(current == top ? top - page + 1 : top, 0);
      break;
    case Qt::Key_Space:
      if (current >= 0) KeySelect(current, mods, true);
      event->accept();
      return;
    default:
      QAbstractScrollArea::keyPressEvent(event);
      return;
  }
  event->accept();
  if (count == 0) return;
  KeySelect(target, mods, false);
}

}  // namespace toolkit
