#pragma once
// Notices of top-level windows and popup menus of the user-interface thread,
// as a thread's computer-based-training hook gives them:
//   HCBT_CREATEWND  a top-level window is about to appear for the first time
//                   (its first Polish, or its first Show when it was polished
//                   before the hooks were installed: nothing is mapped or
//                   painted yet); a popup menu is about to open (every
//                   Show of a QMenu: each opening is a new menu window);
//   HCBT_ACTIVATE   a top-level window is being activated;
//   HCBT_DESTROYWND a top-level window is destroyed; a popup menu closed (Hide)
//                   or was destroyed while open.
// Hooks are called in the order they were installed. One application event
// filter serves every hook; it never consumes an event.
#include <QPointer>
#include <functional>

class QWidget;

namespace platform {

enum HookCode { HCBT_CREATEWND = 3, HCBT_DESTROYWND = 4, HCBT_ACTIVATE = 5 };

// Receives the code and the window. A negative code is never passed here.
using WindowHookProc = std::function<void(HookCode code, QWidget* window)>;

class WindowHooks {
 public:
  // Installs a hook for the user-interface thread; returns its handle (> 0).
  static int Install(WindowHookProc proc);
  // Removes a hook; unknown handles are ignored.
  static void Remove(int handle);
  static int Count();
  // Whether `w` is a popup menu window for the hooks (a QMenu, or any widget
  // whose window class is "#32768").
  static bool IsPopupMenu(const QWidget* w);
};

}  // namespace platform
