#include "controls/styled/FlatButton.h"

#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QShortcut>

#include "platform/Edges.h"
#include "toolkit/Dispatch.h"
#include "toolkit/Form.h"

namespace styled {

TFlatButton::TFlatButton(QWidget* parent) : TFlatSpeedButton(parent) {
  setGeometry(0, 0, 100, 25);
  setFocusPolicy(Qt::StrongFocus);
  returnKey_ = new QShortcut(QKeySequence(Qt::Key_Return), this);
  enterKey_ = new QShortcut(QKeySequence(Qt::Key_Enter), this);
  for (QShortcut* s : {returnKey_, enterKey_}) {
    s->setContext(Qt::WindowShortcut);
    s->setEnabled(false);
    connect(s, &QShortcut::activated, this, &TFlatButton::DialogKey);
  }
}

void TFlatButton::SetDefault(bool v) {
  if (default_ == v) return;
  default_ = v;
  update();
}

void TFlatButton::SetHasFocusFrame(bool v) {
  if (hasFocusFrame_ == v) return;
  hasFocusFrame_ = v;
  update();
}

void TFlatButton::Click() {
  if (parentWidget()) {
    if (auto* form = qobject_cast<toolkit::TForm*>(window())) form->SetModalResult(ModalResult());
    SetDown(false);
  }
  if (PopupMenu()) PopupMenu()->exec(mapToGlobal(QPoint(0, height())));
  toolkit::Raise(OnClick);
}

bool TFlatButton::DialogChar(QChar c) {
  const QChar accel = AcceleratorOf(Caption());
  if (accel.isNull() || c.toLower() != accel || !isEnabled() || !isVisible()) return false;
  if (GroupIndex() != 0) SetDown(true);
  Click();
  return true;
}

void TFlatButton::DialogKey() {
  if (hot_ && isEnabled()) Click();
}

void TFlatButton::focusInEvent(QFocusEvent* event) {
  TFlatSpeedButton::focusInEvent(event);
  if (isEnabled()) {
    hot_ = true;
    update();
  }
}

void TFlatButton::focusOutEvent(QFocusEvent* event) {
  TFlatSpeedButton::focusOutEvent(event);
  LeaveStep();
}

void TFlatButton::mousePressEvent(QMouseEvent* event) {
  TFlatSpeedButton::mousePressEvent(event);
  if (event->button() == Qt::LeftButton && isEnabled() && focusPolicy() != Qt::NoFocus) setFocus(Qt::MouseFocusReason);
}

void TFlatButton::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space) {
    if (GroupIndex() != 0)
      SetDown(true);
    else
      state_ = fbsDown;
    update();
    return;
  }
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
      !(event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))) {
    if (hot_ && isEnabled()) {
      Click();
      return;
    }
  }
  event->ignore();
}

void TFlatButton::keyReleaseEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_Space || event->isAutoRepeat()) {
    event->ignore();
    return;
  }
  if (GroupIndex() != 0)
    SetDown(false);
  else
    state_ = fbsUp;
  Click();
  update();
}

void TFlatButton::moveEvent(QMoveEvent* event) {
  TFlatSpeedButton::moveEvent(event);
  if (Transparent() != tmNone) update();
}

void TFlatButton::resizeEvent(QResizeEvent* event) {
  TFlatSpeedButton::resizeEvent(event);
  if (Transparent() != tmNone) update();
}

void TFlatButton::paintEvent(QPaintEvent*) {
  // Enter reaches the button through the window only while it is hot and not focused
  // (a focused button takes the key itself).
  const bool viaWindow = hot_ && isEnabled() && !hasFocus();
  returnKey_->setEnabled(viaWindow);
  enterKey_->setEnabled(viaWindow);
  // Everything goes into an off-screen image first, copied in one step.
  QImage buffer(size(), QImage::Format_ARGB32_Premultiplied);
  buffer.fill(Qt::transparent);
  {
    QPainter bp(&buffer);
    PaintButton(bp);
  }
  QPainter p(this);
  p.drawImage(0, 0, buffer);
}

void TFlatButton::PaintBackground(QPainter& p) {
  platform::TColor fill = platform::clNone;
  switch (state_) {
    case fbsUp: fill = hot_ ? ColorFocused() : ColorFlat(); break;
    case fbsDisabled: fill = ColorFlat(); break;
    case fbsDown: fill = ColorDown(); break;
    case fbsExclusive: fill = hot_ ? ColorFocused() : ColorDown(); break;
  }
  const bool seeThrough = Transparent() == tmAlways || (Transparent() == tmNotFocused && !hot_);
  if (seeThrough)
    DrawParentBackground(this, p);
  else
    p.fillRect(rect(), platform::ToQColor(fill));
}

void TFlatButton::PaintFrame(QPainter& p) {
  if (TransBorder()) return;
  if (state_ == fbsUp && !hot_ && default_) {
    DrawFlatFrame(p, rect(), platform::ToQColor(ColorBorder()), 2);
    return;
  }
  TFlatSpeedButton::PaintFrame(p);
}

void TFlatButton::PaintFocus(QPainter& p) {
  if (hot_ && hasFocusFrame_ && isEnabled() && !TransBorder()) platform::DrawFocusRect(p, rect().adjusted(2, 2, -2, -2));
}

}  // namespace styled
