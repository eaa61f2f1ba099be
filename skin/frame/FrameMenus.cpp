#include "skin/frame/FrameMenus.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include "platform/Subclass.h"
#include "platform/WindowClass.h"
#include "skin/engine/Classify.h"
#include "skin/engine/SkinData.h"
#include "skin/engine/SkinManage.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/menu/MenuHost.h"
#include "toolkit/Form.h"

namespace skin {

TFrameMenus::TFrameMenus(TWinSkinForm& frame) : frame_(frame) {}

TFrameMenus::~TFrameMenus() = default;

void TFrameMenus::AttachMenuBar() {
  toolkit::TForm* form = frame_.Form();
  TSkinData* data = frame_.SkinData();
  if (!form || !form->HasMenu()) return;
  bar_ = CreateMenuBarSkinner(frame_, form->Menu());
  if (bar_) {
    if (data->MenuMerge()) bar_->BuildMenuBarMerged();
    else bar_->BuildMenuBar();
  }
  // A change of the form's menu rebuilds the skinned bar.
  watch_ = std::make_unique<platform::Subclass>(form->Menu(), [this](QEvent* e) {
    const QEvent::Type t = e->type();
    if (t == QEvent::ActionAdded || t == QEvent::ActionRemoved || t == QEvent::ActionChanged) MenuChanged();
    return true;
  });
  // Submenus of a bar the platform still draws count as ordinary popups opening.
  for (QAction* a : form->Menu()->actions())
    if (QMenu* sub = a->menu())
      QObject::connect(sub, &QMenu::aboutToShow, &frame_, [] {
        if (TSkinManage* m = TSkinManage::Instance()) m->SetMenuSource(msPopup);
      });
}

void TFrameMenus::MenuChanged() {
  // Changes come in bursts (one per action): the bar is rebuilt once after them.
  if (rebuildPending_) return;
  rebuildPending_ = true;
  QTimer::singleShot(0, &frame_, [this] {
    rebuildPending_ = false;
    TSkinData* data = frame_.SkinData();
    toolkit::TForm* form = frame_.Form();
    if (!bar_ || !data || !data->MenuUpdate() || !form || !form->HasMenu()) return;
    if (data->MenuMerge()) bar_->BuildMenuBarMerged();
    else bar_->BuildMenuBar();
    frame_.MenuBarHeightChanged(bar_->Height());
  });
}

void TFrameMenus::HookFormMenus(bool withSubmenus) {
  toolkit::TForm* form = frame_.Form();
  TSkinData* data = frame_.SkinData();
  if (!form || !data) return;
  // Forms of the rich-edit class keep their popup menus' look.
  if (data->SkinControls().Contains(xcPopupMenu) &&
      platform::WindowClassName(form) != QLatin1String("TwwRichEditForm")) {
    for (QMenu* menu : form->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly))
      if (menu != frame_.SystemMenu() && !DisabledByTag(menu, data->DisableTag()))
        HookMenuItems(menu, data, mikPopupMenu);
  }
  if (withSubmenus && data->SkinControls().Contains(xcMenuItem) && form->HasMenu())
    for (QAction* a : form->Menu()->actions())
      if (a->menu()) HookMenuItems(a->menu(), data, mikMenuBarSub);
}

void TFrameMenus::GiveBack() {
  if (toolkit::TForm* form = frame_.Form()) {
    for (QMenu* menu : form->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly)) UnhookMenuItems(menu);
    if (form->HasMenu())
      for (QAction* a : form->Menu()->actions())
        if (a->menu()) {
          UnhookMenuItems(a->menu());
          QObject::disconnect(a->menu(), &QMenu::aboutToShow, &frame_, nullptr);
        }
  }
  if (bar_) bar_->Restore();
}

void TFrameMenus::StopWatching() { watch_.reset(); }

void TFrameMenus::Release() {
  watch_.reset();
  bar_.reset();
}

}  // namespace skin
