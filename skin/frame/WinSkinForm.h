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
#include <QCursor>
#include <QElapsedTimer>
#include <QFont>
#include <QImage>
#include <QMargins>
#include <QObject>
#include <QPalette>
#include <QPointer>
#include <QRect>
#include <QRegion>
#include <QWidget>
#include <memory>
#include <optional>
#include <tuple>
#include <vector>

#include "skin/frame/CaptionButtons.h"
#include "skin/frame/FrameGeometry.h"
#include "toolkit/Form.h"

class QEvent;
class QMenu;
class QMenuBar;
class QMouseEvent;
class QPainter;
class QTimer;
class QWidget;

namespace platform {
class Subclass;
}

namespace skin {

class TMenuBarSkinner;
class TNCObject;
class TSkinControl;
class TSkinData;

// Life states of a frame skinner.
enum TFrameLife { flAttached = 0, flNormal = 1, flRefreshing = 3, flDestroying = 4, flFirstLayout = 5, flDestroyed = 6 };
// Show states.
enum TShowState { ssNormal = 0, ssMaximized = 1, ssMinimized = 2 };

class TWinSkinForm : public QObject {
  Q_OBJECT

 public:
  explicit TWinSkinForm(QObject* owner = nullptr);
  // Frees the control skinners and the menu-bar skinner; a window still
  // attached is detached first.
  ~TWinSkinForm() override;

  int DisableTag() const { return disableTag_; }
  void SetDisableTag(int tag) { disableTag_ = tag; }

  void SetHandle(QWidget* window) { window_ = window; }
  QWidget* Handle() const { return window_.data(); }
  // The form skinned (nullptr for a foreign window).
  toolkit::TForm* Form() const { return form_.data(); }
  TSkinData* SkinData() const { return skinData_; }

  // Attaches to an application form / to a foreign window (message dialogs,
  // the error box). Once per window.
  void AttachForm(TSkinData* skinData, toolkit::TForm* form);
  void AttachWindow(TSkinData* skinData);
  // Gives the window back its platform frame, geometry (same client size),
  // colours, margins, cursor and an empty mask.
  void Detach();
  // After a skin switch: colours, control skinners, frame metrics and layout.
  void RefreshSkin();
  // L, T, R, B from the border images; the caption buttons from the skin.
  void RebuildFrameMetrics();
  // Frees the caption buttons (a new skin is being loaded).
  void FreeCaptionButtons();
  // Paints the frame on the window (a painter on it unless `dc` is given).
  void PaintFrame(QPainter* dc = nullptr);
  // The frame composed as the window shows it, W x H, client area left
  // transparent (what PaintFrame copies; for tests and the benchmark).
  QImage ComposeFrame() const;
  void UpdateFrameRegion();
  void FitWindowToClient(bool keepClient);
  void SetFrameStyles(bool restore);
  void ShowSystemMenu(const QPoint& globalPoint);
  void DoCaptionAction(int action);
  // Attaches the control skinners (what SKM_ATTACHCONTROLS does).
  void AttachControls();

  int Life() const { return life_; }
  int ShowState() const { return showState_; }
  bool Active() const { return active_; }
  TFrameKind Kind() const { return kind_; }
  // Whether the window wears the skin's frame (false for a skin without a caption).
  bool Framed() const { return framed_; }
  bool IsDialog() const { return dialog_; }
  bool RightToLeft() const { return rightToLeft_; }
  const TCaptionCaps& Caps() const { return caps_; }
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
  const QImage& CaptionStrip() const { return strip_; }
  // The next paint composes borders and caption strip anew.
  void ForgetComposedFrame();
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
  QMenu* SystemMenu() const { return systemMenu_; }
  TMenuBarSkinner* MenuBarSkinner() const { return menuBar_.get(); }
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

 protected:
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  friend class TFrameInput;
  enum TSysCommand { scClose, scMaximize, scMinimize, scRestore };
  TCaptionContext Context() const;
  bool FrameHandled() const;
  void OnAttachControls();
  void ApplyButtonFacePalette();
  void MenuChanged();
  int CaptionWidthNeeded() const;
  void GrowForCaption(int clientWidth);
  void SystemMenuClick(int tag);
  // Queues a window command (what posting WM_SYSCOMMAND does) and runs it.
  void PostSysCommand(int command);
  void SysCommand(int command);
  void AttachCommon(TSkinData* skinData);
  bool Before(QEvent* e);
  void After(QEvent* e);
  bool HandleMouse(QMouseEvent* e);
  void OnTimer();
  void BuildSystemMenu();
  void ReadShowState();
  void LoadAppIcon();
  void ApplyMargins();
  void ShiftHandPlacedChildren(int dx, int dy);
  void SetActive(bool on);
  void LightDetach();
  void ApplyFrameless(bool frameless);
  bool IsCaptionButtonShown(const TWinSysButton& b) const;
  void LayoutButtons();
  void WindowDestroyed();

  int disableTag_ = 99;
  QPointer<QWidget> window_;
  QPointer<toolkit::TForm> form_;
  TSkinData* skinData_ = nullptr;
  std::unique_ptr<platform::Subclass> subclass_;
  std::unique_ptr<platform::Subclass> menuWatch_;

  TFrameMetrics metrics_;
  TFrameKind kind_ = fkFixed;
  TCaptionCaps caps_;
  bool dialog_ = false;
  bool unicode_ = false;
  bool rightToLeft_ = false;
  int showState_ = ssNormal;
  bool active_ = false;
  int life_ = flAttached;
  bool attached_ = false;
  int generation_ = -1;
  // The window wears the skin's frame (the skin has a caption for it).
  bool framed_ = false;
  bool menuRebuildPending_ = false;
  // The window was attached before it was first shown; its size follows at the show.
  bool fitPending_ = false;
  bool trackingMenu_ = false;

  // What the window had before it was skinned.
  struct Saved {
    Qt::WindowFlags flags;
    QRect geometry;
    QMargins margins;
    QSize minimum, maximum;
    bool mouseTracking = false;
    bool hadCursorSet = false;
    QCursor cursor;
    bool hadColor = false;
    bool hadPalette = false;
    QPalette palette;
    int color = 0;
    QSize systemFrame;  // the platform frame's non-client widths, L + R by T + B
  } saved_;
  // How far hand-placed children were moved into the client area.
  QPoint handPlacedShift_;
  // The geometry the frame gave the window (a window not resized since
  // gets its exact old geometry back on detach).
  QRect fittedGeometry_;
  // The geometry before maximising or minimising.
  QRect normalGeometry_;
  QPoint systemMenuAt_;
  // Where the next fit puts the window's top-left corner (its current place when unset).
  std::optional<QPoint> fitAt_;
  QMargins extraMessageMargins_;  // a message box grown for its caption

  QFont captionFont_;
  QImage strip_;
  // The frame's parts as last composed, reused while nothing they show has
  // changed: a repaint of the client area or a caption-button hover then
  // costs a copy, not a composition.
  struct TBorderCache {
    QImage left, right, bottom;
    QSize size;
    bool active = false;
    int generation = -1;
    bool valid = false;
  } borders_;
  struct TStripKey {
    QSize size;  // the corners' border images are composed at the window's height
    int generation = -1;
    bool active = false;
    bool rightToLeft = false;
    QString shown;
    QRect plate, textRect;
    int clipRight = 0;
    QFont font;
    qint64 icon = 0;
    std::vector<std::tuple<QRect, bool, int>> buttons;  // rect, visible, state frame
    bool operator==(const TStripKey&) const = default;
  };
  std::optional<TStripKey> stripKey_;
  QImage appIcon_;
  std::vector<std::unique_ptr<TWinSysButton>> buttons_;
  TNCObject* hot_ = nullptr;
  std::vector<TSkinControl*> skinners_;
  QPointer<TSkinControl> hotControl_;
  QTimer* timer_ = nullptr;
  QMenu* systemMenu_ = nullptr;
  std::unique_ptr<TMenuBarSkinner> menuBar_;
  QElapsedTimer lastSystemMenu_;
  QSize regionSize_;
  bool hasRegion_ = false;
  std::unique_ptr<class TFrameInput> input_;
};

}  // namespace skin
