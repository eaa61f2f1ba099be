#pragma once
// What the benchmarks that start the program share: its two windows created as
// the program's own start creates them, and the time since the process began.
#include <QApplication>
#include <QDir>
#include <QString>
#include <ctime>
#include <fstream>
#include <string>
#include <unistd.h>

#include "app/Allocator.h"
#include "app/DesktopIdentity.h"
#include "app/MainForm.h"
#include "tip/TipForm.h"
#include "toolkit/Application.h"
#include "toolkit/ApplicationStyle.h"

namespace bench {

// The main window and the tip window, made as the program's entry makes them,
// with the program's directory the current one (the benchmarks run from
// build/bin like the program).
inline app::TForm1* CreateProgramWindows() {
  toolkit::Application& application = toolkit::TheApplication();
  application.SetTitle(QStringLiteral("Cinnabarquillpad"));
  application.SetProgramDir(QDir::currentPath());
  app::InstallDesktopIdentity();
  toolkit::InstallApplicationStyle();
  auto* form1 = application.CreateForm<app::TForm1>();
  form1->SetTipWindow(application.CreateForm<tip::TForm2>());
  return form1;
}

// One start of the program for a start-up measurement: its windows created,
// `Watcher` (an event filter with a `window` member) set on the main window,
// and the program run until the watcher ends it.
template <class Watcher>
int RunProgramWatching(int argc, char** argv) {
  app::SetUpAllocator();
  QApplication qt(argc, argv);
  Watcher watcher;
  watcher.window = CreateProgramWindows();
  qt.installEventFilter(&watcher);
  return toolkit::TheApplication().Run();
}

// Milliseconds since this process was started, from the kernel's record.
inline double MsSinceProcessStart() {
  std::ifstream stat("/proc/self/stat");
  std::string field;
  unsigned long long start = 0;
  for (int i = 1; i <= 22 && stat >> field; ++i)
    if (i == 22) start = std::stoull(field);
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  const double ticks = static_cast<double>(sysconf(_SC_CLK_TCK));
  return (static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9 - static_cast<double>(start) / ticks) *
         1000.0;
}

}  // namespace bench
