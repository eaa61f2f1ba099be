#include "skin/frame/SavedWindow.h"

#include <QWidget>
#include <QWindow>

#include "toolkit/Form.h"

namespace skin {

void SetFlagsInPlace(QWidget* w, Qt::WindowFlags flags) {
  if (w->windowFlags() == flags) return;
  if (QWindow* handle = w->windowHandle()) {
    w->overrideWindowFlags(flags);
    handle->setFlags(flags);
  } else {
    const bool visible = w->isVisible();
    w->setWindowFlags(flags);
    if (visible) w->show();
  }
}

void TSavedWindow::Capture(const QWidget* w) {
  flags_ = w->windowFlags();
  geometry_ = w->geometry();
  margins_ = w->contentsMargins();
  minimum_ = w->minimumSize();
  maximum_ = w->maximumSize();
  mouseTracking_ = w->hasMouseTracking();
  hadCursorSet_ = w->testAttribute(Qt::WA_SetCursor);
  cursor_ = w->cursor();
  systemFrame_ = {};
  if (w->isVisible()) {
    const QRect outer = w->frameGeometry(), inner = w->geometry();
    systemFrame_ = {outer.width() - inner.width(), outer.height() - inner.height()};
  }
}

void TSavedWindow::CaptureColours(const QWidget* w, const toolkit::TForm* form) {
  formColor_.reset();
  if (form) formColor_ = form->Color();
  hadPalette_ = w->testAttribute(Qt::WA_SetPalette);
  palette_ = w->palette();
}

void TSavedWindow::RestoreColours(QWidget* w, toolkit::TForm* form) const {
  if (form && formColor_) form->SetColor(*formColor_);
  RestorePalette(w);
}

void TSavedWindow::RestorePalette(QWidget* w) const {
  if (!palette_) return;
  w->setPalette(hadPalette_ ? *palette_ : QPalette());
  if (!hadPalette_) w->setAttribute(Qt::WA_SetPalette, false);
}

void TSavedWindow::RestoreFrame(QWidget* w, const std::optional<QRect>& geometry) const {
  w->setContentsMargins(margins_);
  w->setMinimumSize(minimum_);
  w->setMaximumSize(maximum_);
  SetFlagsInPlace(w, flags_);
  if (geometry) w->setGeometry(*geometry);
  w->setMouseTracking(mouseTracking_);
  if (hadCursorSet_) w->setCursor(cursor_);
  else w->unsetCursor();
}

}  // namespace skin
