#include "skin/engine/SkinManage.h"

#include <QCoreApplication>
#include <QMenu>
#include <QTimer>
#include <QWidget>
#include <algorithm>

#include "platform/WinMessage.h"
#include "platform/WindowClass.h"
#include "skin/engine/Classify.h"
#include "skin/engine/FrameSkinner.h"
#include "skin/engine/PopupMenuSkinner.h"
#include "skin/engine/SkinData.h"
#include "toolkit/Form.h"
#include "toolkit/Screen.h"

namespace skin {
namespace {

TSkinManage*& TheManager() {
  static TSkinManage* manager = nullptr;
  return manager;
}

void FreeAtExit() { TSkinManage::Free(); }

}  // namespace

TSkinManage::TSkinManage() {
  timer_ = new QTimer(this);
  timer_->setInterval(kSkinActionDelay);
  connect(timer_, &QTimer::timeout, this, [this] { RunAction(); });
}

TSkinManage::~TSkinManage() {
  started_ = 4;
  delete timer_;
  timer_ = nullptr;
  if (hook_) platform::WindowHooks::Remove(hook_);
  hook_ = 0;
  for (auto& p : popups_) p->ReleaseMenuWindow();
  popups_.clear();
  // Windows that outlive the manager get their own frames back.
  for (auto it = frames_.rbegin(); it != frames_.rend(); ++it) {
    if ((*it)->Life() != flDestroyed && (*it)->Handle()) (*it)->Detach();
  }
  frames_.clear();
  components_.clear();
  if (TheManager() == this) TheManager() = nullptr;
}

TSkinManage* TSkinManage::Instance() { return TheManager(); }

TSkinManage& TSkinManage::Ensure() {
  if (!TheManager()) {
    TheManager() = new TSkinManage();
    static bool registered = false;
    if (!registered) {
      qAddPostRoutine(FreeAtExit);
      registered = true;
    }
  }
  return *TheManager();
}

void TSkinManage::Free() { delete TheManager(); }

void TSkinManage::InstallHook() {
  if (hook_) return;
  hook_ = platform::WindowHooks::Install([this](platform::HookCode code, QWidget* w) { HookProc(code, w); });
}

void TSkinManage::HookProc(platform::HookCode code, QWidget* w) {
  // Errors inside a notice never stop the chain of hooks.
  try {
    if (!active_) {
      if (code == platform::HCBT_ACTIVATE && started_ == 0) started_ = 1;
      return;
    }
    switch (code) {
      case platform::HCBT_CREATEWND:
        if (platform::WindowHooks::IsPopupMenu(w)) SkinPopupWindow(w);
        // A top-level window is skinned before it first appears, so that it
        // never shows the platform's frame first.
        else SkinWindow(w);
        break;
      case platform::HCBT_DESTROYWND: ReleasePopupWindow(w); break;
      case platform::HCBT_ACTIVATE:
        if (started_ == 0) started_ = 1;
        SkinWindow(w);
        break;
    }
  } catch (...) {
  }
}

bool TSkinManage::ClassAllowed(const QString& className) const {
  bool doSkin = true;
  if (default_ && default_->OnFormSkin) {
    default_->OnFormSkin(default_, className, doSkin);
    return doSkin;
  }
  if (className == QLatin1String("SysMonthCal32")) return false;
  if (default_ && default_->SkinControls().Contains(xcFastReport) &&
      className.startsWith(QLatin1String("Tfr"), Qt::CaseInsensitive))
    return false;
  return true;
}

bool TSkinManage::SkinWindow(QWidget* w) {
  if (!w) return false;
  PurgeClosed();
  if (!active_) return false;
  if (platform::SendMessage(w, platform::SKM_QUERYSKINNED) == 1 || FrameOf(w)) return false;
  if (!(batch_ || w->isWindow() ||
        (w->parentWidget() &&
         platform::WindowClassName(w->parentWidget()).compare(QLatin1String("mdiclient"), Qt::CaseInsensitive) == 0)))
    return false;
  if (w->width() * w->height() == 0) return false;
  auto* form = qobject_cast<toolkit::TForm*>(w);
  if (form && toolkit::TheScreen().Forms().contains(form) && form->Tag() == 99) return false;
  const QString cls = platform::WindowClassName(w);
  if (cls == QLatin1String("TApplication") || cls == QLatin1String("TQRStandardPreview")) return false;
  if (!ClassAllowed(cls)) return false;
  TSkinData* data = FindSkinData(w);
  if (!data || data->NotLoaded()) return false;

  frames_.push_back(CreateFrameSkinner(w, form, data));
  platform::PostMessage(w, platform::SKM_ATTACHCONTROLS, 0, 1000);
  return true;
}

void TSkinManage::SkinForm(toolkit::TForm* form) {
  if (!form || !form->isVisible()) return;
  if (!form->isWindow()) return;  // embedded forms are skinned as controls of their window
  SkinWindow(form);
}

TSkinData* TSkinManage::FindSkinData(QWidget* w) const {
  for (TSkinData* d : components_)
    if (d->SkinFormtype() == sfOnlyThisForm && d->OwnerForm() && d->OwnerForm()->window() == w) return d;
  const QString cls = platform::WindowClassName(w).toLower();
  if (cls == QLatin1String("tmessageform") || cls == QLatin1String("#32770"))
    for (TSkinData* d : components_)
      if (d->SkinFormtype() == sfDialog) return d;
  for (TSkinData* d : components_)
    if (d->SkinFormtype() == sfMainform) return d;
  return components_.empty() ? nullptr : components_.front();
}

void TSkinManage::SkinPopupWindow(QWidget* w) {
  if (!active_ || !w) return;
  if (platform::SendMessage(w, platform::SKM_QUERYSKINNED) == 1 || PopupOf(w)) return;
  TSkinData* data = FindSkinData(w);
  if (!data || data->NotLoaded()) return;
  const TSkinControlTypes xc = data->SkinControls();
  const bool wanted = menuSource_ == msNone   ? xc.Contains(xcPopupMenu)
                      : menuSource_ == msPopup ? (xc.Contains(xcMainMenu) || xc.Contains(xcMenuItem))
                                               : xc.Contains(xcSystemMenu);
  if (!wanted) return;
  // A popup menu whose Tag mod 100 is the component's DisableTag keeps its look.
  if (DisabledByTag(w, data->DisableTag())) return;
  std::unique_ptr<TPopupMenuSkinner> skinner = CreatePopupMenuSkinner();
  if (!skinner) return;
  skinner->AttachMenuWindow(w, data, menuSource_ == msPopup);
  popups_.push_back(std::move(skinner));
}

void TSkinManage::ReleasePopupWindow(QWidget* w) {
  for (auto it = popups_.begin(); it != popups_.end(); ++it) {
    if ((*it)->MenuWindow() == w) {
      (*it)->ReleaseMenuWindow();
      popups_.erase(it);
      break;
    }
  }
  if (popups_.empty()) menuSource_ = msNone;
}

TPopupMenuSkinner* TSkinManage::PopupOf(const QWidget* w) const {
  for (const auto& p : popups_)
    if (p->MenuWindow() == w) return p.get();
  return nullptr;
}

void TSkinManage::RequestAction(TSkinAction action, int interval) {
  action_ = action;
  if (timer_) timer_->setInterval(interval);
  if (started_ != 0) {
    if (timer_) timer_->start();
  } else if (action == TSkinAction::SkinAll || action == TSkinAction::RestoreAll) {
    active_ = action == TSkinAction::SkinAll;
  }
}

void TSkinManage::RequestReskin(TSkinData* data) {
  pending_ = data;
  for (const auto& frame : frames_)
    if (frame->SkinData() == data) frame->FreeCaptionButtons();
  if (started_ == 1) RequestAction(TSkinAction::Reskin);
}

void TSkinManage::RunAction() {
  if (timer_) timer_->stop();
  TSkinData* data = pending_;
  if (!data) return;
  const bool ownerOnly = data->SkinFormtype() == sfOnlyThisForm;
  switch (action_) {
    case TSkinAction::SkinAll: SkinAll(data, ownerOnly); break;
    case TSkinAction::RestoreAll: RestoreAll(data, ownerOnly); break;
    case TSkinAction::Reskin: Reskin(data, ownerOnly); break;
    case TSkinAction::Purge: PurgeClosed(); break;
    case TSkinAction::None: break;
  }
  // The component may have been freed by a handler: look it up again.
  if (std::find(components_.begin(), components_.end(), data) != components_.end() && data->OnSkinChanged)
    data->OnSkinChanged(data);
  pending_ = nullptr;
}

std::vector<size_t> TSkinManage::Targets(const TSkinData* data, bool ofDataOnly, bool ownerOnly) const {
  std::vector<size_t> targets;
  for (size_t i = 0; i < frames_.size(); ++i) {
    if ((ofDataOnly || ownerOnly) && frames_[i]->SkinData() != data) continue;
    targets.push_back(i);
    if (ownerOnly) break;
  }
  return targets;
}

void TSkinManage::RestoreAndFree(size_t index) {
  TFrameSkinner& frame = *frames_[index];
  QWidget* w = frame.Handle();
  frame.Detach();
  if (w) w->update();
  frames_.erase(frames_.begin() + static_cast<std::ptrdiff_t>(index));
}

void TSkinManage::SkinAll(TSkinData* data, bool ownerOnly) {
  batch_ = true;
  if (ownerOnly) {
    if (QWidget* owner = data->OwnerForm() ? data->OwnerForm()->window() : nullptr) SkinWindow(owner);
  } else {
    active_ = true;
    PurgeClosed();
    const QList<toolkit::TForm*> forms = toolkit::TheScreen().Forms();
    for (auto it = forms.rbegin(); it != forms.rend(); ++it) SkinForm(*it);
  }
  batch_ = false;
}

void TSkinManage::RestoreAll(TSkinData* data, bool ownerOnly) {
  if (!ownerOnly) {
    active_ = false;
    PurgeClosed();
  }
  // From the last frame to the first.
  const std::vector<size_t> targets = Targets(data, false, ownerOnly);
  for (auto it = targets.rbegin(); it != targets.rend(); ++it) RestoreAndFree(*it);
}

void TSkinManage::Reskin(TSkinData* data, bool ownerOnly) {
  if (!ownerOnly) PurgeClosed();
  // Every frame takes the new metrics before any of them lays out again.
  const std::vector<size_t> targets = Targets(data, true, ownerOnly);
  for (size_t i : targets) frames_[i]->RebuildFrameMetrics();
  for (size_t i : targets) frames_[i]->RefreshSkin();
}

void TSkinManage::PurgeClosed() {
  for (auto i = static_cast<std::ptrdiff_t>(frames_.size()) - 1; i >= 0; --i)
    if (frames_[static_cast<size_t>(i)]->Life() == flDestroyed) frames_.erase(frames_.begin() + i);
}

void TSkinManage::Enrol(TSkinData* data) {
  if (std::find(components_.begin(), components_.end(), data) != components_.end()) return;
  components_.push_back(data);
  if (!default_ && data->SkinFormtype() == sfMainform) default_ = data;
}

void TSkinManage::Remove(TSkinData* data) {
  std::erase(components_, data);
  if (pending_ == data) pending_ = nullptr;
  if (default_ == data) {
    default_ = nullptr;
    for (TSkinData* d : components_)
      if (d->SkinFormtype() == sfMainform) {
        default_ = d;
        break;
      }
  }
  // Frames painting with this component's skin give their windows back.
  for (auto i = static_cast<std::ptrdiff_t>(frames_.size()) - 1; i >= 0; --i) {
    auto& f = frames_[static_cast<size_t>(i)];
    if (f->SkinData() != data) continue;
    if (f->Life() != flDestroyed && f->Handle()) f->Detach();
    frames_.erase(frames_.begin() + i);
  }
}

TWinSkinForm* TSkinManage::FrameOf(const QWidget* w) const {
  for (const auto& f : frames_)
    if (f->Handle() == w && f->Life() != flDestroyed) return f->Frame();
  return nullptr;
}

}  // namespace skin
