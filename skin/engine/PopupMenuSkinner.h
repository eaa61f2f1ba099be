#pragma once
// What the skin manager expects of the skinner of an open popup-menu window
// (class "#32768"): its border and background from the MenuBackground element.
// The manager creates one when a menu opens and frees it when it closes;
// skin/menu/ implements it and defines the creation hook at the bottom.
//
// Implementers provide AttachMenuWindow (take the window over: a per-widget
// style or paint hook) and ReleaseMenuWindow (give it back exactly).
#include <memory>

class QWidget;

namespace skin {

class TSkinData;

class TPopupMenuSkinner {
 public:
  virtual ~TPopupMenuSkinner() = default;
  virtual void AttachMenuWindow(QWidget* menuWindow, TSkinData* skinData, bool fromMenuBar) = 0;
  virtual void ReleaseMenuWindow() = 0;
  virtual QWidget* MenuWindow() const = 0;
};

// ---- creation hook, defined in skin/menu/MenuHooks.cpp ---------------------

// The skinner for an opening popup-menu window; nullptr while menus are not skinned.
std::unique_ptr<TPopupMenuSkinner> CreatePopupMenuSkinner();

}  // namespace skin
