#pragma once
// Accessibility notices of the program's own controls. They go to the
// platform's bridge (a screen reader's view of the program) while one is
// active, and to a watcher when one is set: the offscreen platform has no
// bridge, so tests watch the notices here.
#include <QAccessibleEvent>
#include <functional>

namespace toolkit::accessible {

// True while a bridge or a watcher takes notices; building one costs nothing otherwise.
bool Listening();
void Notify(QAccessibleEvent& event);
// The object's accessible name changed (a caption, say).
void NotifyNameChanged(QObject* object);

using NoticeWatcher = std::function<void(QAccessibleEvent& event)>;
// Replaces the watcher; an empty one removes it.
void SetNoticeWatcher(NoticeWatcher watcher);

}  // namespace toolkit::accessible
