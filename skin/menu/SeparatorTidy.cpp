#include "skin/menu/SeparatorTidy.h"

#include <QAction>
#include <QMenu>

namespace skin {

namespace {
// Marks separators this tidying hid, so that it alone shows them again.
constexpr const char* kTidyHidden = "cqTidyHidden";

void SetShown(QAction* separator, bool shown) {
  if (shown) {
    if (!separator->isVisible()) separator->setVisible(true);
    separator->setProperty(kTidyHidden, QVariant());
  } else if (separator->isVisible()) {
    separator->setVisible(false);
    separator->setProperty(kTidyHidden, true);
  }
}
}  // namespace

void TidySeparators(QMenu* menu) {
  if (!menu) return;
  bool seenItem = false;
  QAction* pending = nullptr;  // a separator kept until an item follows it
  for (QAction* a : menu->actions()) {
    if (a->isSeparator()) {
      if (!a->isVisible() && !a->property(kTidyHidden).toBool()) continue;
      if (!seenItem || pending) SetShown(a, false);
      else pending = a;
      continue;
    }
    if (!a->isVisible()) continue;
    if (pending) {
      SetShown(pending, true);
      pending = nullptr;
    }
    seenItem = true;
  }
  if (pending) SetShown(pending, false);
}

}  // namespace skin
