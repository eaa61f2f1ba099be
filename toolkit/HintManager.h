#pragma once
// The application's hints. A control's hint text is its QWidget tool tip; a
// control that publishes a "ShowHint" property set to false shows none (a control
// without hint text defers to the nearest parent that has one). While the
// application's ShowHint switch is on, resting the pointer on such a control for
// HintPause ms shows the application's hint window class, which is hidden again
// after HintHidePause ms, when the pointer leaves, or on a click or key press.
// Moving straight from one hinted control to another while a hint is up uses
// HintShortPause. Qt's own tool tips are suppressed once the manager exists.
// The hint text is read when the hint is shown, so a handler may change it while
// the pointer moves over the control.
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace toolkit {

// What the show-hint event may adjust before a hint appears.
struct THintInfo {
  QWidget* HintControl = nullptr;
  QPoint CursorPos;      // pointer position, screen coordinates
  QPoint HintPos;        // suggested top-left of the hint window, screen coordinates
  int HintMaxWidth = 0;  // suggested maximum width
  QRect CursorRect;      // the hint stays while the pointer is inside (screen coordinates)
  int HideTimeout = 0;   // ms the hint stays up
};

// The toolkit's plain hint window: info colours, a black frame, wrapped text.
// Topmost, frameless and never taking the focus.
class THintWindow : public QWidget {
  Q_OBJECT

 public:
  THintWindow();
  // The size the hint text needs, at (0, 0), wrapped at `maxWidth`.
  virtual QRect CalcHintRect(int maxWidth, const QString& hint);
  // Shows the hint at `rect` (screen coordinates).
  virtual void ActivateHint(const QRect& rect, const QString& hint);
  QString Caption() const { return caption_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  // Shows the window without activating it, above every other window.
  void ShowTopmost(const QRect& bounds);
  QString caption_;
};

using HintWindowFactory = std::function<THintWindow*()>;

class HintManager : public QObject {
  Q_OBJECT

 public:
  HintManager();
  ~HintManager() override;

  // The application's hint window class; setting it discards the current window.
  void SetHintWindowClass(HintWindowFactory factory);
  // The current hint window (null until a hint was shown).
  THintWindow* HintWindow() const { return window_; }

  // The application's show-hint event: may change the text, veto the hint or adjust the info.
  std::function<void(QString& hintStr, bool& canShow, THintInfo& info)> OnShowHint;

  // The last pointer position seen in an input event (screen coordinates).
  QPoint CursorPos() const { return cursorPos_; }
  void SetCursorPos(QPoint p) { cursorPos_ = p; }
  // The control whose hint is pending or shown.
  QWidget* HintControl() const { return hintControl_; }
  // True from the moment a hint is shown until it is cancelled.
  bool HintActive() const { return hintActive_; }
  // The pause the pending hint waits for (ms), or -1 when none is pending.
  int PendingPause() const { return showTimer_.isActive() ? showTimer_.interval() : -1; }

  // Hides the hint and forgets its control.
  void CancelHint();
  // Shows the hint of the current control now (what the hint pause ends in).
  void ShowHintNow();
  // The control whose hint `w` shows: `w` or its nearest parent with hint text.
  static QWidget* HintControlOf(QWidget* w);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ScheduleEvaluate();
  void Evaluate();
  THintWindow* EnsureWindow();

  HintWindowFactory factory_;
  QPointer<THintWindow> window_;
  QPointer<QWidget> underPointer_;
  QPointer<QWidget> hintControl_;
  QPoint cursorPos_;
  bool hintActive_ = false;
  bool evaluatePending_ = false;
  QTimer showTimer_;
  QTimer hideTimer_;
};

// The process-wide hint manager, created (and installed) on first use.
HintManager& TheHintManager();

}  // namespace toolkit
