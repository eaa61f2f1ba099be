#include "controls/outbar/OutBarVertListView.h"

#include <QKeyEvent>

#include "controls/outbar/OutBar.h"
#include "controls/outbar/OutBarGroup.h"
#include "toolkit/Dispatch.h"

namespace outbar {

TDCOutBarVertListView::TDCOutBarVertListView(QWidget* parent) : TDCVertListView(parent) {
  SetBorderStyle(bsNone);
  SetKeyboardChoosing(true);
}

void TDCOutBarVertListView::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  const bool ctrl = event->modifiers() & Qt::ControlModifier;
  int step = 0;
  if ((ctrl && key == Qt::Key_Up) || key == Qt::Key_PageUp) step = -1;
  if ((ctrl && key == Qt::Key_Down) || key == Qt::Key_PageDown) step = 1;
  if (step == 0 || !KeyboardChoosing() || SunkSelected()) {
    TDCVertListView::keyPressEvent(event);
    return;
  }
  event->accept();
  OpenNeighbourGroup(step);
}

void TDCOutBarVertListView::OpenNeighbourGroup(int step) {
  ShowFocusMark();
  auto* group = qobject_cast<TDCOutBarGroup*>(parentWidget());
  TCustomDCGroupBar* bar = group ? group->Bar() : nullptr;
  if (!bar) return;
  // Stops at the first and the last group; a disabled group is not opened.
  const int target = bar->IndexOfGroup(group) + step;
  if (target < 0 || target >= bar->GroupCount()) return;
  bar->SetActiveGroupIndex(target);
  if (bar->ActiveGroupIndex() != target) return;
  if (TDCVertListView* list = bar->Group(target)->findChild<TDCVertListView*>(QString(), Qt::FindDirectChildrenOnly)) {
    list->setFocus(Qt::OtherFocusReason);
    list->ShowFocusMark();
  }
}

TDCOutBar* TDCOutBarVertListView::Bar() const {
  auto* group = qobject_cast<TDCOutBarGroup*>(parentWidget());
  if (!group) return nullptr;
  return qobject_cast<TDCOutBar*>(group->Bar());
}

// Each property: a value differing from the current one clears the flag first;
// turning the flag on takes the bar's value at once.
#define CQ_PARENT_PROPERTY(Name, Type, Base)                                    \
  void TDCOutBarVertListView::Set##Name(Type v) {                               \
    if (!(v == Name())) parent##Name##_ = false;                                \
    Base::Set##Name(v);                                                         \
  }                                                                             \
  void TDCOutBarVertListView::SetParent##Name(bool v) {                         \
    if (v && !parent##Name##_) {                                                \
      parent##Name##_ = true;                                                   \
      if (TDCOutBar* bar = Bar()) Base::Set##Name(bar->Name());                 \
    }                                                                           \
    parent##Name##_ = v;                                                        \
  }

CQ_PARENT_PROPERTY(Background, const QImage&, TCustomDCListViewEx)
CQ_PARENT_PROPERTY(BackgroundMode, TBackgroundModeGlobal, TCustomDCListViewEx)
CQ_PARENT_PROPERTY(DragEnabled, bool, TDCVertListView)
CQ_PARENT_PROPERTY(DragPlaceColor, platform::TColor, TDCVertListView)
CQ_PARENT_PROPERTY(GradientBeginColor, platform::TColor, TCustomDCListViewEx)
CQ_PARENT_PROPERTY(GradientEndColor, platform::TColor, TCustomDCListViewEx)
CQ_PARENT_PROPERTY(HighlightColor, platform::TColor, TDCVertListView)
CQ_PARENT_PROPERTY(HighlightFontColor, platform::TColor, TDCVertListView)
CQ_PARENT_PROPERTY(HighlightSelection, bool, TDCVertListView)
CQ_PARENT_PROPERTY(ScrollButtonsPos, TScrollButtonsPos, TDCVertListView)
CQ_PARENT_PROPERTY(SelectionType, TSelectionType, TDCVertListView)
CQ_PARENT_PROPERTY(SunkSelected, bool, TDCVertListView)
CQ_PARENT_PROPERTY(UseDblClick, bool, TDCVertListView)
CQ_PARENT_PROPERTY(WrapLineCount, int, TDCVertListView)
#undef CQ_PARENT_PROPERTY

void TDCOutBarVertListView::ApplyParentValues() {
  TDCOutBar* bar = Bar();
  if (!bar) return;
  if (parentBackground_) TCustomDCListViewEx::SetBackground(bar->Background());
  if (parentBackgroundMode_) TCustomDCListViewEx::SetBackgroundMode(bar->BackgroundMode());
  if (parentDragEnabled_) TDCVertListView::SetDragEnabled(bar->DragEnabled());
  if (parentDragPlaceColor_) TDCVertListView::SetDragPlaceColor(bar->DragPlaceColor());
  if (parentGradientBeginColor_) TCustomDCListViewEx::SetGradientBeginColor(bar->GradientBeginColor());
  if (parentGradientEndColor_) TCustomDCListViewEx::SetGradientEndColor(bar->GradientEndColor());
  if (parentHighlightColor_) TDCVertListView::SetHighlightColor(bar->HighlightColor());
  if (parentHighlightFontColor_) TDCVertListView::SetHighlightFontColor(bar->HighlightFontColor());
  if (parentHighlightSelection_) TDCVertListView::SetHighlightSelection(bar->HighlightSelection());
  if (parentScrollButtonsPos_) TDCVertListView::SetScrollButtonsPos(bar->ScrollButtonsPos());
  if (parentSelectionType_) TDCVertListView::SetSelectionType(bar->SelectionType());
  if (parentSunkSelected_) TDCVertListView::SetSunkSelected(bar->SunkSelected());
  if (parentUseDblClick_) TDCVertListView::SetUseDblClick(bar->UseDblClick());
  if (parentWrapLineCount_) TDCVertListView::SetWrapLineCount(bar->WrapLineCount());
}

void TDCOutBarVertListView::SetLargeImages(TImageList* v) {
  ownLarge_ = v;
  if (v) connect(v, &QObject::destroyed, this, [this] { ApplyImageLists(); }, Qt::UniqueConnection);
  ApplyImageLists();
}

void TDCOutBarVertListView::SetSmallImages(TImageList* v) {
  ownSmall_ = v;
  if (v) connect(v, &QObject::destroyed, this, [this] { ApplyImageLists(); }, Qt::UniqueConnection);
  ApplyImageLists();
}

void TDCOutBarVertListView::ApplyImageLists() {
  TDCOutBar* bar = Bar();
  TDCVertListView::SetLargeImages(ownLarge_ ? ownLarge_.data() : (bar ? bar->LargeImages() : nullptr));
  TDCVertListView::SetSmallImages(ownSmall_ ? ownSmall_.data() : (bar ? bar->SmallImages() : nullptr));
}

void TDCOutBarVertListView::ButtonClick(TDCVertListItem* item) {
  TDCVertListView::ButtonClick(item);
  if (TDCOutBar* bar = Bar()) toolkit::Raise(bar->OnButtonClick, this, IndexOf(item) >= 0 ? item : nullptr);
}

bool TDCOutBarVertListView::ExecuteItem(TDCVertListItem* item) {
  bool processed = false;
  if (TDCOutBar* bar = Bar()) toolkit::Raise(bar->OnExecuteItem, this, item, processed);
  if (processed) return true;
  return TDCVertListView::ExecuteItem(item);
}

void TDCOutBarVertListView::HotTrackItem(TDCVertListItem* item) {
  TDCVertListView::HotTrackItem(item);
  if (TDCOutBar* bar = Bar()) toolkit::Raise(bar->OnHotTrackItem, this, item);
}

QMenu* TDCOutBarVertListView::GetItemPopupMenu(TDCVertListItem* item) {
  TDCOutBar* bar = Bar();
  if (!bar || !bar->OnPopupMenu) return TDCVertListView::GetItemPopupMenu(item);
  QMenu* menu = PopupMenu();
  toolkit::Raise(bar->OnPopupMenu, this, item, menu);
  return menu;
}

void TDCOutBarVertListView::SelectionChanged() {
  TDCVertListView::SelectionChanged();
  TDCOutBar* bar = Bar();
  if (bar && bar->OneSelected()) bar->DeselectOtherGroups(qobject_cast<TDCOutBarGroup*>(parentWidget()));
}

}  // namespace outbar
