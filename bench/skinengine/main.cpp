// cq-bench-skinengine: the skin engine on the real windows, run from the
// program's directory (build/bin) like the program:
//  - a skin switch: from the manager's timer tick to every window repainted,
//    the main window shown as the program shows it (maximised) and the tip
//    window open (goal <= 30 ms);
//  - one PaintFrame of that main window (goal <= 2 ms);
//  - one resize step: new geometry to repainted frame and region (goal <= 8 ms);
//  - start-up to the first painted main window, engine on beside engine off,
//    fresh processes taken in turns (goal: at most 1.15 times as long).
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPainter>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "app/MainForm.h"
#include "bench/support/ProgramStart.h"
#include "skin/engine/SkinData.h"
#include "skin/engine/SkinManage.h"
#include "skin/frame/FrameGeometry.h"
#include "skin/frame/WinSkinForm.h"
#include "tip/TipForm.h"
#include "toolkit/Application.h"
#include "toolkit/IniFile.h"

namespace {

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}
double Max(const std::vector<double>& v) { return v.empty() ? 0 : *std::max_element(v.begin(), v.end()); }

class FirstPaint : public QObject {
 public:
  QWidget* window = nullptr;
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::Paint && o == window) {
      std::printf("%.2f\n", bench::MsSinceProcessStart());
      std::fflush(stdout);
      std::_Exit(0);  // the measurement is taken: no teardown
    }
    return false;
  }
};

int StartOnce(int argc, char** argv) { return bench::RunProgramWatching<FirstPaint>(argc, argv); }

double Elapsed(const QElapsedTimer& t) { return static_cast<double>(t.nsecsElapsed()) / 1e6; }

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::string(argv[1]) == "--start-once") return StartOnce(argc, argv);

  // Start-up, engine on and off in turns.
  std::vector<double> on, off;
  for (int run = 0; run < 9; ++run) {
    for (bool engine : {true, false}) {
      QProcess p;
      QStringList args{QStringLiteral("--start-once")};
      if (!engine) args << QStringLiteral("--skin") << QStringLiteral("off");
      p.start(QString::fromLocal8Bit(argv[0]), args);
      p.waitForFinished(60000);
      const double ms = QString::fromLatin1(p.readAllStandardOutput()).section(u'\n', 0, 0).toDouble();
      if (ms > 0) (engine ? on : off).push_back(ms);
    }
  }

  QApplication qt(argc, argv);
  app::TForm1* form1 = bench::CreateProgramWindows();
  auto* form2 = form1->Form2;
  form1->Show();
  form2->Show();
  for (int i = 0; i < 20; ++i) qt.processEvents();
  skin::TSkinManage* manager = skin::TSkinManage::Instance();
  skin::TWinSkinForm* frame = manager ? manager->FrameOf(form1) : nullptr;
  if (!frame || !manager->FrameOf(form2)) {
    std::fprintf(stderr, "the windows are not skinned\n");
    return 1;
  }
  manager->SetStarted(1);
  std::printf("platform: %s, main window %dx%d, tip window %dx%d\n", qPrintable(QGuiApplication::platformName()),
              form1->width(), form1->height(), form2->width(), form2->height());

  // A skin switch: the tick's action, then both windows repainted.
  std::vector<double> switches;
  for (int round = 0; round < 5; ++round)
    for (int n = 1; n <= 6; ++n) {
      form1->SkinData1->SetSkinFile(toolkit::ProgramFile(QStringLiteral("skins/%1.skn").arg(n)));
      QElapsedTimer t;
      t.start();
      manager->RunAction();
      form1->repaint();
      form2->repaint();
      switches.push_back(Elapsed(t));
      qt.processEvents();
    }

  // One PaintFrame of the main window.
  // The frame keeps its composed parts between paints: measured both as a
  // repaint with nothing changed and composed anew each time.
  QImage target(form1->size(), QImage::Format_ARGB32_Premultiplied);
  std::vector<double> paints, composed;
  for (int i = 0; i < 600; ++i) {
    QPainter p(&target);
    const bool anew = i % 2 == 1;
    if (anew) frame->ForgetComposedFrame();
    QElapsedTimer t;
    t.start();
    frame->PaintFrame(&p);
    (anew ? composed : paints).push_back(Elapsed(t));
  }

  // Resize steps of the main window, restored to 1280 x 900 first, one pixel at a time: the
  // new geometry (the window's own layout of its controls, then the frame's
  // region) and the frame repainted; then the whole window repainted.
  form1->showNormal();
  form1->setGeometry(0, 0, 1280, 900);
  qt.processEvents();
  QRegion frameArea;
  std::vector<double> steps, geometry, framePaint, whole;
  for (int i = 0; i < 200; ++i) {
    const int d = i % 2 == 0 ? 1 : 0;
    QElapsedTimer t;
    t.start();
    form1->resize(1280 - d, 900 - d);
    const double g = Elapsed(t);
    frameArea = QRegion(form1->rect()) - form1->contentsRect();
    QElapsedTimer f;
    f.start();
    form1->repaint(frameArea);
    framePaint.push_back(Elapsed(f));
    geometry.push_back(g);
    steps.push_back(Elapsed(t));
    qt.processEvents();
  }
  // One-pixel steps repainting the whole window.
  auto wholeSteps = [&](std::vector<double>& times) {
    for (int i = 0; i < 40; ++i) {
      const int d = i % 2 == 0 ? 1 : 0;
      QElapsedTimer t;
      t.start();
      form1->resize(1280 - d, 900 - d);
      form1->repaint();
      times.push_back(Elapsed(t));
      qt.processEvents();
    }
  };
  wholeSteps(whole);
  std::vector<double> regions;
  for (int i = 0; i < 100; ++i) {
    QElapsedTimer t;
    t.start();
    const QRegion r = skin::FrameRegion(QSize(1280 - i % 2, 900), frame->Metrics(), form1->SkinData1->Elements(), true,
                                        frame->Kind(), frame->CaptionStrip());
    regions.push_back(Elapsed(t));
  }
  // The same steps with the engine switched off (every window given back its own frame).
  manager->RequestAction(2, 250);
  manager->RunAction();
  qt.processEvents();
  form1->setGeometry(0, 0, 1280, 900);
  qt.processEvents();
  std::vector<double> plain;
  wholeSteps(plain);

  const double ratio = Median(off) > 0 ? Median(on) / Median(off) : 0;
  std::printf("skin switch, tick to every window repainted: median %.2f ms, slowest %.2f ms (goal <= 30 ms)\n",
              Median(switches), Max(switches));
  std::printf("PaintFrame of the %dx%d main window:     median %.3f ms, slowest %.3f ms (goal <= 2 ms)\n",
              target.width(), target.height(), Median(paints), Max(paints));
  std::printf("  composed anew every time:                  median %.3f ms, slowest %.3f ms\n", Median(composed),
              Max(composed));
  std::printf("resize step of the 1280x900 window, geometry to frame and region:  median %.2f ms, slowest %.2f ms (goal <= 8 ms)\n",
              Median(steps), Max(steps));
  std::printf("  of which the engine's part: region %.2f ms + frame repaint %.2f ms; the window's own layout of its "
              "controls %.2f ms\n",
              Median(regions), Median(framePaint), Median(geometry) - Median(regions));
  std::printf("  the whole window repainted: skinned %.2f ms, engine off %.2f ms\n", Median(whole), Median(plain));
  std::printf("start-up to the first painted main window:  engine on %.1f ms, engine off %.1f ms (medians of %zu), "
              "ratio %.3f (goal <= 1.15)\n",
              Median(on), Median(off), on.size(), ratio);
  std::fflush(stdout);
  std::_Exit(0);
}
