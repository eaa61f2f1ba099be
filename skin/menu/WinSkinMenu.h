#pragma once
// The skinned menu bar of one window. The window's QMenuBar is hidden and the
// bar is drawn by the frame inside its non-client area; the window holds the
// menus' actions meanwhile, so that their shortcuts keep working. Each
// top-level entry is a TMenuBtn, a frame object the frame's pointer handling
// drives; pressing one opens its menu below it (MenuLoop.h keeps the menu
// loop: arrows, switching, Escape). The keyboard reaches the bar with Alt+letter
// (an entry's accelerator) and with Alt alone, which highlights the first entry
// for the arrow keys, Enter and Escape.
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>
#include <memory>
#include <vector>

#include "skin/frame/NCObject.h"
#include "skin/menu/MenuBarPaint.h"
#include "skin/menu/MenuHost.h"

class QAction;
class QKeyEvent;
class QMenu;
class QMenuBar;

namespace skin {

class TWinSkinMenu;

// One top-level entry of the bar.
class TMenuBtn : public TNCObject {
 public:
  TMenuBtn(TWinSkinMenu* bar, TWinSkinForm* owner) : TNCObject(owner), bar_(bar) {}

  // The entry hot before (another bar entry, a caption button) leaves first.
  void Press() override;
  // Repaints the entry in its state (the frame paints the bar).
  void Paint(QPainter* dc) override;

  int Index = 0;
  bool Visible = true;
  QString Caption;
  QPointer<QAction> Item;     // the form's top-level entry, when there is one
  QPointer<QMenu> Submenu;    // none for an entry without subitems
  QPointer<QAction> Command;  // what a click runs

 private:
  TWinSkinMenu* bar_;
};

class TWinSkinMenu : public QObject, public TMenuBarSkinner {
 public:
  TWinSkinMenu(TWinSkinForm& frame, QMenuBar* formMenu);
  ~TWinSkinMenu() override;

  void BuildMenuBar() override;
  void BuildMenuBarMerged() override;
  void BuildMenuBarFromHandle(QMenuBar* menu) override;
  int Height() const override;
  void PaintMenuBar(QPainter& dc, const QRect& rect) override;
  TNCObject* HitTestMenuBar(const QPoint& windowPoint) override;
  void OpenMenuBarItem(TNCObject* item) override;
  bool MenuOpen() const override;
  bool HandleAccelerator(QChar letter) override;
  bool IsAccelerator(QChar letter) const override;
  void Restore() override;

  TWinSkinForm& Frame() const { return frame_; }
  QWidget* Window() const;
  const std::vector<std::unique_ptr<TMenuBtn>>& Items() const { return items_; }
  TMenuBtn* Item(int index) const;
  // The bar's rectangle in window coordinates as last painted, and its background.
  QRect BarRect() const { return barRect_; }
  const QImage& BarBackground() const { return background_; }
  // The bar as the frame paints it now (W - L - R by M), for tests and the benchmark.
  QImage ComposeBar() const;
  // The actions the window holds for their shortcuts while the bar is skinned.
  const QList<QAction*>& HeldActions() const { return held_; }

  // The entry after (step 1) or before (step -1) `index` that can open a
  // menu, wrapping around; -1 when there is none.
  int NeighbourOf(int index, int step) const;

  // Keyboard selection of the bar (after Alt alone): the highlighted entry or -1.
  int KeyboardIndex() const { return keyboardIndex_; }
  void EnterKeyboardMode(int index);
  void LeaveKeyboardMode();

 protected:
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  friend class TMenuLoop;
  enum TBuildKind { bdForm, bdMerged, bdHandle };
  void Build(QMenuBar* menu, TBuildKind how);
  void FreeItems();
  // Hides the window's menu bar and lets the window hold its actions.
  void TakeMenu();
  void HoldActions();
  void WatchMenus();
  // Something inside the bar's menus changed.
  void ScheduleRebuild();
  bool LoopRunning() const;
  void Rebuild();
  bool KeyEvent(QObject* o, QKeyEvent* e);
  std::vector<TMenuBarEntry> Entries() const;
  std::vector<QRect> Layout(const QSize& bar) const;
  // The loop ended; `escaped` when Escape closed the top-level menu.
  void MenuClosed(int index, bool switching, bool escaped);

  TWinSkinForm& frame_;
  QPointer<QMenuBar> formMenu_;  // the form's menu component
  QPointer<QMenuBar> handle_;    // the window's menu, kept while the bar is skinned
  TBuildKind built_ = bdForm;
  std::vector<std::unique_ptr<TMenuBtn>> items_;
  QRect barRect_;
  QImage background_;
  int backgroundGeneration_ = -1;
  bool backgroundActive_ = false;
  bool painting_ = false;

  bool hidBar_ = false;    // the QMenuBar was shown and is hidden by us
  QList<QAction*> held_;   // actions the window holds for their shortcuts
  QList<QPointer<QObject>> watched_;
  bool rebuildPending_ = false;
  bool restored_ = false;

  int keyboardIndex_ = -1;
  bool altArmed_ = false;
  // The open menu was opened by a press of the pointer's button on its entry.
  bool openedByPointer_ = false;
  // The open menu closed to let the next entry's menu open (a switch).
  bool switchPending_ = false;
};

}  // namespace skin
