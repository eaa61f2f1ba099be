#pragma once
// The main window as the benchmarks of the reader's actions use it: made,
// shown at 1280×900 and painted once.
#include <QApplication>
#include <QTest>

#include "app/MainForm.h"

namespace bench {

inline void ShowMainWindow(app::TForm1& form) {
  form.DoCreate();
  form.resize(1280, 900);
  form.show();
  (void)QTest::qWaitForWindowExposed(&form);
  QApplication::processEvents();
}

}  // namespace bench
