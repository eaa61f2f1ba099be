#include "skin/menu/WinSkinMenu.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QTimer>

#include "platform/Color.h"
#include "skin/engine/SkinData.h"
#include "skin/engine/SkinManage.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/menu/MenuLoop.h"
#include "skin/menu/MenuText.h"
#include "skin/menu/SeparatorTidy.h"

namespace skin {

namespace {

// Captions of a window's menu are read up to this many characters.
constexpr int kMaxMergedCaption = 80;

bool HasSubitems(const QAction* a) { return a && a->menu() && !a->menu()->actions().isEmpty(); }

// Every action below `menu`, submenus included.
void CollectActions(const QMenu* menu, QList<QAction*>& out, QList<const QMenu*>& seen) {
  if (!menu || seen.contains(menu)) return;
  seen.append(menu);
  for (QAction* a : menu->actions()) {
    out.append(a);
    if (a->menu()) CollectActions(a->menu(), out, seen);
  }
}

}  // namespace

// ---- TMenuBtn -----------------------------------------------------------------

void TMenuBtn::Press() {
  if (TWinSkinForm* f = Owner()) {
    TNCObject* hot = f->HotObject();
    if (hot && hot != this) hot->Leave();
  }
  TNCObject::Press();
}

void TMenuBtn::Paint(QPainter*) {
  // The frame paints the bar with every entry in its state.
  if (QWidget* w = bar_->Window()) w->update(Rect);
}

// ---- building ---------------------------------------------------------------------

TWinSkinMenu::TWinSkinMenu(TWinSkinForm& frame, QMenuBar* formMenu) : frame_(frame), formMenu_(formMenu) {
  qApp->installEventFilter(this);
}

TWinSkinMenu::~TWinSkinMenu() {
  if (qApp) qApp->removeEventFilter(this);
  TMenuLoop& loop = TMenuLoop::Instance();
  if (loop.Bar() == this) loop.End();
  // A window being destroyed needs nothing back; a detach restored already.
  FreeItems();
}

QWidget* TWinSkinMenu::Window() const { return frame_.Handle(); }

TMenuBtn* TWinSkinMenu::Item(int index) const {
  return index >= 0 && index < static_cast<int>(items_.size()) ? items_[static_cast<size_t>(index)].get() : nullptr;
}

void TWinSkinMenu::FreeItems() {
  LeaveKeyboardMode();
  items_.clear();
}

void TWinSkinMenu::BuildMenuBar() { Build(formMenu_, bdForm); }

void TWinSkinMenu::BuildMenuBarMerged() { Build(formMenu_, bdMerged); }

void TWinSkinMenu::BuildMenuBarFromHandle(QMenuBar* menu) { Build(menu, bdHandle); }

void TWinSkinMenu::Build(QMenuBar* menu, TBuildKind how) {
  // Entries rebuilt in place keep their looks (an open menu's entry stays pressed).
  std::vector<int> states;
  int hot = -1;
  for (const auto& b : items_) {
    if (frame_.HotObject() == b.get()) hot = b->Index;
    states.push_back(b->State);
  }
  const int keyboard = keyboardIndex_;
  handle_ = menu;
  built_ = how;
  FreeItems();
  if (!handle_) return;
  const QList<QAction*> formItems = formMenu_ ? formMenu_->actions() : QList<QAction*>();
  // The form's entry gives its caption, state and submenu.
  auto adopt = [](TMenuBtn& b, QAction* item) {
    b.Item = item;
    b.Caption = item->text();
    b.Enabled = item->isEnabled();
    if (HasSubitems(item)) b.Submenu = item->menu();
  };
  int index = 0;
  for (QAction* a : handle_->actions()) {
    auto b = std::make_unique<TMenuBtn>(this, &frame_);
    b->Index = index;
    b->Enabled = a->isEnabled();
    b->Command = a;
    b->Caption = a->isSeparator() ? QString() : a->text();
    if (HasSubitems(a)) b->Submenu = a->menu();
    if (how == bdForm) {
      b->Visible = a->isVisible();
      b->Item = a;
    } else {
      // Read as the window's menu gives it: every entry shown, captions cut.
      b->Visible = true;
      b->Caption = b->Caption.left(kMaxMergedCaption);
      if (how == bdMerged && b->Caption.isEmpty() && index < formItems.size()) adopt(*b, formItems[index]);
      if (how == bdHandle && formItems.contains(a)) adopt(*b, a);
    }
    ++index;
    items_.push_back(std::move(b));
  }
  if (states.size() == items_.size()) {
    for (size_t i = 0; i < items_.size(); ++i) items_[i]->State = states[i];
    if (hot >= 0) frame_.SetHotObject(items_[static_cast<size_t>(hot)].get());
    if (keyboard >= 0) EnterKeyboardMode(keyboard);
  }
  TakeMenu();
}

void TWinSkinMenu::TakeMenu() {
  QWidget* w = Window();
  QMenuBar* bar = handle_.data();
  if (!w || !bar) return;
  // The frame reserves the skinned bar above the window's contents; what
  // lies below the menu bar takes the room the hidden bar leaves.
  if (!hidBar_ && bar->isVisibleTo(w)) {
    bar->hide();
    hidBar_ = true;
  }
  HoldActions();
  WatchMenus();
  // New entries take their places at once (a press may arrive before the next paint).
  if (!barRect_.isEmpty()) {
    const std::vector<QRect> rects = Layout(barRect_.size());
    for (size_t i = 0; i < items_.size() && i < rects.size(); ++i)
      items_[i]->Rect = rects[i].isEmpty() ? QRect() : rects[i].translated(barRect_.topLeft());
  }
  frame_.InvalidateFrame();
}

void TWinSkinMenu::HoldActions() {
  QWidget* w = Window();
  if (!w || !handle_) return;
  QList<QAction*> all;
  QList<const QMenu*> seen;
  for (QAction* a : handle_->actions())
    if (a->menu()) CollectActions(a->menu(), all, seen);
    else all.append(a);
  QList<QAction*> wanted;
  for (QAction* a : all)
    if (!a->shortcuts().isEmpty()) wanted.append(a);
  // Actions no longer in the menus, or without shortcuts now, are let go.
  for (QAction* a : QList<QAction*>(held_))
    if (!wanted.contains(a)) {
      w->removeAction(a);
      held_.removeAll(a);
    }
  for (QAction* a : wanted)
    if (!w->actions().contains(a)) {
      w->addAction(a);
      held_.append(a);
    }
}

void TWinSkinMenu::WatchMenus() {
  // The application filter sees the menus' action changes; these are the menus it reacts to.
  watched_.clear();
  if (!handle_) return;
  QList<QAction*> all;
  QList<const QMenu*> seen;
  for (QAction* a : handle_->actions())
    if (a->menu()) CollectActions(a->menu(), all, seen);
  watched_.append(handle_.data());
  for (const QMenu* m : seen) watched_.append(const_cast<QMenu*>(m));
}

void TWinSkinMenu::ScheduleRebuild() {
  if (rebuildPending_ || restored_) return;
  rebuildPending_ = true;
  QTimer::singleShot(0, this, [this] {
    rebuildPending_ = false;
    // Entries are not replaced under an open menu: the rebuild follows its closing.
    if (LoopRunning()) {
      ScheduleRebuild();
      return;
    }
    Rebuild();
  });
}

void TWinSkinMenu::Rebuild() {
  if (restored_) return;
  // A change inside a menu matters to the bar only when it empties a menu or
  // fills an empty one; the window holds the actions in any case.
  bool entries = false;
  for (const auto& b : items_)
    if (b->Item && (b->Submenu != nullptr) != HasSubitems(b->Item)) entries = true;
  const TSkinData* data = frame_.SkinData();
  if (entries && data && data->MenuUpdate()) {
    if (built_ == bdHandle) Build(handle_, bdHandle);
    else Build(formMenu_, data->MenuMerge() ? bdMerged : bdForm);
    frame_.InvalidateFrame();
  } else {
    // The bar keeps its entries; the shortcuts still follow the menus.
    HoldActions();
    WatchMenus();
  }
}

void TWinSkinMenu::Restore() {
  if (restored_) return;
  restored_ = true;
  TMenuLoop& loop = TMenuLoop::Instance();
  if (loop.Bar() == this) loop.End();
  LeaveKeyboardMode();
  watched_.clear();
  QWidget* w = Window();
  if (w)
    for (QAction* a : held_) w->removeAction(a);
  held_.clear();
  if (hidBar_ && handle_) handle_->show();
  hidBar_ = false;
  FreeItems();
}

int TWinSkinMenu::Height() const { return platform::Metric(platform::SM_CYMENU); }

// ---- painting -----------------------------------------------------------------------

std::vector<TMenuBarEntry> TWinSkinMenu::Entries() const {
  std::vector<TMenuBarEntry> entries;
  entries.reserve(items_.size());
  for (const auto& b : items_) entries.push_back({b->Caption, b->Visible, b->Enabled, b->State});
  return entries;
}

std::vector<QRect> TWinSkinMenu::Layout(const QSize& bar) const {
  const TSkinData* data = frame_.SkinData();
  if (!data) return {};
  return LayoutMenuBarItems(Entries(), data->Elements(), bar, MenuFont(), frame_.RightToLeft());
}

QImage TWinSkinMenu::ComposeBar() const {
  const TSkinData* data = frame_.SkinData();
  const QRect r = frame_.MenuBarRect();
  if (!data || r.isEmpty()) return {};
  const QImage background = ComposeMenuBarBackground(data->Elements(), r.size(), frame_.Active());
  return PaintMenuBarImage(background, Entries(), Layout(r.size()), data->Elements().Colours, MenuFont());
}

void TWinSkinMenu::PaintMenuBar(QPainter& dc, const QRect& rect) {
  const TSkinData* data = frame_.SkinData();
  if (!data || painting_ || rect.isEmpty()) return;
  painting_ = true;
  const bool active = frame_.Active();
  // The background is composed again only when the bar's size, the
  // activation or the skin changed.
  if (background_.size() != rect.size() || backgroundActive_ != active || backgroundGeneration_ != data->Generation()) {
    background_ = ComposeMenuBarBackground(data->Elements(), rect.size(), active);
    backgroundActive_ = active;
    backgroundGeneration_ = data->Generation();
  }
  barRect_ = rect;
  const std::vector<QRect> rects = Layout(rect.size());
  for (size_t i = 0; i < items_.size() && i < rects.size(); ++i)
    items_[i]->Rect = rects[i].isEmpty() ? QRect() : rects[i].translated(rect.topLeft());
  dc.drawImage(rect.topLeft(), PaintMenuBarImage(background_, Entries(), rects, data->Elements().Colours, MenuFont()));
  painting_ = false;
}

TNCObject* TWinSkinMenu::HitTestMenuBar(const QPoint& p) {
  for (const auto& b : items_)
    if (b->Visible && !b->Caption.isEmpty() && b->Rect.contains(p)) return b.get();
  return nullptr;
}

// ---- opening --------------------------------------------------------------------------

bool TWinSkinMenu::LoopRunning() const {
  const TMenuLoop& loop = TMenuLoop::Instance();
  return loop.Running() && loop.Bar() == this;
}

// The keyboard selection counts as open too: the highlighted entry stays lit
// wherever the pointer is.
bool TWinSkinMenu::MenuOpen() const { return LoopRunning() || keyboardIndex_ >= 0; }

int TWinSkinMenu::NeighbourOf(int index, int step) const {
  const int n = static_cast<int>(items_.size());
  for (int k = 1; k < n; ++k) {
    const int i = ((index + step * k) % n + n) % n;
    const TMenuBtn* b = items_[static_cast<size_t>(i)].get();
    if (b->Visible && b->Enabled && !b->Caption.isEmpty() && b->Submenu) return i;
  }
  return -1;
}

void TWinSkinMenu::OpenMenuBarItem(TNCObject* item) {
  TMenuBtn* b = nullptr;
  for (const auto& it : items_)
    if (it.get() == item) b = it.get();
  QWidget* w = Window();
  if (!b || !w) return;
  // A press of the real button opens it with the pointer; a posted press (an
  // accelerator) or a key in the bar selection does not. A switch to another
  // entry inside the open menus keeps how they were first opened.
  if (!switchPending_) openedByPointer_ = QGuiApplication::mouseButtons().testFlag(Qt::LeftButton);
  switchPending_ = false;
  LeaveKeyboardMode();
  // An entry without subitems runs its command at once.
  if (!b->Submenu) {
    if (QAction* c = b->Command.data(); c && b->Enabled)
      QTimer::singleShot(0, c, [c] { c->trigger(); });
    return;
  }
  QMenu* sub = b->Submenu.data();
  // The separators are tidied once the program's own handlers have seen the
  // menu about to open (they may change its entries).
  connect(sub, &QMenu::aboutToShow, sub, [sub] { TidySeparators(sub); }, Qt::SingleShotConnection);
  if (TSkinData* data = frame_.SkinData()) HookMenuItems(sub, data, mikMenuBarSub);
  frame_.SetTrackingMenu(true);
  const QPoint at = w->mapToGlobal(QPoint(b->Rect.left(), b->Rect.top() + b->Rect.height()));
  if (TSkinManage* m = TSkinManage::Instance()) m->SetMenuSource(msPopup);
  TMenuLoop& loop = TMenuLoop::Instance();
  loop.Begin(this, b->Index, sub);
  if (!b->Enabled) {
    loop.End();
    return;
  }
  sub->popup(at);
  loop.Opened();
}

void TWinSkinMenu::MenuClosed(int index, bool switching, bool escaped) {
  if (!switching) frame_.SetTrackingMenu(false);
  switchPending_ = switching;
  TMenuBtn* b = Item(index);
  if (!b) return;
  // Escape in a menu opened from the keyboard returns to the bar's keyboard
  // selection; one opened with the pointer just closes, so that the next Alt
  // starts a selection instead of ending one the reader did not ask for.
  if (escaped && !openedByPointer_) {
    EnterKeyboardMode(index);
    return;
  }
  QWidget* w = Window();
  const bool over = w && !switching && b->Rect.contains(w->mapFromGlobal(QCursor::pos()));
  if (over) b->Enter();
  else b->Leave();
}

// ---- keyboard ---------------------------------------------------------------------------

bool TWinSkinMenu::IsAccelerator(QChar letter) const {
  for (const auto& b : items_)
    if (b->Visible && IsAccel(letter, b->Caption)) return true;
  return false;
}

bool TWinSkinMenu::HandleAccelerator(QChar letter) {
  for (const auto& b : items_) {
    if (!b->Visible || !IsAccel(letter, b->Caption) || b->Rect.isEmpty()) continue;
    LeaveKeyboardMode();
    frame_.PostNcLButtonDown(b->Rect.topLeft() + QPoint(1, 1));
    return true;
  }
  return false;
}

void TWinSkinMenu::EnterKeyboardMode(int index) {
  TMenuBtn* b = Item(index);
  if (!b || !b->Visible || b->Caption.isEmpty()) return;
  const bool entering = keyboardIndex_ < 0;
  keyboardIndex_ = index;
  b->Enter();
  // The bar takes the keys, wherever the focus is, until the selection ends.
  if (entering)
    if (QWidget* w = Window()) w->grabKeyboard();
}

void TWinSkinMenu::LeaveKeyboardMode() {
  if (keyboardIndex_ < 0) return;
  TMenuBtn* b = Item(keyboardIndex_);
  keyboardIndex_ = -1;
  if (QWidget* w = Window()) w->releaseKeyboard();
  if (b && frame_.HotObject() == b) b->Leave();
}

bool TWinSkinMenu::KeyEvent(QObject* o, QKeyEvent* e) {
  QWidget* w = Window();
  if (!w || !o->isWidgetType() || static_cast<QWidget*>(o)->window() != w || QApplication::activePopupWidget())
    return false;
  const int key = e->key();
  if (e->type() == QEvent::KeyRelease) {
    if (key == Qt::Key_Alt && !e->isAutoRepeat()) {
      const bool armed = altArmed_;
      altArmed_ = false;
      if (keyboardIndex_ >= 0) {
        LeaveKeyboardMode();
        return true;
      }
      // Alt pressed and released alone highlights the first entry.
      if (armed) {
        for (const auto& b : items_)
          if (b->Visible && !b->Caption.isEmpty() && !b->Rect.isEmpty()) {
            EnterKeyboardMode(b->Index);
            return true;
          }
      }
    }
    return false;
  }
  // Key presses.
  if (key == Qt::Key_Alt) {
    altArmed_ = !e->isAutoRepeat() || altArmed_;
    return false;
  }
  altArmed_ = false;
  const QString text = e->text();
  if (e->modifiers() == Qt::AltModifier && !text.isEmpty() && HandleAccelerator(text.at(0))) return true;
  if (keyboardIndex_ < 0) return false;
  switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right: {
      const bool rtl = frame_.RightToLeft();
      const int step = (key == Qt::Key_Right) != rtl ? 1 : -1;
      const int n = static_cast<int>(items_.size());
      for (int k = 1; k < n; ++k) {
        const int i = ((keyboardIndex_ + step * k) % n + n) % n;
        const TMenuBtn* b = Item(i);
        if (b->Visible && !b->Caption.isEmpty()) {
          EnterKeyboardMode(i);
          break;
        }
      }
      return true;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Down:
    case Qt::Key_Up:
    case Qt::Key_Space: {
      TMenuBtn* b = Item(keyboardIndex_);
      LeaveKeyboardMode();
      if (b) {
        b->Press();
        OpenMenuBarItem(b);
        if (!b->Submenu) b->Leave();
      }
      return true;
    }
    case Qt::Key_Escape: LeaveKeyboardMode(); return true;
    default:
      if (!text.isEmpty() && e->modifiers() == Qt::NoModifier && HandleAccelerator(text.at(0))) return true;
      LeaveKeyboardMode();
      return false;
  }
}

bool TWinSkinMenu::eventFilter(QObject* o, QEvent* e) {
  switch (e->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: return KeyEvent(o, static_cast<QKeyEvent*>(e));
    case QEvent::ShortcutOverride:
      // In keyboard selection the bar takes every key, shortcuts too.
      if (keyboardIndex_ >= 0 && o->isWidgetType() && static_cast<QWidget*>(o)->window() == Window()) e->accept();
      return false;
    case QEvent::MouseButtonPress:
      altArmed_ = false;
      if (keyboardIndex_ >= 0 && o->isWidgetType() && static_cast<QWidget*>(o)->window() == Window())
        LeaveKeyboardMode();
      return false;
    case QEvent::WindowDeactivate:
      if (o == Window()) {
        altArmed_ = false;
        LeaveKeyboardMode();
      }
      return false;
    case QEvent::ActionAdded:
    case QEvent::ActionRemoved:
    case QEvent::ActionChanged:
      // The frame rebuilds the bar when the menu bar's own entries change;
      // changes inside its menus are this skinner's to follow.
      for (const QPointer<QObject>& w : watched_)
        if (w == o && o != handle_.data()) {
          ScheduleRebuild();
          break;
        }
      return false;
    default: return false;
  }
}

}  // namespace skin
