// The report list view against a plain QTreeWidget holding the same rows, side
// by side in one process: filling 100,000 rows into a shown view until the
// paint that follows is done, extending the selection from the first row to
// the last with Shift+End, and clearing: the rows gone and the view painted,
// and (for the report list view, which frees the rows of a large table in
// slices while the event loop idles) until the last of them is freed. The
// plain view frees its rows inside clear(). Each figure is the median of five
// runs, the two views taking turns.
#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QScrollBar>
#include <QTest>
#include <QTreeWidget>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "toolkit/Fonts.h"
#include "toolkit/ListView.h"

namespace {

constexpr int kRows = 100000;

struct Rows {
  QStringList titles, forms, heads;
};

Rows MakeRows() {
  Rows r;
  static const char* forms[] = {"五言绝句", "七言律诗", "词", "五言古诗"};
  for (int i = 0; i < kRows; ++i) {
    r.titles << QStringLiteral("春夜喜雨其%1").arg(i);
    r.forms << QString::fromUtf8(forms[i % 4]);
    r.heads << QStringLiteral("好雨知时节，当春乃发生%1").arg(i);
  }
  return r;
}

// Waits until `widget` has painted once after the call.
class PaintWatch : public QObject {
 public:
  explicit PaintWatch(QWidget* widget) : widget_(widget) { widget_->installEventFilter(this); }
  ~PaintWatch() override { widget_->removeEventFilter(this); }
  void Wait() {
    painted_ = false;
    widget_->update();
    while (!painted_) QApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) painted_ = true;
    return false;
  }

 private:
  QWidget* widget_;
  bool painted_ = false;
};

double Ms(const std::function<void()>& work) {
  QElapsedTimer t;
  t.start();
  work();
  return t.nsecsElapsed() / 1e6;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

void Dress(QWidget* w) {
  w->setFont(toolkit::MakeFont(QStringLiteral("楷体"), 16));
  w->resize(700, 500);
  w->show();
  (void)QTest::qWaitForWindowExposed(w);
}

struct Figures {
  double fill = 0, range = 0, clear = 0;
  double freed = 0;  // from the clear until its rows are freed
};

// The poem table as the main window fills it: a change handler that asks for the current row.
Figures RunListView(const Rows& rows) {
  toolkit::TListView view;
  view.SetMultiSelect(true);
  view.SetRowSelect(true);
  view.Columns().Add(QStringLiteral("标题"), 220);
  view.Columns().Add(QStringLiteral("格式"), 90);
  view.Columns().Add(QStringLiteral("首句"), 220);
  long notes = 0;
  view.OnChange = [&](toolkit::TListItem*, toolkit::TItemChange) {
    ++notes;
    if (view.Selected() == nullptr) return;
  };
  Dress(&view);
  PaintWatch watch(view.viewport());
  Figures f;
  f.fill = Ms([&] {
    for (int i = 0; i < kRows; ++i) {
      toolkit::TListItem* row = view.Items().Add();
      row->SetCaption(rows.titles[i]);
      row->SubItems().Add(rows.forms[i]);
      row->SubItems().Add(rows.heads[i]);
    }
    watch.Wait();
  });
  view.setFocus();
  view.SetItemIndex(0);
  watch.Wait();
  f.range = Ms([&] {
    QTest::keyClick(&view, Qt::Key_End, Qt::ShiftModifier);
    watch.Wait();
  });
  if (view.SelCount() != kRows || notes < kRows) std::printf("list view: %d rows selected, %ld notes\n", view.SelCount(), notes);
  QElapsedTimer sinceClear;
  sinceClear.start();
  f.clear = Ms([&] {
    view.Items().Clear();
    watch.Wait();
  });
  while (view.Items().FreeingCleared()) QApplication::processEvents(QEventLoop::AllEvents, 5);
  f.freed = sinceClear.nsecsElapsed() / 1e6;
  return f;
}

Figures RunTreeWidget(const Rows& rows) {
  QTreeWidget tree;
  tree.setRootIsDecorated(false);
  tree.setUniformRowHeights(true);
  tree.setSelectionMode(QAbstractItemView::ExtendedSelection);
  tree.setHeaderLabels({QStringLiteral("标题"), QStringLiteral("格式"), QStringLiteral("首句")});
  tree.header()->resizeSection(0, 220);
  tree.header()->resizeSection(1, 90);
  tree.header()->resizeSection(2, 220);
  Dress(&tree);
  PaintWatch watch(tree.viewport());
  Figures f;
  f.fill = Ms([&] {
    for (int i = 0; i < kRows; ++i) new QTreeWidgetItem(&tree, {rows.titles[i], rows.forms[i], rows.heads[i]});
    watch.Wait();
  });
  tree.setFocus();
  tree.setCurrentItem(tree.topLevelItem(0));
  watch.Wait();
  f.range = Ms([&] {
    QTest::keyClick(tree.viewport(), Qt::Key_End, Qt::ShiftModifier);
    watch.Wait();
  });
  if (tree.selectedItems().size() != kRows) std::printf("tree: %lld rows selected\n", static_cast<long long>(tree.selectedItems().size()));
  f.clear = Ms([&] {
    tree.clear();
    watch.Wait();
  });
  f.freed = f.clear;
  return f;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const Rows rows = MakeRows();
  std::vector<double> fill[2], range[2], clear[2], freed[2];
  for (int run = 0; run < 5; ++run) {
    for (int which = 0; which < 2; ++which) {
      const Figures f = which == 0 ? RunListView(rows) : RunTreeWidget(rows);
      fill[which].push_back(f.fill);
      range[which].push_back(f.range);
      clear[which].push_back(f.clear);
      freed[which].push_back(f.freed);
    }
  }
  std::printf("%d rows, shown and painted (median of 5)   TListView   QTreeWidget   ratio\n", kRows);
  auto line = [](const char* what, const std::vector<double>* v) {
    const double a = Median(v[0]), b = Median(v[1]);
    std::printf("%-40s %9.1f ms %10.1f ms %7.2f\n", what, a, b, a / b);
  };
  line("fill", fill);
  line("Shift+End from the first row", range);
  line("clear, rows gone and painted", clear);
  line("clear, until its rows are freed", freed);
  std::printf("goal: fill ratio <= 1.50\n");
  return 0;
}
