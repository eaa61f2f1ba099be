// The toolkit's controls as screen readers see them, read through Qt's
// accessibility on the offscreen platform: the report list as a table with
// its headers and cells, its press actions and focus notices; labels, panels,
// the status bar and forms.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <vector>

#include "toolkit/Form.h"
#include "toolkit/ListView.h"
#include "toolkit/Panel.h"
#include "toolkit/StatusBar.h"
#include "toolkit/StdCtrls.h"
#include "toolkit/accessible/Notice.h"
#include "toolkit/accessible/ToolkitAccessible.h"

using toolkit::TListItem;
using toolkit::TListView;

namespace {

const QString kPress = QAccessibleActionInterface::pressAction();

// A shown, active window with a button (focused first) and a three-column
// table of `rows` rows "title i", "form i", "head i".
struct TableHost {
  explicit TableHost(int rows) {
    QAccessible::installFactory(toolkit::accessible::Factory);
    window.resize(460, 260);
    button = new QPushButton(QStringLiteral("first"), &window);
    button->setGeometry(0, 0, 60, 20);
    view = new TListView(&window);
    view->setGeometry(0, 30, 420, 220);
    view->SetRowSelect(true);
    view->SetMultiSelect(true);
    view->Columns().Add(QStringLiteral("标题"), 150);
    view->Columns().Add(QStringLiteral("格式"), 90);
    view->Columns().Add(QStringLiteral("首句"), 151);
    for (int i = 0; i < rows; ++i) {
      TListItem* item = view->Items().Add();
      item->SetCaption(QStringLiteral("title %1").arg(i));
      item->SubItems().Add(QStringLiteral("form %1").arg(i));
      item->SubItems().Add(QStringLiteral("head %1").arg(i));
    }
    window.show();
    QApplication::setActiveWindow(&window);
    button->setFocus(Qt::OtherFocusReason);
  }
  QAccessibleInterface* Table() const { return QAccessible::queryAccessibleInterface(view); }
  // What the handlers saw, as "change row", "click" and "column c".
  void Listen(QStringList& log) {
    view->OnChange = [&log](TListItem* item, toolkit::TItemChange) { log << QStringLiteral("change %1").arg(item->Index()); };
    view->OnClick = [&log] { log << QStringLiteral("click"); };
    view->OnColumnClick = [&log](int c) { log << QStringLiteral("column %1").arg(c); };
  }

  QWidget window;
  QPushButton* button;
  TListView* view;
};

}  // namespace

TEST(ToolkitAccessible, TableHasColumnHeadersThenCellsRowByRow) {
  TableHost t(4);
  t.view->SetDisplayText([](const QString& s) { return s.toUpper(); });
  QAccessibleInterface* table = t.Table();
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->role(), QAccessible::Table);
  ASSERT_EQ(table->childCount(), (4 + 1) * 3);
  QAccessibleTableInterface* grid = table->tableInterface();
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(grid->rowCount(), 4);
  EXPECT_EQ(grid->columnCount(), 3);
  const QStringList headers = {QStringLiteral("标题"), QStringLiteral("格式"), QStringLiteral("首句")};
  for (int c = 0; c < 3; ++c) {
    QAccessibleInterface* header = table->child(c);
    EXPECT_EQ(header->role(), QAccessible::ColumnHeader);
    EXPECT_EQ(header->text(QAccessible::Name), headers[c]);
    EXPECT_EQ(grid->columnDescription(c), headers[c]);
    EXPECT_EQ(table->indexOfChild(header), c);
  }
  // Cells: child (1 + row) * 3 + column, named as painted; first and last row, odd and even column.
  const struct {
    int row, column;
    const char* name;
  } cells[] = {{0, 0, "TITLE 0"}, {0, 2, "HEAD 0"}, {3, 1, "FORM 3"}, {3, 2, "HEAD 3"}};
  for (const auto& c : cells) {
    SCOPED_TRACE(c.name);
    QAccessibleInterface* cell = table->child((1 + c.row) * 3 + c.column);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell, grid->cellAt(c.row, c.column));
    EXPECT_EQ(cell->role(), QAccessible::Cell);
    EXPECT_EQ(cell->text(QAccessible::Name), QString::fromUtf8(c.name));
    EXPECT_EQ(table->indexOfChild(cell), (1 + c.row) * 3 + c.column);
    QAccessibleTableCellInterface* place = cell->tableCellInterface();
    ASSERT_NE(place, nullptr);
    EXPECT_EQ(place->rowIndex(), c.row);
    EXPECT_EQ(place->columnIndex(), c.column);
    EXPECT_EQ(place->columnHeaderCells(), QList<QAccessibleInterface*>{table->child(c.column)});
    // The cell lies where the row and the column's header section cross.
    const QRect row = t.view->ItemRect(t.view->Items()[c.row]);
    const QRect header = table->child(c.column)->rect();
    EXPECT_EQ(cell->rect().top(), t.view->viewport()->mapToGlobal(row.topLeft()).y());
    EXPECT_EQ(cell->rect().height(), row.height());
    EXPECT_EQ(cell->rect().left(), header.left());
    EXPECT_EQ(cell->rect().width(), header.width());
    EXPECT_EQ(table->childAt(cell->rect().center().x(), cell->rect().center().y()), cell);
  }
  EXPECT_EQ(grid->cellAt(4, 0), nullptr);
  EXPECT_EQ(grid->cellAt(0, 3), nullptr);
  EXPECT_EQ(table->child(15), nullptr);
  // Clearing leaves the headers alone.
  t.view->Items().Clear();
  EXPECT_EQ(table->childCount(), 3);
  EXPECT_EQ(table->child(0)->text(QAccessible::Name), QStringLiteral("标题"));
}

TEST(ToolkitAccessible, SelectionAndFocusShowInTheCellStates) {
  TableHost t(5);
  QAccessibleInterface* table = t.Table();
  QAccessibleTableInterface* grid = table->tableInterface();
  t.view->Items()[1]->SetSelected(true);
  t.view->Items()[4]->SetSelected(true);
  EXPECT_EQ(grid->selectedRows(), (QList<int>{1, 4}));
  EXPECT_EQ(grid->selectedRowCount(), 2);
  EXPECT_EQ(grid->selectedCellCount(), 6);
  EXPECT_TRUE(grid->cellAt(4, 2)->state().selected);
  EXPECT_FALSE(grid->cellAt(3, 2)->state().selected);
  EXPECT_TRUE(grid->isRowSelected(1));
  EXPECT_FALSE(grid->isRowSelected(5));
  grid->unselectRow(1);
  EXPECT_FALSE(t.view->Items()[1]->Selected());
  // Rows outside the table, as a reader may ask for them, change nothing.
  EXPECT_FALSE(grid->selectRow(5));
  EXPECT_FALSE(grid->unselectRow(-1));
  EXPECT_EQ(grid->selectedRows(), QList<int>{4});
  // Focus: the focused row's cells while the table has the keyboard focus.
  t.view->SetItemFocused(t.view->Items()[2]);
  EXPECT_FALSE(grid->cellAt(2, 0)->state().focused);
  EXPECT_EQ(table->focusChild(), nullptr);
  t.view->setFocus(Qt::TabFocusReason);
  EXPECT_TRUE(grid->cellAt(2, 0)->state().focused);
  EXPECT_FALSE(grid->cellAt(3, 0)->state().focused);
  EXPECT_EQ(table->focusChild(), grid->cellAt(2, 0));
}

TEST(ToolkitAccessible, PressingACellChoosesItsRowAsAClickDoes) {
  // The same table clicked with the mouse and pressed through its cells.
  TableHost byMouse(5), byPress(5);
  QStringList mouseLog, pressLog;
  byMouse.Listen(mouseLog);
  byPress.Listen(pressLog);
  const struct {
    int row, column;
  } steps[] = {{1, 0}, {3, 2}, {3, 1}};  // another row, then the selected row again
  for (const auto& s : steps) {
    QTest::mouseClick(byMouse.view->viewport(), Qt::LeftButton, Qt::NoModifier,
                      byMouse.view->ItemRect(byMouse.view->Items()[s.row]).center());
    byPress.Table()->tableInterface()->cellAt(s.row, s.column)->actionInterface()->doAction(kPress);
  }
  EXPECT_EQ(pressLog, mouseLog);
  EXPECT_TRUE(pressLog.endsWith(QStringLiteral("click")));
  EXPECT_EQ(byPress.view->ItemIndex(), 3);
  // A header's press clicks its column.
  pressLog.clear();
  byPress.Table()->child(2)->actionInterface()->doAction(kPress);
  EXPECT_EQ(pressLog, QStringList{QStringLiteral("column 2")});
}

TEST(ToolkitAccessible, RowFocusMovesAreAnnounced) {
  TableHost t(6);
  std::vector<QString> announced;
  toolkit::accessible::SetNoticeWatcher([&](QAccessibleEvent& e) {
    if (e.type() == QAccessible::Focus && e.object() == t.view) announced.push_back(e.accessibleInterface()->text(QAccessible::Name));
  });
  t.view->setFocus(Qt::TabFocusReason);
  QTest::keyClick(t.view, Qt::Key_Down);
  QTRY_COMPARE(announced.size(), 1u);
  EXPECT_EQ(announced.back(), QStringLiteral("title 0"));
  QTest::keyClick(t.view, Qt::Key_End);
  QTRY_COMPARE(announced.size(), 2u);
  EXPECT_EQ(announced.back(), QStringLiteral("title 5"));
  // A key that moves nothing announces nothing.
  QTest::keyClick(t.view, Qt::Key_Down);
  QTest::qWait(20);
  EXPECT_EQ(announced.size(), 2u);
  toolkit::accessible::SetNoticeWatcher(nullptr);
}

TEST(ToolkitAccessible, LabelsPanelsStatusBarAndForms) {
  QAccessible::installFactory(toolkit::accessible::Factory);
  toolkit::TForm form;
  form.setWindowTitle(QStringLiteral("Cinnabarquillpad V2014 build 09.01"));
  auto* info = new toolkit::TPanel(&form);
  auto* label = new toolkit::TLabel(info);
  auto* status = new toolkit::TStatusBar(&form);
  label->SetCaption(QStringLiteral("什么是： 七言绝句 ？"));
  label->SetHint(QStringLiteral("四句，每句七字"));
  std::vector<QObject*> renamed;
  toolkit::accessible::SetNoticeWatcher([&](QAccessibleEvent& e) {
    if (e.type() == QAccessible::NameChanged) renamed.push_back(e.object());
  });

  QAccessibleInterface* w = QAccessible::queryAccessibleInterface(&form);
  EXPECT_EQ(w->role(), QAccessible::Window);
  EXPECT_EQ(w->text(QAccessible::Name), QStringLiteral("Cinnabarquillpad V2014 build 09.01"));
  QAccessibleInterface* l = QAccessible::queryAccessibleInterface(label);
  EXPECT_EQ(l->role(), QAccessible::StaticText);
  EXPECT_EQ(l->text(QAccessible::Name), QStringLiteral("什么是： 七言绝句 ？"));
  EXPECT_EQ(l->text(QAccessible::Description), QStringLiteral("四句，每句七字"));
  // An empty panel is a container; with a caption it reads as a label of it,
  // whole even where the painting cuts it, and through the display text.
  QAccessibleInterface* p = QAccessible::queryAccessibleInterface(info);
  EXPECT_EQ(p->role(), QAccessible::Pane);
  const QString summary = QStringLiteral(" 作品名称：静夜思   作家：李白");
  info->resize(40, 20);
  info->SetCaption(summary);
  EXPECT_EQ(p->role(), QAccessible::StaticText);
  EXPECT_EQ(p->text(QAccessible::Name), summary);
  info->SetDisplayText([](const QString& s) { return s + QStringLiteral("!"); });
  EXPECT_EQ(p->text(QAccessible::Name), summary + QStringLiteral("!"));
  label->SetCaption(QStringLiteral("诗词"));
  info->SetCaption(summary);  // unchanged: no notice
  EXPECT_EQ(renamed, (std::vector<QObject*>{info, label}));

  QAccessibleInterface* s = QAccessible::queryAccessibleInterface(status);
  EXPECT_EQ(s->role(), QAccessible::StatusBar);
  status->AddPanel(100);
  status->AddPanel(100);
  status->AddPanel(100);
  status->SetPanelText(0, QStringLiteral("共 12 首"));
  status->SetPanelText(2, QStringLiteral("唐代"));
  EXPECT_EQ(s->text(QAccessible::Name), QStringLiteral("共 12 首  唐代"));
  status->SetSimplePanel(true);
  status->SetSimpleText(QStringLiteral("正在搜索"));
  EXPECT_EQ(s->text(QAccessible::Name), QStringLiteral("正在搜索"));
  toolkit::accessible::SetNoticeWatcher(nullptr);
}
