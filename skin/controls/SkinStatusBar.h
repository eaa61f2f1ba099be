#pragma once
// Status bars: the skinner paints the whole bar (panels, bevels, texts) from
// the skin, and switches the bar's own size grip off while it is attached.
#include "skin/controls/SkinControl.h"
#include "skin/controls/StatusBarPaint.h"

namespace skin {

class TSkinStatusBar : public TSkinControl {
  Q_OBJECT

 public:
  using TSkinControl::TSkinControl;
  ~TSkinStatusBar() override;

  void InitControl(TWinSkinForm* frame, TSkinData* skinData, bool recolour, QImage* canvas) override;
  void RestoreControl() override;
  bool BeforeMessage(QEvent* message) override;
  void Paint(QPainter& dc, const QRect& rect) override;

  TStatusBarLook Look() const;

 private:
  bool gripSwitchedOff_ = false;
  TPartCache cache_;
};

}  // namespace skin
