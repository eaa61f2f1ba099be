#include "skin/controls/AttachControls.h"

#include <QDialogButtonBox>
#include <QVariant>
#include <QWidget>

#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinnerFactory.h"
#include "skin/engine/Classify.h"
#include "skin/engine/SkinData.h"
#include "skin/frame/WinSkinForm.h"
#include "toolkit/Form.h"
#include "toolkit/Panel.h"

namespace skin {
namespace {

void Classify(TWinSkinForm& frame, QWidget* container, QWidget* control);

void WalkOwned(TWinSkinForm& frame, QWidget* control) {
  for (QWidget* child : DirectlyOwnedControls(control)) Classify(frame, control, child);
}

void Classify(TWinSkinForm& frame, QWidget* container, QWidget* control) {
  TSkinData* data = frame.SkinData();
  if (!data || !control) return;
  auto attached = [&frame](const QWidget* w) { return frame.FindSkinner(w) != nullptr; };
  if (DisabledByTag(control, data->DisableTag()) || attached(control)) return;
  // The application may supply its own skinner.
  if (data->OnSkinControl) {
    TSkinControl* skinned = nullptr;
    data->OnSkinControl(&frame, data, container, control, UpperClassName(control), skinned);
    if (skinned) {
      if (!frame.FindSkinner(control)) skinned->InitControl(&frame, data, false, nullptr);
      if (qobject_cast<toolkit::TPanel*>(control)) WalkOwned(frame, control);
      return;
    }
  }
  const TClassification c = ClassifyControl(control, *data, attached);
  if (!c.setTrue.isEmpty() && control->property(c.setTrue.toLatin1().constData()).isValid())
    control->setProperty(c.setTrue.toLatin1().constData(), true);
  if (c.sizeGripOff && control->property("SizeGrip").isValid()) control->setProperty("SizeGrip", false);
  for (const TSkinnerOrder& order : c.orders)
    if (order.control && !frame.FindSkinner(order.control)) CreateSkinner(order, &frame, data);
  if (c.walkOwned) WalkOwned(frame, control);
}

// The child windows of a foreign window, by their window class. Qt dialogs
// keep their buttons in a button box of their own: its children count as the
// dialog's.
void AttachChildWindows(TWinSkinForm& frame, QWidget* parent) {
  TSkinData* data = frame.SkinData();
  for (QWidget* child : DirectlyOwnedControls(parent)) {
    if (DisabledByTag(child, data->DisableTag()) || frame.FindSkinner(child)) continue;
    if (qobject_cast<QDialogButtonBox*>(child)) {
      AttachChildWindows(frame, child);
      continue;
    }
    const TSkinnerOrder order = ClassifyByWindowClass(child, data->SkinControls(), data->Elements().Tabs != nullptr);
    if (order.kind != skNone) CreateSkinner(order, &frame, data);
  }
}

}  // namespace

void AttachControls(TWinSkinForm& frame) {
  QWidget* window = frame.Handle();
  TSkinData* data = frame.SkinData();
  if (!window || !data) return;
  if (frame.Form()) {
    for (QWidget* control : OwnedControls(window)) Classify(frame, window, control);
    return;
  }
  AttachChildWindows(frame, window);
}

}  // namespace skin
