#pragma once
// The flat hint window: a frameless, topmost box placed diagonally beside the
// pointer on the side facing the screen's centre, with a coloured strip on one
// side carrying an arrow that points back at the pointer.
#include <QFont>

#include "platform/Color.h"
#include "toolkit/HintManager.h"

namespace styled {

class TDefineHintWindow : public toolkit::THintWindow {
  Q_OBJECT

 public:
  TDefineHintWindow();

  void ActivateHint(const QRect& rect, const QString& hint) override;

  // The pointer's screen quarter: 0 top-right, 1 top-left, 2 bottom-right (or
  // anywhere else), 3 bottom-left.
  int ArrowCorner() const { return corner_; }
  QPoint ArrowAnchor() const { return anchor_; }

  // The corner code for pointer `p` on a screen `screen`.
  static int CornerFor(QPoint p, const QRect& screen);
  // The window's bounds for a w × h hint with the pointer at `p` and corner code `code`.
  static QRect BoundsFor(QPoint p, QSize size, int code);
  // The 18 points of the arrow polyline for anchor `anchor` and corner code `code`.
  static QList<QPoint> ArrowPoints(QPoint anchor, int code);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int corner_ = 2;
  QPoint anchor_;
  // The settings in force when the hint was shown.
  platform::TColor background_ = platform::clWhite;
  platform::TColor border_ = platform::clBlack;
  platform::TColor arrowBackground_ = platform::RGB(255, 210, 83);
  platform::TColor arrow_ = platform::clBlack;
};

}  // namespace styled
