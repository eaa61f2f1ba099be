#pragma once
// A group's list in an outlook bar: its appearance follows the bar through
// fourteen parent flags (giving the list its own value clears the flag), and
// its item events are also raised by the bar. It chooses by keys: Up and Down
// move the focus mark, Enter and Space choose, and Ctrl+Up, Ctrl+Down, Page Up
// and Page Down open the bar's previous or next group.
#include <QPointer>

#include "controls/outbar/VertListView.h"

namespace outbar {

class TDCOutBar;

class TDCOutBarVertListView : public TDCVertListView {
  Q_OBJECT

 public:
  explicit TDCOutBarVertListView(QWidget* parent = nullptr);

  // The bar whose group holds the list, or none.
  TDCOutBar* Bar() const;

#define CQ_PARENT_FLAG(Name)                 \
  bool Parent##Name() const { return parent##Name##_; } \
  void SetParent##Name(bool v);

  CQ_PARENT_FLAG(Background)
  CQ_PARENT_FLAG(BackgroundMode)
  CQ_PARENT_FLAG(DragEnabled)
  CQ_PARENT_FLAG(DragPlaceColor)
  CQ_PARENT_FLAG(GradientBeginColor)
  CQ_PARENT_FLAG(GradientEndColor)
  CQ_PARENT_FLAG(HighlightColor)
  CQ_PARENT_FLAG(HighlightFontColor)
  CQ_PARENT_FLAG(HighlightSelection)
  CQ_PARENT_FLAG(ScrollButtonsPos)
  CQ_PARENT_FLAG(SelectionType)
  CQ_PARENT_FLAG(SunkSelected)
  CQ_PARENT_FLAG(UseDblClick)
  CQ_PARENT_FLAG(WrapLineCount)
#undef CQ_PARENT_FLAG

  void SetBackground(const QImage& v) override;
  void SetBackgroundMode(TBackgroundModeGlobal v) override;
  void SetDragEnabled(bool v) override;
  void SetDragPlaceColor(platform::TColor v) override;
  void SetGradientBeginColor(platform::TColor v) override;
  void SetGradientEndColor(platform::TColor v) override;
  void SetHighlightColor(platform::TColor v) override;
  void SetHighlightFontColor(platform::TColor v) override;
  void SetHighlightSelection(bool v) override;
  void SetScrollButtonsPos(TScrollButtonsPos v) override;
  void SetSelectionType(TSelectionType v) override;
  void SetSunkSelected(bool v) override;
  void SetUseDblClick(bool v) override;
  void SetWrapLineCount(int v) override;

  // The list's own image lists (the bar's are used where these are none).
  TImageList* LargeImages() const { return ownLarge_; }
  void SetLargeImages(TImageList* v) override;
  TImageList* SmallImages() const { return ownSmall_; }
  void SetSmallImages(TImageList* v) override;
  // Chooses the image lists in use: the list's own, else the bar's.
  void ApplyImageLists();
  // Takes the bar's value of every property whose parent flag is set.
  void ApplyParentValues();

  void ButtonClick(TDCVertListItem* item) override;
  bool ExecuteItem(TDCVertListItem* item) override;
  void HotTrackItem(TDCVertListItem* item) override;
  QMenu* GetItemPopupMenu(TDCVertListItem* item) override;
  void SelectionChanged() override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // Opens the group `step` places away, its list taking the focus with its mark.
  void OpenNeighbourGroup(int step);

  bool parentBackground_ = true, parentBackgroundMode_ = true, parentDragEnabled_ = true,
       parentDragPlaceColor_ = true, parentGradientBeginColor_ = true, parentGradientEndColor_ = true,
       parentHighlightColor_ = true, parentHighlightFontColor_ = true, parentHighlightSelection_ = true,
       parentScrollButtonsPos_ = true, parentSelectionType_ = true, parentSunkSelected_ = true,
       parentUseDblClick_ = true, parentWrapLineCount_ = true;
  QPointer<TImageList> ownLarge_, ownSmall_;
};

}  // namespace outbar
