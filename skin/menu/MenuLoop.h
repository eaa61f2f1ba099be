#pragma once
// The menu loop of a bar menu, process-wide (one bar menu is open at a time):
// while it runs, an application event filter sees the keys and the pointer of
// the open menus. The first item is highlighted when the menu opens; Left in
// the bar's own menu and Right on an item without a submenu switch to the
// neighbouring bar entry (wrapping around), and so does moving the pointer
// over another bar entry; Enter and Escape end a switch; releasing Alt closes
// the menus.
#include <QObject>
#include <QPoint>
#include <QPointer>

class QKeyEvent;
class QMenu;
class QMouseEvent;

namespace skin {

class TWinSkinMenu;

class TMenuLoop : public QObject {
 public:
  // The loop's process-wide state.
  static TMenuLoop& Instance();

  // A bar menu is opening: `index` is its entry in `bar`, `menu` the menu.
  void Begin(TWinSkinMenu* bar, int index, QMenu* menu);
  // The menu is up: its first item is highlighted.
  void Opened();
  // The bar menu closed (or never opened).
  void End();

  bool Running() const { return running_; }
  TWinSkinMenu* Bar() const { return bar_.data(); }
  int Index() const { return index_; }
  QMenu* Menu() const { return menu_.data(); }
  bool Switching() const { return switching_; }

  // Closes the running menu and opens the bar entry `index` instead.
  void SwitchTo(int index);

 protected:
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  TMenuLoop() = default;
  bool Key(QMenu* menu, QKeyEvent* e);
  bool Pointer(QMenu* menu, QMouseEvent* e);
  void CloseMenus();

  QPointer<TWinSkinMenu> bar_;
  QPointer<QMenu> menu_;
  int index_ = -1;
  QPoint lastPos_{-100000, -100000};
  bool running_ = false;
  bool switching_ = false;
  bool escaped_ = false;
  bool altPressed_ = false;  // Alt went down inside the menus
  bool swapping_ = false;
  bool filterInstalled_ = false;
  QMetaObject::Connection hidden_;
};

}  // namespace skin
