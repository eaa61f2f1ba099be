#pragma once
// The skinner of one open popup-menu window: it answers the engine's "are you
// skinned" query and composes the window's background from the skin's
// MenuBackground element at the window's size, cached for the window's style
// (the border, the panel) and for the item painter. A menu of a window that is
// not a form arrives with its platform look; its items are made skinned here
// for as long as it is open.
#include <QImage>
#include <QObject>
#include <QPointer>
#include <memory>

#include "skin/menu/MenuHost.h"

class QEvent;
class QMenu;

namespace skin {

class TWinSkinPopMenu : public TPopupMenuSkinner {
 public:
  TWinSkinPopMenu();
  ~TWinSkinPopMenu() override;

  void AttachMenuWindow(QWidget* menuWindow, TSkinData* skinData, bool fromMenuBar) override;
  void ReleaseMenuWindow() override;
  QWidget* MenuWindow() const override { return window_.data(); }

  QMenu* OwningMenu() const;
  bool FromMenuBar() const { return fromMenuBar_; }
  // The composed background at the window's current size; nullptr while the
  // manager is inactive, the skin is not loaded or has no MenuBackground.
  const QImage* Background();

 private:
  // Answers the engine's query on the menu window and lets every other
  // event pass untouched (the window's own filters still see them).
  class TQueryAnswer : public QObject {
   protected:
    bool eventFilter(QObject* o, QEvent* e) override;
  };

  QPointer<QWidget> window_;
  QPointer<TSkinData> data_;
  std::unique_ptr<TQueryAnswer> answer_;
  QImage background_;
  int generation_ = -1;
  bool fromMenuBar_ = false;
  bool hookedHere_ = false;
};

// The skinner of an open menu window, or nullptr.
TWinSkinPopMenu* PopupSkinnerOf(const QWidget* menuWindow);

}  // namespace skin
