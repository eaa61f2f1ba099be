// Choosing by keys in the outlook bars: the focus mark's moves and ends,
// Enter and Space acting as a click, group changes by Ctrl+arrows and Page
// keys, and the dotted mark that shows only after the keyboard was used.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <vector>

#include "controls/outbar/OutBar.h"
#include "controls/outbar/OutBarGroup.h"
#include "controls/outbar/OutBarVertListView.h"
#include "tests/outbar/OutbarTestSupport.h"

using namespace outbar;
using namespace outbar_test;

namespace {

// A shown, active window holding a button (which has the focus first) and a
// keyboard-choosing list of `count` items.
struct KeyHost {
  explicit KeyHost(int count) {
    host.resize(200, 340);
    button = new QPushButton(QStringLiteral("first"), &host);
    button->setGeometry(0, 0, 60, 20);
    list = MakeList(&host, count);
    list->move(0, 30);
    list->SetKeyboardChoosing(true);
    list->OnButtonClick = [this](QObject*, TDCVertListItem* item) { clicked.push_back(item ? item->Index() : -1); };
    host.show();
    QApplication::setActiveWindow(&host);
    button->setFocus(Qt::OtherFocusReason);
  }
  int Focused() const { return list->ItemFocused() ? list->ItemFocused()->Index() : -1; }

  QWidget host;
  QPushButton* button;
  TDCVertListView* list;
  std::vector<int> clicked;
};

struct MoveCase {
  const char* name;
  int count;
  int selected;  // set from code before the list takes the focus, -1: none
  std::vector<int> keys;
  int focused;   // where the mark ends
  std::vector<int> clicked;
};

}  // namespace

TEST(OutBarKeys, FocusMarkMovesStopsAtTheEndsAndEnterChooses) {
  const std::vector<MoveCase> cases = {
      {"Tab lands on the first item", 5, -1, {}, 0, {}},
      {"two downs", 5, -1, {Qt::Key_Down, Qt::Key_Down}, 2, {}},
      {"up stops at the first item", 5, -1, {Qt::Key_Down, Qt::Key_Up, Qt::Key_Up}, 0, {}},
      {"down stops at the last item", 4, -1, {Qt::Key_End, Qt::Key_Down, Qt::Key_Down}, 3, {}},
      {"home after end", 4, -1, {Qt::Key_End, Qt::Key_Home}, 0, {}},
      {"Tab lands on the selected item", 5, 3, {Qt::Key_Down}, 4, {}},
      {"up from the selected item", 5, 3, {Qt::Key_Up, Qt::Key_Return}, 2, {2}},
      {"one item", 1, -1, {Qt::Key_Down, Qt::Key_Up, Qt::Key_Space}, 0, {0}},
      {"empty list", 0, -1, {Qt::Key_Down, Qt::Key_Up, Qt::Key_Return, Qt::Key_Space}, -1, {}},
      {"enter on the last item", 6, -1, {Qt::Key_End, Qt::Key_Enter}, 5, {5}},
      {"choosing the chosen item again clicks again", 3, 1, {Qt::Key_Space, Qt::Key_Return}, 1, {1, 1}},
  };
  for (const MoveCase& c : cases) {
    SCOPED_TRACE(c.name);
    KeyHost k(c.count);
    if (c.selected >= 0) k.list->SetItemIndex(c.selected);
    k.clicked.clear();
    k.list->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(k.list->hasFocus());
    EXPECT_TRUE(k.list->FocusMarkShown());
    for (const int key : c.keys) QTest::keyClick(k.list, static_cast<Qt::Key>(key));
    EXPECT_EQ(k.Focused(), c.focused);
    EXPECT_EQ(k.clicked, c.clicked);
    // Moving the mark chooses nothing: the selection changes only by Enter or Space.
    const int expectSelected = c.clicked.empty() ? c.selected : c.clicked.back();
    EXPECT_EQ(k.list->ItemIndex(), expectSelected);
  }
}

TEST(OutBarKeys, EnterRaisesWhatAClickRaisesInTheSameOrder) {
  auto record = [](TDCVertListView* list, QStringList& log) {
    list->OnSelectItem = [&log](QObject*, TDCVertListItem* item, bool on) {
      log << QStringLiteral("%1 %2").arg(on ? "select" : "deselect").arg(item->Index());
    };
    list->OnButtonClick = [&log, list](QObject*, TDCVertListItem* item) {
      log << QStringLiteral("button %1 index %2").arg(item->Index()).arg(list->ItemIndex());
    };
    list->OnExecuteItem = [&log](QObject*, TDCVertListItem* item, bool&) { log << QStringLiteral("execute %1").arg(item->Index()); };
    for (int i = 0; i < list->ItemCount(); ++i)
      list->Item(i)->OnItemClick = [&log, i](QObject*) { log << QStringLiteral("item %1").arg(i); };
  };
  KeyHost byMouse(6), byKeys(6);
  QStringList mouseLog, keyLog;
  record(byMouse.list, mouseLog);
  record(byKeys.list, keyLog);
  byMouse.list->SetItemIndex(1);
  byKeys.list->SetItemIndex(1);
  mouseLog.clear();
  keyLog.clear();

  // The list scrolled so that the chosen item is the last one fully shown.
  byMouse.list->resize(120, 90);
  byKeys.list->resize(120, 90);
  const QPoint at = ItemCenter(byMouse.list, 2);
  Press(byMouse.list, at);
  Release(byMouse.list, at);
  byKeys.list->setFocus(Qt::TabFocusReason);
  QTest::keyClick(byKeys.list, Qt::Key_Down);
  QTest::keyClick(byKeys.list, Qt::Key_Return);

  EXPECT_EQ(keyLog, mouseLog);
  EXPECT_EQ(keyLog, (QStringList{"deselect 1", "select 2", "execute 2", "item 2", "button 2 index 2"}));
  EXPECT_EQ(byKeys.list->ScrollOffset(), byMouse.list->ScrollOffset());
  EXPECT_EQ(byKeys.Focused(), 2);
}

TEST(OutBarKeys, MarkIsDottedInsideTheFrameAndAPressHidesIt) {
  KeyHost k(4);
  const QImage plain = k.list->RenderClient();
  k.list->setFocus(Qt::TabFocusReason);
  QTest::keyClick(k.list, Qt::Key_Down);
  ASSERT_EQ(k.Focused(), 1);
  const TRect f = k.list->GetFrameRect(k.list->Item(1));
  const QImage marked = k.list->RenderClient();
  auto inverted = [](QRgb c) { return qRgb(255 - qRed(c), 255 - qGreen(c), 255 - qBlue(c)); };
  // Every other pixel just inside the frame's top-left corner is inverted; the others stay.
  EXPECT_EQ(marked.pixel(f.left + 1, f.top + 1), inverted(plain.pixel(f.left + 1, f.top + 1)));
  EXPECT_EQ(marked.pixel(f.left + 2, f.top + 1), plain.pixel(f.left + 2, f.top + 1));
  EXPECT_EQ(marked.pixel(f.left + 3, f.top + 1), inverted(plain.pixel(f.left + 3, f.top + 1)));
  EXPECT_EQ(marked.pixel(f.left + 1, f.top + 3), inverted(plain.pixel(f.left + 1, f.top + 3)));
  EXPECT_EQ(marked.pixel(f.right - 1, f.top + 3), inverted(plain.pixel(f.right - 1, f.top + 3)));
  // The frame line itself and the other items are left alone.
  EXPECT_EQ(marked.pixel(f.left, f.top), plain.pixel(f.left, f.top));
  const TRect other = k.list->GetFrameRect(k.list->Item(3));
  EXPECT_EQ(marked.pixel(other.left + 1, other.top + 1), plain.pixel(other.left + 1, other.top + 1));

  // A press takes the mark away (the pointer's own look is unchanged).
  Press(k.list, QPoint(40, 280));
  Release(k.list, QPoint(40, 280));
  EXPECT_FALSE(k.list->FocusMarkShown());
  // Focus that arrives without Tab shows no mark until a key is used.
  k.button->setFocus(Qt::OtherFocusReason);
  k.list->setFocus(Qt::OtherFocusReason);
  EXPECT_FALSE(k.list->FocusMarkShown());
  QTest::keyClick(k.list, Qt::Key_Down);
  EXPECT_TRUE(k.list->FocusMarkShown());
  EXPECT_EQ(k.Focused(), 2);
  k.button->setFocus(Qt::TabFocusReason);
  EXPECT_FALSE(k.list->FocusMarkShown());
}

TEST(OutBarKeys, ListsOutsideBarsKeepSwallowingArrowsUnlessAskedToChoose) {
  KeyHost k(3);
  k.list->SetKeyboardChoosing(false);
  k.list->setFocus(Qt::TabFocusReason);
  QTest::keyClick(k.list, Qt::Key_Down);
  QTest::keyClick(k.list, Qt::Key_Return);
  EXPECT_FALSE(k.list->FocusMarkShown());
  EXPECT_EQ(k.Focused(), -1);
  EXPECT_TRUE(k.clicked.empty());
  // A bar's lists choose by keys; with SunkSelected the arrows move the selection instead.
  TDCOutBar bar;
  TDCOutBarVertListView* list = bar.AddGroup()->ListView();
  EXPECT_TRUE(list->KeyboardChoosing());
  for (int i = 0; i < 3; ++i) list->AddItem(QStringLiteral("era %1").arg(i));
  bar.resize(150, 300);
  bar.show();
  QApplication::setActiveWindow(&bar);
  list->setFocus(Qt::TabFocusReason);
  bar.SetSunkSelected(true);
  QTest::keyClick(list, Qt::Key_Down);
  EXPECT_EQ(list->ItemIndex(), 0);
}

namespace {

struct GroupCase {
  const char* name;
  int groups;
  int start;
  Qt::Key key;
  Qt::KeyboardModifiers mods;
  int active;
};

}  // namespace

TEST(OutBarKeys, CtrlArrowsAndPageKeysOpenTheNeighbourGroup) {
  const std::vector<GroupCase> cases = {
      {"ctrl+down opens the next", 3, 0, Qt::Key_Down, Qt::ControlModifier, 1},
      {"page down opens the next", 3, 1, Qt::Key_PageDown, Qt::NoModifier, 2},
      {"ctrl+up opens the previous", 3, 2, Qt::Key_Up, Qt::ControlModifier, 1},
      {"page up opens the previous", 4, 1, Qt::Key_PageUp, Qt::NoModifier, 0},
      {"ctrl+up stops at the first group", 3, 0, Qt::Key_Up, Qt::ControlModifier, 0},
      {"page up stops at the first group", 2, 0, Qt::Key_PageUp, Qt::NoModifier, 0},
      {"ctrl+down stops at the last group", 3, 2, Qt::Key_Down, Qt::ControlModifier, 2},
      {"page down stops at the last group", 4, 3, Qt::Key_PageDown, Qt::NoModifier, 3},
      {"a single group stays", 1, 0, Qt::Key_PageDown, Qt::NoModifier, 0},
  };
  for (const GroupCase& c : cases) {
    SCOPED_TRACE(c.name);
    TDCOutBar bar;
    bar.resize(150, 300);
    bar.SetFrequency(0);
    for (int g = 0; g < c.groups; ++g) {
      TDCOutBarVertListView* list = bar.AddGroup()->ListView();
      for (int i = 0; i < 3; ++i) list->AddItem(QStringLiteral("%1.%2").arg(g).arg(i));
    }
    bar.show();
    QApplication::setActiveWindow(&bar);
    bar.SetActiveGroupIndex(c.start);
    int changes = 0;
    bar.OnChange = [&](QObject*) { ++changes; };
    TDCOutBarVertListView* from = bar.ListOf(c.start);
    from->clearFocus();
    from->setFocus(Qt::TabFocusReason);
    QTest::keyClick(from, c.key, c.mods);
    EXPECT_EQ(bar.ActiveGroupIndex(), c.active);
    EXPECT_EQ(changes, c.active == c.start ? 0 : 1);
    // The opened group's list has the focus and shows its mark on its first item.
    TDCOutBarVertListView* to = bar.ListOf(c.active);
    EXPECT_TRUE(to->hasFocus());
    EXPECT_TRUE(to->FocusMarkShown());
    EXPECT_EQ(to->ItemFocused(), to->Item(0));
    EXPECT_EQ(to->ItemIndex(), -1);
  }
}

TEST(OutBarKeys, RefusedGroupChangeKeepsTheGroupAndTheFocus) {
  TDCOutBar bar;
  bar.resize(150, 300);
  for (int g = 0; g < 2; ++g) bar.AddGroup()->ListView()->AddItem(QStringLiteral("x"));
  bar.show();
  QApplication::setActiveWindow(&bar);
  bar.OnChanging = [](QObject*, TDCOutBarGroup*, bool& allow) { allow = false; };
  TDCOutBarVertListView* list = bar.ListOf(0);
  list->setFocus(Qt::TabFocusReason);
  QTest::keyClick(list, Qt::Key_Down, Qt::ControlModifier);
  EXPECT_EQ(bar.ActiveGroupIndex(), 0);
  EXPECT_TRUE(list->hasFocus());
}
