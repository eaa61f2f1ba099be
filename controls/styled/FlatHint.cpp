#include "controls/styled/FlatHint.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

#include "controls/styled/DefineHintWindow.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"

namespace styled {

TFlatHint::TFlatHint(QObject* owner) : QObject(owner), font_(QApplication::font()) {
  toolkit::HintManager& manager = toolkit::TheHintManager();
  manager.SetHintWindowClass([] { return new TDefineHintWindow(); });
  // The forwarder outlives nothing: once the component is gone it forwards nothing.
  QPointer<TFlatHint> self(this);
  manager.OnShowHint = [self](QString& hintStr, bool& canShow, toolkit::THintInfo& info) {
    if (self && self->OnShowHint) self->OnShowHint(hintStr, canShow, info);
  };
  toolkit::Application& app = toolkit::TheApplication();
  app.SetHintShortPause(25);
  app.SetHintPause(500);
  app.SetHintHidePause(5000);
}

void TFlatHint::SetColor(int index, platform::TColor v) {
  if (index >= 0 && index < 4) colors_[index] = v;
}

TFlatHint* TFlatHint::Find() {
  if (QWidget* main = toolkit::TheApplication().MainForm())
    if (auto* hint = main->findChild<TFlatHint*>()) return hint;
  for (QWidget* top : QApplication::topLevelWidgets())
    if (auto* hint = top->findChild<TFlatHint*>()) return hint;
  return nullptr;
}

}  // namespace styled
