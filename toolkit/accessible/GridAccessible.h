#pragma once
// The accessible object of a control that shows rows of cells under an
// optional header row: a table (the report list) or a list (one column, no
// header). Its children are the header cells, then the cells row by row, so
// that child (h + row) * columns + column is a cell, h being 1 with a header.
// Cells are built when first asked for and read the control live, so a cell
// of a row that is gone just turns invalid.
#include <QAccessibleWidget>
#include <QHash>
#include <QWidget>

namespace toolkit::accessible {

class GridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
 public:
  GridAccessible(QWidget* widget, QAccessible::Role role);
  ~GridAccessible() override;

  // What the control shows. Rectangles are in the widget's coordinates.
  virtual int RowCount() const = 0;
  virtual int ColumnCount() const { return 1; }
  virtual bool HasHeader() const { return false; }
  virtual QString HeaderText(int) const { return {}; }
  virtual QRect HeaderRect(int) const { return {}; }
  virtual QString CellText(int row, int column) const = 0;
  virtual QRect CellRect(int row, int column) const = 0;
  virtual bool RowSelected(int row) const = 0;
  // The row holding the control's focus mark, -1 when none.
  virtual int FocusedRow() const = 0;
  virtual QAccessible::Role CellRole() const { return QAccessible::Cell; }

  // What a reader can do: choose a row as a click does, click a header, select.
  virtual void PressRow(int row) = 0;
  virtual void PressHeader(int) {}
  virtual bool SetRowSelected(int row, bool selected) = 0;

  QWidget* Widget() const { return widget(); }
  // The child index of a cell; row -1 is the header row.
  int ChildIndex(int row, int column) const;
  // The cell's interface, built when first asked for; nullptr outside the grid.
  QAccessibleInterface* Cell(int row, int column) const;

  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* childAt(int x, int y) const override;
  QAccessibleInterface* focusChild() const override;
  void* interface_cast(QAccessible::InterfaceType type) override;

  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int row, int column) const override { return Cell(row, column); }
  int selectedCellCount() const override { return selectedRowCount() * columnCount(); }
  QList<QAccessibleInterface*> selectedCells() const override;
  QString columnDescription(int column) const override { return HeaderText(column); }
  QString rowDescription(int) const override { return {}; }
  int selectedColumnCount() const override { return 0; }
  int selectedRowCount() const override { return static_cast<int>(selectedRows().size()); }
  int columnCount() const override { return ColumnCount(); }
  int rowCount() const override { return RowCount(); }
  QList<int> selectedColumns() const override { return {}; }
  QList<int> selectedRows() const override;
  bool isColumnSelected(int) const override { return false; }
  bool isRowSelected(int row) const override { return HasRow(row) && RowSelected(row); }
  // Rows asked for by a reader may be anything: outside the grid nothing happens.
  bool selectRow(int row) override { return HasRow(row) && SetRowSelected(row, true); }
  bool selectColumn(int) override { return false; }
  bool unselectRow(int row) override { return HasRow(row) && SetRowSelected(row, false); }
  bool unselectColumn(int) override { return false; }
  void modelChange(QAccessibleTableModelChangeEvent*) override {}

 private:
  bool HasRow(int row) const { return row >= 0 && row < RowCount(); }
  mutable QHash<qint64, QAccessible::Id> cells_;
};

// Tells the bridge that the grid's focus moved to a row (its first cell).
void AnnounceFocusedRow(QWidget* grid, int row);

}  // namespace toolkit::accessible
