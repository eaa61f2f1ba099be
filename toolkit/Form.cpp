#include "toolkit/Form.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMenuBar>
#include <QPainter>
#include <QTimer>
#include <QWindow>

#include "platform/WindowManager.h"
#include "toolkit/Application.h"
#include "toolkit/Dispatch.h"
#include "toolkit/Fonts.h"
#include "toolkit/Screen.h"
#include "toolkit/WorkArea.h"

namespace toolkit {

TForm::TForm(QWidget* parent) : QWidget(parent, Qt::Window) {
  setAttribute(Qt::WA_DeleteOnClose, false);
  setFont(MakeFont(QStringLiteral("宋体"), 13));
  AlignLayout::Of(this);
  TheScreen().AddForm(this);
}

TForm::~TForm() {
  SetPopupParent(nullptr);
  TheScreen().RemoveForm(this);
}

void TForm::SetPopupParent(TForm* owner) {
  if (popupParent_) popupParent_->owned_.removeAll(this);
  popupParent_ = owner;
  if (owner) owner->owned_.append(this);
  MarkTransient();
}

void TForm::MarkTransient() {
  QWindow* window = windowHandle();
  QWindow* parent = popupParent_ ? popupParent_->windowHandle() : nullptr;
  if (window && parent && window->transientParent() != parent) window->setTransientParent(parent);
}

void TForm::OwnedFollowState() {
  // A window manager iconifies and restores transient windows with their owner.
  if (platform::HasWindowManager()) return;
  for (TForm* f : owned_) {
    if (!f) continue;
    if (isMinimized()) {
      if (!f->isVisible()) continue;
      f->hiddenWithOwner_ = true;
      f->hide();
    } else if (f->hiddenWithOwner_) {
      f->hiddenWithOwner_ = false;
      f->show();
    }
  }
}

void TForm::SetColor(platform::TColor color) {
  if (color_ == color) return;
  color_ = color;
  update();
}

void TForm::SetWindowState(TWindowState state) {
  windowState_ = state;
  if (!isVisible()) return;
  if (state == wsMaximized) {
    setGeometry(FilledGeometry(this));
    showMaximized();
  } else if (state == wsMinimized) {
    showMinimized();
  } else {
    showNormal();
  }
}

void TForm::SetBorderStyle(TFormBorderStyle style) {
  borderStyle_ = style;
  Qt::WindowFlags flags = Qt::Window;
  switch (style) {
    case bsNone: flags |= Qt::FramelessWindowHint; break;
    case bsDialog:
    case bsSingle:
    case bsToolWindow:
      flags |= Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
      if (style == bsSingle) flags |= Qt::WindowMinMaxButtonsHint | Qt::WindowSystemMenuHint;
      break;
    case bsSizeable:
    case bsSizeToolWin: break;
  }
  const bool wasVisible = isVisible();
  setWindowFlags(flags);
  if (style == bsDialog || style == bsSingle || style == bsToolWindow) setFixedSize(size());
  if (wasVisible) show();
}

void TForm::SetModalResult(int result) {
  modalResult_ = result;
  if (result != 0 && modalLoop_) close();
}

QMenuBar* TForm::Menu() {
  if (!menu_) {
    menu_ = new QMenuBar(this);
    Layout()->setMenuBar(menu_);
  }
  return menu_;
}

void TForm::SetDesignBounds(int left, int top, int width, int height) {
  designBounds_ = QRect(left, top, width, height);
  setGeometry(left, top, width, height);
}

bool TForm::Centred() const {
  return position_ == poScreenCenter || position_ == poDesktopCenter || position_ == poMainFormCenter;
}

void TForm::PlaceOnScreen() {
  const TForm* mainForm = TheApplication().MainForm();
  if (position_ == poMainFormCenter && mainForm && mainForm != this) {
    QRect g = geometry();
    g.moveCenter(mainForm->geometry().center());
    move(g.topLeft());
  }
  // Whatever the placement, the window lies inside the work area.
  PlaceWindow(this, position_ == poScreenCenter || position_ == poDesktopCenter ? TPlacing::Centred : TPlacing::Inside);
}

void TForm::Show() {
  if (!placed_) {
    PlaceOnScreen();
    placed_ = true;
  }
  if (windowState_ == wsMaximized) {
    setGeometry(FilledGeometry(this));
    showMaximized();
  } else {
    show();
  }
  raise();
  activateWindow();
}

int TForm::ShowModal() {
  modalResult_ = 0;
  setWindowModality(Qt::ApplicationModal);
  Show();
  QEventLoop loop;
  modalLoop_ = &loop;
  QMetaObject::Connection c = connect(this, &QObject::destroyed, &loop, &QEventLoop::quit);
  while (isVisible() && modalResult_ == 0) loop.exec();
  disconnect(c);
  modalLoop_ = nullptr;
  setWindowModality(Qt::NonModal);
  if (modalResult_ == 0) modalResult_ = 2;  // closed without an answer: cancel
  return modalResult_;
}

void TForm::DoCreate() { Raise(OnCreate); }

void TForm::DoShow() { Raise(OnShow); }

void TForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // The native window exists now and is not mapped yet: the window manager
  // reads the owner with the first map. A native window made again (a change
  // of frame flags) is shown again and marked again.
  MarkTransient();
  for (TForm* f : owned_)
    if (f) f->MarkTransient();
  if (!event->spontaneous()) DoShow();
}

void TForm::closeEvent(QCloseEvent* event) {
  TCloseAction action = caHide;
  // An error in the close handler abandons the close: the window stays open.
  bool failed = true;
  Dispatch([&] {
    if (OnClose) OnClose(action);
    failed = false;
  });
  if (failed || action == caNone) {
    event->ignore();
    return;
  }
  event->accept();
  if (modalLoop_) modalLoop_->quit();
  if (TheApplication().MainForm() == this) {
    TheApplication().Terminate();
    return;
  }
  if (action == caFree) deleteLater();
  if (action == caMinimize) {
    event->ignore();
    showMinimized();
  }
}

void TForm::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && !owned_.isEmpty() &&
      QGuiApplication::platformName() == QLatin1String("xcb") && !platform::HasWindowManager()) {
    // On an X display without a window manager nothing keeps owned windows
    // above their owner: the owner coming to the front brings them up after it.
    for (TForm* f : owned_)
      if (f && f->isVisible()) QTimer::singleShot(0, f, [f] { f->raise(); });
  }
  if (event->type() == QEvent::WindowStateChange) OwnedFollowState();
  if (event->type() != QEvent::WindowStateChange || !isMinimized()) return;
  // A dialog or tool-window frame has no minimise box. Window managers that
  // offer one anyway (openbox keeps it whatever the hints ask) find the window
  // restored at once, unless it went down together with the main window or
  // the program itself asked for it.
  const bool dialogFrame = borderStyle_ == bsDialog || borderStyle_ == bsToolWindow || borderStyle_ == bsSizeToolWin;
  const TForm* mainForm = TheApplication().MainForm();
  if (!dialogFrame || windowState_ == wsMinimized || !mainForm || mainForm == this || mainForm->isMinimized() ||
      !mainForm->isVisible())
    return;
  QTimer::singleShot(0, this, [this] {
    if (isMinimized()) setWindowState(windowState() & ~Qt::WindowMinimized);
  });
}

void TForm::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), platform::ToQColor(color_));
}

}  // namespace toolkit
