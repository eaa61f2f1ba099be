#include "skin/controls/SkinControl.h"

#include <QEvent>
#include <QPainter>
#include <QVariant>
#include <QWidget>

#include "platform/Subclass.h"
#include "platform/WinMessage.h"
#include "skin/engine/SkinData.h"
#include "skin/frame/WinSkinForm.h"

namespace skin {

TSkinControl::TSkinControl(QObject* owner) : QObject(owner) {
  if (owner && owner->isWidgetType()) {
    control_ = static_cast<QWidget*>(owner);
    handle_ = control_;
  }
}

TWinSkinForm* TSkinControl::Frame() const { return static_cast<TWinSkinForm*>(frame_.data()); }

TSkinControl::~TSkinControl() {
  if (life_ == sclAlive && initialised_) RestoreControl();
  Unhook();
  if (TWinSkinForm* f = Frame()) f->RemoveSkinner(this);
}

void TSkinControl::Enrol(TWinSkinForm* frame) {
  frame_ = frame;
  if (frame) frame->AddSkinner(this);
}

platform::TColor TSkinControl::SkinButtonFace() const {
  return skinData_ ? platform::ColorToRGB(skinData_->ButtonFace()) : platform::ColorToRGB(platform::clBtnFace);
}

void TSkinControl::SaveAndRecolour() {
  QWidget* c = control_.data();
  if (!c) return;
  const QVariant v = c->property("Color");
  if (!v.isValid()) return;
  recolour_ = true;
  savedColor_ = v.toInt();
  c->setProperty("Color", SkinButtonFace());
}

QString TSkinControl::WindowText(const QWidget* w) {
  if (!w) return {};
  for (const char* name : {"text", "Caption", "Text"}) {
    const QVariant v = w->property(name);
    if (v.isValid() && v.canConvert<QString>()) return v.toString();
  }
  return w->windowTitle();
}

void TSkinControl::InitControl(TWinSkinForm* frame, TSkinData* skinData, bool recolour, QImage* canvas) {
  if (initialised_ || !control_) return;
  initialised_ = true;
  skinData_ = skinData;
  canvas_ = canvas;
  Hook(control_);
  Enrol(frame);
  focused_ = control_->hasFocus();
  enabled_ = control_->isEnabled();
  caption_ = WindowText(control_);
  if (recolour) SaveAndRecolour();
  Repaint();
}

void TSkinControl::InitWindow(QWidget* hwnd, TSkinData* skinData, TWinSkinForm* frame, QImage* canvas) {
  if (initialised_ || !hwnd) return;
  initialised_ = true;
  handle_ = hwnd;
  skinData_ = skinData;
  canvas_ = canvas;
  Enrol(frame);
  caption_ = WindowText(hwnd);
  focused_ = hwnd->hasFocus();
  enabled_ = hwnd->isEnabled();
  Hook(hwnd);
  Repaint();
}

void TSkinControl::RestoreControl() {
  if (recolour_ && control_) control_->setProperty("Color", savedColor_);
  recolour_ = false;
}

bool TSkinControl::BeforeMessage(QEvent* message) {
  if (platform::IsMessage(message, platform::WM_NCDESTROY)) {
    life_ = sclDestroyed;
    RestoreControl();
    return false;
  }
  return true;
}

void TSkinControl::AfterMessage(QEvent* message) {
  switch (message->type()) {
    case QEvent::FocusIn:
    case QEvent::FocusOut:
      focused_ = message->type() == QEvent::FocusIn;
      Repaint();
      return;
    case QEvent::EnabledChange:
      if (handle_) enabled_ = handle_->isEnabled();
      Repaint();
      return;
    case QEvent::Paint:
      PaintNonClient(nullptr);
      return;
    default: break;
  }
  if (platform::WinMessage* m = platform::AsWinMessage(message)) {
    if (m->Msg() == platform::SKM_PAINTING) {
      painting_ = m->wParam > 0;
      handled_ = true;
    }
  }
}

void TSkinControl::PaintNonClient(QPainter* dc) {
  QWidget* w = handle_.data();
  if (!w) return;
  lastPaintRect_ = QRect(w->mapToGlobal(QPoint(0, 0)), w->size());
  try {
    if (dc) {
      Paint(*dc, w->rect());
    } else {
      QPainter p(w);
      Paint(p, w->rect());
    }
  } catch (...) {
  }
}

void TSkinControl::Paint(QPainter&, const QRect&) {}

void TSkinControl::Refresh() {
  if (recolour_ && control_) control_->setProperty("Color", SkinButtonFace());
  Repaint();
}

void TSkinControl::Repaint() {
  if (handle_) handle_->update();
}

void TSkinControl::Hook(QWidget* target) {
  if (subclass_ || !target) return;
  subclass_ = std::make_unique<platform::Subclass>(
      target, [this](QEvent* e) { return Route(e); }, [this](QEvent* e) { RouteAfter(e); });
}

void TSkinControl::Unhook() { subclass_.reset(); }

bool TSkinControl::Route(QEvent* e) {
  handled_ = false;
  if (!painting_) {
    if (platform::WinMessage* m = platform::AsWinMessage(e); m && m->Msg() == platform::SKM_PAINTING && m->wParam > 0) {
      painting_ = true;
      Repaint();
    }
    if (platform::IsMessage(e, platform::WM_NCDESTROY)) return BeforeMessage(e);
    afterPending_.push_back(false);
    return true;
  }
  if (!BeforeMessage(e)) return false;
  afterPending_.push_back(true);
  return true;
}

void TSkinControl::RouteAfter(QEvent* e) {
  if (afterPending_.empty()) return;
  const bool run = afterPending_.back();
  afterPending_.pop_back();
  if (run) AfterMessage(e);
}

}  // namespace skin
