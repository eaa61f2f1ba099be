#pragma once
// What screen readers see of the outlook bar: the bar is a list of page tabs,
// one per group, named by the group captions, the open one selected; a
// group's page holds its vertical list, a list of items named by their
// captions. Pressing a tab opens its group; pressing an item chooses it as a
// click does.
#include <QAccessibleInterface>

namespace outbar {

// The accessible objects of the bar's classes, for QAccessible::installFactory.
QAccessibleInterface* AccessibleFactory(const QString& className, QObject* object);

}  // namespace outbar
