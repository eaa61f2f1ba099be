#pragma once
// What screen readers see of the toolkit's own controls: the report list is a
// table; a label reads its caption; a panel that shows a caption reads as a
// label of it, an empty one is a plain container panel; the status bar reads
// its texts; a form is a window.
#include <QAccessibleInterface>

namespace toolkit::accessible {

// The accessible objects of the toolkit's classes, for QAccessible::installFactory.
QAccessibleInterface* Factory(const QString& className, QObject* object);

}  // namespace toolkit::accessible
