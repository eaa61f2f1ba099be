#include "app/FontPageRelease.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>

#include "platform/FontPages.h"

namespace app {
namespace {

// Long enough for the paints that follow the work to be over.
constexpr int kDelayMilliseconds = 250;
// The fewest rows of a result whose pages are let go of.
constexpr qsizetype kManyRows = 4096;

}  // namespace

void ReleaseFontPagesSoon(qsizetype rows) {
  if (rows < kManyRows) return;
  // One timer, owned by the application object: works that end together
  // restart it, and it goes with the application.
  static QPointer<QTimer> timer;
  if (!timer) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) return;
    timer = new QTimer(app);
    timer->setSingleShot(true);
    QObject::connect(timer, &QTimer::timeout, [] { platform::ReleaseFontPages(); });
  }
  timer->start(kDelayMilliseconds);
}

}  // namespace app
