#include "skin/controls/SkinStatusBar.h"

#include <QEvent>
#include <QPainter>
#include <QStatusBar>

#include "skin/engine/SkinData.h"

namespace skin {

TSkinStatusBar::~TSkinStatusBar() {
  if (life_ == sclAlive && initialised_) RestoreControl();
}

void TSkinStatusBar::InitControl(TWinSkinForm* frame, TSkinData* skinData, bool recolour, QImage* canvas) {
  if (initialised_) return;
  if (auto* bar = qobject_cast<toolkit::TStatusBar*>(control_.data()); bar && bar->SizeGrip()) {
    bar->SetSizeGrip(false);
    gripSwitchedOff_ = true;
  } else if (auto* qbar = qobject_cast<QStatusBar*>(control_.data()); qbar && qbar->isSizeGripEnabled()) {
    qbar->setSizeGripEnabled(false);
    gripSwitchedOff_ = true;
  }
  TSkinControl::InitControl(frame, skinData, recolour, canvas);
}

void TSkinStatusBar::RestoreControl() {
  if (gripSwitchedOff_) {
    gripSwitchedOff_ = false;
    if (auto* bar = qobject_cast<toolkit::TStatusBar*>(control_.data())) bar->SetSizeGrip(true);
    else if (auto* qbar = qobject_cast<QStatusBar*>(control_.data())) qbar->setSizeGripEnabled(true);
  }
  TSkinControl::RestoreControl();
  Repaint();
}

TStatusBarLook TSkinStatusBar::Look() const {
  const QWidget* w = handle_.data();
  if (const auto* bar = qobject_cast<const toolkit::TStatusBar*>(w)) return StatusBarLookOf(*bar);
  TStatusBarLook look;
  if (!w) return look;
  look.size = w->size();
  look.simple = true;
  if (const auto* qbar = qobject_cast<const QStatusBar*>(w)) {
    look.simpleText = qbar->currentMessage();
    look.sizeGrip = qbar->isSizeGripEnabled();
  }
  look.enabled = w->isEnabled();
  look.font = w->font();
  return look;
}

bool TSkinStatusBar::BeforeMessage(QEvent* message) {
  if (message->type() == QEvent::Paint) {
    // The skin paints the whole bar: the bar's own picture is not needed.
    PaintNonClient(nullptr);
    return false;
  }
  return TSkinControl::BeforeMessage(message);
}

void TSkinStatusBar::Paint(QPainter& dc, const QRect& rect) {
  if (!skinData_ || rect.isEmpty()) return;
  TStatusBarLook look = Look();
  look.size = rect.size();
  QImage work(rect.size(), QImage::Format_ARGB32_Premultiplied);
  PaintStatusBar(work, skinData_->Elements(), look, &cache_);
  dc.drawImage(rect.topLeft(), work);
}

}  // namespace skin
