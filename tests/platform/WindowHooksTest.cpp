// The window hooks: creation before the first paint, activation, destruction
// of top-level windows, and each opening and closing of a popup menu.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QWidget>

#include "platform/Dialogs.h"
#include "platform/WindowClass.h"
#include "platform/WindowHooks.h"

namespace {

using platform::HookCode;
using platform::WindowHooks;

struct Notice {
  HookCode code;
  QWidget* window;
  bool visibleThen;
  friend bool operator==(const Notice&, const Notice&) = default;
};

struct Recorder {
  QList<Notice> notices;
  int handle = 0;
  Recorder() {
    handle = WindowHooks::Install([this](HookCode c, QWidget* w) { notices.append({c, w, w->isVisible()}); });
  }
  ~Recorder() { WindowHooks::Remove(handle); }
  int Count(HookCode c, QWidget* w) const {
    int n = 0;
    for (const Notice& x : notices) n += x.code == c && x.window == w;
    return n;
  }
};

TEST(WindowHooks, ATopLevelWindowIsAnnouncedOnceBeforeItIsVisibleThenActivatedAndDestroyed) {
  Recorder r;
  auto* w = new QWidget;
  w->resize(100, 80);
  w->show();
  w->hide();
  w->show();
  EXPECT_EQ(r.Count(platform::HCBT_CREATEWND, w), 1);
  ASSERT_FALSE(r.notices.isEmpty());
  EXPECT_EQ(r.notices.first().code, platform::HCBT_CREATEWND);
  EXPECT_FALSE(r.notices.first().visibleThen);
  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(w, &activate);
  EXPECT_EQ(r.Count(platform::HCBT_ACTIVATE, w), 1);
  // Child widgets are not windows.
  auto* child = new QWidget(w);
  child->show();
  EXPECT_EQ(r.Count(platform::HCBT_CREATEWND, child), 0);
  delete w;
  EXPECT_EQ(r.Count(platform::HCBT_DESTROYWND, w), 1);
}

TEST(WindowHooks, EveryOpeningOfAPopupMenuIsANewMenuWindow) {
  Recorder r;
  QWidget owner;
  QMenu menu(&owner);
  menu.addAction(QStringLiteral("one"));
  for (int i = 0; i < 2; ++i) {
    menu.popup(QPoint(10, 10));
    menu.hide();
  }
  EXPECT_EQ(r.Count(platform::HCBT_CREATEWND, &menu), 2);
  EXPECT_EQ(r.Count(platform::HCBT_DESTROYWND, &menu), 2);
  EXPECT_TRUE(WindowHooks::IsPopupMenu(&menu));
  EXPECT_EQ(platform::WindowClassName(&menu), QStringLiteral("#32768"));
}

TEST(WindowHooks, RemovingTheLastHookRemovesTheFilterAndHooksRunInInstallOrder) {
  QList<int> order;
  const int a = WindowHooks::Install([&](HookCode c, QWidget*) {
    if (c == platform::HCBT_CREATEWND) order.append(1);
  });
  const int b = WindowHooks::Install([&](HookCode c, QWidget*) {
    if (c == platform::HCBT_CREATEWND) order.append(2);
  });
  EXPECT_NE(a, b);
  QWidget w;
  w.show();
  EXPECT_EQ(order, QList<int>({1, 2}));
  WindowHooks::Remove(a);
  WindowHooks::Remove(b);
  WindowHooks::Remove(b);
  EXPECT_EQ(WindowHooks::Count(), 0);
}

TEST(WindowClass, PropertyFirstThenTheClassNameWithoutNamespace) {
  QWidget w;
  EXPECT_EQ(platform::WindowClassName(&w), QStringLiteral("QWidget"));
  platform::SetWindowClassName(&w, QStringLiteral("TMessageForm"));
  EXPECT_EQ(platform::WindowClassName(&w), QStringLiteral("TMessageForm"));
  QMessageBox box;
  EXPECT_EQ(platform::WindowClassName(&box), QStringLiteral("QMessageBox"));
  EXPECT_EQ(platform::WindowClassName(nullptr), QString());
}

}  // namespace
