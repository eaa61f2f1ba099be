#include "toolkit/accessible/GridAccessible.h"

#include <QAccessibleActionInterface>

#include "toolkit/accessible/Notice.h"

namespace toolkit::accessible {
namespace {

// One cell, or one header cell (row -1).
class GridCell : public QAccessibleInterface, public QAccessibleTableCellInterface, public QAccessibleActionInterface {
 public:
  GridCell(GridAccessible* grid, int row, int column) : grid_(grid), row_(row), column_(column) {}

  bool isValid() const override {
    return grid_->isValid() && column_ < grid_->ColumnCount() &&
           (row_ < 0 ? grid_->HasHeader() : row_ < grid_->RowCount());
  }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return grid_->window(); }
  QAccessibleInterface* parent() const override { return grid_; }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }

  QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Name || !isValid()) return {};
    return row_ < 0 ? grid_->HeaderText(column_) : grid_->CellText(row_, column_);
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    if (!isValid()) return {};
    const QRect r = row_ < 0 ? grid_->HeaderRect(column_) : grid_->CellRect(row_, column_);
    const QWidget* w = grid_->Widget();
    return QRect(w->mapToGlobal(r.topLeft()), r.size());
  }
  QAccessible::Role role() const override { return row_ < 0 ? QAccessible::ColumnHeader : grid_->CellRole(); }
  QAccessible::State state() const override {
    QAccessible::State s;
    if (!isValid()) {
      s.invalid = true;
      return s;
    }
    const QWidget* w = grid_->Widget();
    const QRect r = row_ < 0 ? grid_->HeaderRect(column_) : grid_->CellRect(row_, column_);
    s.invisible = !w->isVisible();
    s.offscreen = !w->rect().intersects(r);
    s.disabled = !w->isEnabled();
    if (row_ >= 0) {
      s.selectable = true;
      s.focusable = true;
      s.selected = grid_->RowSelected(row_);
      s.focused = w->hasFocus() && grid_->FocusedRow() == row_;
    }
    return s;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::ActionInterface) return static_cast<QAccessibleActionInterface*>(this);
    if (type == QAccessible::TableCellInterface && row_ >= 0) return static_cast<QAccessibleTableCellInterface*>(this);
    return nullptr;
  }

  bool isSelected() const override { return isValid() && row_ >= 0 && grid_->RowSelected(row_); }
  QList<QAccessibleInterface*> columnHeaderCells() const override {
    if (QAccessibleInterface* header = grid_->HasHeader() ? grid_->Cell(-1, column_) : nullptr) return {header};
    return {};
  }
  QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
  int columnIndex() const override { return column_; }
  int rowIndex() const override { return row_; }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override { return grid_; }

  QStringList actionNames() const override {
    if (!isValid() || !grid_->Widget()->isEnabled()) return {};
    return {pressAction()};
  }
  void doAction(const QString& name) override {
    if (name != pressAction() || actionNames().isEmpty()) return;
    if (row_ < 0)
      grid_->PressHeader(column_);
    else
      grid_->PressRow(row_);
  }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

 private:
  GridAccessible* grid_;
  int row_, column_;
};

qint64 CellKey(int row, int column) { return (static_cast<qint64>(row + 1) << 32) | static_cast<quint32>(column); }

}  // namespace

GridAccessible::GridAccessible(QWidget* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

GridAccessible::~GridAccessible() {
  for (const QAccessible::Id id : std::as_const(cells_)) QAccessible::deleteAccessibleInterface(id);
}

int GridAccessible::ChildIndex(int row, int column) const {
  return (row + (HasHeader() ? 1 : 0)) * ColumnCount() + column;
}

QAccessibleInterface* GridAccessible::Cell(int row, int column) const {
  if (column < 0 || column >= ColumnCount() || row >= RowCount() || row < (HasHeader() ? -1 : 0)) return nullptr;
  const qint64 key = CellKey(row, column);
  if (const auto it = cells_.constFind(key); it != cells_.constEnd()) return QAccessible::accessibleInterface(*it);
  auto* cell = new GridCell(const_cast<GridAccessible*>(this), row, column);
  cells_.insert(key, QAccessible::registerAccessibleInterface(cell));
  return cell;
}

int GridAccessible::childCount() const { return (RowCount() + (HasHeader() ? 1 : 0)) * ColumnCount(); }

QAccessibleInterface* GridAccessible::child(int index) const {
  const int columns = ColumnCount();
  if (index < 0 || columns <= 0 || index >= childCount()) return nullptr;
  return Cell(index / columns - (HasHeader() ? 1 : 0), index % columns);
}

int GridAccessible::indexOfChild(const QAccessibleInterface* child) const {
  if (!child || child->parent() != this) return -1;
  // Header cells have no cell interface: look them up among the header row.
  if (const QAccessibleTableCellInterface* cell = const_cast<QAccessibleInterface*>(child)->tableCellInterface())
    return ChildIndex(cell->rowIndex(), cell->columnIndex());
  for (int c = 0; c < ColumnCount() && HasHeader(); ++c)
    if (Cell(-1, c) == child) return ChildIndex(-1, c);
  return -1;
}

QAccessibleInterface* GridAccessible::childAt(int x, int y) const {
  const QPoint p = widget()->mapFromGlobal(QPoint(x, y));
  for (int c = 0; c < ColumnCount() && HasHeader(); ++c)
    if (HeaderRect(c).contains(p)) return Cell(-1, c);
  // Rows are stacked top to bottom with equal or growing tops: binary search.
  int lo = 0, hi = RowCount() - 1;
  while (lo <= hi) {
    const int mid = (lo + hi) / 2;
    const QRect r = CellRect(mid, 0);
    if (p.y() < r.top()) {
      hi = mid - 1;
    } else if (p.y() > r.bottom()) {
      lo = mid + 1;
    } else {
      for (int c = 0; c < ColumnCount(); ++c)
        if (CellRect(mid, c).contains(p)) return Cell(mid, c);
      return nullptr;
    }
  }
  return nullptr;
}

QAccessibleInterface* GridAccessible::focusChild() const {
  if (!widget()->hasFocus()) return nullptr;
  const int row = FocusedRow();
  return row >= 0 ? Cell(row, 0) : nullptr;
}

void* GridAccessible::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
  return QAccessibleWidget::interface_cast(type);
}

QList<int> GridAccessible::selectedRows() const {
  QList<int> rows;
  for (int r = 0, n = RowCount(); r < n; ++r)
    if (RowSelected(r)) rows.append(r);
  return rows;
}

QList<QAccessibleInterface*> GridAccessible::selectedCells() const {
  QList<QAccessibleInterface*> cells;
  for (const int r : selectedRows())
    for (int c = 0; c < ColumnCount(); ++c) cells.append(Cell(r, c));
  return cells;
}

void AnnounceFocusedRow(QWidget* grid, int row) {
  if (!grid || row < 0 || !Listening()) return;
  auto* iface = dynamic_cast<GridAccessible*>(QAccessible::queryAccessibleInterface(grid));
  if (!iface || row >= iface->RowCount()) return;
  QAccessibleEvent event(grid, QAccessible::Focus);
  event.setChild(iface->ChildIndex(row, 0));
  Notify(event);
}

}  // namespace toolkit::accessible
