// The menu skinners' creation hooks, and the owner-drawn state of menus: a
// hooked menu paints and measures through its own TSkinMenuStyle and the menu
// font until it is unhooked, which gives it back exactly the style and font it
// had.
#include <QCoreApplication>
#include <QEvent>
#include <QMenu>
#include <QPointer>
#include <QSet>
#include <unordered_map>

#include "skin/engine/SkinData.h"
#include "skin/menu/MenuHost.h"
#include "skin/menu/MenuText.h"
#include "skin/menu/SkinMenuStyle.h"
#include "skin/menu/WinSkinMenu.h"
#include "skin/menu/WinSkinPopMenu.h"

namespace skin {

namespace {

struct THookedMenu {
  TSkinMenuStyle* style = nullptr;
  QPointer<QStyle> previousStyle;  // the menu's own style, if it had one
  bool hadFont = false;
  QFont font;
  QMetaObject::Connection aboutToShow, destroyed;
};

std::unordered_map<const QMenu*, THookedMenu>& Hooked() {
  static std::unordered_map<const QMenu*, THookedMenu> hooked;
  return hooked;
}

// Makes the menu lay its items out again (after a skin switch, for instance).
void Remeasure(QMenu* menu) {
  QEvent e(QEvent::StyleChange);
  QCoreApplication::sendEvent(menu, &e);
}

void Forget(const QMenu* menu) {
  auto it = Hooked().find(menu);
  if (it == Hooked().end()) return;
  delete it->second.style;
  Hooked().erase(it);
}

// A menu measured with an older skin is measured again before it opens.
void RefreshIfStale(QMenu* menu) {
  TSkinMenuStyle* style = MenuStyleOf(menu);
  TSkinData* data = style ? style->Data() : nullptr;
  if (!data || data->Generation() == style->MeasuredGeneration()) return;
  style->SetMeasuredGeneration(data->Generation());
  Remeasure(menu);
}

void HookOne(QMenu* menu, TSkinData* data, TMenuItemsKind kind, QSet<QMenu*>& seen) {
  if (!menu || seen.contains(menu)) return;
  seen.insert(menu);
  auto it = Hooked().find(menu);
  if (it == Hooked().end()) {
    THookedMenu h;
    if (menu->testAttribute(Qt::WA_SetStyle)) h.previousStyle = menu->style();
    h.hadFont = menu->testAttribute(Qt::WA_SetFont);
    h.font = menu->font();
    h.style = new TSkinMenuStyle(menu, data, kind);
    h.style->SetMeasuredGeneration(data->Generation());
    h.aboutToShow = QObject::connect(menu, &QMenu::aboutToShow, [menu] { RefreshIfStale(menu); });
    h.destroyed = QObject::connect(menu, &QObject::destroyed, [menu] { Forget(menu); });
    TSkinMenuStyle* style = h.style;
    Hooked().emplace(menu, std::move(h));
    menu->setFont(MenuFont());
    menu->setStyle(style);
  } else {
    it->second.style->SetData(data, kind);
    it->second.style->SetMeasuredGeneration(data->Generation());
    Remeasure(menu);
  }
  for (QAction* a : menu->actions())
    if (QMenu* sub = a->menu()) HookOne(sub, data, kind, seen);
}

void UnhookOne(QMenu* menu, QSet<QMenu*>& seen) {
  if (!menu || seen.contains(menu)) return;
  seen.insert(menu);
  auto it = Hooked().find(menu);
  if (it != Hooked().end()) {
    THookedMenu h = std::move(it->second);
    Hooked().erase(it);
    QObject::disconnect(h.aboutToShow);
    QObject::disconnect(h.destroyed);
    menu->setStyle(h.previousStyle.data());
    menu->setFont(h.hadFont ? h.font : QFont());
    delete h.style;
  }
  for (QAction* a : menu->actions())
    if (QMenu* sub = a->menu()) UnhookOne(sub, seen);
}

}  // namespace

TSkinMenuStyle* MenuStyleOf(const QMenu* menu) {
  auto it = Hooked().find(menu);
  return it == Hooked().end() ? nullptr : it->second.style;
}

// The frame builds the bar right after creating it.
std::unique_ptr<TMenuBarSkinner> CreateMenuBarSkinner(TWinSkinForm& frame, QMenuBar* menu) {
  if (!menu) return nullptr;
  return std::make_unique<TWinSkinMenu>(frame, menu);
}

std::unique_ptr<TPopupMenuSkinner> CreatePopupMenuSkinner() { return std::make_unique<TWinSkinPopMenu>(); }

void HookMenuItems(QMenu* menu, TSkinData* skinData, TMenuItemsKind kind) {
  if (!menu || !skinData) return;
  QSet<QMenu*> seen;
  HookOne(menu, skinData, kind, seen);
}

void UnhookMenuItems(QMenu* menu) {
  QSet<QMenu*> seen;
  UnhookOne(menu, seen);
}

}  // namespace skin
