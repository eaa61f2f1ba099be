#pragma once
// The default table that maps class names of foreign controls to skinner
// kinds, one "ClassName=kind" line each, in the order the first match wins.
#include <QStringList>

namespace skin {

const QStringList& DefaultSkin3rd();

}  // namespace skin
