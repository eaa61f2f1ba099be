#include "controls/outbar/VertListItem.h"

#include "controls/outbar/VertListView.h"

namespace outbar {

void TDCVertListItem::SetCaption(const QString& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  owner_->ItemChanged(this);
}

void TDCVertListItem::SetImageIndex(int v) {
  if (v == imageIndex_) return;
  imageIndex_ = v;
  owner_->ItemChanged(this);
}

void TDCVertListItem::SetStateIndex(int v) {
  if (v == stateIndex_) return;
  stateIndex_ = v;
  owner_->ItemChanged(this);
}

void TDCVertListItem::SetOverlayIndex(int v) {
  if (v == overlayIndex_) return;
  overlayIndex_ = v;
  owner_->ItemChanged(this);
}

void TDCVertListItem::SetSelected(bool v) { owner_->ChangeSelection(this, v); }

void TDCVertListItem::SetFocused(bool v) {
  if (v)
    owner_->ChangeFocus(this);
  else if (owner_->focused_ == this)
    owner_->ChangeFocus(nullptr);
}

void TDCVertListItem::SetSelectedImageIndex(int v) {
  selectedImageIndex_ = v;
  owner_->InvalidateFrame(this);
}

TRect TDCVertListItem::Bounds() const { return owner_->ItemBounds(this); }
TRect TDCVertListItem::IconRect() const { return owner_->ItemIconRect(this); }
TRect TDCVertListItem::LabelRect() const { return owner_->ItemLabelRect(this); }
QPoint TDCVertListItem::Position() const {
  const TRect icon = owner_->ItemIconRect(this);
  return QPoint(icon.left, icon.top);
}

}  // namespace outbar
