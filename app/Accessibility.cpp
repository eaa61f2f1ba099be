#include "app/Accessibility.h"

#include <QAccessible>

#include "controls/outbar/OutBarAccessible.h"
#include "controls/styled/StyledAccessible.h"
#include "toolkit/accessible/ToolkitAccessible.h"

namespace app {

void InstallAccessibility() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  QAccessible::installFactory(toolkit::accessible::Factory);
  QAccessible::installFactory(outbar::AccessibleFactory);
  QAccessible::installFactory(styled::AccessibleFactory);
}

}  // namespace app
