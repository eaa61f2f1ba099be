#include "toolkit/Form.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>

#include "toolkit/Application.h"
#include "toolkit/Dispatch.h"
#include "toolkit/Fonts.h"
#include "toolkit/Screen.h"

namespace toolkit {

TForm::TForm(QWidget* parent) : QWidget(parent, Qt::Window) {
  setAttribute(Qt::WA_DeleteOnClose, false);
  setFont(MakeFont(QStringLiteral("宋体"), 13));
  AlignLayout::Of(this);
  TheScreen().AddForm(this);
}

TForm::~TForm() { TheScreen().RemoveForm(this); }

void TForm::SetColor(platform::TColor color) {
  if (color_ == color) return;
  color_ = color;
  update();
}

void TForm::SetWindowState(TWindowState state) {
  windowState_ = state;
  if (!isVisible()) return;
  if (state == wsMaximized) {
    if (const QScreen* s = screen()) setGeometry(s->availableGeometry());
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

void TForm::PlaceOnScreen() {
  const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
  if (!s) return;
  if (position_ == poScreenCenter || position_ == poDesktopCenter || position_ == poMainFormCenter) {
    QRect area = s->availableGeometry();
    if (position_ == poMainFormCenter && TheApplication().MainForm() && TheApplication().MainForm() != this)
      area = TheApplication().MainForm()->geometry();
    QRect g = geometry();
    g.moveCenter(area.center());
    move(g.topLeft());
  }
}

void TForm::Show() {
  if (!placed_) {
    PlaceOnScreen();
    placed_ = true;
  }
  if (windowState_ == wsMaximized) {
    if (const QScreen* s = screen()) setGeometry(s->availableGeometry());
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

void TForm::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), platform::ToQColor(color_));
}

}  // namespace toolkit
