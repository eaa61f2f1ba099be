#include "skin/controls/SkinUpDown.h"

#include <QAbstractSpinBox>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionSpinBox>

#include "platform/PointerPixel.h"
#include "skin/controls/SkinPaint.h"
#include "skin/engine/SkinData.h"

namespace skin {

int UpDownFrameIndex(const TUpDownLook& look, int which) {
  int state = 1;
  if (!look.enabled) state = 4;
  else if (look.pressed == which) state = 2;
  else if (look.hot == which) state = 3;
  return (which - 1) * 4 + state;
}

void PaintUpDown(QPainter& dc, const TSkinElements& e, const TUpDownLook& look) {
  const TDataSkinBorder* el = look.horizontal ? e.UpDownHorz.get() : e.UpDownVert.get();
  if (!el || el->Image.isNull()) return;
  const QRect rects[2] = {look.first, look.second};
  for (int which = 1; which <= 2; ++which) {
    const QRect& r = rects[which - 1];
    if (r.isEmpty()) continue;
    const int index = UpDownFrameIndex(look, which);
    FillButtonFace(dc, r, e);
    DrawElement(dc, r, 8, index, *el);
    if (!el->Image2.isNull()) DrawFrameCentred(dc, r, el->Image2, true, 8, index);
  }
}

TUpDownLook TSkinUpDown::Look() const {
  TUpDownLook look;
  const QWidget* w = handle_.data();
  if (!w) return look;
  look.enabled = enabled_;
  look.pressed = pressedButton_;
  look.hot = hotButton_;
  if (const auto* spin = qobject_cast<const QAbstractSpinBox*>(w)) {
    QStyleOptionSpinBox opt;
    opt.initFrom(spin);
    opt.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown;
    opt.buttonSymbols = spin->buttonSymbols();
    look.first = spin->style()->subControlRect(QStyle::CC_SpinBox, &opt, QStyle::SC_SpinBoxUp, spin);
    look.second = spin->style()->subControlRect(QStyle::CC_SpinBox, &opt, QStyle::SC_SpinBoxDown, spin);
    return look;
  }
  const QRect r = w->rect();
  look.horizontal = r.width() > r.height();
  if (look.horizontal) {
    look.first = QRect(r.left(), r.top(), r.width() / 2, r.height());
    look.second = QRect(r.left() + r.width() / 2, r.top(), r.width() - r.width() / 2, r.height());
  } else {
    look.first = QRect(r.left(), r.top(), r.width(), r.height() / 2);
    look.second = QRect(r.left(), r.top() + r.height() / 2, r.width(), r.height() - r.height() / 2);
  }
  return look;
}

int TSkinUpDown::ButtonAt(const QPoint& p) const {
  const TUpDownLook look = Look();
  if (look.first.contains(p)) return 1;
  if (look.second.contains(p)) return 2;
  return 0;
}

void TSkinUpDown::AfterMessage(QEvent* message) {
  switch (message->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      pressedButton_ = ButtonAt(platform::PixelAt(static_cast<QMouseEvent*>(message)));
      Repaint();
      return;
    case QEvent::MouseButtonRelease:
      pressedButton_ = 0;
      Repaint();
      return;
    case QEvent::MouseMove:
    case QEvent::HoverMove: {
      const int at = message->type() == QEvent::MouseMove
                         ? ButtonAt(platform::PixelAt(static_cast<QMouseEvent*>(message)))
                         : ButtonAt(platform::PixelAt(static_cast<QHoverEvent*>(message)));
      if (at != hotButton_) {
        hotButton_ = at;
        Repaint();
      }
      return;
    }
    case QEvent::Leave:
      hotButton_ = 0;
      pressedButton_ = 0;
      Repaint();
      return;
    default: TSkinControl::AfterMessage(message);
  }
}

void TSkinUpDown::Paint(QPainter& dc, const QRect&) {
  if (skinData_) PaintUpDown(dc, skinData_->Elements(), Look());
}

}  // namespace skin
