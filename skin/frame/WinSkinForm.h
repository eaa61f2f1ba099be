#pragma once
// The frame skinner of one top-level window: it replaces the platform's frame
// with the skin's borders, caption strip, caption text and caption buttons,
// shapes the window from the borders' transparency, handles the pointer over
// the frame (caption buttons, moving, resizing, the system menu), hosts the
// menu-bar skinner and owns the control skinners of the window's controls.
//
// On Qt the window becomes frameless and reserves its frame as contents
// margins (L, T + M, R, B); the client area keeps its size, so the window
// grows by the frame. A window's children must be placed by a layout (or by
// the alignment layout, whose unaligned children the frame moves into the
// client area); widgets that place their children by hand over their whole
// rectangle (a top-level QTabWidget) would cover the frame. Window
// coordinates below are the widget's own.
//
// This class attaches and detaches, keeps the life states and routes the
// window's events; the frame's parts have files of their own: FrameKind
// (what frame a window gets), SavedWindow (what it had, and giving it back),
// FrameSizing (margins and fitting), FrameCompositor (painting and the
// region), FrameInput (the pointer, moving and resizing) and SystemMenu (the
// system menu and the caption buttons' actions).
#include <QFont>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <memory>
#include <vector>

#include "skin/engine/FrameSkinner.h"
#include "skin/frame/CaptionButtons.h"
#include "skin/frame/FrameCompositor.h"
#include "skin/frame/FrameGeometry.h"
#include "skin/frame/FrameInput.h"
#include "skin/frame/FrameKind.h"
#include "skin/frame/FrameMenus.h"
#include "skin/frame/FrameSizing.h"
#include "skin/frame/SavedWindow.h"
#include "skin/frame/SystemMenu.h"
#include "toolkit/Form.h"

class QEvent;
class QMenu;
class QPainter;
class QTimer;

namespace platform {
class Subclass;
}

namespace skin {

class TMenuBarSkinner;
class TNCObject;
class TSkinControl;
class TSkinData;

// Show states.
enum TShowState { ssNormal = 0, ssMaximized = 1, ssMinimized = 2 };

class TWinSkinForm : public QObject, public TFrameSkinner {
  Q_OBJECT

 public:
  explicit TWinSkinForm(QObject* owner = nullptr);
  // Frees the control skinners and the menu-bar skinner; a window still
  // attached is detached first.
  ~TWinSkinForm() override;

  int DisableTag() const { return disableTag_; }
  void SetDisableTag(int tag) { disableTag_ = tag; }

  void SetHandle(QWidget* window) { window_ = window; }
  QWidget* Handle() const override { return window_.data(); }
  // The form skinned (nullptr for a foreign window).
  toolkit::TForm* Form() const { return form_.data(); }
  TSkinData* SkinData() const override { return skinData_; }
  TWinSkinForm* Frame() override { return this; }

  // Attaches to an application form / to a foreign window (message dialogs,
  // the error box). Once per window.
  void AttachForm(TSkinData* skinData, toolkit::TForm* form);
  void AttachWindow(TSkinData* skinData);
  // Gives the window back its platform frame, geometry (same client size),
  // colours, margins, cursor and an empty mask.
  void Detach() override;
  // After a skin switch: colours, control skinners, frame metrics and layout.
  void RefreshSkin() override;
  // L, T, R, B from the border images; the caption buttons from the skin.
  void RebuildFrameMetrics() override;
  // Frees the caption buttons (a new skin is being loaded).
  void FreeCaptionButtons() override;
  // Paints the frame on the window (a painter on it unless `dc` is given).
  void PaintFrame(QPainter* dc = nullptr) { compositor_.PaintFrame(dc); }
  // The frame composed as the window shows it, W x H, client area left
  // transparent (what PaintFrame copies; for tests and the benchmark).
  QImage ComposeFrame() const { return compositor_.ComposeFrame(); }
  void UpdateFrameRegion() { compositor_.UpdateRegion(); }
  void FitWindowToClient(bool keepClient) { sizing_.FitWindowToClient(keepClient); }
  void SetFrameStyles(bool restore);
  void ShowSystemMenu(const QPoint& globalPoint) { systemMenu_.Show(globalPoint); }
  // What the caption button with the skin's Action number `action` does.
  void DoCaptionAction(int action) { systemMenu_.DoCaptionAction(action); }
  void RunCaptionAction(TCaptionAction action, int skinAction = -1) { systemMenu_.RunCaptionAction(action, skinAction); }
  // Attaches the control skinners (what SKM_ATTACHCONTROLS does).
  void AttachControls();

  int Life() const override { return life_; }
  int ShowState() const { return showState_; }
  bool Active() const { return active_; }
  TFrameKind Kind() const { return class_.kind; }
  // Whether the window wears the skin's frame (false for a skin without a caption).
  bool Framed() const { return framed_; }
  bool IsDialog() const { return class_.dialog; }
  bool RightToLeft() const { return rightToLeft_; }
  const TCaptionCaps& Caps() const { return class_.caps; }
  // Border widths and the menu-bar height.
  int L() const { return metrics_.L; }
  int T() const { return metrics_.T; }
  int R() const { return metrics_.R; }
  int B() const { return metrics_.B; }
  int M() const { return metrics_.M; }
  const TFrameMetrics& Metrics() const { return metrics_; }
  // The menu bar's rectangle (L, T, W - R, T + M).
  QRect MenuBarRect() const;
  QFont CaptionFont() const { return captionFont_; }
  // The caption text as drawn (prefix, window title, suffix).
  QString CaptionText() const;
  const std::vector<std::unique_ptr<TWinSysButton>>& CaptionButtons() const { return buttons_; }
  const QImage& CaptionStrip() const { return compositor_.Strip(); }
  // The next paint composes borders and caption strip anew.
  void ForgetComposedFrame() { compositor_.Forget(); }
  // What went wrong when the frame last failed to paint (empty when it never did).
  const QString& PaintError() const { return compositor_.LastError(); }
  const QImage& AppIconImage() const { return appIcon_; }

  // The control skinners of the window's controls.
  const std::vector<TSkinControl*>& Skinners() const { return skinners_; }
  void AddSkinner(TSkinControl* skinner);
  void RemoveSkinner(TSkinControl* skinner);
  // The skinner holding `control` (as control or as window), or nullptr.
  TSkinControl* FindSkinner(const QWidget* control) const;
  // The control skinner that last took the hot look (buttons record
  // themselves; the frame's timer makes a foreign one leave).
  TSkinControl* HotControl() const;
  void SetHotControl(TSkinControl* skinner);

  // The frame object under the pointer.
  TNCObject* HotObject() const { return hot_; }
  void SetHotObject(TNCObject* object) { hot_ = object; }
  // The 250 ms timer (running while the window is active).
  QTimer* Timer() const { return timer_; }
  // The skinned system menu (a QMenu with Tag 33333).
  QMenu* SystemMenu() const { return systemMenu_.Menu(); }
  TMenuBarSkinner* MenuBarSkinner() const { return menus_.Bar(); }
  // Set by the menu-bar skinner while one of its menus is open.
  void SetTrackingMenu(bool on) { trackingMenu_ = on; }
  bool TrackingMenu() const { return trackingMenu_; }
  // A simulated press at `windowPoint` of the frame (how the menu skinner
  // switches from one open bar menu to the next).
  void PostNcLButtonDown(const QPoint& windowPoint);
  // Repaints the frame parts only.
  void InvalidateFrame();

  // Where a window point lies on the frame (HT* codes of FrameGeometry.h).
  int HitTest(const QPoint& windowPoint) const;
  // The visible caption button with Action >= 0 at the point, or nullptr.
  TWinSysButton* CaptionButtonAt(const QPoint& windowPoint) const;

 private:
  friend class TFrameCompositor;
  friend class TFrameMenus;
  friend class TFrameSizing;
  friend class TSystemMenu;
  bool AttachCommon(TSkinData* skinData);
  bool FrameHandled() const;
  void OnAttachControls();
  void ShowSkinnedFromTheStart(QWidget* w);
  void ApplyButtonFacePalette();
  // The rebuilt menu bar is `height` high.
  void MenuBarHeightChanged(int height);
  bool Before(QEvent* e);
  bool BeforeMessage(QEvent* e);
  void After(QEvent* e);
  void OnTimer();
  void ReadShowState();
  void SetActive(bool on);
  void WindowDestroyed();
  // The one way the frame lets its window go: the hooks, timer, skinners
  // and menu bar go; a living window gets back what it had.
  void TearDown();
  void GiveBack(QWidget* w);

  int disableTag_ = 99;
  QPointer<QWidget> window_;
  QPointer<toolkit::TForm> form_;
  TSkinData* skinData_ = nullptr;
  std::unique_ptr<platform::Subclass> subclass_;

  TFrameMetrics metrics_;
  TFrameClass class_;
  bool rightToLeft_ = false;
  int showState_ = ssNormal;
  bool active_ = false;
  int life_ = flAttached;
  bool attached_ = false;
  // The window wears the skin's frame (the skin has a caption for it).
  bool framed_ = false;
  bool trackingMenu_ = false;
  // The X server shows a picture of the skinned window until its first paint.
  bool mapPicture_ = false;

  TSavedWindow saved_;
  TFrameSizing sizing_{*this};
  TFrameCompositor compositor_{*this};
  TSystemMenu systemMenu_{*this};
  TFrameMenus menus_{*this};
  QFont captionFont_;
  QImage appIcon_;
  std::vector<std::unique_ptr<TWinSysButton>> buttons_;
  TNCObject* hot_ = nullptr;
  std::vector<TSkinControl*> skinners_;
  QPointer<TSkinControl> hotControl_;
  QTimer* timer_ = nullptr;
  std::unique_ptr<TFrameInput> input_;
};

}  // namespace skin
