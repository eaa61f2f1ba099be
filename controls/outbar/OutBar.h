#pragma once
// The outlook bar: a group bar whose groups each hold a vertical list. The
// bar's list-appearance properties and image lists are handed to the lists
// that follow it, and the lists' item events are raised by the bar as well.
#include <QImage>
#include <QPointer>

#include "controls/outbar/GroupBar.h"
#include "controls/outbar/ImageList.h"
#include "controls/outbar/ItemLayout.h"

namespace outbar {

class TDCOutBarVertListView;

class TDCOutBar : public TDCGroupBar {
  Q_OBJECT
  Q_PROPERTY(bool DragEnabled READ DragEnabled WRITE SetDragEnabled)
  Q_PROPERTY(int DragPlaceColor READ DragPlaceColor WRITE SetDragPlaceColor)
  Q_PROPERTY(int GradientBeginColor READ GradientBeginColor WRITE SetGradientBeginColor)
  Q_PROPERTY(int GradientEndColor READ GradientEndColor WRITE SetGradientEndColor)
  Q_PROPERTY(int HighlightColor READ HighlightColor WRITE SetHighlightColor)
  Q_PROPERTY(int HighlightFontColor READ HighlightFontColor WRITE SetHighlightFontColor)
  Q_PROPERTY(bool HighlightSelection READ HighlightSelection WRITE SetHighlightSelection)
  Q_PROPERTY(bool OneSelected READ OneSelected WRITE SetOneSelected)
  Q_PROPERTY(bool SunkSelected READ SunkSelected WRITE SetSunkSelected)
  Q_PROPERTY(bool UseDblClick READ UseDblClick WRITE SetUseDblClick)
  Q_PROPERTY(int WrapLineCount READ WrapLineCount WRITE SetWrapLineCount)

 public:
  explicit TDCOutBar(QWidget* parent = nullptr);

  const QImage& Background() const { return background_; }
  void SetBackground(const QImage& v);
  TBackgroundModeGlobal BackgroundMode() const { return backgroundMode_; }
  void SetBackgroundMode(TBackgroundModeGlobal v);
  bool DragEnabled() const { return dragEnabled_; }
  void SetDragEnabled(bool v);
  platform::TColor DragPlaceColor() const { return dragPlaceColor_; }
  void SetDragPlaceColor(platform::TColor v);
  platform::TColor GradientBeginColor() const { return gradientBegin_; }
  void SetGradientBeginColor(platform::TColor v);
  platform::TColor GradientEndColor() const { return gradientEnd_; }
  void SetGradientEndColor(platform::TColor v);
  platform::TColor HighlightColor() const { return highlightColor_; }
  void SetHighlightColor(platform::TColor v);
  platform::TColor HighlightFontColor() const { return highlightFontColor_; }
  void SetHighlightFontColor(platform::TColor v);
  bool HighlightSelection() const { return highlightSelection_; }
  void SetHighlightSelection(bool v);
  TImageList* LargeImages() const { return largeImages_; }
  void SetLargeImages(TImageList* v);
  bool OneSelected() const { return oneSelected_; }
  void SetOneSelected(bool v);
  TScrollButtonsPos ScrollButtonsPos() const { return scrollButtonsPos_; }
  void SetScrollButtonsPos(TScrollButtonsPos v);
  TSelectionType SelectionType() const { return selectionType_; }
  void SetSelectionType(TSelectionType v);
  TImageList* SmallImages() const { return smallImages_; }
  void SetSmallImages(TImageList* v);
  bool SunkSelected() const { return sunkSelected_; }
  void SetSunkSelected(bool v);
  bool UseDblClick() const { return useDblClick_; }
  void SetUseDblClick(bool v);
  int WrapLineCount() const { return wrapLineCount_; }
  void SetWrapLineCount(int v);

  TDCOutBarGroup* AddGroup() override;
  virtual TDCOutBarVertListView* CreateListView();
  // The list of group i (its first vertical list), or none.
  TDCOutBarVertListView* ListOf(int index) const;
  // Clears the selection in the lists of every group but `keep`.
  void DeselectOtherGroups(TDCOutBarGroup* keep);

  TListItemEvent OnButtonClick;
  TExecuteItemEvent OnExecuteItem;
  TListItemEvent OnHotTrackItem;
  TPopupMenuEvent OnPopupMenu;

 protected:
  void GroupAttached(TDCOutBarGroup* group) override;

 private:
  template <typename F>
  void ForEachList(F f);

  QImage background_;
  TBackgroundModeGlobal backgroundMode_ = bkmNone;
  bool dragEnabled_ = true;
  platform::TColor dragPlaceColor_ = platform::clBlack;
  platform::TColor gradientBegin_ = platform::RGB(0, 0, 255);
  platform::TColor gradientEnd_ = platform::clBlack;
  platform::TColor highlightColor_ = platform::clBtnFace;
  platform::TColor highlightFontColor_ = platform::clBlack;
  bool highlightSelection_ = false;
  QPointer<TImageList> largeImages_, smallImages_;
  bool oneSelected_ = false;
  TScrollButtonsPos scrollButtonsPos_ = spTopAndBottom;
  TSelectionType selectionType_ = stStandard;
  bool sunkSelected_ = false;
  bool useDblClick_ = false;
  int wrapLineCount_ = 1;
};

}  // namespace outbar
