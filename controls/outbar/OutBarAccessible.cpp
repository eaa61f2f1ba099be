#include "controls/outbar/OutBarAccessible.h"

#include <QAccessibleWidget>

#include "controls/outbar/GroupBar.h"
#include "controls/outbar/OutBarGroup.h"
#include "controls/outbar/VertListView.h"
#include "toolkit/accessible/GridAccessible.h"

namespace outbar {
namespace {

// The vertical list: one column of items, no header.
class VertListAccessible : public toolkit::accessible::GridAccessible {
 public:
  explicit VertListAccessible(TDCVertListView* list) : GridAccessible(list, QAccessible::List) {}

  int RowCount() const override { return List()->ItemCount(); }
  QString CellText(int row, int) const override { return List()->ShownCaption(List()->Item(row)); }
  QRect CellRect(int row, int) const override {
    TDCVertListView* list = List();
    const TRect b = list->ItemBounds(list->Item(row));
    return QRect(list->ClientOrigin() + QPoint(0, b.top), QSize(list->ClientWidth(), b.Height()));
  }
  bool RowSelected(int row) const override { return List()->Item(row)->Selected(); }
  int FocusedRow() const override { return List()->ItemFocused() ? List()->ItemFocused()->Index() : -1; }
  QAccessible::Role CellRole() const override { return QAccessible::ListItem; }
  void PressRow(int row) override { List()->ChooseItem(List()->Item(row)); }
  bool SetRowSelected(int row, bool selected) override {
    // Selecting from code counts as a click, as it does for the program.
    TDCVertListView* list = List();
    if (selected)
      list->SetItemIndex(row);
    else if (list->ItemIndex() == row)
      list->SetItemIndex(-1);
    return true;
  }

  // Named by the group it lies in, unless it has a name of its own.
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name && List()->accessibleName().isEmpty())
      if (const auto* group = qobject_cast<const TDCOutBarGroup*>(List()->parentWidget()); group && group->Bar())
        return group->Bar()->ShownCaption(group);
    return GridAccessible::text(t);
  }

 private:
  TDCVertListView* List() const { return static_cast<TDCVertListView*>(Widget()); }
};

// The bar: its children are its groups, in header order (the hidden caption
// editor and anything else the bar holds are left out).
class GroupBarAccessible : public QAccessibleWidget {
 public:
  explicit GroupBarAccessible(TCustomDCGroupBar* bar) : QAccessibleWidget(bar, QAccessible::PageTabList) {}

  int childCount() const override { return Bar()->GroupCount(); }
  QAccessibleInterface* child(int index) const override {
    TDCOutBarGroup* group = Bar()->Group(index);
    return group ? QAccessible::queryAccessibleInterface(group) : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return child ? Bar()->IndexOfGroup(qobject_cast<const TDCOutBarGroup*>(child->object())) : -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    for (int i = 0; i < childCount(); ++i)
      if (QAccessibleInterface* c = child(i); c && c->rect().contains(x, y)) return c;
    return nullptr;
  }
  // Named by the open group's caption.
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name && Bar()->accessibleName().isEmpty()) return Bar()->ShownCaption(Bar()->ActiveGroup());
    return QAccessibleWidget::text(t);
  }

 private:
  TCustomDCGroupBar* Bar() const { return static_cast<TCustomDCGroupBar*>(widget()); }
};

// A group: a page tab covering its header button (and its page while open).
class GroupAccessible : public QAccessibleWidget {
 public:
  explicit GroupAccessible(TDCOutBarGroup* group) : QAccessibleWidget(group, QAccessible::PageTab) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name && Group()->Bar()) return Group()->Bar()->ShownCaption(Group());
    return QAccessibleWidget::text(t);
  }
  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    if (TCustomDCGroupBar* bar = Group()->Bar()) {
      // A closed group's page is hidden, but its header button shows.
      s.invisible = !bar->isVisible();
      s.selectable = true;
      s.selected = bar->ActiveGroup() == Group();
    }
    return s;
  }
  QRect rect() const override {
    TCustomDCGroupBar* bar = Group()->Bar();
    if (!bar) return QAccessibleWidget::rect();
    QRect r = bar->GetGroupButtonRect(Group()->GroupIndex()).ToQRect();
    if (bar->ActiveGroup() == Group()) r = r.united(Group()->geometry());
    return QRect(bar->mapToGlobal(r.topLeft()), r.size());
  }
  QStringList actionNames() const override {
    QStringList names = QAccessibleWidget::actionNames();
    if (Group()->Bar() && Group()->isEnabled()) names.prepend(pressAction());
    return names;
  }
  void doAction(const QString& name) override {
    if (name == pressAction() && actionNames().contains(name))
      Group()->Bar()->SetActiveGroupIndex(Group()->GroupIndex());
    else
      QAccessibleWidget::doAction(name);
  }

 private:
  TDCOutBarGroup* Group() const { return static_cast<TDCOutBarGroup*>(widget()); }
};

}  // namespace

QAccessibleInterface* AccessibleFactory(const QString& className, QObject* object) {
  if (className == QLatin1String("outbar::TDCVertListView"))
    if (auto* list = qobject_cast<TDCVertListView*>(object)) return new VertListAccessible(list);
  if (className == QLatin1String("outbar::TCustomDCGroupBar"))
    if (auto* bar = qobject_cast<TCustomDCGroupBar*>(object)) return new GroupBarAccessible(bar);
  if (className == QLatin1String("outbar::TDCOutBarGroup"))
    if (auto* group = qobject_cast<TDCOutBarGroup*>(object)) return new GroupAccessible(group);
  return nullptr;
}

}  // namespace outbar
