#pragma once
// A top-level window of the program: caption, colour, font, tag, placement,
// border style, creation/show/close handlers and a modal result. Its client
// area (below the menu bar, when it has one) is laid out by AlignLayout.
#include <QList>
#include <QPointer>
#include <QWidget>
#include <functional>

#include "platform/Color.h"
#include "toolkit/AlignLayout.h"

class QMenuBar;
class QEventLoop;

namespace toolkit {

enum TPosition { poDesigned, poScreenCenter, poDesktopCenter, poMainFormCenter };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TCloseAction { caNone, caHide, caFree, caMinimize };

class TForm : public QWidget {
  Q_OBJECT
  Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
  Q_PROPERTY(int Tag READ Tag WRITE SetTag)
  Q_PROPERTY(int Color READ Color WRITE SetColor)

 public:
  explicit TForm(QWidget* parent = nullptr);
  ~TForm() override;

  QString Caption() const { return windowTitle(); }
  void SetCaption(const QString& caption) { setWindowTitle(caption); }
  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }
  platform::TColor Color() const { return color_; }
  void SetColor(platform::TColor color);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition position) { position_ = position; }
  // Whether the window is placed at a centre (of the screen or the main window).
  bool Centred() const;
  TWindowState WindowState() const { return windowState_; }
  void SetWindowState(TWindowState state);
  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle style);
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result);

  // The form's menu bar, created on first use.
  QMenuBar* Menu();
  bool HasMenu() const { return menu_ != nullptr; }
  // The client area's layout (below the menu bar).
  AlignLayout* Layout() { return AlignLayout::Of(this); }

  // The window that owns this one, as a platform dialog has its owner: this
  // window is transient for it (a window manager keeps it above the owner and
  // iconifies it along); without a window manager it is raised after the
  // owner comes to the front, hidden while the owner is minimised and shown
  // again when the owner is restored.
  void SetPopupParent(TForm* owner);
  TForm* PopupParent() const { return popupParent_; }

  // Designed bounds, used when the window is restored (and for placement).
  void SetDesignBounds(int left, int top, int width, int height);
  QRect DesignBounds() const { return designBounds_; }

  // Shows the window with its placement and runs the show handler.
  void Show();
  // Shows the window modally and returns its modal result.
  int ShowModal();
  // Closes the window through its close handler (as the close box does).
  bool Close() { return close(); }

  std::function<void()> OnCreate;
  std::function<void()> OnShow;
  std::function<void(TCloseAction&)> OnClose;

  // Runs the creation handler; errors are shown and creation goes on.
  void DoCreate();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  // Overridable creation step for subclasses that bind their handler late.
  virtual void DoShow();

 private:
  void PlaceOnScreen();
  // Names the owner as the transient parent of the native window, before it is mapped.
  void MarkTransient();
  // The owner's state changed: owned windows follow it.
  void OwnedFollowState();

  int tag_ = 0;
  platform::TColor color_ = platform::clBtnFace;
  TPosition position_ = poDesigned;
  TWindowState windowState_ = wsNormal;
  TFormBorderStyle borderStyle_ = bsSizeable;
  int modalResult_ = 0;
  QMenuBar* menu_ = nullptr;
  QEventLoop* modalLoop_ = nullptr;
  bool placed_ = false;
  QRect designBounds_;
  QPointer<TForm> popupParent_;
  QList<QPointer<TForm>> owned_;
  // Visible when the owner went down: shown again when the owner comes back.
  bool hiddenWithOwner_ = false;
};

}  // namespace toolkit
