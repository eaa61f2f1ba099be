#pragma once
// What screen readers see of the styled buttons: push buttons named by their
// captions. Pressing one runs what a click runs; a flat button of a group is
// checkable and reads as checked while latched down.
#include <QAccessibleInterface>

namespace styled {

// The accessible objects of the styled buttons, for QAccessible::installFactory.
QAccessibleInterface* AccessibleFactory(const QString& className, QObject* object);

// A caption as read aloud: "&&" is a plain "&", a single "&" marks the accelerator.
QString SpokenCaption(const QString& caption);

}  // namespace styled
