#pragma once
// The frame's room on its window: the contents margins that reserve the
// frame, fitting the window around its client (size limits moved with the
// frame, the outer top-left corner kept), moving hand-placed children into
// the client area and back, a message window grown for its caption, and the
// geometry the window gets back when it loses the frame.
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <optional>

namespace skin {

class TWinSkinForm;

class TFrameSizing {
 public:
  explicit TFrameSizing(TWinSkinForm& frame) : frame_(frame) {}

  // At attach: where the first fit puts the window's top-left corner (a
  // window on the screen keeps its outer corner).
  void Start(const QPoint& at) { fitAt_ = at; }
  // The window shows the frame from its first paint: the frame is reserved
  // now, and a window not shown yet takes its size when it is shown (after
  // whatever placing and maximising its showing does).
  void ReserveFrame();
  // The window's first showing: it has been placed and maximised or not.
  void FirstShow();
  bool FitPending() const { return fitPending_; }

  // The frame's margins plus the room a message window took for its caption.
  QMargins Margins() const;
  // The room a message window took for its caption, left and right.
  const QMargins& CaptionRoom() const { return captionRoom_; }

  // Reserves the frame as contents margins and moves hand-placed children.
  void ApplyMargins();
  // The window around its client with the frame's margins (`keepClient`:
  // the client keeps its size; otherwise a message window may widen for its
  // caption).
  void FitWindowToClient(bool keepClient);
  // A message window that sized itself at its showing widens for its caption.
  void FitMessageToCaption();
  // The width the caption text needs (margins included).
  int CaptionWidthNeeded() const;

  // Before the frame goes: hand-placed children move back, and the geometry
  // the window gets (its exact old one when it was not resized since the fit,
  // else its client's place under the platform frame).
  QRect TakeBack();

 private:
  void ShiftHandPlacedChildren(int dx, int dy);
  // The form is placed at the screen's centre.
  bool CentredOnScreen() const;
  void GrowForCaption(int clientWidth);

  TWinSkinForm& frame_;
  // How far hand-placed children were moved into the client area.
  QPoint handPlacedShift_;
  // The geometry the frame gave the window.
  QRect fittedGeometry_;
  // Where the next fit puts the window's top-left corner (its current place when unset).
  std::optional<QPoint> fitAt_;
  QMargins captionRoom_;
  // The window was attached before it was first shown; its size follows at the show.
  bool fitPending_ = false;
};

}  // namespace skin
