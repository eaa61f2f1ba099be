#include "toolkit/accessible/Notice.h"

#include <QAccessible>

namespace toolkit::accessible {
namespace {

NoticeWatcher& Watcher() {
  static NoticeWatcher watcher;
  return watcher;
}

}  // namespace

bool Listening() { return Watcher() || QAccessible::isActive(); }

void Notify(QAccessibleEvent& event) {
  if (const NoticeWatcher& watcher = Watcher()) watcher(event);
  // Asking for the interface of an inactive bridge would still build it: check first.
  if (QAccessible::isActive()) QAccessible::updateAccessibility(&event);
}

void NotifyNameChanged(QObject* object) {
  if (!object || !Listening()) return;
  QAccessibleEvent event(object, QAccessible::NameChanged);
  Notify(event);
}

void SetNoticeWatcher(NoticeWatcher watcher) { Watcher() = std::move(watcher); }

}  // namespace toolkit::accessible
