#pragma once
// Caption buttons: which are shown (rules A, B and C), where they go, and
// their frames; TWinSysButton is the pointer-driven object on the frame.
#include <QImage>
#include <QRect>
#include <vector>

#include "skin/frame/FrameGeometry.h"
#include "skin/frame/NCObject.h"

namespace skin {

class TDataSkinSysButton;
class TSkinData;

// What the window can do, as its styles said when it was attached.
struct TCaptionCaps {
  bool SystemMenu = false;
  bool Minimize = false;
  bool Maximize = false;
  bool CaptionRemoved = false;
};

// What the visibility rules look at.
struct TCaptionContext {
  TCaptionCaps caps;
  bool maximized = false;
  bool active = true;
  TFrameKind kind = fkFixed;
  bool dialogClass = false;  // "#32770" or "TMessageForm"
  int M = 0;
  bool mdiChildMaximized = false;
  // The window's answer to SKM_BUTTONVISIBLE for Visibility 1000 ... 2000.
  std::function<bool(int index)> askWindow;
};

// Rule A by Visibility, rule B by Visibility1, rule C by Action.
bool VisibilityRuleA(int visibility, int action, const TCaptionContext& c, int index);
bool VisibilityRuleB(int visibility1, bool ruleA, const TCaptionContext& c);
bool VisibilityRuleC(int action, const TCaptionContext& c);
bool IsCaptionButtonVisible(const TDataSkinSysButton& b, int index, const TCaptionContext& c);

// Where one button goes in a W-wide window (window coordinates): `textLeft`
// and `textRight` are the caption text's extent for Align 2, 3, 8 and 9.
QRect CaptionButtonRect(const TDataSkinSysButton& b, int W, int textLeft, int textRight, const TFrameMetrics& m,
                        int menuItemLeftMargin, bool hasMenuItem, bool rightToLeft);

// The frame a caption button draws in the strip: 1, or 4 when inactive and the
// image has at least 4 frames.
int StripButtonFrame(const TDataSkinSysButton& b, bool active);
// The frame for an object state (1 normal, 2 pressed, 3 over; over is 4 for
// Visibility 100 buttons).
int StateButtonFrame(const TDataSkinSysButton& b, int state);

// One caption button of a frame: the skin's button by its index in the
// skin's list, valid for the skin generation it was made for.
class TWinSysButton : public TNCObject {
 public:
  TWinSysButton(TWinSkinForm* owner, TSkinData* data, int index);
  // The skin's button, or nullptr when the skin was reloaded since.
  const TDataSkinSysButton* Data() const;
  int Index() const { return index_; }
  int Action() const;
  bool Visible = false;
  void Paint(QPainter* dc) override;

 private:
  TSkinData* data_;
  int index_;
  int generation_;
};

}  // namespace skin
