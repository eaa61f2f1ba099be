#include "toolkit/ListView.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QStandardItemModel>
#include <algorithm>

#include "toolkit/Dispatch.h"
#include "toolkit/FlatScrollBarStyle.h"

namespace toolkit {

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
  if (index < 0 || index >= Count()) RaiseListIndexError(index);
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
  items_.FreeAll();
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
  if (!multi && selection_.Count() > 1) DeselectAllExcept(Selected());
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

void TListView::Change(TListItem* item, TItemChange change) { Raise(OnChange, item, change); }

void TListView::Click() { Raise(OnClick); }

void TListView::ColumnClick(int column) { Raise(OnColumnClick, column); }

bool TListView::CustomSort(const TLVCompare& compare, qintptr data) {
  items_.Sort([&](TListItem* x, TListItem* y) {
    int result = 0;
    if (compare) {
      result = compare(x, y, data);
    } else if (OnCompare) {
      OnCompare(x, y, data, result);
    } else {
      result = QString::compare(x->caption_, y->caption_, Qt::CaseInsensitive);
    }
    return result < 0;
  });
  Reordered();
  return true;
}

void TListView::SortByPosition(const std::function<bool(int a, int b)>& less) {
  items_.SortByPosition(less);
  Reordered();
}

void TListView::Reordered() {
  selection_.Reordered(items_.Count());
  viewport()->update();
}

bool TListView::AlphaSort() { return CustomSort(nullptr, 0); }

void TListView::SetDisplayText(TDisplayText display) {
  display_ = std::move(display);
  RefreshDisplayText();
}

void TListView::RefreshDisplayText() { viewport()->update(); }

void TListView::SetCellDress(TCellDress dress) {
  dress_ = std::move(dress);
  viewport()->update();
}

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

void TListView::RowsCleared() {
  selection_.Clear();
  pressedSelected_ = nullptr;
  ++generation_;
  RowsChanged();
}

void TListView::RowRemoved(const TListItem* item, int index) {
  selection_.RowRemoved(item, item->selected_, index);
  if (pressedSelected_ == item) pressedSelected_ = nullptr;
  ++generation_;
  RowsChanged();
}

void TListView::RowsInserted(int index, int count) {
  selection_.RowsInserted(index, count);
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

}  // namespace toolkit
