#include "platform/WindowHooks.h"

#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QSet>
#include <QWidget>
#include <map>

#include "platform/WindowClass.h"

namespace platform {
namespace {

class HookFilter : public QObject {
 public:
  std::map<int, WindowHookProc> hooks;
  int next = 1;

  void Notify(HookCode code, QWidget* w) {
    // Copy: a hook may install or remove hooks.
    const auto copy = hooks;
    for (const auto& [handle, proc] : copy) {
      if (!hooks.count(handle)) continue;
      proc(code, w);
    }
  }

  void WatchDestruction(QWidget* w, bool menu) {
    if (watched_.contains(w)) return;
    watched_.insert(w);
    connect(w, &QObject::destroyed, this, [this, w, menu] {
      watched_.remove(w);
      if (!menu || openMenus_.contains(w)) {
        openMenus_.remove(w);
        Notify(HCBT_DESTROYWND, w);
      }
    });
  }

  bool eventFilter(QObject* o, QEvent* e) override {
    const QEvent::Type t = e->type();
    if (t != QEvent::Polish && t != QEvent::Show && t != QEvent::Hide && t != QEvent::WindowActivate) return false;
    if (!o->isWidgetType()) return false;
    auto* w = static_cast<QWidget*>(o);
    if (!w->isWindow()) return false;
    if (WindowHooks::IsPopupMenu(w)) {
      if (t == QEvent::Show && !openMenus_.contains(w)) {
        openMenus_.insert(w);
        WatchDestruction(w, true);
        Notify(HCBT_CREATEWND, w);
      } else if (t == QEvent::Hide && openMenus_.contains(w)) {
        openMenus_.remove(w);
        Notify(HCBT_DESTROYWND, w);
      }
      return false;
    }
    // Tool tips, combo-box lists and other popups are parts of their controls.
    if (w->windowType() == Qt::ToolTip || w->windowType() == Qt::Popup || w->windowType() == Qt::Desktop) return false;
    // The first Polish, or the first Show of a window polished before any hook
    // was installed: either comes before the window is mapped.
    if ((t == QEvent::Polish || t == QEvent::Show) && !created_.contains(w)) {
      created_.insert(w);
      connect(w, &QObject::destroyed, this, [this, w] { created_.remove(w); });
      WatchDestruction(w, false);
      Notify(HCBT_CREATEWND, w);
    } else if (t == QEvent::WindowActivate) {
      Notify(HCBT_ACTIVATE, w);
    }
    return false;
  }

 private:
  QSet<QWidget*> created_;
  QSet<QWidget*> openMenus_;
  QSet<QWidget*> watched_;
};

HookFilter*& Filter() {
  static HookFilter* filter = nullptr;
  return filter;
}

}  // namespace

int WindowHooks::Install(WindowHookProc proc) {
  HookFilter*& f = Filter();
  if (!f) {
    f = new HookFilter();
    qApp->installEventFilter(f);
  }
  const int handle = f->next++;
  f->hooks.emplace(handle, std::move(proc));
  return handle;
}

void WindowHooks::Remove(int handle) {
  HookFilter*& f = Filter();
  if (!f) return;
  f->hooks.erase(handle);
  if (f->hooks.empty()) {
    if (qApp) qApp->removeEventFilter(f);
    delete f;
    f = nullptr;
  }
}

int WindowHooks::Count() { return Filter() ? static_cast<int>(Filter()->hooks.size()) : 0; }

bool WindowHooks::IsPopupMenu(const QWidget* w) {
  return w && (qobject_cast<const QMenu*>(w) || WindowClassName(w) == QStringLiteral("#32768"));
}

}  // namespace platform
