#include "skin/frame/SystemMenu.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QIcon>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <cstdlib>

#include "platform/WinMessage.h"
#include "platform/WindowManager.h"
#include "skin/engine/SkinData.h"
#include "skin/engine/SkinManage.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/menu/MenuHost.h"
#include "toolkit/WorkArea.h"

namespace skin {
namespace {

constexpr int kSystemMenuTag = 33333;
constexpr int kSeparatorTag = 100;

// The items: caption, Tag (also the show state that disables the first three), image, command.
struct TSystemMenuItem {
  const char* caption;
  int tag;
  TWindowCommand command;
};
constexpr TSystemMenuItem kRestore{" Restore ", 0, TWindowCommand::Restore};
constexpr TSystemMenuItem kMaximize{" Maximize ", 1, TWindowCommand::Maximize};
constexpr TSystemMenuItem kMinimize{" Minimize ", 2, TWindowCommand::Minimize};
constexpr TSystemMenuItem kClose{" Close ", 3, TWindowCommand::Close};

}  // namespace

TCaptionAction CaptionActionFor(int skinAction) {
  switch (skinAction) {
    case 0: return TCaptionAction::Close;
    case 1:
    case 22: return TCaptionAction::Maximize;
    case 2:
    case 23: return TCaptionAction::Minimize;
    case 3:
    case 11:
    case 12: return TCaptionAction::SystemMenu;
    case 7: case 60: case 8: case 61: case 9: case 62: return TCaptionAction::MdiChild;
    default: return TCaptionAction::Custom;
  }
}

TSystemMenu::TSystemMenu(TWinSkinForm& frame) : frame_(frame) {}

TSystemMenu::~TSystemMenu() { Discard(); }

void TSystemMenu::Discard() { delete menu_.data(); }

void TSystemMenu::Build() {
  Discard();
  TSkinData* data = frame_.SkinData();
  menu_ = new QMenu(frame_.Handle());
  menu_->setObjectName(QStringLiteral("SystemMenu"));
  menu_->setProperty("Tag", kSystemMenuTag);
  const TImageList& glyphs = data->MenuGlyphs();
  auto add = [this, &glyphs](const TSystemMenuItem& item) {
    QAction* a = menu_->addAction(QString::fromLatin1(item.caption));
    a->setProperty("Tag", item.tag);
    a->setProperty("ImageIndex", item.tag);
    const QImage g = glyphs.Image(item.tag);
    if (!g.isNull()) a->setIcon(QIcon(QPixmap::fromImage(g)));
    const TWindowCommand command = item.command;
    connect(a, &QAction::triggered, this, [this, command] {
      if (command == TWindowCommand::Close) Close();
      else PostCommand(command);
    });
    return a;
  };
  add(kRestore);
  if (frame_.Caps().Maximize) add(kMaximize);
  if (frame_.Caps().Minimize) add(kMinimize);
  menu_->addSeparator()->setProperty("Tag", kSeparatorTag);
  QAction* close = add(kClose);
  close->setShortcut(QKeySequence(QStringLiteral("Shift+F4")));
  close->setShortcutContext(Qt::WidgetShortcut);
  menu_->installEventFilter(this);
  if (data->SkinControls().Contains(xcSystemMenu)) HookMenuItems(menu_, data, mikSystemMenu);
}

void TSystemMenu::Show(const QPoint& point) {
  if (!menu_ || !frame_.Handle()) return;
  for (QAction* a : menu_->actions()) {
    const int tag = a->property("Tag").toInt();
    if (tag >= kRestore.tag && tag <= kMinimize.tag) a->setEnabled(frame_.ShowState() != tag);
  }
  if (!lastShown_.isValid() || lastShown_.elapsed() > QApplication::doubleClickInterval()) {
    if (TSkinManage* m = TSkinManage::Instance()) m->SetMenuSource(msSystemMenu);
    lastShown_.start();
    shownAt_ = point;
    menu_->popup(point);
    return;
  }
  // A double click on the icon.
  if (frame_.HotObject()) Close();
}

bool TSystemMenu::eventFilter(QObject* o, QEvent* e) {
  // The event type is tested first: the filter also sees the events a dying menu sends from ~QWidget, when
  // the pointer to it no longer names a QMenu and must not be read.
  if (e->type() != QEvent::MouseButtonPress && e->type() != QEvent::MouseButtonDblClick) return false;
  if (o != menu_) return false;
  const QPoint at = static_cast<QMouseEvent*>(e)->globalPosition().toPoint();
  const QPoint d = at - shownAt_;
  if (lastShown_.isValid() && lastShown_.elapsed() <= QApplication::doubleClickInterval() && std::abs(d.x()) <= 2 &&
      std::abs(d.y()) <= 2) {
    menu_->close();
    Show(at);
    return true;
  }
  return false;
}

void TSystemMenu::Close() {
  if (QTimer* t = frame_.Timer()) t->stop();
  PostCommand(TWindowCommand::Close);
}

void TSystemMenu::DoCaptionAction(int skinAction) { RunCaptionAction(CaptionActionFor(skinAction), skinAction); }

void TSystemMenu::RunCaptionAction(TCaptionAction action, int skinAction) {
  // Maximise or minimise, or restore when the window is in that state already.
  auto toggle = [this](int state, TWindowCommand command) {
    const bool restore = frame_.showState_ == state;
    PostCommand(restore ? TWindowCommand::Restore : command);
    frame_.showState_ = restore ? ssNormal : state;
  };
  switch (action) {
    case TCaptionAction::Close: Close(); break;
    case TCaptionAction::Maximize: toggle(ssMaximized, TWindowCommand::Maximize); break;
    case TCaptionAction::Minimize: toggle(ssMinimized, TWindowCommand::Minimize); break;
    case TCaptionAction::SystemMenu: Show(QCursor::pos() + QPoint(1, 1)); break;
    case TCaptionAction::MdiChild: break;  // this system has no MDI windows
    case TCaptionAction::Custom: platform::PostMessage(frame_.Handle(), platform::SKM_CUSTOMACTION, skinAction); break;
  }
}

void TSystemMenu::PostCommand(TWindowCommand command) {
  QPointer<QWidget> w = frame_.Handle();
  QTimer::singleShot(0, this, [this, w, command] {
    if (w) RunCommand(command);
  });
}

void TSystemMenu::RunCommand(TWindowCommand command) {
  QWidget* w = frame_.Handle();
  const bool normal = !(w->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized));
  switch (command) {
    case TWindowCommand::Close: w->close(); break;
    case TWindowCommand::Maximize:
      if (normal) normalGeometry_ = w->geometry();
      frame_.showState_ = ssMaximized;
      w->setGeometry(toolkit::FilledGeometry(w));
      w->showMaximized();
      break;
    case TWindowCommand::Minimize:
      if (normal) normalGeometry_ = w->geometry();
      frame_.showState_ = ssMinimized;
      w->showMinimized();
      // Without a window manager nothing would iconify the window: it is hidden.
      if (!platform::HasWindowManager()) w->hide();
      break;
    case TWindowCommand::Restore: Restore(); break;
  }
  frame_.InvalidateFrame();
}

void TSystemMenu::Restore() {
  QWidget* w = frame_.Handle();
  const bool wasMinimized = frame_.showState_ == ssMinimized;
  // A form maximised from the start returns to its designed size, framed,
  // at the centre when the form is placed there.
  const toolkit::TForm* form = frame_.Form();
  toolkit::TPlacing placing = toolkit::TPlacing::Inside;
  if (!normalGeometry_.isValid() && form && form->DesignBounds().isValid()) {
    const QRect design = form->DesignBounds();
    normalGeometry_ = QRect(design.topLeft(), design.size().grownBy(frame_.sizing_.Margins()));
    if (form->Centred()) placing = toolkit::TPlacing::Centred;
  }
  frame_.showState_ = ssNormal;
  w->showNormal();
  // The window comes back inside the work area, shrunk if the screen is smaller.
  if ((!wasMinimized || !platform::HasWindowManager()) && normalGeometry_.isValid()) {
    normalGeometry_ = toolkit::PlacedGeometry(w, normalGeometry_, placing);
    w->setGeometry(normalGeometry_);
  }
  w->activateWindow();
}

}  // namespace skin
