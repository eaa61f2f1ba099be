#include "controls/outbar/OutBarGroup.h"

#include <QFontInfo>
#include <QMouseEvent>
#include <QPainter>

#include "controls/outbar/GroupBar.h"
#include "controls/outbar/OutBarVertListView.h"
#include "toolkit/accessible/Notice.h"

namespace outbar {

TDCOutBarGroup::TDCOutBarGroup(QWidget* parent) : QWidget(parent) {
  // A container for the page's controls; hidden until its bar shows it.
  setAttribute(Qt::WA_OpaquePaintEvent);
  hide();
}

TDCOutBarGroup::~TDCOutBarGroup() {
  if (bar_) bar_->RemoveGroup(this);
}

void TDCOutBarGroup::SetBar(TCustomDCGroupBar* bar) {
  if (bar == bar_) return;
  if (bar_) bar_->RemoveGroup(this);
  bar_ = nullptr;
  if (bar) bar->AttachGroup(this);
}

TDCOutBarVertListView* TDCOutBarGroup::ListView() const {
  return findChild<TDCOutBarVertListView*>(QString(), Qt::FindDirectChildrenOnly);
}

int TDCOutBarGroup::FontHeight() const {
  const int px = font().pixelSize();
  return px > 0 ? px : QFontInfo(font()).pixelSize();
}

void TDCOutBarGroup::SetCaption(const QString& caption) {
  if (caption == caption_) return;
  if (!CanChangeCaption(caption)) return;
  caption_ = caption;
  CaptionChanged();
  if (bar_) bar_->update();
  // The group, its list and, for the open group, the bar are named by the caption.
  toolkit::accessible::NotifyNameChanged(this);
  if (TDCOutBarVertListView* list = ListView()) toolkit::accessible::NotifyNameChanged(list);
  if (bar_ && bar_->ActiveGroup() == this) toolkit::accessible::NotifyNameChanged(bar_);
}

bool TDCOutBarGroup::CanChangeCaption(const QString& newCaption) {
  return bar_ ? bar_->DoGroupCaptionChanging(this, newCaption) : true;
}

void TDCOutBarGroup::CaptionChanged() {
  if (bar_) bar_->DoGroupCaptionChanged(this);
}

void TDCOutBarGroup::SetCaptionAlignment(toolkit::TAlignment v) {
  captionAlignment_ = v;
  if (bar_) bar_->update();
}

void TDCOutBarGroup::SetCaptionAutoSize(bool v) {
  captionAutoSize_ = v;
  if (bar_) bar_->RealignActiveGroup();
}

void TDCOutBarGroup::SetCaptionHeight(int v) {
  captionHeight_ = v;
  if (!captionAutoSize_ && bar_) bar_->RealignActiveGroup();
}

int TDCOutBarGroup::GroupIndex() const { return bar_ ? bar_->IndexOfGroup(this) : -1; }

void TDCOutBarGroup::SetGroupIndex(int v) {
  if (!bar_) return;
  TCustomDCGroupBar* bar = bar_;
  const int from = bar->IndexOfGroup(this);
  const int n = bar->GroupCount();
  int to = std::clamp(v, 0, n - 1);
  if (to == from) return;
  const int active = bar->active_;
  bar->groups_.erase(bar->groups_.begin() + from);
  bar->groups_.insert(bar->groups_.begin() + to, this);
  // The same group stays open; the switches raise their events as usual.
  int newActive = active;
  if (from == active)
    newActive = to;
  else if (from < active && to >= active)
    newActive = active - 1;
  else if (from > active && to <= active)
    newActive = active + 1;
  if (newActive != active) {
    // The order changed under the open group: the index follows it.
    bar->active_ = -2;  // forces the switch even though the group is the same
    bar->SwitchTo(newActive, true);
  }
  bar->update();
}

void TDCOutBarGroup::SetColor(platform::TColor v) {
  if (v == color_) return;
  color_ = v;
  update();
  if (bar_) bar_->update();
}

void TDCOutBarGroup::SetFontColor(platform::TColor v) {
  if (v == fontColor_) return;
  fontColor_ = v;
  if (bar_) bar_->update();
}

void TDCOutBarGroup::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  p.fillRect(event->rect(), platform::ToQColor(color_));
}

void TDCOutBarGroup::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (!bar_) return;
  if (event->type() == QEvent::FontChange)
    bar_->RealignActiveGroup();
  else if (event->type() == QEvent::EnabledChange)
    bar_->InvalidateButton(bar_->IndexOfGroup(this));
}

void TDCOutBarGroup::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // Shown by anyone but its bar: the group becomes the open one.
  if (bar_ && !bar_->placing_ && bar_->IndexOfGroup(this) != bar_->active_)
    bar_->SetActiveGroupIndex(bar_->IndexOfGroup(this));
}

void TDCOutBarGroup::mousePressEvent(QMouseEvent* event) { QWidget::mousePressEvent(event); }

}  // namespace outbar
