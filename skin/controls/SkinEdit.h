#pragma once
// Edit controls: after the edit painted itself, a one-pixel ButtonShadow line
// round the control and a white one inside it replace the platform's border;
// an edit without a border is left as it is. An up-down child found at the
// first paint gets a skinner of its own.
#include <QRect>

#include "skin/controls/SkinControl.h"

class QPainter;

namespace skin {

// The two frame lines of a bordered edit of `rect` (right-exclusive).
void PaintEditFrame(QPainter& dc, const QRect& rect);
// Whether a widget's client area fills it (no border to frame).
bool EditHasBorder(const QWidget* edit);

class TSkinEdit : public TSkinControl {
  Q_OBJECT

 public:
  using TSkinControl::TSkinControl;
  void AfterMessage(QEvent* message) override;
  void Paint(QPainter& dc, const QRect& rect) override;

 private:
  void AttachUpDown();
  bool searchedUpDown_ = false;
};

}  // namespace skin
