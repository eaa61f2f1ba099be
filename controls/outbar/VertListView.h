#pragma once
// A single column of items (optional image and caption) stacked from the top
// with a fixed gap. It scrolls by whole items through two arrow buttons that
// appear while items are hidden above or below, through the wheel, and when an
// item is made visible. The item under the pointer is framed; a click selects
// it and raises OnButtonClick; items can be dragged within and between lists.
#include <QFontMetrics>
#include <QHash>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <memory>
#include <vector>

#include "controls/outbar/DragTarget.h"
#include "controls/outbar/ImageList.h"
#include "controls/outbar/ItemLayout.h"
#include "controls/outbar/ListViewEx.h"
#include "controls/outbar/ScrollButton.h"
#include "controls/outbar/VertListItem.h"
#include "toolkit/DisplayText.h"

namespace outbar {

class TDCVertListView : public TCustomDCListViewEx, public TDragTarget {
  Q_OBJECT
  Q_PROPERTY(bool DragEnabled READ DragEnabled WRITE SetDragEnabled)
  Q_PROPERTY(int DragPlaceColor READ DragPlaceColor WRITE SetDragPlaceColor)
  Q_PROPERTY(int HighlightColor READ HighlightColor WRITE SetHighlightColor)
  Q_PROPERTY(int HighlightFontColor READ HighlightFontColor WRITE SetHighlightFontColor)
  Q_PROPERTY(bool HighlightSelection READ HighlightSelection WRITE SetHighlightSelection)
  Q_PROPERTY(int ItemSpace READ ItemSpace WRITE SetItemSpace)
  Q_PROPERTY(int ScrollButtonsPos READ ScrollButtonsPosValue WRITE SetScrollButtonsPosValue)
  Q_PROPERTY(int SelectionType READ SelectionTypeValue WRITE SetSelectionTypeValue)
  Q_PROPERTY(bool SunkSelected READ SunkSelected WRITE SetSunkSelected)
  Q_PROPERTY(bool UseDblClick READ UseDblClick WRITE SetUseDblClick)
  Q_PROPERTY(int ViewStyle READ ViewStyleValue WRITE SetViewStyleValue)
  Q_PROPERTY(int WrapLineCount READ WrapLineCount WRITE SetWrapLineCount)
  Q_PROPERTY(int ItemIndex READ ItemIndex WRITE SetItemIndex)
  Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)

 public:
  explicit TDCVertListView(QWidget* parent = nullptr);
  ~TDCVertListView() override;

  // --- items ---
  int ItemCount() const { return static_cast<int>(items_.size()); }
  TDCVertListItem* Item(int index) const;
  TDCVertListItem* AddItem(const QString& caption = QString());
  TDCVertListItem* InsertItem(int index, const QString& caption = QString());
  void DeleteItem(TDCVertListItem* item);
  void ClearItems();
  int IndexOf(const TDCVertListItem* item) const;
  // Batch updates: redrawing stops and Arrange waits for the matching EndUpdate.
  void BeginUpdate();
  void EndUpdate();

  TDCVertListItem* Selected() const { return selected_; }
  void SetSelected(TDCVertListItem* item);
  int ItemIndex() const { return selected_ ? selected_->Index() : -1; }
  void SetItemIndex(int index);
  TDCVertListItem* ItemFocused() const { return focused_; }
  TDCVertListItem* HotItem() const { return hot_; }
  // The click's steps without the pointer: the item becomes the selected and
  // the focused item, ButtonClick runs and the item is made fully visible.
  void ChooseItem(TDCVertListItem* item);
  // The caption as it is painted (through the display text).
  QString ShownCaption(const TDCVertListItem* item) const;
  TDCVertListItem* PressedItem() const { return pressed_; }

  // --- geometry ---
  void Arrange();
  void ScrollDownStep();
  void ScrollUpStep();
  void Scroll(int dx, int dy);
  // Makes the item visible (scrolling by whole steps of it).
  void ScrollIntoView(TDCVertListItem* item, bool partialOK);
  bool IsItemVisible(TDCVertListItem* item, bool partialOK);
  bool CanScrollDown();
  bool CanScrollUp();
  QPoint ScrollOffset() const { return offset_; }
  TDCVertListItem* GetItemAt(int x, int y);
  TRect GetFrameRect(TDCVertListItem* item);
  TRect ItemBounds(const TDCVertListItem* item);
  TRect ItemIconRect(const TDCVertListItem* item);
  TRect ItemLabelRect(const TDCVertListItem* item);
  int ItemStep(const TDCVertListItem* item);
  int TopPad() const { return topPad_; }
  int LineHeight() const { return lineHeight_; }
  int HalfSpace() const { return itemSpace_ / 2; }
  TDCScrollButton* DownButton() const { return down_; }
  TDCScrollButton* UpButton() const { return up_; }
  // How many times the layout has been computed for an item (measuring included).
  qint64 LayoutWork() const { return layoutWork_; }

  // --- drag and drop ---
  int DropIndexAt(int x, int y);
  int DropIndex() const { return dropIndex_; }
  bool DropMarkShown() const { return markShown_ && dropIndex_ != -1; }
  DropMark CurrentDropMark();
  bool Dragging() const { return dragging_; }
  bool CopyMode() const { return copyMode_; }
  bool Accepted() const { return accepted_; }
  bool AutoScrolling() const { return autoScrollTimer_.isActive(); }
  // Cancels a press or a drag in progress (Escape, cancel mode, capture loss,
  // another application in front, a right press).
  void CancelDrag();
  void DragOver(QObject* source, int x, int y, TDragState state, bool& accept) override;
  void DragDrop(QObject* source, int x, int y) override;

  // --- properties ---
  bool DragEnabled() const { return dragEnabled_; }
  virtual void SetDragEnabled(bool v);
  platform::TColor DragPlaceColor() const { return dragPlaceColor_; }
  virtual void SetDragPlaceColor(platform::TColor v);
  platform::TColor HighlightColor() const { return highlightColor_; }
  virtual void SetHighlightColor(platform::TColor v);
  platform::TColor HighlightFontColor() const { return highlightFontColor_; }
  virtual void SetHighlightFontColor(platform::TColor v);
  bool HighlightSelection() const { return highlightSelection_; }
  virtual void SetHighlightSelection(bool v);
  TScrollButtonsPos ScrollButtonsPos() const { return scrollButtonsPos_; }
  virtual void SetScrollButtonsPos(TScrollButtonsPos v);
  TSelectionType SelectionType() const { return selectionType_; }
  virtual void SetSelectionType(TSelectionType v);
  bool SunkSelected() const { return sunkSelected_; }
  virtual void SetSunkSelected(bool v);
  bool UseDblClick() const { return useDblClick_; }
  virtual void SetUseDblClick(bool v);
  int WrapLineCount() const { return wrapLineCount_; }
  virtual void SetWrapLineCount(int v);
  int ItemSpace() const { return itemSpace_; }
  void SetItemSpace(int v);
  // Keyboard choosing (while SunkSelected is off): Up, Down, Home and End move
  // a focus mark over the items without choosing them, Enter and Space choose
  // the marked item as a click does. Off: those keys are swallowed.
  bool KeyboardChoosing() const { return keyboardChoosing_; }
  void SetKeyboardChoosing(bool v);
  // The dotted focus mark shows while the list has the keyboard focus and the
  // keyboard was used for it (focus by Tab, or a key since the last press).
  bool FocusMarkShown() const { return hasFocus() && keyboardCue_; }
  // Turns the focus mark on (the focus came by keys from elsewhere).
  void ShowFocusMark();
  TViewStyle ViewStyle() const { return viewStyle_; }
  void SetViewStyle(TViewStyle v);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool v) { readOnly_ = v; }
  TImageList* LargeImages() const { return largeImages_; }
  virtual void SetLargeImages(TImageList* v);
  TImageList* SmallImages() const { return smallImages_; }
  virtual void SetSmallImages(TImageList* v);
  // The image list the current view style draws from.
  TImageList* ImagesInUse() const { return ViewImages(); }
  QMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(QMenu* menu) { popupMenu_ = menu; }
  // Captions are measured and painted through `display`; items keep their captions.
  // The display keeps the characters' widths (a change of script): laying out
  // the items judges a caption that clearly fits on one line by its stored text,
  // so only the painted items' captions go through `display`.
  void SetDisplayText(toolkit::TDisplayText display);

  int ScrollButtonsPosValue() const { return scrollButtonsPos_; }
  void SetScrollButtonsPosValue(int v) { SetScrollButtonsPos(static_cast<TScrollButtonsPos>(v)); }
  int SelectionTypeValue() const { return selectionType_; }
  void SetSelectionTypeValue(int v) { SetSelectionType(static_cast<TSelectionType>(v)); }
  int ViewStyleValue() const { return viewStyle_; }
  void SetViewStyleValue(int v) { SetViewStyle(static_cast<TViewStyle>(v)); }

  // --- overridable steps ---
  virtual void ButtonClick(TDCVertListItem* item);
  virtual bool ExecuteItem(TDCVertListItem* item);
  virtual void HotTrackItem(TDCVertListItem* item);
  virtual QMenu* GetItemPopupMenu(TDCVertListItem* item);
  virtual void SelectionChanged() {}
  virtual void DoBeforeScroll();
  virtual void DoAfterScroll();

  void PaintOverlay(QPainter& p) override;

  // --- events ---
  TNotifyEvent OnAfterScroll;
  TNotifyEvent OnBeforeScroll;
  TBeforeMouseDownEvent OnBeforeMouseDown;
  TListItemEvent OnButtonClick;
  TExecuteItemEvent OnExecuteItem;
  TListItemEvent OnHotTrackItem;
  TPopupMenuEvent OnPopupMenu;
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TKeyEvent OnKeyDown;
  TDragOverEvent OnDragOver;
  TDragDropEvent OnDragDrop;
  TEndDragEvent OnEndDrag;
  TListItemEvent OnInsert;
  TListItemEvent OnDeletion;
  std::function<void(QObject* sender, TDCVertListItem* item, bool selected)> OnSelectItem;

 protected:
  void PaintItems(QPainter& p, const TRect& area) override;
  void ClientChanged() override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void changeEvent(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  bool event(QEvent* event) override;

  void DrawItemFrame(QPainter& p, TDCVertListItem* item, bool sunken);
  void DrawItemContent(QPainter& p, TDCVertListItem* item);
  void InvalidateFrame(TDCVertListItem* item);
  void SetHotItem(TDCVertListItem* item);
  void UpdateHotItem(const QPoint& clientPos);
  // The image list of the current view style.
  TImageList* ViewImages() const;
  // Applies the view's image lists again (the bar hands its own in).
  void ImageListsChanged();

 private:
  friend class TDCVertListItem;
  friend class DragKeyWatch;

  // Layout.
  LayoutParams Params() const;
  FrameParams FrameParamsFor(const TDCVertListItem* item) const;
  void Measure(TDCVertListItem* item, bool exact);
  // Sum of cached character advances for simple one-line text, -1 otherwise.
  int QuickAdvance(const QString& text);
  // Bounds with exact top and bottom (the width may be estimated).
  TRect VerticalBounds(const TDCVertListItem* item);
  void EnsureLayout();
  void InvalidateLayout(int fromIndex);
  void InvalidateMeasures();
  int ScreenY(const TDCVertListItem* item) const { return item->contentY_ - offset_.y(); }
  ItemBoxes ScreenBoxes(TDCVertListItem* item);
  int FirstItemBelow(int y);  // first item whose bounds bottom > y
  int StepsBefore(int k);
  void UpdateScrollButtons();
  void ArrangeAfterChange(int fromIndex);
  void ItemChanged(TDCVertListItem* item);
  bool Alive(const TDCVertListItem* item) const;
  void Forget(TDCVertListItem* item);

  // Selection.
  void ChangeSelection(TDCVertListItem* item, bool on);
  void SelectionLost(TDCVertListItem* item);
  void SelectionGained(TDCVertListItem* item);
  void ChangeFocus(TDCVertListItem* item);

  // Pointer.
  void PressLeft(const QPoint& pos, int shift);
  void PointerMoved(const QPoint& clientPos, const QPoint& globalPos, int shift);
  void FinishDrag(const QPoint& clientPos, const QPoint& globalPos);
  void ReleaseLeft(const QPoint& pos, int shift, Qt::MouseButton button);
  QPoint PointerClientPos() const;
  void HotPoll();
  void Navigate(int key);
  // Keyboard choosing's keys; true when the key was one of them.
  bool ChoosingKey(int key);
  void MoveFocusMark(int index);
  void InvalidateFocusMark();
  void PaintFocusMark(QPainter& p);

  // Drag.
  void StartDrag(bool ctrl);
  void DragMove(const QPoint& globalPos);
  bool AskTarget(QWidget* target, const QPoint& globalPos);
  void EndDrag(QWidget* target, const QPoint& clientPos);
  void TransferTo(TDCVertListView* target);
  void SetDragCursor(bool accepted);
  void SetCopyMode(bool on);
  void DrawDropMark(bool draw);
  void StartAutoScroll(TDCVertListView* source, const QPoint& globalPos, int direction);
  void StopAutoScroll();
  void AutoScrollTick();
  void StopKeyWatch();

  std::vector<std::unique_ptr<TDCVertListItem>> items_;
  TDCVertListItem* selected_ = nullptr;
  TDCVertListItem* focused_ = nullptr;
  TDCVertListItem* hot_ = nullptr;
  TDCVertListItem* pressed_ = nullptr;
  TDCVertListItem* previousSelection_ = nullptr;
  bool leftDown_ = false;
  QPoint pressPoint_;
  bool cancelled_ = false;
  QPoint offset_;
  int topPad_ = 0;
  int lock_ = 0;
  int redrawOff_ = 0;
  bool layoutPending_ = false;
  int wheelRemainder_ = 0;
  QTimer hotPoll_;
  TDCScrollButton* down_ = nullptr;
  TDCScrollButton* up_ = nullptr;
  bool destroying_ = false;

  // Layout caches.
  int generation_ = 0;
  int layoutValid_ = 0;  // items [0, layoutValid_) have their positions
  int lineHeight_ = 0;
  QFontMetrics metrics_{QFont()};
  QHash<char16_t, int> charAdvance_;
  qint64 layoutWork_ = 0;

  // Properties.
  bool dragEnabled_ = true;
  platform::TColor dragPlaceColor_ = platform::clBlack;
  platform::TColor highlightColor_ = platform::clBtnFace;
  platform::TColor highlightFontColor_ = platform::clBlack;
  bool highlightSelection_ = false;
  int itemSpace_ = 10;
  TScrollButtonsPos scrollButtonsPos_ = spTopAndBottom;
  TSelectionType selectionType_ = stStandard;
  bool sunkSelected_ = false;
  bool useDblClick_ = false;
  TViewStyle viewStyle_ = vsIcon;
  int wrapLineCount_ = 1;
  bool readOnly_ = false;
  bool keyboardChoosing_ = false;
  bool keyboardCue_ = false;
  bool focusNoticePending_ = false;  // the focus arrived; its notice waits for the event loop
  QPointer<TImageList> largeImages_, smallImages_;
  QPointer<QMenu> popupMenu_;
  toolkit::TDisplayText display_;

  // Drag state.
  bool dragging_ = false;
  bool copyMode_ = false;
  int dragCursor_ = 100;
  bool accepted_ = false;
  QPointer<QWidget> target_;
  bool overrideCursor_ = false;
  int dropIndex_ = -1;
  int lastDropIndex_ = -1;
  bool markShown_ = false;
  DropMark shownMark_{};
  QTimer autoScrollTimer_;
  int autoScrollDirection_ = 0;
  QPointer<TDCVertListView> autoScrollSource_;
  QPoint autoScrollPoint_;
  int currentShape_ = 0;
  bool clickPending_ = false;
  QObject* keyWatch_ = nullptr;
};

}  // namespace outbar
