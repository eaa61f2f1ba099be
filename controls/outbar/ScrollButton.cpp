#include "controls/outbar/ScrollButton.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/Color.h"
#include "platform/FrameControl.h"
#include "platform/PointerPixel.h"
#include "toolkit/Dispatch.h"

namespace outbar {
namespace {

struct Glyph {
  unsigned type, part;
};

Glyph GlyphOf(TDCScrollButtonStyle style) {
  using namespace platform;
  switch (style) {
    case dcsbs_ScrollDown: return {DFC_SCROLL, DFCS_SCROLLDOWN};
    case dcsbs_ScrollLeft: return {DFC_SCROLL, DFCS_SCROLLLEFT};
    case dcsbs_ScrollRight: return {DFC_SCROLL, DFCS_SCROLLRIGHT};
    case dcsbs_ScrollUp: return {DFC_SCROLL, DFCS_SCROLLUP};
    case dcsbs_CaptionClose: return {DFC_CAPTION, DFCS_CAPTIONCLOSE};
    case dcsbs_CaptionHelp: return {DFC_CAPTION, DFCS_CAPTIONHELP};
    case dcsbs_CaptionMAX: return {DFC_CAPTION, DFCS_CAPTIONMAX};
    case dcsbs_CaptionMIN: return {DFC_CAPTION, DFCS_CAPTIONMIN};
    case dcsbs_CaptionRestore: return {DFC_CAPTION, DFCS_CAPTIONRESTORE};
  }
  return {DFC_SCROLL, DFCS_SCROLLDOWN};
}

}  // namespace

TCustomDCScrollButton::TCustomDCScrollButton(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  connect(&timer_, &QTimer::timeout, this, [this] { Tick(); });
  SetAutoSize(true);
}

void TCustomDCScrollButton::SetAutoSize(bool v) {
  autoSize_ = v;
  if (v) {
    const int size = platform::Metric(platform::SM_CXVSCROLL);
    resize(size, size);
  }
  update();
}

void TCustomDCScrollButton::SetButtonStyle(TDCScrollButtonStyle v) {
  if (v == buttonStyle_) return;
  buttonStyle_ = v;
  update();
}

void TCustomDCScrollButton::SetFrequency(int v) {
  if (v == frequency_ || v <= 0) return;
  frequency_ = v;
}

void TCustomDCScrollButton::Select() {
  if (pressed_ && OnSelect) toolkit::Raise(OnSelect, this);
}

void TCustomDCScrollButton::DrawButtonFace(bool pushed) {
  facePushed_ = pushed;
  update();
}

void TCustomDCScrollButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const Glyph g = GlyphOf(buttonStyle_);
  unsigned state = g.part;
  if (facePushed_) state |= platform::DFCS_PUSHED;
  if (!isEnabled()) state |= platform::DFCS_INACTIVE;
  platform::DrawFrameControl(p, rect(), g.type, state);
}

void TCustomDCScrollButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  DrawButtonFace(true);
  pressed_ = true;
  held_ = true;
  inside_ = true;
  timer_.start(frequency_);
  Select();
}

void TCustomDCScrollButton::mouseMoveEvent(QMouseEvent* event) {
  if (!held_) return;
  const QPoint pos = platform::PixelAt(event);
  inside_ = rect().contains(pos);
  if (inside_ != pressed_) {
    pressed_ = inside_;
    DrawButtonFace(pressed_);
  }
}

void TCustomDCScrollButton::mouseReleaseEvent(QMouseEvent* event) {
  const bool wasHeld = held_;
  EndHold();
  if (wasHeld && event->button() == Qt::LeftButton && rect().contains(platform::PixelAt(event)) && OnClick)
    toolkit::Raise(OnClick, this);
}

void TCustomDCScrollButton::Tick() {
  // Repeats only while the pointer is on the button.
  if (inside_ && OnSelect) toolkit::Raise(OnSelect, this);
}

void TCustomDCScrollButton::EndHold() {
  timer_.stop();
  pressed_ = false;
  held_ = false;
  inside_ = false;
  DrawButtonFace(false);
  if (QWidget::mouseGrabber() == this) releaseMouse();
}

void TCustomDCScrollButton::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  timer_.stop();
}

void TCustomDCScrollButton::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  // Hiding a held button ends the hold: no more repeats, the mouse is free.
  timer_.stop();
  pressed_ = false;
  held_ = false;
  inside_ = false;
  facePushed_ = false;
  if (QWidget::mouseGrabber() == this) releaseMouse();
}

void TCustomDCScrollButton::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::EnabledChange) update();
}

}  // namespace outbar
