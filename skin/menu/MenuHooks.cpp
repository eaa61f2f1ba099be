#include "skin/menu/MenuHost.h"

namespace skin {

// Menus keep their own look until the menu skinners exist.
std::unique_ptr<TMenuBarSkinner> CreateMenuBarSkinner(TWinSkinForm&, QMenuBar*) { return nullptr; }

std::unique_ptr<TPopupMenuSkinner> CreatePopupMenuSkinner() { return nullptr; }

void HookMenuItems(QMenu*, TSkinData*, TMenuItemsKind) {}

void UnhookMenuItems(QMenu*) {}

}  // namespace skin
