#include "skin/frame/NCObject.h"

#include "skin/frame/WinSkinForm.h"

namespace skin {

TNCObject::~TNCObject() {
  if (owner_ && owner_->HotObject() == this) owner_->SetHotObject(nullptr);
}

void TNCObject::Press() {
  if (owner_) owner_->SetHotObject(this);
  State = ncsPressed;
  Paint(nullptr);
}

void TNCObject::Release() {
  State = ncsOver;
  Paint(nullptr);
}

void TNCObject::Enter() {
  if (owner_) {
    TNCObject* hot = owner_->HotObject();
    if (hot && hot != this) hot->Leave();
    owner_->SetHotObject(this);
  }
  State = ncsOver;
  Paint(nullptr);
}

void TNCObject::Leave() {
  if (owner_ && owner_->HotObject() == this) owner_->SetHotObject(nullptr);
  State = ncsNormal;
  Paint(nullptr);
}

}  // namespace skin
