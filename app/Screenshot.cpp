#include "app/Screenshot.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QSet>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace app {
namespace {

// Watches paint events of top-level windows and their children.
class PaintWatcher : public QObject {
 public:
  QSet<QWidget*> painted;
  QElapsedTimer sinceLastPaint;

  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::Paint && o->isWidgetType()) {
      painted.insert(static_cast<QWidget*>(o)->window());
      sinceLastPaint.restart();
    }
    return false;
  }
};

QImage GrabScreen() {
  QScreen* screen = QGuiApplication::primaryScreen();
  QImage shot;
  if (screen) shot = screen->grabWindow(0).toImage();
  if (!shot.isNull()) return shot;
  // Platforms without a screen to read (offscreen): compose the windows ourselves.
  const QRect area = screen ? screen->geometry() : QRect(0, 0, 1280, 900);
  shot = QImage(area.size(), QImage::Format_RGB32);
  shot.fill(Qt::black);
  QPainter p(&shot);
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible()) p.drawPixmap(w->geometry().topLeft(), w->grab());
  return shot;
}

}  // namespace

void ScheduleScreenshot(const QString& file) {
  auto* watcher = new PaintWatcher();
  watcher->setParent(qApp);
  watcher->sinceLastPaint.start();
  qApp->installEventFilter(watcher);
  auto* timer = new QTimer(qApp);
  QElapsedTimer total;
  total.start();
  QObject::connect(timer, &QTimer::timeout, [=] {
    bool allPainted = true;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->isVisible() && !watcher->painted.contains(w)) allPainted = false;
    const bool settled = watcher->sinceLastPaint.elapsed() > 700 && allPainted;
    if (!settled && total.elapsed() < 20000) return;
    timer->stop();
    const bool ok = GrabScreen().save(file, "PNG");
    std::fprintf(ok ? stdout : stderr, ok ? "screenshot saved: %s\n" : "cannot save screenshot: %s\n",
                 file.toLocal8Bit().constData());
    QApplication::exit(ok ? 0 : 1);
  });
  timer->start(100);
}

}  // namespace app
