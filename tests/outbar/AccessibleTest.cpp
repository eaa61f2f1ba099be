// The outlook bar as screen readers see it, read through Qt's accessibility
// on the offscreen platform: roles, names, children, states, the press
// actions, and the focus notices of the lists (watched, as there is no bridge).
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <vector>

#include "controls/outbar/OutBar.h"
#include "controls/outbar/OutBarAccessible.h"
#include "controls/outbar/OutBarGroup.h"
#include "controls/outbar/OutBarVertListView.h"
#include "toolkit/accessible/Notice.h"

using namespace outbar;

namespace {

// A shown, active bar of `groups` groups with three items each ("g.i"), the
// first group's items renamed to eras; the outlook bar's accessibles installed.
struct AccessibleBar {
  explicit AccessibleBar(int groups) {
    QAccessible::installFactory(AccessibleFactory);
    host.resize(200, 360);
    button = new QPushButton(QStringLiteral("first"), &host);
    button->setGeometry(0, 0, 60, 20);
    bar = new TDCOutBar(&host);
    bar->setGeometry(0, 30, 150, 300);
    bar->SetFrequency(0);
    for (int g = 0; g < groups; ++g) {
      TDCOutBarGroup* group = bar->AddGroup();
      group->SetCaptionAutoSize(false);
      group->SetCaption(QStringLiteral("group %1").arg(g));
      for (int i = 0; i < 3; ++i) group->ListView()->AddItem(QStringLiteral("%1.%2").arg(g).arg(i));
    }
    host.show();
    QApplication::setActiveWindow(&host);
    button->setFocus(Qt::OtherFocusReason);
  }
  QAccessibleInterface* Bar() const { return QAccessible::queryAccessibleInterface(bar); }
  QAccessibleInterface* List(int g) const { return QAccessible::queryAccessibleInterface(bar->ListOf(g)); }

  QWidget host;
  QPushButton* button;
  TDCOutBar* bar;
};

// Records the focus notices for the lifetime of the object.
struct FocusNotices {
  FocusNotices() {
    toolkit::accessible::SetNoticeWatcher([this](QAccessibleEvent& e) {
      if (e.type() == QAccessible::Focus) seen.push_back({e.object(), e.child(), e.accessibleInterface()->text(QAccessible::Name)});
    });
  }
  ~FocusNotices() { toolkit::accessible::SetNoticeWatcher(nullptr); }
  struct Notice {
    QObject* object;
    int child;
    QString name;
  };
  std::vector<Notice> seen;
};

}  // namespace

TEST(OutBarAccessible, BarIsPageTabsOfGroupsHoldingListsOfItems) {
  AccessibleBar b(3);
  b.bar->ListOf(0)->Item(1)->SetCaption(QStringLiteral("唐代"));
  QAccessibleInterface* bar = b.Bar();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->role(), QAccessible::PageTabList);
  EXPECT_EQ(bar->text(QAccessible::Name), QStringLiteral("group 0"));
  // The groups, nothing else the bar holds (its hidden caption editor).
  ASSERT_EQ(bar->childCount(), 3);
  const struct {
    int group;
    bool selected;
  } tabs[] = {{0, true}, {1, false}, {2, false}};
  for (const auto& t : tabs) {
    SCOPED_TRACE(t.group);
    QAccessibleInterface* tab = bar->child(t.group);
    ASSERT_NE(tab, nullptr);
    EXPECT_EQ(bar->indexOfChild(tab), t.group);
    EXPECT_EQ(tab->role(), QAccessible::PageTab);
    EXPECT_EQ(tab->text(QAccessible::Name), QStringLiteral("group %1").arg(t.group));
    EXPECT_EQ(bool(tab->state().selected), t.selected);
    // A closed group's page is hidden, its header still shows.
    EXPECT_FALSE(tab->state().invisible);
    const QRect header = b.bar->GetGroupButtonRect(t.group).ToQRect();
    EXPECT_TRUE(tab->rect().contains(b.bar->mapToGlobal(header.center())));
    EXPECT_EQ(bar->childAt(b.bar->mapToGlobal(header.center()).x(), b.bar->mapToGlobal(header.center()).y()), tab);
  }
  // The open group's page holds its list; the list is named by the group.
  QAccessibleInterface* list = bar->child(0)->child(0);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list, b.List(0));
  EXPECT_EQ(list->role(), QAccessible::List);
  EXPECT_EQ(list->text(QAccessible::Name), QStringLiteral("group 0"));
  ASSERT_EQ(list->childCount(), 3);
  const QStringList names = {QStringLiteral("0.0"), QStringLiteral("唐代"), QStringLiteral("0.2")};
  for (int i = 0; i < 3; ++i) {
    QAccessibleInterface* item = list->child(i);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->role(), QAccessible::ListItem);
    EXPECT_EQ(item->text(QAccessible::Name), names[i]);
    EXPECT_EQ(list->indexOfChild(item), i);
    EXPECT_EQ(item->parent(), list);
    EXPECT_TRUE(item->rect().contains(b.bar->ListOf(0)->mapToGlobal(b.bar->ListOf(0)->Item(i)->Bounds().ToQRect().center())));
  }
  EXPECT_EQ(list->child(3), nullptr);
  EXPECT_EQ(list->child(-1), nullptr);
  // A caption change renames the tab, the list and (for the open group) the bar.
  b.bar->Group(0)->SetCaption(QStringLiteral("中国作品"));
  EXPECT_EQ(bar->text(QAccessible::Name), QStringLiteral("中国作品"));
  EXPECT_EQ(list->text(QAccessible::Name), QStringLiteral("中国作品"));
}

TEST(OutBarAccessible, ItemsFollowTheListAsItIsClearedAndFilled) {
  AccessibleBar b(1);
  TDCOutBarVertListView* l = b.bar->ListOf(0);
  QAccessibleInterface* list = b.List(0);
  QAccessibleInterface* third = list->child(2);
  ASSERT_NE(third, nullptr);
  l->ClearItems();
  EXPECT_EQ(list->childCount(), 0);
  EXPECT_FALSE(third->isValid());  // a cell of a row that is gone
  EXPECT_EQ(list->child(0), nullptr);
  l->AddItem(QStringLiteral("李白"));
  l->AddItem(QStringLiteral("杜甫"));
  ASSERT_EQ(list->childCount(), 2);
  EXPECT_EQ(list->child(1)->text(QAccessible::Name), QStringLiteral("杜甫"));
  EXPECT_FALSE(third->isValid());
  l->AddItem(QStringLiteral("王维"));
  EXPECT_TRUE(third->isValid());
  EXPECT_EQ(third->text(QAccessible::Name), QStringLiteral("王维"));
}

TEST(OutBarAccessible, StatesFollowSelectionAndTheFocusMark) {
  AccessibleBar b(1);
  TDCOutBarVertListView* l = b.bar->ListOf(0);
  QAccessibleInterface* list = b.List(0);
  l->SetItemIndex(2);
  const struct {
    int item;
    bool selected;
  } before[] = {{0, false}, {1, false}, {2, true}};
  for (const auto& c : before) {
    QAccessible::State s = list->child(c.item)->state();
    EXPECT_EQ(bool(s.selected), c.selected) << c.item;
    EXPECT_TRUE(s.selectable);
    EXPECT_TRUE(s.focusable);
    EXPECT_FALSE(s.focused) << c.item;  // the list has no focus yet
  }
  EXPECT_EQ(list->focusChild(), nullptr);
  l->setFocus(Qt::TabFocusReason);
  QTest::keyClick(l, Qt::Key_Up);
  EXPECT_TRUE(list->state().focused);
  EXPECT_TRUE(list->child(1)->state().focused);
  EXPECT_FALSE(list->child(2)->state().focused);
  EXPECT_TRUE(list->child(2)->state().selected);
  EXPECT_EQ(list->focusChild(), list->child(1));
  // Scrolled out of the list, an item is off the screen.
  l->resize(l->width(), 40);
  EXPECT_FALSE(list->child(0)->state().offscreen);
  EXPECT_TRUE(list->child(2)->state().offscreen);
}

TEST(OutBarAccessible, PressingAnItemRunsTheClickAndPressingATabOpensItsGroup) {
  AccessibleBar b(3);
  std::vector<int> clicked;
  b.bar->OnButtonClick = [&](QObject* sender, TDCVertListItem* item) {
    EXPECT_EQ(sender, b.bar->ListOf(1));
    clicked.push_back(item->Index());
    EXPECT_EQ(b.bar->ListOf(1)->ItemIndex(), item->Index());  // already current, as after a click
  };
  QAccessibleInterface* tab = b.Bar()->child(1);
  QAccessibleActionInterface* tabActions = tab->actionInterface();
  ASSERT_NE(tabActions, nullptr);
  EXPECT_TRUE(tabActions->actionNames().contains(QAccessibleActionInterface::pressAction()));
  tabActions->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(b.bar->ActiveGroupIndex(), 1);
  EXPECT_TRUE(tab->state().selected);
  EXPECT_FALSE(b.Bar()->child(0)->state().selected);
  EXPECT_EQ(b.Bar()->text(QAccessible::Name), QStringLiteral("group 1"));

  QAccessibleInterface* item = b.List(1)->child(2);
  QAccessibleActionInterface* actions = item->actionInterface();
  ASSERT_NE(actions, nullptr);
  EXPECT_EQ(actions->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
  actions->doAction(QAccessibleActionInterface::pressAction());
  actions->doAction(QAccessibleActionInterface::pressAction());  // the chosen item again: a second click
  EXPECT_EQ(clicked, (std::vector<int>{2, 2}));
  EXPECT_TRUE(item->state().selected);
  // A disabled bar offers nothing to press.
  b.bar->setEnabled(false);
  EXPECT_TRUE(actions->actionNames().isEmpty());
  actions->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(clicked.size(), 2u);
}

TEST(OutBarAccessible, FocusMovesAreAnnouncedWithTheFocusedItem) {
  AccessibleBar b(2);
  FocusNotices notices;
  TDCOutBarVertListView* l = b.bar->ListOf(0);
  l->setFocus(Qt::TabFocusReason);
  // The list's own notice comes after the widget's, once the event loop runs.
  QTRY_COMPARE(notices.seen.size(), 1u);
  EXPECT_EQ(notices.seen[0].object, l);
  EXPECT_EQ(notices.seen[0].child, 0);
  EXPECT_EQ(notices.seen[0].name, QStringLiteral("0.0"));
  QTest::keyClick(l, Qt::Key_Down);
  QTest::keyClick(l, Qt::Key_Down);
  QTest::keyClick(l, Qt::Key_Down);  // stops at the last item: nothing new
  ASSERT_EQ(notices.seen.size(), 3u);
  EXPECT_EQ(notices.seen[1].child, 1);
  EXPECT_EQ(notices.seen[2].name, QStringLiteral("0.2"));
  // Opening the next group moves the focus into its list.
  QTest::keyClick(l, Qt::Key_PageDown);
  QTRY_VERIFY(!notices.seen.empty() && notices.seen.back().object == b.bar->ListOf(1));
  EXPECT_EQ(notices.seen.back().name, QStringLiteral("1.0"));
  // Marks moved while the list has no focus are not announced.
  const size_t count = notices.seen.size();
  b.button->setFocus(Qt::OtherFocusReason);
  b.bar->ListOf(1)->Item(2)->SetFocused(true);
  QTest::qWait(20);
  EXPECT_EQ(notices.seen.size(), count);
}
