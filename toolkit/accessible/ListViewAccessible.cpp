#include "toolkit/accessible/ListViewAccessible.h"

#include <QEvent>
#include <QHeaderView>
#include <QPointer>
#include <QTimer>

#include "toolkit/Dispatch.h"
#include "toolkit/ListView.h"
#include "toolkit/accessible/GridAccessible.h"

namespace toolkit::accessible {
namespace {

// Announces the focused row after each key, click or focus arrival that may
// have moved it; the view itself reports focus moves only to its handlers.
class RowFocusWatcher : public QObject {
 public:
  explicit RowFocusWatcher(TListView* view) : QObject(view), view_(view) {
    view->installEventFilter(this);
    view->viewport()->installEventFilter(this);
  }

  bool eventFilter(QObject*, QEvent* event) override {
    switch (event->type()) {
      case QEvent::KeyPress: case QEvent::MouseButtonRelease: case QEvent::FocusIn:
        // After the view has handled the event, and after the widget's own focus notice.
        QTimer::singleShot(0, this, [this] { Check(); });
        break;
      case QEvent::FocusOut:
        announced_ = -1;
        break;
      default:
        break;
    }
    return false;
  }

 private:
  void Check() {
    if (!view_ || !view_->hasFocus()) return;
    const TListItem* item = view_->ItemFocused();
    const int row = item ? item->Index() : -1;
    if (row == announced_) return;
    announced_ = row;
    AnnounceFocusedRow(view_, row);
  }

  QPointer<TListView> view_;
  int announced_ = -1;
};

class ListViewAccessible : public GridAccessible {
 public:
  explicit ListViewAccessible(TListView* view) : GridAccessible(view, QAccessible::Table) {
    new RowFocusWatcher(view);
  }

  int RowCount() const override { return View()->Items().Count(); }
  int ColumnCount() const override { return View()->Columns().Count(); }
  bool HasHeader() const override { return true; }
  QString HeaderText(int column) const override { return View()->Columns()[column]->Caption(); }
  QRect HeaderRect(int column) const override {
    const QHeaderView* h = View()->Header();
    return QRect(SectionLeft(column), h->mapTo(View(), QPoint(0, 0)).y(), h->sectionSize(column), h->height());
  }
  QString CellText(int row, int column) const override {
    return ShownText(View()->DisplayText(), View()->Items()[row]->ColumnText(column));
  }
  QRect CellRect(int row, int column) const override {
    // The row's rectangle is given in the viewport's coordinates.
    const QRect line = View()->ItemRect(View()->Items()[row]);
    const int top = View()->viewport()->mapTo(View(), line.topLeft()).y();
    return QRect(SectionLeft(column), top, View()->Header()->sectionSize(column), line.height());
  }
  bool RowSelected(int row) const override { return View()->Items()[row]->Selected(); }
  int FocusedRow() const override { return View()->ItemFocused() ? View()->ItemFocused()->Index() : -1; }

  // A plain click: the row alone becomes selected and focused, then OnClick.
  void PressRow(int row) override {
    TListView* view = View();
    view->SetItemIndex(row);
    if (row < view->Items().Count()) view->Items()[row]->MakeVisible();
    Raise(view->OnClick);
  }
  void PressHeader(int column) override { Raise(View()->OnColumnClick, column); }
  bool SetRowSelected(int row, bool selected) override {
    View()->Items()[row]->SetSelected(selected);
    return true;
  }

 private:
  TListView* View() const { return static_cast<TListView*>(Widget()); }
  int SectionLeft(int column) const {
    const QHeaderView* h = View()->Header();
    return h->mapTo(View(), QPoint(h->sectionViewportPosition(column), 0)).x();
  }
};

}  // namespace

QAccessibleInterface* NewListViewAccessible(TListView* view) { return new ListViewAccessible(view); }

}  // namespace toolkit::accessible
