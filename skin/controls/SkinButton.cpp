#include "skin/controls/SkinButton.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include "platform/PointerPixel.h"
#include "skin/controls/SkinPaint.h"
#include "skin/engine/SkinData.h"
#include "skin/frame/WinSkinForm.h"

namespace skin {

TSkinButton::~TSkinButton() {
  if (TWinSkinForm* f = Frame(); f && f->HotControl() == this) f->SetHotControl(nullptr);
}

TPushButtonLook TSkinButton::Look() const {
  TPushButtonLook look;
  look.pressed = pressed_;
  look.hot = hot_;
  const auto* push = qobject_cast<const QPushButton*>(handle_.data());
  look.isDefault = push && push->isDefault();
  look.focused = focused_;
  look.enabled = enabled_;
  return look;
}

int TSkinButton::FrameIndex() const { return PushButtonFrameIndex(Look()); }

bool TSkinButton::BeforeMessage(QEvent* message) {
  QWidget* w = handle_.data();
  switch (message->type()) {
    case QEvent::Paint:
      // Without a push-button image the button keeps its own look.
      if (!w || !skinData_ || skinData_->Elements().Buttons.Image.isNull()) return true;
      PaintNonClient(nullptr);
      return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
      auto* m = static_cast<QMouseEvent*>(message);
      if (m->button() != Qt::LeftButton || !w) return true;
      if (!w->hasFocus() && w->focusPolicy() != Qt::NoFocus) w->setFocus(Qt::MouseFocusReason);
      pressed_ = true;
      Repaint();
      return false;
    }
    default: return TSkinControl::BeforeMessage(message);
  }
}

void TSkinButton::AfterMessage(QEvent* message) {
  switch (message->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
      auto* k = static_cast<QKeyEvent*>(message);
      if (k->key() == Qt::Key_Space && !k->isAutoRepeat()) {
        pressed_ = message->type() == QEvent::KeyPress;
        Repaint();
      }
      return;
    }
    case QEvent::MouseMove:
      if (!hot_) BecomeHot();
      return;
    case QEvent::MouseButtonRelease: {
      auto* m = static_cast<QMouseEvent*>(message);
      if (m->button() != Qt::LeftButton || !pressed_) return;
      pressed_ = false;
      Repaint();
      // The press was taken over, so the click is ours to make; a release
      // away from the button clicks nothing.
      if (handle_ && handle_->rect().contains(platform::PixelAt(m))) Click();
      return;
    }
    case QEvent::Enter:
      if (enabled_) BecomeHot();
      return;
    case QEvent::Leave:
      if (enabled_) LoseHot();
      return;
    default: TSkinControl::AfterMessage(message);
  }
}

void TSkinButton::BecomeHot() {
  hot_ = true;
  if (TWinSkinForm* f = Frame()) {
    TSkinControl* other = f->HotControl();
    if (other && other != this && other->Handle()) {
      QEvent leave(QEvent::Leave);
      QCoreApplication::sendEvent(other->Handle(), &leave);
    }
    f->SetHotControl(this);
  }
  Repaint();
}

void TSkinButton::LoseHot() {
  hot_ = false;
  pressed_ = false;
  Repaint();
  if (TWinSkinForm* f = Frame(); f && f->HotControl() == this) f->SetHotControl(nullptr);
}

void TSkinButton::Click() {
  // Application buttons run their click method; a foreign button reports the
  // click to its dialog the same way.
  if (auto* b = qobject_cast<QAbstractButton*>(handle_.data())) b->click();
}

void TSkinButton::Paint(QPainter& dc, const QRect& rect) {
  if (!skinData_ || rect.isEmpty()) return;
  const TSkinElements& e = skinData_->Elements();
  if (e.Buttons.Image.isNull()) return;
  QWidget* w = handle_.data();
  const int index = FrameIndex();
  QString caption;
  QFont font;
  QColor fontColour;
  if (!Foreign() && w) {
    caption = HasPublishedProperty(w, "Caption") ? PublishedText(w, "Caption") : caption_;
    const QVariant f = PublishedProperty(w, "Font");
    font = f.canConvert<QFont>() ? f.value<QFont>() : w->font();
    fontColour = w->palette().color(QPalette::ButtonText);
  } else if (w) {
    const auto* b = qobject_cast<const QAbstractButton*>(w);
    caption = b ? b->text() : caption_;
    font = w->font();
  }
  QImage work(rect.size(), QImage::Format_ARGB32_Premultiplied);
  PaintPushButton(work, e, index, caption, font, PushButtonCaptionColour(e, index, Foreign(), fontColour), &cache_);
  dc.drawImage(rect.topLeft(), work);
}

}  // namespace skin
