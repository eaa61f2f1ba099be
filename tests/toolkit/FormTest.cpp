#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>
#include <QWindow>

#include "tests/support/TestSupport.h"
#include "toolkit/Application.h"
#include "toolkit/Exception.h"
#include "toolkit/Form.h"
#include "toolkit/Screen.h"

using namespace toolkit;

namespace {

class FailingForm : public TForm {
 public:
  QStringList* log;
  explicit FailingForm(QStringList* l) : log(l) {
    OnCreate = [this] {
      *log << QStringLiteral("create");
      StrToInt(QStringLiteral("x"));
      *log << QStringLiteral("never");
    };
    OnClose = [this](TCloseAction&) { *log << objectName() + QStringLiteral(" closed"); };
  }
};

}  // namespace

// The whole life of the application object: the first form becomes the main
// form, a creation error is shown and the form is still created, and closing
// the main form ends the loop and destroys the others without their close handlers.
TEST(Application, MainFormLifecycle) {
  testing_support::DialogScript dialogs;
  QStringList log;
  Application& app = TheApplication();
  auto* main = app.CreateForm<FailingForm>(&log);
  main->setObjectName(QStringLiteral("main"));
  auto* second = app.CreateForm<FailingForm>(&log);
  second->setObjectName(QStringLiteral("second"));
  EXPECT_EQ(app.MainForm(), main);
  EXPECT_EQ(TheScreen().FormCount(), 2);
  EXPECT_EQ(log, (QStringList{QStringLiteral("create"), QStringLiteral("create")}));
  EXPECT_EQ(dialogs->Errors().size(), 2);

  second->Show();
  QTimer::singleShot(0, main, [main] { main->Close(); });
  app.Run();
  EXPECT_EQ(log.last(), QStringLiteral("main closed"));
  EXPECT_FALSE(log.contains(QStringLiteral("second closed")));
  EXPECT_EQ(TheScreen().FormCount(), 0);
}

// A window manager that minimises a dialog frame anyway finds it restored; a
// sizeable window, or a dialog that went down with the main window, stays down.
TEST(Application, DialogFramesComeBackFromAMinimiseOfTheWindowManager) {
  Application& app = TheApplication();
  ASSERT_EQ(app.MainForm(), nullptr);
  auto* main = app.CreateForm<TForm>();
  auto* dialog = app.CreateForm<TForm>();
  dialog->SetBorderStyle(bsDialog);
  auto* sizeable = app.CreateForm<TForm>();
  auto run = [&] {
    // As a window manager does it: the state changes without the form asking.
    dialog->setWindowState(Qt::WindowMinimized);
    sizeable->setWindowState(Qt::WindowMinimized);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_FALSE(dialog->isMinimized()) << "the dialog frame stayed minimised";
    EXPECT_TRUE(sizeable->isMinimized());

    main->setWindowState(Qt::WindowMinimized);
    dialog->setWindowState(Qt::WindowMinimized);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_TRUE(dialog->isMinimized()) << "the dialog came back while the main window is down";
    main->Close();
  };
  main->Show();
  dialog->Show();
  sizeable->Show();
  QTimer::singleShot(0, main, run);
  app.Run();
  EXPECT_EQ(app.MainForm(), nullptr);
}

// Without a window manager (here: no display server at all) an owned window
// goes down with its owner and comes back with it; one the reader had closed
// stays closed. Its native window is transient for the owner's.
TEST(Form, AnOwnedWindowFollowsItsOwner) {
  TForm owner, owned, closed;
  owned.SetPopupParent(&owner);
  closed.SetPopupParent(&owner);
  owner.show();
  owned.show();
  ASSERT_NE(owned.windowHandle(), nullptr);
  EXPECT_EQ(owned.windowHandle()->transientParent(), owner.windowHandle());
  EXPECT_EQ(closed.PopupParent(), &owner);
  owner.setWindowState(Qt::WindowMinimized);
  EXPECT_FALSE(owned.isVisible()) << "the owned window stayed on the screen alone";
  EXPECT_FALSE(closed.isVisible());
  owner.setWindowState(Qt::WindowNoState);
  EXPECT_TRUE(owned.isVisible());
  EXPECT_FALSE(closed.isVisible()) << "a window that was not shown came up with its owner";
  // An owner that goes away leaves its owned windows without one.
  {
    TForm gone;
    owned.SetPopupParent(&gone);
  }
  EXPECT_EQ(owned.PopupParent(), nullptr);
}

TEST(Form, CloseActionNoneKeepsTheWindowOpen) {
  TForm form;
  form.OnClose = [](TCloseAction& action) { action = caNone; };
  form.Show();
  EXPECT_FALSE(form.Close());
  EXPECT_TRUE(form.isVisible());
}

TEST(Form, ShowModalReturnsTheModalResult) {
  TForm form;
  QTimer::singleShot(0, &form, [&form] { form.SetModalResult(6); });
  EXPECT_EQ(form.ShowModal(), 6);
  EXPECT_FALSE(form.isVisible());
}
