#include "skin/controls/SkinnerFactory.h"

#include <QWidget>

#include "skin/controls/SkinBox.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinCheckBox.h"
#include "skin/controls/SkinComBox.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinListView.h"
#include "skin/controls/SkinScrollbar.h"
#include "skin/controls/SkinStatusBar.h"
#include "skin/controls/SkinUpDown.h"
#include "skin/frame/WinSkinForm.h"

namespace skin {

namespace {

// A skinner of class T for the order: owned by the control it skins when
// attached as a component, by the frame skinner when attached by handle.
template <class T>
TSkinControl* Attach(const TSkinnerOrder& order, TWinSkinForm* frame, TSkinData* skinData) {
  if (order.byHandle) {
    auto* s = new T(frame ? static_cast<QObject*>(frame) : static_cast<QObject*>(order.control));
    s->InitWindow(order.control, skinData, frame, nullptr);
    return s;
  }
  auto* s = new T(order.control);
  s->InitControl(frame, skinData, false, nullptr);
  return s;
}

}  // namespace

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
    case skButton: return Attach<TSkinButton>(order, frame, skinData);
    case skCheckBox: return Attach<TSkinCheckBox>(order, frame, skinData);
    case skRadioButton: return Attach<TSkinRadioButton>(order, frame, skinData);
    case skEdit: return Attach<TSkinEdit>(order, frame, skinData);
    case skComBox: return Attach<TSkinComBox>(order, frame, skinData);
    case skStatusBar: return Attach<TSkinStatusBar>(order, frame, skinData);
    case skUpDown: return Attach<TSkinUpDown>(order, frame, skinData);
    case skScrollbar: return Attach<TSkinScrollbar>(order, frame, skinData);
    case skListView: return Attach<TSkinListView>(order, frame, skinData);
    case skScrollbarH: {
      // Always attached by the window handle.
      TSkinnerOrder byHandle = order;
      byHandle.byHandle = true;
      return Attach<TSkinScrollbarH>(byHandle, frame, skinData);
    }
    case skHeader: return Attach<TSkinHeader>(TSkinnerOrder{order.control, order.kind, true}, frame, skinData);
    default: return nullptr;
  }
}

}  // namespace skin
