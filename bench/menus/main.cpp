// cq-bench-menus: the skinned menus of the real main window, run from the
// program's directory (build/bin) like the program:
//  - a click on a bar entry to the first complete paint of its menu, for
//    every entry of the bar (goal <= 15 ms); beside it, the same menu opened
//    and painted with the skin's menu painters switched off;
//  - repainting the bar when the window's activation changes: the bar alone
//    (its background composed anew) and the whole frame with it, next to the
//    bar painted again with nothing changed.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/MainForm.h"
#include "bench/support/ProgramStart.h"
#include "platform/Subclass.h"
#include "skin/engine/SkinData.h"
#include "skin/engine/SkinManage.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/menu/MenuHost.h"
#include "skin/menu/WinSkinMenu.h"
#include "tip/TipForm.h"
#include "toolkit/Application.h"

namespace {

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}
double Max(const std::vector<double>& v) { return v.empty() ? 0 : *std::max_element(v.begin(), v.end()); }
double Elapsed(const QElapsedTimer& t) { return static_cast<double>(t.nsecsElapsed()) / 1e6; }

// Runs the event loop until `menu` has finished painting once (its paint
// handler returned); the time from `t`'s start then.
double UntilPainted(QMenu* menu, const QElapsedTimer& t) {
  bool painted = false;
  double at = -1;
  platform::Subclass watch(menu, [](QEvent*) { return true; }, [&](QEvent* e) {
    if (e->type() == QEvent::Paint && !painted) {
      painted = true;
      at = Elapsed(t);
    }
  });
  QElapsedTimer guard;
  guard.start();
  while (!painted && guard.elapsed() < 2000) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  return at;
}

void CloseMenus() {
  while (QWidget* p = QApplication::activePopupWidget()) p->hide();
  QCoreApplication::processEvents();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication qt(argc, argv);
  app::TForm1* form1 = bench::CreateProgramWindows();
  form1->Show();
  for (int i = 0; i < 20; ++i) qt.processEvents();
  skin::TSkinManage* manager = skin::TSkinManage::Instance();
  skin::TWinSkinForm* frame = manager ? manager->FrameOf(form1) : nullptr;
  auto* bar = frame ? dynamic_cast<skin::TWinSkinMenu*>(frame->MenuBarSkinner()) : nullptr;
  if (!bar) {
    std::fprintf(stderr, "the main window's menu bar is not skinned\n");
    return 1;
  }
  form1->activateWindow();
  form1->repaint();
  qt.processEvents();
  std::printf("platform: %s, main window %dx%d, %zu bar entries\n", qPrintable(QGuiApplication::platformName()),
              form1->width(), form1->height(), bar->Items().size());

  // A click on each entry with a menu to that menu's first complete paint.
  std::vector<double> clicks, plain;
  for (int round = 0; round < 20; ++round)
    for (const auto& item : bar->Items()) {
      QMenu* menu = item->Submenu.data();
      if (!item->Visible || !menu) continue;
      const QPoint p = item->Rect.center();
      QMouseEvent press(QEvent::MouseButtonPress, QPointF(p), QPointF(form1->mapToGlobal(p)), Qt::LeftButton,
                        Qt::LeftButton, Qt::NoModifier);
      QElapsedTimer t;
      t.start();
      QCoreApplication::sendEvent(form1, &press);
      const double ms = UntilPainted(menu, t);
      if (ms >= 0) clicks.push_back(ms);
      QMouseEvent release(QEvent::MouseButtonRelease, QPointF(p), QPointF(form1->mapToGlobal(p)), Qt::LeftButton,
                          Qt::NoButton, Qt::NoModifier);
      QCoreApplication::sendEvent(form1, &release);
      CloseMenus();
      // The same menu with its platform look (kept from the skin by the
      // disabling tag), opened at the same place.
      skin::UnhookMenuItems(menu);
      const QVariant tag = menu->property("Tag");
      menu->setProperty("Tag", 99);
      QElapsedTimer u;
      u.start();
      menu->popup(form1->mapToGlobal(QPoint(item->Rect.left(), item->Rect.bottom() + 1)));
      const double raw = UntilPainted(menu, u);
      if (raw >= 0) plain.push_back(raw);
      CloseMenus();
      menu->setProperty("Tag", tag);
    }

  // The bar on activation changes.
  const QRect barRect = frame->MenuBarRect();
  QImage target(form1->size(), QImage::Format_ARGB32_Premultiplied);
  std::vector<double> barChanged, barSame, frameChanged;
  for (int i = 0; i < 200; ++i) {
    QEvent change(i % 2 == 0 ? QEvent::WindowDeactivate : QEvent::WindowActivate);
    QCoreApplication::sendEvent(form1, &change);
    {
      QPainter p(&target);
      QElapsedTimer t;
      t.start();
      bar->PaintMenuBar(p, barRect);
      barChanged.push_back(Elapsed(t));
      QElapsedTimer s;
      s.start();
      bar->PaintMenuBar(p, barRect);
      barSame.push_back(Elapsed(s));
    }
    QCoreApplication::sendEvent(form1, &change);
    QEvent back(i % 2 == 0 ? QEvent::WindowActivate : QEvent::WindowDeactivate);
    QCoreApplication::sendEvent(form1, &back);
    QRegion frameArea(form1->rect());
    frameArea -= form1->contentsRect();
    QElapsedTimer t;
    t.start();
    form1->repaint(frameArea);
    frameChanged.push_back(Elapsed(t));
  }

  std::printf("click on a bar entry to its menu's first complete paint: median %.2f ms, slowest %.2f ms "
              "(%zu clicks; goal <= 15 ms)\n",
              Median(clicks), Max(clicks), clicks.size());
  std::printf("  (the same menus opened and painted with their platform look: median %.2f ms, slowest %.2f ms)\n",
              Median(plain), Max(plain));
  std::printf("bar repainted after an activation change (background composed anew): median %.3f ms, slowest %.3f ms\n",
              Median(barChanged), Max(barChanged));
  std::printf("  (the bar repainted with nothing changed: median %.3f ms)\n", Median(barSame));
  std::printf("whole frame with the bar repainted after an activation change: median %.2f ms, slowest %.2f ms\n",
              Median(frameChanged), Max(frameChanged));
  std::fflush(stdout);
  std::_Exit(0);
}
