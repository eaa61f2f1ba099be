#pragma once
// Push buttons (application buttons and the buttons of foreign dialogs): the
// skinner paints the whole button from the skin's 5-frame push-button image
// and its caption, tracks the hot look across the buttons of one window and
// clicks on the release of a press it took over.
#include "skin/controls/ButtonPaint.h"
#include "skin/controls/SkinControl.h"

namespace skin {

class TSkinButton : public TSkinControl {
  Q_OBJECT

 public:
  using TSkinControl::TSkinControl;
  ~TSkinButton() override;

  bool BeforeMessage(QEvent* message) override;
  void AfterMessage(QEvent* message) override;
  void Paint(QPainter& dc, const QRect& rect) override;

  // The frame the button shows now.
  int FrameIndex() const;
  TPushButtonLook Look() const;

 private:
  void BecomeHot();
  void LoseHot();
  void Click();
  bool Foreign() const { return control_.isNull(); }
  TPartCache cache_;
};

}  // namespace skin
