// Program entry: the application object, the main window, the daily tip
// window, then the message loop until the main window closes.
#include <QApplication>

#include "app/Accessibility.h"
#include "app/Allocator.h"
#include "app/DesktopIdentity.h"
#include "app/MainForm.h"
#include "app/reading/ReadingExtras.h"
#include "toolkit/DBCtrls.h"
#include "app/Screenshot.h"
#include "platform/QtPlatform.h"
#include "platform/XwaylandFrames.h"
#include "tip/TipForm.h"
#include "toolkit/Application.h"
#include "toolkit/ApplicationStyle.h"

int main(int argc, char** argv) {
  app::SetUpAllocator();
  platform::TQtArguments qtArguments(argc, argv);  // X11 through Xwayland in Wayland sessions
  QApplication qtApp(qtArguments.Count(), qtArguments.Values());
  platform::WatchWindowManagerFrames();
  toolkit::Application& application = toolkit::TheApplication();
  application.SetTitle(QStringLiteral("Cinnabarquillpad"));
  app::InstallDesktopIdentity();
  app::InstallAccessibility();
  toolkit::InstallApplicationStyle();
  auto* form1 = application.CreateForm<app::TForm1>();
  auto* form2 = application.CreateForm<tip::TForm2>();
  form1->SetTipWindow(form2);
  // The tip window stays with the main window: above it, minimised and restored with it.
  form2->SetPopupParent(form1);
  form1->Reading()->SetTipTexts(form2->DBText1, form2->DBMemo1);

  const QStringList args = QApplication::arguments();
  const qsizetype shot = args.indexOf(QStringLiteral("--screenshot"));
  if (shot >= 0 && shot + 1 < args.size()) app::ScheduleScreenshot(args[shot + 1]);

  return application.Run();
}
