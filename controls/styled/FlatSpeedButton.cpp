#include "controls/styled/FlatSpeedButton.h"

#include <QApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QMenu>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>

#include "platform/Edges.h"
#include "platform/PointerPixel.h"
#include "toolkit/Dispatch.h"
#include "toolkit/Form.h"

namespace styled {

TFlatSpeedButton::TFlatSpeedButton(QWidget* parent) : QWidget(parent) {
  setGeometry(0, 0, 25, 25);
  setFocusPolicy(Qt::TabFocus);
  // Not opaque: the parent paints its own background under the button first.
  setAttribute(Qt::WA_OpaquePaintEvent, false);
  setAutoFillBackground(false);
}

TFlatSpeedButton::~TFlatSpeedButton() = default;

void TFlatSpeedButton::SetTransparent(TTransparentMode v) {
  if (transparent_ == v) return;
  transparent_ = v;
  update();
}

void TFlatSpeedButton::SetTransBorder(bool v) {
  if (transBorder_ == v) return;
  transBorder_ = v;
  update();
}

void TFlatSpeedButton::SetColor(int index, platform::TColor v) {
  if (index < 0 || index > 5) return;
  colors_[index] = v;
  update();
}

void TFlatSpeedButton::SetDisplayText(toolkit::TDisplayText display) {
  display_ = std::move(display);
  update();
}

void TFlatSpeedButton::SetCaption(const QString& v) {
  if (caption_ == v) return;
  caption_ = v;
  UpdateShortcut();
  update();
}

void TFlatSpeedButton::SetFontColor(platform::TColor v) {
  if (fontColor_ == v) return;
  fontColor_ = v;
  update();
}

void TFlatSpeedButton::SetFoisChange(bool v) {
  if (foisChange_ == v) return;
  foisChange_ = v;
  update();
}

void TFlatSpeedButton::SetFoisStyle(TFontStyles v) {
  if (foisStyle_ == v) return;
  foisStyle_ = v;
  update();
}

void TFlatSpeedButton::SetGlyph(const QImage& v) {
  if (&v == &glyph_) return;
  glyph_ = v.isNull() ? QImage() : v.convertToFormat(QImage::Format_RGB32);
  if (!glyph_.isNull() && glyph_.height() > 0 && glyph_.width() % glyph_.height() == 0) {
    const int cells = glyph_.width() / glyph_.height();
    numGlyphs_ = cells > 4 ? 1 : std::max(1, cells);
  }
  update();
}

void TFlatSpeedButton::SetLayout(TButtonLayout v) {
  if (layout_ == v) return;
  layout_ = v;
  update();
}

void TFlatSpeedButton::SetMargin(int v) {
  if (v == margin_ || v < -1) return;
  margin_ = v;
  update();
}

void TFlatSpeedButton::SetNumGlyphs(int v) {
  v = std::clamp(v, 1, 4);
  if (numGlyphs_ == v) return;
  numGlyphs_ = v;
  update();
}

void TFlatSpeedButton::SetSpacing(int v) {
  if (spacing_ == v) return;
  spacing_ = v;
  update();
}

platform::TColor TFlatSpeedButton::Color() const {
  const QWidget* parent = parentWidget();
  if (!parent) return platform::clBtnFace;
  const QVariant c = parent->property("Color");
  if (c.isValid() && c.canConvert<int>()) return c.toInt();
  return platform::FromQColor(parent->palette().color(QPalette::Window));
}

// ---- groups ----

void TFlatSpeedButton::SetDown(bool v) {
  if (groupIndex_ == 0) v = false;
  if (v == down_) return;
  if (down_ && !allowAllUp_) return;  // a latched button of an all-up-forbidden group stays down
  down_ = v;
  if (v) {
    if (state_ == fbsUp) update();
    state_ = fbsExclusive;
  } else {
    state_ = fbsUp;
  }
  SettleState();
  if (!v) repaint();
  if (v) GroupNotice();
}

void TFlatSpeedButton::SetGroupIndex(int v) {
  if (groupIndex_ == v) return;
  groupIndex_ = v;
  GroupNotice();
}

void TFlatSpeedButton::SetAllowAllUp(bool v) {
  if (allowAllUp_ == v) return;
  allowAllUp_ = v;
  GroupNotice();
}

void TFlatSpeedButton::GroupNotice() {
  if (groupIndex_ == 0 || !parentWidget()) return;
  for (QObject* child : parentWidget()->children())
    if (auto* b = qobject_cast<TFlatSpeedButton*>(child)) b->ButtonPressed(groupIndex_, this);
}

void TFlatSpeedButton::ButtonPressed(int group, TFlatSpeedButton* sender) {
  if (group != groupIndex_ || sender == this) return;
  if (sender->Down() && down_) {
    down_ = false;
    state_ = fbsUp;
    SettleState();
    update();
  }
  allowAllUp_ = sender->AllowAllUp();
}

void TFlatSpeedButton::SettleState() {
  if (!isEnabled()) {
    state_ = fbsDisabled;
    tracking_ = false;
  } else if (state_ == fbsDisabled) {
    state_ = down_ && groupIndex_ != 0 ? fbsExclusive : fbsUp;
  }
}

// ---- pointer ----

bool TFlatSpeedButton::Inside(const QWidget* w, QPoint pos) {
  // The bottom test includes the client height itself.
  return pos.x() >= 0 && pos.x() < w->width() && pos.y() >= 0 && pos.y() <= w->height();
}

void TFlatSpeedButton::EnterStep() {
  if (isEnabled() && !hot_) {
    hot_ = true;
    update();
  }
}

void TFlatSpeedButton::LeaveStep() {
  if (isEnabled() && hot_ && !tracking_) {
    hot_ = false;
    update();
  }
}

void TFlatSpeedButton::enterEvent(QEnterEvent* event) {
  QWidget::enterEvent(event);
  if (OnMouseEnter) {
    toolkit::Dispatch(OnMouseEnter);
    return;
  }
  EnterStep();
}

void TFlatSpeedButton::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  if (OnMouseLeave) {
    toolkit::Dispatch(OnMouseLeave);
    return;
  }
  LeaveStep();
}

bool TFlatSpeedButton::PointerOver() const {
  // The topmost window under the pointer decides: a dialog or menu over the
  // button hides it from the pointer.
  return isVisible() && QApplication::widgetAt(QCursor::pos()) == this;
}

void TFlatSpeedButton::TrackingUpdate() {
  if (!isEnabled()) return;
  // Where the pointer is now, not where the last event saw it: a click may have
  // run a dialog or a menu that took the pointer elsewhere meanwhile, and the
  // leave notice then came before this.
  hot_ = PointerOver();
  update();
}

void TFlatSpeedButton::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = platform::PixelAt(event);
  toolkit::Raise(OnMouseDown, event->button(), event->modifiers(), pos.x(), pos.y());
  if (event->button() == Qt::LeftButton && isEnabled()) {
    if (!down_) {
      state_ = fbsDown;
      update();
    }
    tracking_ = true;
  }
}

void TFlatSpeedButton::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = platform::PixelAt(event);
  toolkit::Raise(OnMouseMove, event->modifiers(), pos.x(), pos.y());
  if (!tracking_) return;
  TFlatButtonState next = down_ ? fbsExclusive : fbsUp;
  if (Inside(this, pos)) next = down_ ? fbsExclusive : fbsDown;
  if (next != state_) {
    state_ = next;
    update();
  }
}

void TFlatSpeedButton::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint pos = platform::PixelAt(event);
  toolkit::Raise(OnMouseUp, event->button(), event->modifiers(), pos.x(), pos.y());
  if (!tracking_) return;
  tracking_ = false;
  const bool inside = Inside(this, pos);
  if (groupIndex_ == 0) {
    state_ = fbsUp;
    hot_ = false;
    if (inside) update();
  } else if (inside) {
    SetDown(!down_);
    if (down_) repaint();
  } else {
    if (down_) state_ = fbsExclusive;
    repaint();
  }
  if (inside)
    Click();
  else
    LeaveStep();
  TrackingUpdate();
}

void TFlatSpeedButton::mouseDoubleClickEvent(QMouseEvent* event) {
  mousePressEvent(event);
  if (down_) toolkit::Raise(OnDblClick);
}

void TFlatSpeedButton::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  switch (event->type()) {
    case QEvent::EnabledChange:
      if (!isEnabled()) hot_ = false;
      SettleState();
      TrackingUpdate();
      update();
      break;
    case QEvent::FontChange:
    case QEvent::PaletteChange:
    case QEvent::ParentChange:
      update();
      break;
    default: break;
  }
}

// ---- keys ----

void TFlatSpeedButton::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  const bool press = key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
  if (!press || (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) || !isEnabled()) {
    QWidget::keyPressEvent(event);
    return;
  }
  if (event->isAutoRepeat()) return;
  // As a click inside the button: a grouped button goes down (or up again).
  if (groupIndex_ != 0) SetDown(!down_);
  update();
  Click();
}

void TFlatSpeedButton::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  // The mark shows for the keyboard's focus only, as the platform hides focus
  // cues until the keyboard is used.
  keyboardFocus_ = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
  update();
}

void TFlatSpeedButton::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  keyboardFocus_ = false;
  update();
}

// ---- click ----

void TFlatSpeedButton::ModalResultAndPopup() {
  if (parentWidget())
    if (auto* form = qobject_cast<toolkit::TForm*>(window())) form->SetModalResult(modalResult_);
  if (popupMenu_) popupMenu_->exec(mapToGlobal(QPoint(0, height())));
}

void TFlatSpeedButton::Click() {
  ModalResultAndPopup();
  toolkit::Raise(OnClick);
}

bool TFlatSpeedButton::DialogChar(QChar c) {
  const QChar accel = AcceleratorOf(caption_);
  if (accel.isNull() || c.toLower() != accel || !isEnabled() || !isVisible()) return false;
  Click();
  return true;
}

void TFlatSpeedButton::UpdateShortcut() {
  delete shortcut_;
  shortcut_ = nullptr;
  const QChar accel = AcceleratorOf(caption_);
  if (accel.isNull()) return;
  shortcut_ = new QShortcut(QKeySequence(Qt::ALT | QKeySequence(QString(accel))[0].key()), this);
  shortcut_->setContext(Qt::WindowShortcut);
  connect(shortcut_, &QShortcut::activated, this, [this] { DialogChar(AcceleratorOf(caption_)); });
}

// ---- painting ----

void TFlatSpeedButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  PaintButton(p);
}

void TFlatSpeedButton::PaintBackground(QPainter& p) {
  platform::TColor fill = platform::clNone;
  switch (transparent_) {
    case tmAlways: break;
    case tmNotFocused:
      switch (state_) {
        case fbsUp: if (hot_) fill = ColorFocused(); break;
        case fbsDisabled: if (hot_) fill = Color(); break;
        case fbsDown: if (hot_) fill = ColorDown(); break;
        case fbsExclusive: if (hot_) fill = ColorFocused(); break;
      }
      break;
    case tmNone:
      switch (state_) {
        case fbsUp: fill = hot_ ? ColorFocused() : ColorFlat(); break;
        case fbsDisabled: fill = ColorFlat(); break;
        case fbsDown: fill = ColorDown(); break;
        case fbsExclusive: fill = hot_ ? ColorFocused() : ColorDown(); break;
      }
      break;
  }
  if (fill != platform::clNone) p.fillRect(rect(), platform::ToQColor(fill));
}

void TFlatSpeedButton::PaintFrame(QPainter& p) {
  if (transBorder_) return;
  const platform::TColor c = (state_ == fbsUp && !hot_) || state_ == fbsDisabled ? ColorBorder() : ColorShadow();
  DrawFlatFrame(p, rect(), platform::ToQColor(c), 1);
}

void TFlatSpeedButton::PaintButton(QPainter& p) {
  // 1-2: transparent colour and canvas font.
  const QRgb transparentColor = BottomLeftColor(glyph_);
  QFont canvasFont = font();
  platform::TColor textColor = fontColor_;
  // 3: pressed looks move glyph and caption by one pixel.
  const QPoint offset = state_ == fbsDown || state_ == fbsExclusive ? QPoint(1, 1) : QPoint(0, 0);
  // 4: the hot font.
  const bool hotLook = hot_ && foisChange_;
  if (hotLook) {
    textColor = FoisColor();
    canvasFont = WithStyles(canvasFont, foisStyle_);
  }
  // 5: layout.
  const QString shown = toolkit::ShownText(display_, caption_);
  const QSize textSize =
      shown.isEmpty() ? QSize() : QFontMetrics(canvasFont).size(Qt::TextSingleLine | Qt::TextShowMnemonic, shown);
  const GlyphLayoutResult layout =
      CalcGlyphLayout(rect(), offset, textSize, layout_, margin_, spacing_, glyph_.size(), numGlyphs_);
  glyphOrigin_ = layout.glyphOrigin;
  captionRect_ = layout.captionRect;
  // 6-8: background and frame (the state follows the enabled state as it changes, see SettleState).
  PaintBackground(p);
  PaintFrame(p);
  PaintFocus(p);
  // 9: the glyph cell for the state.
  if (!glyph_.isNull()) {
    const int n = std::max(1, numGlyphs_);
    const int cw = glyph_.width() / n;
    int cell = 0;
    bool toEnd = n == 1;
    switch (state_) {
      case fbsUp: cell = 0; break;
      case fbsDisabled: cell = n >= 2 ? 1 : 0; toEnd = toEnd || n == 2; break;
      case fbsDown: cell = n >= 3 ? 2 : 0; toEnd = toEnd || n == 3; break;
      case fbsExclusive: cell = n == 4 ? 3 : n == 3 ? 2 : 0; toEnd = toEnd || n >= 3; break;
    }
    const int left = n == 1 ? 0 : cell * cw;
    const int width = toEnd ? glyph_.width() - left : cw;
    QImage cellImage = glyph_.copy(left, 0, width, glyph_.height());
    QRgb transparent = transparentColor;
    if (n == 1 && state_ == fbsDisabled) {
      cellImage = MakeDisabledGlyph(cellImage);
      transparent = BottomLeftColor(cellImage);
    }
    const QPoint at = hotLook ? glyphOrigin_ - QPoint(1, 1) : glyphOrigin_;
    DrawTransparent(p, at, cellImage, transparent);
  }
  // 10: the caption.
  if (!shown.isEmpty()) {
    p.setFont(canvasFont);
    const int flags = Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
    if (state_ == fbsDisabled) {
      p.setPen(platform::ToQColor(platform::clBtnHighlight));
      p.drawText(captionRect_.translated(1, 1), flags, shown);
      p.setPen(platform::ToQColor(platform::clBtnShadow));
      p.drawText(captionRect_, flags, shown);
    } else {
      p.setPen(platform::ToQColor(textColor));
      p.drawText(captionRect_, flags, shown);
    }
  }
  // 11: the keyboard's focus mark (the flat button draws its own in step 8).
  if (keyboardFocus_ && hasFocus() && focusPolicy() == Qt::TabFocus) platform::DrawFocusRect(p, rect().adjusted(2, 2, -2, -2));
}

}  // namespace styled
