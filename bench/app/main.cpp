// Times the reading program, run from a program directory (build/bin with the
// shipped data, or one holding the full library), whose settings file and
// databases it uses:
//  - start-up: from process start (exec, libraries, windows, databases) to the
//    main window's first paint, beside a bare Qt window started the same way
//    (the two take turns, seven fresh processes each, medians), and the peak
//    memory of the program's process at that first paint and through the first
//    two seconds after the start, while the work that follows the first paint
//    runs (with CQ_BENCH_SMAPS naming a file, a start run alone, `--start-once`,
//    writes its memory map there at the first paint, and to the name with
//    ".2s" after it two seconds after the start, to see which mapping holds
//    what);
//  - era fill: choosing each era of both collections in the shown window, from
//    the click to the author bar and table painted; the slowest fill, median of five.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>
#include <QTimer>
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
#include "bench/support/ProcessMemory.h"
#include "bench/support/ProgramStart.h"
#include "controls/outbar/OutBarVertListView.h"
#include "controls/outbar/VertListItem.h"
#include "tip/TipForm.h"
#include "toolkit/Application.h"

namespace {

// Peak resident memory of this process so far, in MiB.
double PeakMiB() { return bench::StatusMiB("VmHWM:"); }

double ProcessCpuMs() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}

// How long after the start the memory is watched: resident memory goes on
// rising after the first paint while the window's later start-up work runs.
constexpr double kWatchedMs = 2000;

// Prints the time since process start, the processor time and the peak
// memory at the window's first paint, then, on a second line, the peak
// memory two seconds after the start, and ends the process's loop.
class FirstPaint : public QObject {
 public:
  // The memory map to the file CQ_BENCH_SMAPS names, with the suffix.
  static void WriteMap(const char* suffix) {
    if (const char* path = std::getenv("CQ_BENCH_SMAPS")) {
      std::ifstream maps("/proc/self/smaps");
      std::ofstream(std::string(path) + suffix) << maps.rdbuf();
    }
  }
  QWidget* window = nullptr;
  bool done = false;
  bool eventFilter(QObject* o, QEvent* e) override {
    if (!done && e->type() == QEvent::Paint && o->isWidgetType() && static_cast<QWidget*>(o)->window() == window) {
      done = true;
      std::printf("%.1f %.1f %.1f\n", bench::MsSinceProcessStart(), ProcessCpuMs(), PeakMiB());
      WriteMap("");
      std::fflush(stdout);
      const int left = std::max(0, static_cast<int>(kWatchedMs - bench::MsSinceProcessStart()));
      QTimer::singleShot(left, [] {
        WriteMap(".2s");
        std::printf("%.1f\n", PeakMiB());
        std::fflush(stdout);
        QApplication::exit(0);
      });
    }
    return false;
  }
};

// Counts the paints of the widgets it watches.
class PaintCounter : public QObject {
 public:
  int paints = 0;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) ++paints;
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
  double watchedPeak = 0;  // through the first two seconds
};

Start RunOnce(const char* self, const QString& mode) {
  QProcess p;
  p.start(QString::fromLocal8Bit(self), {mode});
  p.waitForFinished(60000);
  const QStringList lines = QString::fromLatin1(p.readAllStandardOutput()).split(u'\n');
  const QStringList f = lines.value(0).split(u' ');
  if (f.size() < 3) return {};
  return {f[0].toDouble(), f[1].toDouble(), f[2].toDouble(), lines.value(1).toDouble()};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::string(argv[1]) == "--start-once") return StartOnce(argc, argv);
  if (argc > 1 && std::string(argv[1]) == "--bare-once") return BareOnce(argc, argv);

  std::vector<double> startups, startupCpu, peaks, watchedPeaks, bare, bareCpu, barePeaks, bareWatchedPeaks;
  for (int run = 0; run < 7; ++run) {
    const Start b = RunOnce(argv[0], QStringLiteral("--bare-once"));
    const Start a = RunOnce(argv[0], QStringLiteral("--start-once"));
    bare.push_back(b.ms), bareCpu.push_back(b.cpu), barePeaks.push_back(b.peak);
    bareWatchedPeaks.push_back(b.watchedPeak);
    startups.push_back(a.ms), startupCpu.push_back(a.cpu), peaks.push_back(a.peak);
    watchedPeaks.push_back(a.watchedPeak);
  }

  QApplication qt(argc, argv);
  toolkit::TheApplication().SetTitle(QStringLiteral("Cinnabarquillpad"));
  toolkit::TheApplication().SetProgramDir(QDir::currentPath());
  app::TForm1 form;
  form.DoCreate();
  // Filled as the reader sees it: in the shown window, until both author lists have painted.
  form.show();
  (void)QTest::qWaitForWindowExposed(&form);
  qt.processEvents();
  PaintCounter bar, table;
  form.DCOutBarVertListView1->installEventFilter(&bar);
  form.ListView2->viewport()->installEventFilter(&table);
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
        qt.processEvents();
        const int barPaints = bar.paints, tablePaints = table.paints;
        QElapsedTimer t;
        t.start();
        form.DCOutBarVertListView2ButtonClick(nullptr, nullptr);
        // The table may already show these authors (the same era again): it paints once more anyway.
        form.DCOutBarVertListView1->update();
        form.ListView2->viewport()->update();
        while ((bar.paints == barPaints || table.paints == tablePaints) && t.elapsed() < 5000)
          qt.processEvents(QEventLoop::AllEvents, 5);
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
      << "   goal <= 2\n"
      << "  peak memory at the first paint: " << *std::max_element(peaks.begin(), peaks.end()) << " MiB (bare window "
      << *std::max_element(barePeaks.begin(), barePeaks.end()) << " MiB)\n"
      << "  peak memory through the first " << kWatchedMs / 1000 << " s: "
      << *std::max_element(watchedPeaks.begin(), watchedPeaks.end()) << " MiB (bare window "
      << *std::max_element(bareWatchedPeaks.begin(), bareWatchedPeaks.end()) << " MiB)   goal <= 60 MiB\n";
  out << "slowest era fill, click to author bar and table painted: " << slowestEra << " (" << slowestAuthors
      << " authors), " << slowest << " ms (median of 5)\n";
  return 0;
}
