#pragma once
// Controls that show scroll bars (memos, list views, anything passing the
// scroll test of the classification) keep their native scroll bars working;
// each bar is painted from the skin by a TWScrollbar, and the square between
// two bars is filled with ButtonFace. A scroll-bar control standing alone is
// its own bar (kind 2 geometry). TSkinScrollbarH is the same skinner attached
// to a window by its handle.
#include <memory>

#include "skin/controls/SkinControl.h"
#include "skin/controls/WScrollbar.h"

class QAbstractScrollArea;

namespace skin {

class TSkinScrollbar : public TSkinControl {
  Q_OBJECT

 public:
  using TSkinControl::TSkinControl;
  ~TSkinScrollbar() override;

  // 10. Records the control, joins the frame's list (no recolouring), lends
  // both bars their painters and hooks the control's messages.
  virtual void InitScroll(QWidget* control, TSkinData* skinData, TWinSkinForm* frame, QImage* canvas);
  // An application control and a foreign window are both attached as above.
  void InitControl(TWinSkinForm* frame, TSkinData* skinData, bool recolour, QImage* canvas) override;
  void InitWindow(QWidget* hwnd, TSkinData* skinData, TWinSkinForm* frame, QImage* canvas) override;
  void RestoreControl() override;
  void AfterMessage(QEvent* message) override;
  void Paint(QPainter& dc, const QRect& rect) override;
  void Refresh() override;

  TWScrollbar* Horizontal() const { return horizontal_.get(); }
  TWScrollbar* Vertical() const { return vertical_.get(); }
  // The square between the two bars in the control's coordinates; empty
  // unless both are shown.
  QRect CornerRect() const;

 private:
  void CreateBars(QWidget* control);
  void Relayout();

  std::unique_ptr<TWScrollbar> horizontal_;
  std::unique_ptr<TWScrollbar> vertical_;
};

class TSkinScrollbarH : public TSkinScrollbar {
  Q_OBJECT

 public:
  using TSkinScrollbar::TSkinScrollbar;
};

}  // namespace skin
