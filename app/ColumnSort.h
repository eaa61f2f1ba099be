#pragma once
// Column sorting of the two tables: texts compared as GBK bytes with Latin
// letters folded to upper case, the direction alternating with every sort.
#include <QString>

namespace app {

// Negative when `a` goes first in ascending order.
int CompareColumnTexts(const QString& a, const QString& b);

}  // namespace app
