// Times the reading program on its shipped data, run from the program's
// directory (build/bin), whose settings file and databases it uses:
//  - start-up: from process start (exec, libraries, windows, databases) to the
//    main window's first paint; five runs of a fresh process, median;
//  - era fill: choosing each era of both collections; the slowest fill, median of five.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <unistd.h>
#include <vector>

#include "app/MainForm.h"
#include "controls/outbar/OutBarVertListView.h"
#include "controls/outbar/VertListItem.h"
#include "tip/TipForm.h"
#include "toolkit/Application.h"

namespace {

// Milliseconds since this process was started, from the kernel's record.
double MsSinceProcessStart() {
  std::ifstream stat("/proc/self/stat");
  std::string field;
  unsigned long long start = 0;
  for (int i = 1; i <= 22 && stat >> field; ++i)
    if (i == 22) start = std::stoull(field);
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  const double ticks = static_cast<double>(sysconf(_SC_CLK_TCK));
  return (now.tv_sec + now.tv_nsec / 1e9 - start / ticks) * 1000.0;
}

class FirstPaint : public QObject {
 public:
  QWidget* window = nullptr;
  bool done = false;
  bool eventFilter(QObject* o, QEvent* e) override {
    if (!done && e->type() == QEvent::Paint && o->isWidgetType() && static_cast<QWidget*>(o)->window() == window) {
      done = true;
      std::printf("%.1f\n", MsSinceProcessStart());
      std::fflush(stdout);
      QApplication::exit(0);
    }
    return false;
  }
};

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

int StartOnce(int argc, char** argv) {
  QApplication qt(argc, argv);
  toolkit::Application& application = toolkit::TheApplication();
  application.SetTitle(QStringLiteral("Cinnabarquillpad"));
  application.SetProgramDir(QDir::currentPath());
  auto* form1 = application.CreateForm<app::TForm1>();
  form1->Form2 = application.CreateForm<tip::TForm2>();
  FirstPaint watcher;
  watcher.window = form1;
  qt.installEventFilter(&watcher);
  return application.Run();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::string(argv[1]) == "--start-once") return StartOnce(argc, argv);

  std::vector<double> startups;
  for (int run = 0; run < 5; ++run) {
    QProcess p;
    p.start(QString::fromLocal8Bit(argv[0]), {QStringLiteral("--start-once")});
    p.waitForFinished(60000);
    startups.push_back(QString::fromLatin1(p.readAllStandardOutput()).section(u'\n', 0, 0).toDouble());
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
  out << "start-up to first paint of the main window (median of 5): " << Median(startups) << " ms\n";
  out << "slowest era fill: " << slowestEra << " (" << slowestAuthors << " authors), " << slowest << " ms (median of 5)\n";
  return 0;
}
