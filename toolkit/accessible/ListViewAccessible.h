#pragma once
// The report list as screen readers see it: a table whose column headers
// carry the column captions and whose cells carry the texts as painted.
// Pressing a cell chooses its row as a click does; pressing a header clicks
// that column (the program sorts by it).
#include <QAccessibleInterface>

namespace toolkit {
class TListView;
}

namespace toolkit::accessible {

QAccessibleInterface* NewListViewAccessible(TListView* view);

}  // namespace toolkit::accessible
