#pragma once
// What the frame skinner expects of the menu skinners (what the manager
// expects of a popup-menu window's skinner is in skin/engine/PopupMenuSkinner.h).
// The frame calls these; skin/menu/ implements them, and the creation hooks at
// the bottom (defined in skin/menu/MenuHooks.cpp) hand out the implementations.
// Until a hook returns one, the frame keeps the form's QMenuBar visible
// (menu-bar height 0) and menus keep the platform's look.
#include <QPoint>
#include <QRect>
#include <memory>

#include "skin/engine/PopupMenuSkinner.h"

class QChar;
class QMenu;
class QMenuBar;
class QPainter;
class QWidget;

namespace skin {

class TNCObject;
class TSkinData;
class TWinSkinForm;

// The skinned menu bar of one window, drawn inside the frame in the rectangle
// (L, T, W - R, T + M). Its items are TNCObjects, so the frame's non-client
// input (hover, press, release, the hot-object timer) drives them.
//
// The frame creates the skinner through CreateMenuBarSkinner, then calls
// BuildMenuBar (BuildMenuBarMerged with MenuMerge) at once and again whenever
// the form's menu changes (with MenuUpdate), and takes Height() as M after
// each build.
//
// Implementers provide: the three builds (each takes the window's menu, frees
// the old items, creates one item per top-level entry and hides the QMenuBar,
// moving its actions to the window so that shortcuts keep working), the bar
// height M, painting, hit testing, opening an item's menu, Alt+letter
// accelerators, and Restore, which gives the window its QMenuBar back.
class TMenuBarSkinner {
 public:
  virtual ~TMenuBarSkinner() = default;

  // From the form's menu (TForm::Menu()).
  virtual void BuildMenuBar() = 0;
  // From the window's menu, taking captions, enabled state and submenus of the
  // form's top-level items by position.
  virtual void BuildMenuBarMerged() = 0;
  // From a given menu, matching the form's items by their actions.
  virtual void BuildMenuBarFromHandle(QMenuBar* menu) = 0;

  // The bar's height M in pixels (0 draws no bar).
  virtual int Height() const = 0;
  // Paints the whole bar into `rect` (window coordinates) of the window.
  virtual void PaintMenuBar(QPainter& dc, const QRect& rect) = 0;
  // The item whose rectangle holds `windowPoint` and whose caption is not
  // empty; nullptr elsewhere.
  virtual TNCObject* HitTestMenuBar(const QPoint& windowPoint) = 0;
  // Opens the item's menu below it (a press on the item, or a simulated one).
  virtual void OpenMenuBarItem(TNCObject* item) = 0;
  // Whether a bar menu is open now, or the bar is selected by the keyboard
  // (the hot-object timer leaves items alone then).
  virtual bool MenuOpen() const = 0;
  // Alt+`letter`: the item whose caption has that accelerator opens its menu;
  // false when no item has it.
  virtual bool HandleAccelerator(QChar letter) = 0;
  // Whether `letter` is the accelerator of an item (without acting on it).
  virtual bool IsAccelerator(QChar letter) const = 0;
  // Gives the window its menu back (the QMenuBar shown again, its actions
  // where they were). Called before the skinner is freed on detach.
  virtual void Restore() = 0;
};

// How a menu's items are measured and painted once they are owner-drawn.
enum TMenuItemsKind {
  mikPopupMenu,   // a form's popup menu (standard measuring)
  mikMenuBarSub,  // a submenu of the skinned menu bar or of the main menu
  mikSystemMenu,  // the skinned system menu (Tag 33333)
  mikForeignMenu, // a menu of a window that is not a form (measured from its captions)
};

// ---- creation hooks, defined in skin/menu/MenuHooks.cpp --------------------

// The menu-bar skinner for `frame`'s window and its QMenuBar; nullptr while
// menus are not skinned.
std::unique_ptr<TMenuBarSkinner> CreateMenuBarSkinner(TWinSkinForm& frame, QMenuBar* menu);
// Makes `menu`'s items owner-drawn with the skin's MenuItem element (and the
// skin's menu glyphs); nothing while item painters do not exist.
void HookMenuItems(QMenu* menu, TSkinData* skinData, TMenuItemsKind kind);
// Puts back the menu's own look.
void UnhookMenuItems(QMenu* menu);

}  // namespace skin
