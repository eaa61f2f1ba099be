#pragma once
// Up-down arrows (spin buttons): the two buttons are painted over the control
// from the skin's UpDown element, four frames each (normal, pressed, hot,
// disabled; the second button's frames follow the first's), with the
// element's glyph image centred on each.
#include <QRect>

#include "skin/core/SkinElements.h"
#include "skin/controls/SkinControl.h"

namespace skin {

struct TUpDownLook {
  QRect first, second;  // up and down (left and right for a horizontal pair)
  bool horizontal = false;
  int pressed = 0;  // 1 the first, 2 the second button
  int hot = 0;
  bool enabled = true;
};

// The frame of button `which` (1, 2) of a look.
int UpDownFrameIndex(const TUpDownLook& look, int which);
// Paints both buttons; nothing without the element.
void PaintUpDown(QPainter& dc, const TSkinElements& e, const TUpDownLook& look);

class TSkinUpDown : public TSkinControl {
  Q_OBJECT

 public:
  using TSkinControl::TSkinControl;
  void AfterMessage(QEvent* message) override;
  void Paint(QPainter& dc, const QRect& rect) override;
  TUpDownLook Look() const;

 private:
  int ButtonAt(const QPoint& p) const;
  int pressedButton_ = 0;
  int hotButton_ = 0;
};

}  // namespace skin
