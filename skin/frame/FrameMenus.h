#pragma once
// The menus of a skinned window: the menu-bar skinner (created for a form's
// menu, rebuilt once after a burst of menu changes), the form's popup menus
// and the bar's submenus drawn from the skin, and giving them all back.
#include <memory>

namespace platform {
class Subclass;
}

namespace skin {

class TMenuBarSkinner;
class TWinSkinForm;

class TFrameMenus {
 public:
  explicit TFrameMenus(TWinSkinForm& frame);
  ~TFrameMenus();

  // The skinned bar of a form with a menu (with the frame's skinning only).
  void AttachMenuBar();
  // The form's popup menus (and, with xcMenuItem, the bar's submenus) draw
  // their items from the skin; `withSubmenus` at attach only.
  void HookFormMenus(bool withSubmenus);
  // The menus draw themselves again and the bar shows as before.
  void GiveBack();
  // Menu changes no longer rebuild the bar.
  void StopWatching();
  // Frees the bar skinner and the watch on the form's menu.
  void Release();
  TMenuBarSkinner* Bar() const { return bar_.get(); }

 private:
  void MenuChanged();

  TWinSkinForm& frame_;
  std::unique_ptr<TMenuBarSkinner> bar_;
  std::unique_ptr<platform::Subclass> watch_;
  bool rebuildPending_ = false;
};

}  // namespace skin
