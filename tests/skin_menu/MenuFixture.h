#pragma once
// A skinned form with a menu bar on the offscreen platform: "&File" (Open with
// Ctrl+O, a separator, Exit), "&Edit" (a leading separator, Copy, a submenu
// More with Deep), "&Help" without subitems and a hidden "Last". The skin is
// the engine's test skin (L 4, T 20, R 3, B 5) with the menu elements of
// MenuSkins.h added.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "skin/menu/WinSkinMenu.h"
#include "tests/skin_engine/EngineFixture.h"
#include "tests/skin_menu/MenuSkins.h"
#include "toolkit/Form.h"
#include "toolkit/Panel.h"

namespace menutest {

class MenuTest : public enginetest::EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    AddMenuElements(data_->Elements(), WithBar(), WithItem(), WithBackground());
  }
  virtual bool WithBar() const { return true; }
  virtual bool WithItem() const { return true; }
  virtual bool WithBackground() const { return true; }

  // Builds the form (not shown yet).
  toolkit::TForm* NewMenuForm() {
    form_ = Keep(new toolkit::TForm());
    form_->SetCaption(QStringLiteral("Menus"));
    form_->move(40, 30);
    form_->resize(400, 300);
    client_ = new toolkit::TPanel(form_);
    toolkit::SetAlign(client_, toolkit::alClient);
    QMenuBar* mb = form_->Menu();
    file_ = mb->addMenu(QStringLiteral("&File"));
    open_ = file_->addAction(QStringLiteral("&Open"));
    open_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    file_->addSeparator();
    exit_ = file_->addAction(QStringLiteral("E&xit"));
    edit_ = mb->addMenu(QStringLiteral("&Edit"));
    edit_->addSeparator();
    copy_ = edit_->addAction(QStringLiteral("&Copy"));
    more_ = edit_->addMenu(QStringLiteral("&More"));
    deep_ = more_->addAction(QStringLiteral("Deep"));
    help_ = mb->addAction(QStringLiteral("&Help"));
    last_ = mb->addMenu(QStringLiteral("Last"));
    last_->addAction(QStringLiteral("x"));
    last_->menuAction()->setVisible(false);
    for (QAction* a : {open_, exit_, copy_, deep_, help_})
      QObject::connect(a, &QAction::triggered, [this, a] { fired_.append(a->text()); });
    return form_;
  }
  // Shows the form skinned and active, the bar painted once.
  skin::TWinSkinMenu* ShowMenuForm() {
    if (!form_) NewMenuForm();
    form_->show();
    form_->activateWindow();
    Settle();
    frame_ = FrameOf(form_);
    if (!frame_) return nullptr;
    form_->grab();
    return Bar();
  }
  skin::TWinSkinMenu* Bar() const {
    return frame_ ? dynamic_cast<skin::TWinSkinMenu*>(frame_->MenuBarSkinner()) : nullptr;
  }
  skin::TMenuBtn* Entry(int i) const { return Bar() ? Bar()->Item(i) : nullptr; }
  // A press on entry `i` of the bar, as the pointer gives it.
  void PressEntry(int i) {
    const QPoint p = Entry(i)->Rect.center();
    Mouse(form_, QEvent::MouseMove, p, Qt::NoButton);
    Mouse(form_, QEvent::MouseButtonPress, p);
    Settle();
  }
  static QMenu* OpenMenu() { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }
  static void Key(QWidget* w, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(w, key, mods);
    Settle();
  }
  void TearDown() override {
    while (QWidget* p = QApplication::activePopupWidget()) p->hide();
    EngineTest::TearDown();
  }

  toolkit::TForm* form_ = nullptr;
  toolkit::TPanel* client_ = nullptr;
  skin::TWinSkinForm* frame_ = nullptr;
  QMenu *file_ = nullptr, *edit_ = nullptr, *more_ = nullptr, *last_ = nullptr;
  QAction *open_ = nullptr, *exit_ = nullptr, *copy_ = nullptr, *deep_ = nullptr, *help_ = nullptr;
  QStringList fired_;
};

}  // namespace menutest
