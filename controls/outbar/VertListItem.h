#pragma once
// An item of the vertical list: caption, image indexes, data, sub-items,
// selected and focused states, plus its hot and selected images, its command
// (FileName with Parameters) and its own click event.
#include <QString>
#include <QStringList>

#include "controls/outbar/Events.h"
#include "controls/outbar/ItemLayout.h"

namespace outbar {

class TDCVertListView;

class TDCVertListItem {
 public:
  QString Caption() const { return caption_; }
  void SetCaption(const QString& caption);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int v);
  int StateIndex() const { return stateIndex_; }
  void SetStateIndex(int v);
  int OverlayIndex() const { return overlayIndex_; }
  void SetOverlayIndex(int v);
  void* Data() const { return data_; }
  void SetData(void* data) { data_ = data; }
  const QStringList& SubItems() const { return subItems_; }
  void SetSubItems(const QStringList& v) { subItems_ = v; }

  bool Selected() const { return selected_; }
  void SetSelected(bool v);
  bool Focused() const { return focused_; }
  void SetFocused(bool v);
  int Index() const { return index_; }
  TDCVertListView* ListView() const { return owner_; }

  // Bounds, icon and label rectangles in client coordinates.
  TRect Bounds() const;
  TRect IconRect() const;
  TRect LabelRect() const;
  // Position P: the item's top-left in client coordinates.
  QPoint Position() const;

  // Image drawn while the item is hot; -1: none of its own.
  int HotImageIndex = -1;
  int SelectedImageIndex() const { return selectedImageIndex_; }
  void SetSelectedImageIndex(int v);
  // What ExecuteItem opens, and its parameters.
  QString FileName;
  QString Parameters;
  // Raised on every button click of this item, before the list's OnButtonClick.
  TNotifyEvent OnItemClick;

 private:
  friend class TDCVertListView;
  explicit TDCVertListItem(TDCVertListView* owner) : owner_(owner) {}

  TDCVertListView* owner_;
  int index_ = -1;
  QString caption_;
  int imageIndex_ = -1, stateIndex_ = -1, overlayIndex_ = -1;
  void* data_ = nullptr;
  QStringList subItems_;
  bool selected_ = false, focused_ = false;
  int selectedImageIndex_ = -1;

  // Layout: boxes measured at P = (px, 0), the content y of P, and the step.
  ItemBoxes boxes_;
  int measuredGeneration_ = -1;
  bool exact_ = false;  // widths measured exactly (heights are exact either way)
  int contentY_ = 0;
  int topPad_ = 0;
  int step_ = 0;
};

}  // namespace outbar
