#pragma once
// The skinned system menu of a frame (" Restore ", " Maximize ", " Minimize ",
// " Close ") and what the caption buttons do: the skin's Action numbers mapped
// to caption actions, and the window commands (close, maximise, minimise,
// restore) they and the menu run, queued as posting a system command does.
#include <QElapsedTimer>
#include <QMenu>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>

class QMenu;

namespace skin {

class TWinSkinForm;

// What a caption button does.
enum class TCaptionAction {
  Close,       // Action 0
  Maximize,    // 1 or 22: maximise, or restore a maximised window
  Minimize,    // 2 or 23: minimise, or restore a minimised window
  SystemMenu,  // 3, 11 or 12: the system menu below-right of the pointer
  MdiChild,    // 7, 60, 8, 61, 9, 62: the active MDI child's buttons
  Custom,      // anything else: the window is told the Action number
};
TCaptionAction CaptionActionFor(int skinAction);

// The commands a window takes from its frame.
enum class TWindowCommand { Close, Maximize, Minimize, Restore };

class TSystemMenu : public QObject {
 public:
  explicit TSystemMenu(TWinSkinForm& frame);
  // Frees the menu when the window still has it.
  ~TSystemMenu() override;

  // A fresh menu from the window's caption abilities (Tag 33333).
  void Build();
  QMenu* Menu() const { return menu_.data(); }
  // Frees the menu (the window is given back).
  void Discard();
  // Opens the menu at `globalPoint`; a second call within the double-click
  // time closes the window when a caption object is hot.
  void Show(const QPoint& globalPoint);

  // What a caption button with the skin's Action number does.
  void DoCaptionAction(int skinAction);
  void RunCaptionAction(TCaptionAction action, int skinAction);
  // Queues `command` (what posting WM_SYSCOMMAND does) and runs it.
  void PostCommand(TWindowCommand command);

 protected:
  // A press on the just-opened menu at the point it opened from, within the
  // double-click time, is the second click of a double click.
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  void RunCommand(TWindowCommand command);
  void Restore();
  void Close();

  TWinSkinForm& frame_;
  QPointer<QMenu> menu_;
  QElapsedTimer lastShown_;
  QPoint shownAt_;
  // The geometry before maximising or minimising.
  QRect normalGeometry_;
};

}  // namespace skin
