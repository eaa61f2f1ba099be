#pragma once
// The painter of one skinned scroll bar: a style lent to the native QScrollBar
// that paints the bar from the skin and answers its geometry (arrows of the
// system arrow size A, track, thumb) so that the bar's own mouse and wheel
// handling scrolls exactly as before, over the parts the skin shows. While
// the thumb is dragged the painted thumb follows the cursor, kept between the
// arrows. Without the skin's Scrollbar element everything stays the bar's
// own.
#include <QPointer>
#include <QProxyStyle>
#include <QScrollBar>

#include "skin/controls/ScrollBarGeometry.h"
#include "skin/controls/ScrollBarPaint.h"
#include "skin/controls/WidgetStyle.h"

class QStyleOptionSlider;

namespace skin {

class TSkinData;

class TWScrollbar : public QProxyStyle {
  Q_OBJECT

 public:
  TWScrollbar(QScrollBar* bar, TScrollBarKind kind, TSkinData* skinData);
  ~TWScrollbar() override;

  // Lends the bar this style / gives the bar its own style back.
  void Attach();
  void Detach();
  QScrollBar* Bar() const { return bar_.data(); }
  TScrollBarKind Kind() const { return kind_; }
  // The arrow size A: the system width of a horizontal scroll-bar arrow.
  int ArrowSize() const { return arrowSize_; }
  // Whether the skin paints the bar now.
  bool Skinned() const;
  // Repaints, and lays the bar out again when its thickness may have changed.
  void Refresh();

  // The bar's geometry and look for an option of it (or the bar as it is).
  TScrollBarGeometry Geometry(const QStyleOptionSlider& opt) const;
  TScrollBarLook Look(const QStyleOptionSlider& opt) const;
  TScrollBarLook Look() const;
  // The cursor is down on the bar (a press it has not yet released).
  bool MouseDown() const { return mouseDown_; }

  void drawComplexControl(ComplexControl cc, const QStyleOptionComplex* opt, QPainter* p,
                          const QWidget* w) const override;
  QRect subControlRect(ComplexControl cc, const QStyleOptionComplex* opt, SubControl sc,
                       const QWidget* w) const override;
  SubControl hitTestComplexControl(ComplexControl cc, const QStyleOptionComplex* opt, const QPoint& pos,
                                   const QWidget* w) const override;
  int pixelMetric(PixelMetric metric, const QStyleOption* opt, const QWidget* w) const override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool IsOurs(const QWidget* w) const { return w && w == bar_.data(); }
  int Axis(const QPoint& p) const;

  QPointer<QScrollBar> bar_;
  TScrollBarKind kind_;
  TSkinData* skinData_;
  int arrowSize_;
  TWidgetStyle lent_;
  // The press being followed.
  bool mouseDown_ = false;
  int cursorAtPress_ = 0;
  int thumbAtPress_ = 0;
  int cursor_ = 0;
  mutable TPartCache cache_;
};

// The option a bar paints itself with.
QStyleOptionSlider ScrollBarOption(const QScrollBar* bar);

}  // namespace skin
