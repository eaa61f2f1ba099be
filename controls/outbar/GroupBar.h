#pragma once
// A vertical bar of collapsible groups. Every group has a header button with
// its caption; the active group's page fills the space between the buttons
// stacked from the top (up to and including the active one) and those stacked
// from the bottom. Clicking another group's button opens it with a short
// sliding animation.
#include <QImage>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <vector>

#include "controls/outbar/DragTarget.h"
#include "controls/outbar/Events.h"
#include "controls/outbar/GroupBarGeometry.h"
#include "controls/outbar/ListViewEx.h"
#include "platform/Color.h"
#include "toolkit/DisplayText.h"

namespace outbar {

class TDCOutBarGroup;

class TCustomDCGroupBar : public QWidget, public TDragTarget {
  Q_OBJECT

 public:
  explicit TCustomDCGroupBar(QWidget* parent = nullptr);
  ~TCustomDCGroupBar() override;

  int GroupCount() const { return static_cast<int>(groups_.size()); }
  TDCOutBarGroup* Group(int index) const;
  int IndexOfGroup(const TDCOutBarGroup* group) const;
  TDCOutBarGroup* ActiveGroup() const { return Group(active_); }

  int ActiveGroupIndex() const { return loading_ && streamed_ >= 0 ? streamed_ : active_; }
  void SetActiveGroupIndex(int v);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle v);
  bool FlatGroups() const { return flatGroups_; }
  void SetFlatGroups(bool v);
  bool HotTrack() const { return hotTrack_; }
  void SetHotTrack(bool v);
  int ButtonSpace() const { return buttonSpace_; }
  void SetButtonSpace(int v);
  platform::TColor HotColor() const { return hotColor_; }
  void SetHotColor(platform::TColor v);
  int Frequency() const { return frequency_; }
  void SetFrequency(int v);
  platform::TColor ButtonSpaceColor() const { return buttonSpaceColor_; }
  void SetButtonSpaceColor(platform::TColor v);
  platform::TColor Color() const { return color_; }
  void SetColor(platform::TColor v);
  bool Ctl3D() const { return ctl3D_; }
  void SetCtl3D(bool v);
  // Group captions are painted through `display`; groups keep their captions.
  void SetDisplayText(toolkit::TDisplayText display);
  // A group's caption as it is painted.
  QString ShownCaption(const TDCOutBarGroup* group) const;

  // Geometry (client coordinates).
  TRect InnerRect() const;
  TRect GetGroupClientRect() const;
  TRect GetGroupButtonRect(int index) const;
  int GetGroupAt(int x, int y) const;
  GroupBarLayout Layout() const;
  void RealignActiveGroup();

  // Pointer state of the header buttons.
  int HotIndex() const { return hot_; }
  int PressedIndex() const { return pressed_; }
  bool PressedLook() const { return pressedLook_; }
  bool HoverPolling() const { return hoverPoll_.isActive(); }
  int DragOverIndex() const { return dragOverIndex_; }
  // The offsets of the frames drawn by the last switch animation.
  const std::vector<int>& LastAnimationOffsets() const { return lastAnimation_; }

  // Loading: switches are remembered and applied by Loaded().
  void BeginLoading() { loading_ = true; }
  void Loaded();
  bool Loading() const { return loading_; }

  virtual TDCOutBarGroup* AddGroup();
  virtual bool DoGroupDraw(TDCOutBarGroup* group, const QRect& rect);
  virtual void DoGroupCaptionChanged(TDCOutBarGroup* group);
  virtual bool DoGroupCaptionChanging(TDCOutBarGroup* group, const QString& newCaption);
  virtual void DoChange();
  virtual bool DoChanging(TDCOutBarGroup* newGroup);

  void DragOver(QObject* source, int x, int y, TDragState state, bool& accept) override;
  void DragDrop(QObject* source, int x, int y) override;

  TNotifyEvent OnChange;
  TGroupChangingEvent OnChanging;
  TGroupCaptionChangeEvent OnGroupCaptionChanged;
  TGroupCaptionChangingEvent OnGroupCaptionChanging;
  TGroupDrawEvent OnGroupDraw;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TDragOverEvent OnDragOver;
  TDragDropEvent OnDragDrop;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

  void PaintGroupButton(QPainter& p, int index);
  void InvalidateButton(int index);
  // A group's list and its contents changed places; the bar hands its values on.
  virtual void GroupAttached(TDCOutBarGroup*) {}

 private:
  friend class TDCOutBarGroup;
  void AttachGroup(TDCOutBarGroup* group);
  void RemoveGroup(TDCOutBarGroup* group);
  void SwitchTo(int v, bool force);
  void Animate(TDCOutBarGroup* newGroup, const TRect& oldPage, const TRect& newPage, bool movingDown);
  void PlaceGroups(TDCOutBarGroup* oldGroup, TDCOutBarGroup* newGroup, const TRect& newPage);
  void HoverMove(const QPoint& pos);
  void HoverPoll();
  void DragOverTimer();

  std::vector<TDCOutBarGroup*> groups_;
  int active_ = -1;
  int hot_ = -1;
  int pressed_ = -1;
  bool pressedLook_ = false;
  QTimer hoverPoll_;
  int dragOverIndex_ = -1;
  QTimer dragOverTimer_;
  QPoint lastDragPos_;
  int streamed_ = -1;
  bool applyingStreamed_ = false;
  bool loading_ = false;
  bool destroying_ = false;
  bool placing_ = false;
  std::vector<int> lastAnimation_;

  TBorderStyle borderStyle_ = bsSingle;
  bool flatGroups_ = true;
  bool hotTrack_ = false;
  int buttonSpace_ = 1;
  platform::TColor hotColor_ = platform::clNavy;
  int frequency_ = 10;
  platform::TColor buttonSpaceColor_ = platform::clSilver;
  platform::TColor color_ = platform::clBtnFace;
  bool ctl3D_ = true;
  toolkit::TDisplayText display_;
};

// Publishes the group-bar properties.
class TDCGroupBar : public TCustomDCGroupBar {
  Q_OBJECT
  Q_PROPERTY(int ActiveGroupIndex READ ActiveGroupIndex WRITE SetActiveGroupIndex)
  Q_PROPERTY(int BorderStyle READ BorderStyleValue WRITE SetBorderStyleValue)
  Q_PROPERTY(bool FlatGroups READ FlatGroups WRITE SetFlatGroups)
  Q_PROPERTY(bool HotTrack READ HotTrack WRITE SetHotTrack)
  Q_PROPERTY(int ButtonSpace READ ButtonSpace WRITE SetButtonSpace)
  Q_PROPERTY(int HotColor READ HotColor WRITE SetHotColor)
  Q_PROPERTY(int Frequency READ Frequency WRITE SetFrequency)
  Q_PROPERTY(int ButtonSpaceColor READ ButtonSpaceColor WRITE SetButtonSpaceColor)
  Q_PROPERTY(int Color READ Color WRITE SetColor)
  Q_PROPERTY(bool Ctl3D READ Ctl3D WRITE SetCtl3D)

 public:
  using TCustomDCGroupBar::TCustomDCGroupBar;
  int BorderStyleValue() const { return BorderStyle(); }
  void SetBorderStyleValue(int v) { SetBorderStyle(static_cast<TBorderStyle>(v)); }
};

}  // namespace outbar
