#include "controls/outbar/OutBar.h"

#include "controls/outbar/OutBarGroup.h"
#include "controls/outbar/OutBarVertListView.h"
#include "toolkit/AlignLayout.h"
#include "toolkit/Exception.h"

namespace outbar {

TDCOutBar::TDCOutBar(QWidget* parent) : TDCGroupBar(parent) { SetButtonSpaceColor(platform::clGray); }

TDCOutBarVertListView* TDCOutBar::ListOf(int index) const {
  TDCOutBarGroup* group = Group(index);
  return group ? group->ListView() : nullptr;
}

template <typename F>
void TDCOutBar::ForEachList(F f) {
  for (int i = 0; i < GroupCount(); ++i)
    if (TDCOutBarVertListView* list = ListOf(i)) f(list);
}

// A changed value is stored and handed to the lists that follow the bar,
// through their plain setters so that their flags stay set.
#define CQ_HANDED_PROPERTY(Name, Type, field, Base)                       \
  void TDCOutBar::Set##Name(Type v) {                                     \
    if (v == field) return;                                               \
    field = v;                                                            \
    ForEachList([&](TDCOutBarVertListView* list) {                        \
      if (list->Parent##Name()) list->Base::Set##Name(v);                 \
    });                                                                   \
  }

CQ_HANDED_PROPERTY(BackgroundMode, TBackgroundModeGlobal, backgroundMode_, TCustomDCListViewEx)
CQ_HANDED_PROPERTY(DragEnabled, bool, dragEnabled_, TDCVertListView)
CQ_HANDED_PROPERTY(DragPlaceColor, platform::TColor, dragPlaceColor_, TDCVertListView)
CQ_HANDED_PROPERTY(GradientBeginColor, platform::TColor, gradientBegin_, TCustomDCListViewEx)
CQ_HANDED_PROPERTY(GradientEndColor, platform::TColor, gradientEnd_, TCustomDCListViewEx)
CQ_HANDED_PROPERTY(HighlightColor, platform::TColor, highlightColor_, TDCVertListView)
CQ_HANDED_PROPERTY(HighlightFontColor, platform::TColor, highlightFontColor_, TDCVertListView)
CQ_HANDED_PROPERTY(HighlightSelection, bool, highlightSelection_, TDCVertListView)
CQ_HANDED_PROPERTY(ScrollButtonsPos, TScrollButtonsPos, scrollButtonsPos_, TDCVertListView)
CQ_HANDED_PROPERTY(SelectionType, TSelectionType, selectionType_, TDCVertListView)
CQ_HANDED_PROPERTY(SunkSelected, bool, sunkSelected_, TDCVertListView)
CQ_HANDED_PROPERTY(UseDblClick, bool, useDblClick_, TDCVertListView)
#undef CQ_HANDED_PROPERTY

void TDCOutBar::SetWrapLineCount(int v) {
  if (v < 1) throw toolkit::EInvalidOperation(QStringLiteral("Invalid property value"));
  if (v == wrapLineCount_) return;
  wrapLineCount_ = v;
  ForEachList([&](TDCOutBarVertListView* list) {
    if (list->ParentWrapLineCount()) list->TDCVertListView::SetWrapLineCount(v);
  });
}

void TDCOutBar::SetBackground(const QImage& v) {
  background_ = v;
  ForEachList([&](TDCOutBarVertListView* list) {
    if (list->ParentBackground()) list->TCustomDCListViewEx::SetBackground(v);
  });
}

void TDCOutBar::SetLargeImages(TImageList* v) {
  if (v == largeImages_) return;
  largeImages_ = v;
  if (v) connect(v, &QObject::destroyed, this, [this] { ForEachList([](auto* l) { l->ApplyImageLists(); }); });
  ForEachList([](TDCOutBarVertListView* list) { list->ApplyImageLists(); });
}

void TDCOutBar::SetSmallImages(TImageList* v) {
  if (v == smallImages_) return;
  smallImages_ = v;
  if (v) connect(v, &QObject::destroyed, this, [this] { ForEachList([](auto* l) { l->ApplyImageLists(); }); });
  ForEachList([](TDCOutBarVertListView* list) { list->ApplyImageLists(); });
}

void TDCOutBar::SetOneSelected(bool v) {
  if (v == oneSelected_) return;
  oneSelected_ = v;
  if (v) DeselectOtherGroups(ActiveGroup() ? ActiveGroup() : Group(GroupCount() - 1));
}

void TDCOutBar::DeselectOtherGroups(TDCOutBarGroup* keep) {
  for (int i = 0; i < GroupCount(); ++i) {
    if (Group(i) == keep) continue;
    if (TDCOutBarVertListView* list = ListOf(i); list && list->Selected()) list->SetSelected(nullptr);
  }
}

TDCOutBarVertListView* TDCOutBar::CreateListView() { return new TDCOutBarVertListView(nullptr); }

TDCOutBarGroup* TDCOutBar::AddGroup() {
  TDCOutBarGroup* group = TDCGroupBar::AddGroup();
  TDCOutBarVertListView* list = CreateListView();
  list->setParent(group);
  list->SetColor(platform::clAppWorkSpace);
  list->SetFontColor(platform::clWhite);
  toolkit::SetAlign(list, toolkit::alClient);
  list->show();
  // The new list follows the bar: it starts from the bar's current values.
  list->ApplyParentValues();
  list->ApplyImageLists();
  return group;
}

void TDCOutBar::GroupAttached(TDCOutBarGroup* group) {
  if (TDCOutBarVertListView* list = group->ListView()) {
    list->ApplyParentValues();
    list->ApplyImageLists();
  }
}

}  // namespace outbar
