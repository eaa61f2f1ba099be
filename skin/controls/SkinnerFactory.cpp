#include "skin/controls/SkinnerFactory.h"

#include <QWidget>

#include "skin/controls/SkinBox.h"

namespace skin {

TSkinControl* CreateSkinner(const TSkinnerOrder& order, TWinSkinForm* frame, TSkinData* skinData) {
  QWidget* control = order.control;
  if (!control) return nullptr;
  switch (order.kind) {
    case skBox: {
      // Boxes are always recoloured.
      auto* s = new TSkinBox(control);
      s->InitControl(frame, skinData, true, nullptr);
      return s;
    }
    default: return nullptr;
  }
}

}  // namespace skin
