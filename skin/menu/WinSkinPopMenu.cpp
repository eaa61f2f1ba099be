#include "skin/menu/WinSkinPopMenu.h"

#include <QMenu>

#include "platform/WinMessage.h"
#include "skin/engine/SkinData.h"
#include "skin/engine/SkinManage.h"
#include "skin/menu/PopupBackground.h"
#include "skin/menu/SkinMenuStyle.h"

namespace skin {

namespace {
bool ManagerActive() {
  const TSkinManage* m = TSkinManage::Instance();
  return m && m->Active();
}
}  // namespace

TWinSkinPopMenu::TWinSkinPopMenu() = default;

TWinSkinPopMenu::~TWinSkinPopMenu() { ReleaseMenuWindow(); }

void TWinSkinPopMenu::AttachMenuWindow(QWidget* menuWindow, TSkinData* skinData, bool fromMenuBar) {
  if (!menuWindow || window_) return;
  window_ = menuWindow;
  data_ = skinData;
  fromMenuBar_ = fromMenuBar;
  answer_ = std::make_unique<TQueryAnswer>();
  menuWindow->installEventFilter(answer_.get());
  // A menu that does not paint from the skin yet (one of a control of the
  // platform's own) is measured and painted by the skin while it is open.
  if (auto* menu = qobject_cast<QMenu*>(menuWindow); menu && skinData && !MenuStyleOf(menu)) {
    HookMenuItems(menu, skinData, mikForeignMenu);
    hookedHere_ = MenuStyleOf(menu) != nullptr;
  }
  menuWindow->update();
}

void TWinSkinPopMenu::ReleaseMenuWindow() {
  if (answer_ && window_) window_->removeEventFilter(answer_.get());
  answer_.reset();
  if (hookedHere_) {
    if (auto* menu = qobject_cast<QMenu*>(window_.data())) UnhookMenuItems(menu);
    hookedHere_ = false;
  }
  window_ = nullptr;
  background_ = QImage();
}

QMenu* TWinSkinPopMenu::OwningMenu() const { return qobject_cast<QMenu*>(window_.data()); }

bool TWinSkinPopMenu::TQueryAnswer::eventFilter(QObject*, QEvent* e) {
  // While the manager is inactive the window answers as an unskinned one.
  if (!ManagerActive() || !platform::IsMessage(e, platform::SKM_QUERYSKINNED)) return false;
  platform::AsWinMessage(e)->Result = 1;
  return true;
}

const QImage* TWinSkinPopMenu::Background() {
  QWidget* w = window_.data();
  TSkinData* data = data_.data();
  if (!w || !data || data->NotLoaded() || !ManagerActive() || !HasMenuBackground(data->Elements())) return nullptr;
  if (background_.size() != w->size() || generation_ != data->Generation()) {
    background_ = ComposeMenuBackground(data->Elements(), w->size());
    generation_ = data->Generation();
  }
  return background_.isNull() ? nullptr : &background_;
}

TWinSkinPopMenu* PopupSkinnerOf(const QWidget* menuWindow) {
  const TSkinManage* m = TSkinManage::Instance();
  return m ? dynamic_cast<TWinSkinPopMenu*>(m->PopupOf(menuWindow)) : nullptr;
}

}  // namespace skin
