#pragma once
// Panels, embedded forms and the DB navigator: the skinner only recolours the
// control to the skin's ButtonFace (and back); it hooks no messages and
// paints nothing.
#include "skin/controls/SkinControl.h"

namespace skin {

class TSkinBox : public TSkinControl {
  Q_OBJECT

 public:
  using TSkinControl::TSkinControl;
  void InitControl(TWinSkinForm* frame, TSkinData* skinData, bool recolour, QImage* canvas) override;
  void RestoreControl() override;
};

}  // namespace skin
