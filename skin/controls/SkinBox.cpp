#include "skin/controls/SkinBox.h"

#include <QWidget>

namespace skin {

void TSkinBox::InitControl(TWinSkinForm* frame, TSkinData* skinData, bool recolour, QImage* canvas) {
  if (initialised_ || !control_) return;
  initialised_ = true;
  skinData_ = skinData;
  canvas_ = canvas;
  Enrol(frame);
  if (recolour) SaveAndRecolour();
}

void TSkinBox::RestoreControl() {
  // A control being destroyed keeps what it has.
  if (life_ == sclDestroyed || !control_) {
    recolour_ = false;
    return;
  }
  TSkinControl::RestoreControl();
}

}  // namespace skin
