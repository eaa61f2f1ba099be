// Times the reading program, run from a program directory (build/bin with the
// shipped data, or one holding the full library), whose settings file and
// databases it uses:
//  - start-up: from process start (exec, libraries, windows, databases) to the
//    main window's first paint, beside a bare Qt window started the same way
//    (the two take turns, seven fresh processes each, medians), and the peak
//    memory of the program's process at that first paint (with CQ_BENCH_SMAPS
//    naming a file, a start run alone, `--start-once`, writes its memory map
//    there at that moment, to see which mapping holds what);
//  - era fill: choosing each era of both collections; the slowest fill, median of five.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTextStream>
#include <QWidget>
#include <sys/resource.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <unistd.h>
#include <vector>

#include "app/MainForm.h"
#include "bench/support/ProgramStart.h"
#include "controls/outbar/OutBarVertListView.h"
#include "controls/outbar/VertListItem.h"
#include "tip/TipForm.h"
#include "toolkit/Application.h"

namespace {

// Peak resident memory of this process so far, in MiB.
double PeakMiB() {
  std::ifstream status("/proc/self/status");
  std::string key;
  while (status >> key) {
    if (key == "VmHWM:") {
      double kb = 0;
      status >> kb;
      return kb / 1024.0;
    }
  }
  return 0;
}

double ProcessCpuMs() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}

// Prints the time since process start, the processor time and the peak
// memory at the window's first paint, and ends the process's loop.
class FirstPaint : public QObject {
 public:
  QWidget* window = nullptr;
  bool done = false;
  bool eventFilter(QObject* o, QEvent* e) override {
    if (!done && e->type() == QEvent::Paint && o->isWidgetType() && static_cast<QWidget*>(o)->window() == window) {
      done = true;
      std::printf("%.1f %.1f %.1f\n", bench::MsSinceProcessStart(), ProcessCpuMs(), PeakMiB());
      if (const char* path = std::getenv("CQ_BENCH_SMAPS")) {
        std::ifstream maps("/proc/self/smaps");
        std::ofstream(path) << maps.rdbuf();
      }
      std::fflush(stdout);
      QApplication::exit(0);
    }
    return false;
  }
};

// The anchor: a bare Qt window of the same size, shown maximised.
int BareOnce(int argc, char** argv) {
  QApplication qt(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Cinnabarquillpad"));
  window.resize(906, 704);
  FirstPaint watcher;
  watcher.window = &window;
  qt.installEventFilter(&watcher);
  window.showMaximized();
  return qt.exec();
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

int StartOnce(int argc, char** argv) { return bench::RunProgramWatching<FirstPaint>(argc, argv); }

struct Start {
  double ms = 0, cpu = 0, peak = 0;
};

Start RunOnce(const char* self, const QString& mode) {
  QProcess p;
  p.start(QString::fromLocal8Bit(self), {mode});
  p.waitForFinished(60000);
  const QStringList f = QString::fromLatin1(p.readAllStandardOutput()).section(u'\n', 0, 0).split(u' ');
  if (f.size() < 3) return {};
  return {f[0].toDouble(), f[1].toDouble(), f[2].toDouble()};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::string(argv[1]) == "--start-once") return StartOnce(argc, argv);
  if (argc > 1 && std::string(argv[1]) == "--bare-once") return BareOnce(argc, argv);

  std::vector<double> startups, startupCpu, peaks, bare, bareCpu, barePeaks;
  for (int run = 0; run < 7; ++run) {
    const Start b = RunOnce(argv[0], QStringLiteral("--bare-once"));
    const Start a = RunOnce(argv[0], QStringLiteral("--start-once"));
    bare.push_back(b.ms), bareCpu.push_back(b.cpu), barePeaks.push_back(b.peak);
    startups.push_back(a.ms), startupCpu.push_back(a.cpu), peaks.push_back(a.peak);
  }

  QApplication qt(argc, argv);
  toolkit::TheApplication().SetTitle(QStringLiteral("Cinnabarquillpad"));
  toolkit::TheApplication().SetProgramDir(QDir::currentPath());
  app::TForm1 form;
  form.DoCreate();
  double slowest = 0;
  QString slowestEra;
  int slowestAuthors = 0;
  for (int collection = 0; collection < 2; ++collection) {
    if (collection == 0) form.FlatSpeedButton1Click();
    else form.FlatSpeedButton2Click();
    for (int i = 0; i < form.DCOutBarVertListView2->ItemCount(); ++i) {
      std::vector<double> times;
      for (int run = 0; run < 5; ++run) {
        form.DCOutBarVertListView2->SetItemIndex(i);
        QElapsedTimer t;
        t.start();
        form.DCOutBarVertListView2ButtonClick(nullptr, nullptr);
        qt.processEvents();
        times.push_back(t.nsecsElapsed() / 1e6);
      }
      const double m = Median(times);
      if (m > slowest) {
        slowest = m;
        slowestEra = form.DCOutBarVertListView2->Item(i)->Caption();
        slowestAuthors = form.DCOutBarVertListView1->ItemCount();
      }
    }
  }
  QTextStream out(stdout);
  out << "start-up to the first paint (median of 7, taking turns):\n"
      << "  main window " << Median(startups) << " ms (process cpu " << Median(startupCpu) << " ms), bare Qt window "
      << Median(bare) << " ms (cpu " << Median(bareCpu) << " ms), ratio " << Median(startups) / Median(bare)
      << "   goal <= 3\n"
      << "  peak memory at the first paint: " << *std::max_element(peaks.begin(), peaks.end()) << " MiB (bare window "
      << *std::max_element(barePeaks.begin(), barePeaks.end()) << " MiB)   goal <= 60 MiB\n";
  out << "slowest era fill: " << slowestEra << " (" << slowestAuthors << " authors), " << slowest << " ms (median of 5)\n";
  return 0;
}
