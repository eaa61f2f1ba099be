#include "skin/menu/MenuLoop.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

#include "skin/frame/WinSkinForm.h"
#include "skin/menu/WinSkinMenu.h"

namespace skin {

TMenuLoop& TMenuLoop::Instance() {
  static TMenuLoop loop;
  return loop;
}

void TMenuLoop::Begin(TWinSkinMenu* bar, int index, QMenu* menu) {
  if (running_) End();
  bar_ = bar;
  index_ = index;
  menu_ = menu;
  running_ = true;
  switching_ = false;
  escaped_ = false;
  altPressed_ = false;
  lastPos_ = QCursor::pos();
  if (!filterInstalled_) {
    qApp->installEventFilter(this);
    filterInstalled_ = true;
  }
  hidden_ = connect(menu, &QMenu::aboutToHide, this, [this, menu] {
    if (menu_ == menu) End();
  });
}

void TMenuLoop::Opened() {
  // The first item is highlighted, as a Down key press does.
  if (running_ && menu_)
    QCoreApplication::postEvent(menu_, new QKeyEvent(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier));
}

void TMenuLoop::End() {
  if (!running_) return;
  running_ = false;
  disconnect(hidden_);
  if (filterInstalled_) {
    qApp->removeEventFilter(this);
    filterInstalled_ = false;
  }
  QPointer<TWinSkinMenu> bar = bar_;
  const int index = index_;
  const bool switching = switching_, escaped = escaped_;
  bar_ = nullptr;
  menu_ = nullptr;
  if (bar) bar->MenuClosed(index, switching, escaped);
}

void TMenuLoop::SwitchTo(int index) {
  TWinSkinMenu* bar = bar_.data();
  TMenuBtn* target = bar ? bar->Item(index) : nullptr;
  if (!running_ || !target) return;
  switching_ = true;
  // The press at the new entry arrives once the running menu has closed.
  bar->Frame().PostNcLButtonDown(target->Rect.topLeft() + QPoint(1, 1));
  CloseMenus();
}

void TMenuLoop::CloseMenus() {
  const QPointer<QMenu> root = menu_;
  for (int guard = 0; guard < 64; ++guard) {
    auto* top = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!top) break;
    top->hide();
    if (top == root) break;
  }
  if (root && root->isVisible()) root->hide();
}

bool TMenuLoop::eventFilter(QObject* o, QEvent* e) {
  if (!running_ || !bar_) return false;
  auto* menu = qobject_cast<QMenu*>(o);
  if (!menu) return false;
  switch (e->type()) {
    case QEvent::KeyPress: return Key(menu, static_cast<QKeyEvent*>(e));
    case QEvent::KeyRelease: {
      auto* k = static_cast<QKeyEvent*>(e);
      if (k->key() != Qt::Key_Alt || k->isAutoRepeat()) return false;
      bar_->Frame().SetTrackingMenu(false);
      // Alt pressed and released inside the menus leaves them.
      if (altPressed_) {
        altPressed_ = false;
        CloseMenus();
        return true;
      }
      return false;
    }
    case QEvent::MouseMove: return Pointer(menu, static_cast<QMouseEvent*>(e));
    case QEvent::MouseButtonPress: {
      // A press on the open entry closes the menu and must not open it again.
      const QPoint g = static_cast<QMouseEvent*>(e)->globalPosition().toPoint();
      const TMenuBtn* open = bar_->Item(index_);
      QWidget* w = bar_->Window();
      if (open && w && !menu->rect().contains(menu->mapFromGlobal(g)) && open->Rect.contains(w->mapFromGlobal(g)))
        menu->setAttribute(Qt::WA_NoMouseReplay);
      return false;
    }
    default: return false;
  }
}

bool TMenuLoop::Key(QMenu* menu, QKeyEvent* e) {
  int key = e->key();
  if (key == Qt::Key_Alt) {
    altPressed_ = !e->isAutoRepeat() || altPressed_;
    return false;
  }
  altPressed_ = false;
  // Right-to-left menus exchange Left and Right before anything else sees them.
  if ((key == Qt::Key_Left || key == Qt::Key_Right) && bar_->Frame().RightToLeft() && !swapping_) {
    key = key == Qt::Key_Left ? Qt::Key_Right : Qt::Key_Left;
    QKeyEvent swapped(e->type(), key, e->modifiers(), e->text(), e->isAutoRepeat(), e->count());
    swapping_ = true;
    QCoreApplication::sendEvent(menu, &swapped);
    swapping_ = false;
    return true;
  }
  switch (key) {
    case Qt::Key_Left:
      if (menu != menu_) return false;
      if (const int i = bar_->NeighbourOf(index_, -1); i >= 0) SwitchTo(i);
      return true;
    case Qt::Key_Right: {
      const QAction* a = menu->activeAction();
      if (a && a->menu()) return false;
      if (const int i = bar_->NeighbourOf(index_, 1); i >= 0) SwitchTo(i);
      return true;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter: switching_ = false; return false;
    case Qt::Key_Escape:
      switching_ = false;
      if (menu == menu_) escaped_ = true;
      return false;
    default: return false;
  }
}

bool TMenuLoop::Pointer(QMenu*, QMouseEvent* e) {
  const QPoint g = e->globalPosition().toPoint();
  if (g == lastPos_) return false;
  lastPos_ = g;
  // Over an open menu the pointer belongs to it.
  for (QWidget* top : QApplication::topLevelWidgets())
    if (qobject_cast<QMenu*>(top) && top->isVisible() && top->geometry().contains(g)) return false;
  QWidget* w = bar_->Window();
  if (!w) return false;
  auto* over = static_cast<TMenuBtn*>(bar_->HitTestMenuBar(w->mapFromGlobal(g)));
  if (!over || over->Index == index_ || !over->Submenu || !over->Enabled) return false;
  SwitchTo(over->Index);
  return true;
}

}  // namespace skin
