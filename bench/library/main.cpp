// Times the reader's actions on the full library through the main window,
// run from a program directory that holds it (make library; see README):
//  - searches by title and by content for a rare keyword, 明月 and 月, from
//    the handler's start to the poem table painted, beside the same statement
//    run as a plain scan through the same connection;
//  - the first choice of 宋代 and of 陆游, and later ones;
//  - sorting the rows of the content search for 月 (56,429 on the full library), Shift+End over
//    them and the plain Home that deselects them again;
//  - a session of eras, authors, all three search modes over common and rare
//    keywords, sorting and range selection, driven through the event loop,
//    printing the longest time the user-interface thread was busy at a stretch
//    and, for the slowest actions, the whole time until their last row was in
//    (a large search result comes in stretches with the event loop running
//    in between; the next action waits for its end).
// A choice of an era or author runs the bar's handler once, as a click does;
// the first one comes after the work the window does once it has painted.
//  - 飞花令 (按诗句搜索) for 花 and 月, anywhere and at the second place, until the
//    last row is in and painted, beside the line search alone;
//  - memory: the process's resident memory after the content search for 月,
//    its first action, once the window has let go of what the search replaced,
//    and its peak (it runs first when named, before other parts add their own);
// Arguments name the parts to run (memory, browse, search, lines, rows,
// session); all by default.
// Figures are wall-clock milliseconds with the processor time of all the
// process's threads beside them (a search fetches on a thread of its own; the
// two differ when other processes share the machine, and processor time can
// exceed wall-clock time when both threads work at once).
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

#include "app/Allocator.h"
#include "app/GlyphWarmup.h"
#include "app/MainForm.h"
#include "bench/support/MainWindow.h"
#include "bench/support/ProcessMemory.h"
#include "app/study/LineSearch.h"
#include "app/Queries.h"
#include "controls/outbar/OutBarVertListView.h"
#include "controls/outbar/VertListItem.h"
#include "data/Databases.h"
#include "data/Query.h"
#include "platform/Dialogs.h"
#include "toolkit/Application.h"
#include "toolkit/StdCtrls.h"

namespace {

// Processor time of every thread of the process.
double CpuMs() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

struct Timing {
  double wall = 0, cpu = 0;
};

Timing Median(std::vector<Timing> v) {
  std::sort(v.begin(), v.end(), [](const Timing& a, const Timing& b) { return a.wall < b.wall; });
  return v[v.size() / 2];
}

// Every message box is answered at once: the time a reader spends reading
// the found message is not the program's.
class QuietDialogs : public platform::Dialogs {
 public:
  QString last;
  int MessageDlg(const QString& text, platform::DialogKind, platform::DialogButtons) override {
    last = text;
    return platform::mrOk;
  }
  void ErrorBox(const QString&, const QString& text) override { std::printf("error box: %s\n", qPrintable(text)); }
  void MessageBox(const QString&, const QString& text) override { last = text; }
};

// Counts the paints of a widget, to wait for the one after an action.
class PaintCounter : public QObject {
 public:
  int paints = 0;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) ++paints;
    return false;
  }
};

class Bench {
 public:
  explicit Bench(app::TForm1& form) : form_(form) {
    for (toolkit::TListView* t : {form.ListView1, form.ListView2}) t->viewport()->installEventFilter(&counter_);
    // Counts the bars' clicks, so that a choice runs the window's handler once, as a reader's click does.
    for (outbar::TDCOutBarVertListView* list : {form.DCOutBarVertListView1, form.DCOutBarVertListView2}) {
      auto handler = list->OnButtonClick;
      list->OnButtonClick = [this, handler](QObject* sender, outbar::TDCVertListItem* item) {
        ++clicks_;
        handler(sender, item);
      };
    }
  }

  // Runs the action and the event processing it causes, until the table
  // shown has painted.
  Timing Measure(const std::function<void()>& action) {
    const int before = counter_.paints;
    QElapsedTimer t;
    t.start();
    const double c0 = CpuMs();
    action();
    // A large search result comes a stretch at a time: the action ends with its last row.
    while (form_.SearchPending() && t.elapsed() < 10000) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    // The table shown paints once more even when the action changed nothing on it.
    for (toolkit::TListView* table : {form_.ListView1, form_.ListView2})
      if (table->isVisible()) table->viewport()->update();
    while (counter_.paints == before && t.elapsed() < 5000) QApplication::processEvents(QEventLoop::AllEvents, 5);
    QApplication::processEvents();
    return {t.nsecsElapsed() / 1e6, CpuMs() - c0};
  }

  static Timing Plain(const std::function<void()>& work) {
    QElapsedTimer t;
    t.start();
    const double c0 = CpuMs();
    work();
    return {t.nsecsElapsed() / 1e6, CpuMs() - c0};
  }

  void Search(int mode, const QString& keyword) {
    form_.ComboBox1->SetItemIndex(mode);
    form_.Edit1->SetText(keyword);
    form_.Button1Click();
  }

  // The same statement as a plain scan (or, as the window runs it, through
  // the index and the listing, without the window's work), through the
  // poetry cursor's connection.
  int PlainScan(int mode, const QString& keyword, bool indexed = false) {
    data::TADOQuery& q = *form_.ADOQuery1();
    const app::Statement s =
        app::SearchQuery(static_cast<app::SearchMode>(mode), keyword, indexed, indexed && q.HasTable(data::kPoetryListing));
    q.SetSQL(s.sql);
    q.SetParams(s.params);
    if (!s.deferredSql.isEmpty()) q.SetDeferredFields(s.deferredKey, s.deferredSql);
    q.Open();
    return q.RecordCount();
  }

  void ChooseEra(const QString& name) { Choose(form_.DCOutBarVertListView2, name); }
  void ChooseAuthor(const QString& name) { Choose(form_.DCOutBarVertListView1, name); }

  void Key(toolkit::TListView* table, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    table->setFocus();
    QTest::keyClick(table, key, mods);
  }

 private:
  // Selects the item as a click on it does and runs the bar's handler once:
  // selecting another item from code clicks it; the item already selected is
  // clicked again by calling the handler.
  void Choose(outbar::TDCOutBarVertListView* list, const QString& name) {
    const int before = clicks_;
    for (int i = 0; i < list->ItemCount(); ++i)
      if (list->Item(i)->Caption() == name && list->ItemIndex() != i) list->SetItemIndex(i);
    if (clicks_ == before) list->OnButtonClick(list, nullptr);
  }

  app::TForm1& form_;
  PaintCounter counter_;
  int clicks_ = 0;
};

void Line(const char* what, const Timing& t, const char* goal) {
  std::printf("  %-46s %8.1f ms  (cpu %7.1f)   goal %s\n", what, t.wall, t.cpu, goal);
}

// The longest stretch the user-interface thread spent handling events: events
// delivered one right after the other (less than a millisecond apart) count as
// one stretch, as the reader cannot tell them apart.
class TimingApplication : public QApplication {
 public:
  using QApplication::QApplication;
  QString action;
  double longest = 0, longestCpu = 0;
  QString longestAction, longestCpuAction;
  bool watching = false;
  // The longest stretch of each action, in the order the actions ran (an
  // entry begins as its action starts).
  struct Worst {
    QString action;
    double wall = 0, cpu = 0;
    double whole = 0;  // from the action's start until its last stretch ended
    int stretches = 0;
  };
  std::vector<Worst> perAction;

  bool notify(QObject* receiver, QEvent* event) override {
    if (!watching || depth_ > 0) return QApplication::notify(receiver, event);
    ++depth_;
    const double gap = sinceEnd_.isValid() ? sinceEnd_.nsecsElapsed() / 1e6 : 1e9;
    if (gap >= 1.0) {
      stretch_.start();
      stretchCpu_ = CpuMs();
    }
    const bool result = QApplication::notify(receiver, event);
    --depth_;
    const double wall = stretch_.nsecsElapsed() / 1e6, cpu = CpuMs() - stretchCpu_;
    if (wall > longest) longest = wall, longestAction = action;
    if (!perAction.empty()) {
      Worst& now = perAction.back();
      if (gap >= 1.0) ++now.stretches;
      now.wall = std::max(now.wall, wall);
      now.cpu = std::max(now.cpu, cpu);
    }
    if (cpu > longestCpu) longestCpu = cpu, longestCpuAction = action;
    sinceEnd_.start();
    return result;
  }

 private:
  int depth_ = 0;
  QElapsedTimer stretch_, sinceEnd_;
  double stretchCpu_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  app::SetUpAllocator();  // as the program does
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  TimingApplication qt(argc, argv);
  toolkit::Application& application = toolkit::TheApplication();
  application.SetTitle(QStringLiteral("Cinnabarquillpad"));
  application.SetProgramDir(QDir::currentPath());
  auto* dialogs = new QuietDialogs;
  platform::SetDialogs(std::unique_ptr<platform::Dialogs>(dialogs));

  app::TForm1 form;
  bench::ShowMainWindow(form);
  Bench bench(form);
  data::TADOQuery& cursor = *form.ADOQuery1();
  {
    // A reader's first click comes well after the window shows: the work the
    // window does once it has painted is over by then.
    QElapsedTimer idle;
    idle.start();
    while (form.Warmup() && !form.Warmup()->Done() && idle.elapsed() < 5000)
      QApplication::processEvents(QEventLoop::AllEvents, 5);
    std::printf("Start-up work after the first paint ended %.1f ms after the window showed\n", idle.nsecsElapsed() / 1e6);
  }
  QStringList parts = QApplication::arguments().mid(1);
  if (parts.isEmpty())
    parts = {QStringLiteral("memory"), QStringLiteral("browse"), QStringLiteral("search"), QStringLiteral("lines"),
             QStringLiteral("rows"),   QStringLiteral("session")};

  std::printf("Full library from %s\n", qPrintable(QDir::currentPath()));
  if (parts.contains(QStringLiteral("memory"))) {
  std::printf("Resident memory: %.1f MiB once the window has settled\n", bench::StatusMiB("VmRSS:"));
  const Timing search = bench.Measure([&] { bench.Search(2, QStringLiteral("月")); });
  const int hits = cursor.RecordCount();
  // What the search replaced is freed in idle slices.
  QElapsedTimer settle;
  settle.start();
  while (settle.elapsed() < 1000) QApplication::processEvents(QEventLoop::AllEvents, 5);
  std::printf("  after the content search for 月 (%d hits, %.1f ms): %.1f MiB, peak %.1f MiB   goal <= 100 MiB\n", hits,
              search.wall, bench::StatusMiB("VmRSS:"), bench::StatusMiB("VmHWM:"));
  }

  if (parts.contains(QStringLiteral("browse"))) {
  std::printf("Browsing (first time in the process, then the median of 5 more):\n");
  const Timing firstSong = bench.Measure([&] { bench.ChooseEra(QStringLiteral("宋代")); });
  std::printf("  宋代: %d authors\n", form.DCOutBarVertListView1->ItemCount());
  const Timing firstLu = bench.Measure([&] { bench.ChooseAuthor(QStringLiteral("陆游")); });
  std::printf("  陆游: %d poems\n", form.ListView1->Items().Count());
  std::vector<Timing> song, lu;
  for (int run = 0; run < 5; ++run) {
    bench.ChooseEra(QStringLiteral("唐代"));
    song.push_back(bench.Measure([&] { bench.ChooseEra(QStringLiteral("宋代")); }));
    lu.push_back(bench.Measure([&] { bench.ChooseAuthor(QStringLiteral("陆游")); }));
  }
  Line("first click on 宋代", firstSong, "<= 40 ms");
  Line("宋代 again (median)", Median(song), "<= 40 ms");
  Line("first choice of 陆游's poems", firstLu, "<= 40 ms");
  Line("陆游's poems again (median)", Median(lu), "<= 40 ms");
  }

  if (parts.contains(QStringLiteral("search"))) {
  std::printf("Searches, handler start to table painted (median of 5), beside the plain scan of the same statement:\n");
  struct Case {
    int mode;
    const char* keyword;
    const char* goal;
  } cases[] = {{0, "静夜思", "<= 30 ms"}, {2, "床前看月光", "<= 30 ms"}, {0, "明月", "<= 50 ms"},
               {2, "明月", "<= 50 ms"},   {0, "月", "<= 100 ms"},      {2, "月", "<= 100 ms and ratio <= 0.5"}};
  for (const Case& c : cases) {
    const QString keyword = QString::fromUtf8(c.keyword);
    std::vector<Timing> viaIndex, plain, statement;
    int hits = 0, plainHits = 0;
    for (int run = 0; run < 5; ++run) {
      viaIndex.push_back(bench.Measure([&] { bench.Search(c.mode, keyword); }));
      hits = cursor.RecordCount();
      plain.push_back(Bench::Plain([&] { plainHits = bench.PlainScan(c.mode, keyword); }));
      statement.push_back(Bench::Plain([&] { bench.PlainScan(c.mode, keyword, true); }));
    }
    const Timing a = Median(viaIndex), b = Median(plain), q = Median(statement);
    std::printf("  %-7s %-12s %6d hits: %7.1f ms (cpu %6.1f)  plain scan %7.1f ms (cpu %6.1f)  ratio %.2f  goal %s%s\n"
                "  %33s (of which the window's statement alone: %.1f ms, cpu %.1f)\n",
                c.mode == 0 ? "title" : "content", c.keyword, hits, a.wall, a.cpu, b.wall, b.cpu, a.wall / b.wall,
                c.goal, hits == plainHits ? "" : "   HITS DIFFER", "", q.wall, q.cpu);
  }
  }

  if (parts.contains(QStringLiteral("lines"))) {
  std::printf("飞花令 (按诗句搜索), handler start to the last row in and painted (median of 5), beside the line\n"
              "search alone on its thread, every row collected (the window's table not filled):\n");
  const QString connection = cursor.ConnectionString();
  for (const char16_t* keyword : {u"花", u"月"})
    for (const int place : {0, 2}) {
      const QString k = QString::fromUtf16(keyword);
      std::vector<Timing> window, alone;
      int rows = 0;
      qsizetype aloneRows = 0;
      for (int run = 0; run < 5; ++run) {
        form.Edit2->SetText(place ? QString::number(place) : QString());
        window.push_back(bench.Measure([&] { bench.Search(3, k); }));
        rows = form.ListView1->Items().Count();
        alone.push_back(Bench::Plain([&] { aloneRows = study::FindLines(connection, k, place).size(); }));
      }
      const Timing a = Median(window), b = Median(alone);
      std::printf("  %s at place %d: %6d rows: %7.1f ms (cpu %6.1f)   line search alone %7.1f ms (cpu %6.1f)   ratio %.2f"
                  "   goal <= 100 ms%s\n",
                  qPrintable(k), place, rows, a.wall, a.cpu, b.wall, b.cpu, a.wall / b.wall,
                  rows == aloneRows ? "" : "   ROWS DIFFER");
    }
  form.Edit2->SetText(QString());
  }

  if (parts.contains(QStringLiteral("rows"))) {
  bench.Measure([&] { bench.Search(2, QStringLiteral("月")); });
  std::printf("The %d rows of the content search for 月:\n", form.ListView1->Items().Count());
  std::vector<Timing> sorts;
  for (int run = 0; run < 2; ++run)
    for (int column = 0; column < 3; ++column)
      sorts.push_back(bench.Measure([&] { form.ListView1ColumnClick(column); }));
  std::printf("  rows: %d\n", form.ListView1->Items().Count());
  Line("sorting by a column (median of 6)", Median(sorts), "<= 60 ms");
  Line("sorting by a column (slowest of 6)", *std::max_element(sorts.begin(), sorts.end(), [](auto& x, auto& y) {
         return x.wall < y.wall;
       }), "<= 60 ms");
  std::vector<Timing> ranges, homes;
  for (int run = 0; run < 3; ++run) {
    bench.Key(form.ListView1, Qt::Key_Home);
    QApplication::processEvents();
    ranges.push_back(bench.Measure([&] { bench.Key(form.ListView1, Qt::Key_End, Qt::ShiftModifier); }));
    if (form.ListView1->SelCount() != form.ListView1->Items().Count()) std::printf("  Shift+End selected %d rows\n", form.ListView1->SelCount());
    homes.push_back(bench.Measure([&] { bench.Key(form.ListView1, Qt::Key_Home); }));
  }
  Line("Shift+End over all rows (median of 3)", Median(ranges), "<= 150 ms");
  Line("Home, deselecting them (median of 3)", Median(homes), "-");
  }
  if (!parts.contains(QStringLiteral("session"))) return 0;

  std::printf("Session through the event loop:\n");
  TimingApplication& watch = qt;
  std::vector<std::pair<QString, std::function<void()>>> script;
  auto add = [&](const QString& name, std::function<void()> f) { script.emplace_back(name, std::move(f)); };
  add(QStringLiteral("中国作品"), [&] { form.FlatSpeedButton1Click(); });
  for (const char* era : {"宋代", "唐代", "宋代"}) add(QStringLiteral("era %1").arg(QString::fromUtf8(era)), [&, era] { bench.ChooseEra(QString::fromUtf8(era)); });
  for (const char* author : {"陆游", "苏轼", "杨万里"})
    add(QStringLiteral("author %1").arg(QString::fromUtf8(author)), [&, author] { bench.ChooseAuthor(QString::fromUtf8(author)); });
  add(QStringLiteral("era 唐代"), [&] { bench.ChooseEra(QStringLiteral("唐代")); });
  for (const char* author : {"白居易", "杜甫", "李白"})
    add(QStringLiteral("author %1").arg(QString::fromUtf8(author)), [&, author] { bench.ChooseAuthor(QString::fromUtf8(author)); });
  add(QStringLiteral("外国作品"), [&] { form.FlatSpeedButton2Click(); });
  add(QStringLiteral("中国作品"), [&] { form.FlatSpeedButton1Click(); });
  for (int mode : {0, 1, 2})
    for (const char* keyword : {"月", "明月", "静夜思", "山", "李", "春风", "不知", "床前看月光", "zz", "，"})
      add(QStringLiteral("search %1 %2").arg(mode).arg(QString::fromUtf8(keyword)),
          [&, mode, keyword] { bench.Search(mode, QString::fromUtf8(keyword)); });
  add(QStringLiteral("search content 月"), [&] { bench.Search(2, QStringLiteral("月")); });
  for (int column : {0, 1, 2, 0}) add(QStringLiteral("sort poems by %1").arg(column), [&, column] { form.ListView1ColumnClick(column); });
  add(QStringLiteral("poem row 0"), [&] { form.ListView1->SetItemIndex(0); });
  add(QStringLiteral("Shift+End poems"), [&] { bench.Key(form.ListView1, Qt::Key_End, Qt::ShiftModifier); });
  add(QStringLiteral("Home poems"), [&] { bench.Key(form.ListView1, Qt::Key_Home); });
  add(QStringLiteral("Shift+PageDown poems"), [&] { bench.Key(form.ListView1, Qt::Key_PageDown, Qt::ShiftModifier); });
  add(QStringLiteral("search author 王"), [&] { bench.Search(1, QStringLiteral("王")); });
  for (int column : {0, 1, 2}) add(QStringLiteral("sort authors by %1").arg(column), [&, column] { form.ListView2ColumnClick(column); });
  add(QStringLiteral("author row 0"), [&] { form.ListView2->SetItemIndex(0); });
  add(QStringLiteral("Shift+End authors"), [&] { bench.Key(form.ListView2, Qt::Key_End, Qt::ShiftModifier); });
  add(QStringLiteral("era 宋代"), [&] { bench.ChooseEra(QStringLiteral("宋代")); });
  add(QStringLiteral("author row 0"), [&] { form.ListView2->SetItemIndex(0); });
  add(QStringLiteral("Shift+End authors"), [&] { bench.Key(form.ListView2, Qt::Key_End, Qt::ShiftModifier); });
  add(QStringLiteral("Home authors"), [&] { bench.Key(form.ListView2, Qt::Key_Home); });

  size_t next = 0;
  QElapsedTimer actionClock;
  std::function<void()> step;
  // A search whose rows still come in is part of its action: the next action
  // waits until the last row is in.
  std::function<void()> settle = [&] {
    if (form.SearchPending()) {
      QTimer::singleShot(5, settle);
      return;
    }
    if (!watch.perAction.empty()) watch.perAction.back().whole = actionClock.nsecsElapsed() / 1e6;
    // Pauses between the actions let the loop go idle, so each stretch is one action's.
    QTimer::singleShot(40, step);
  };
  step = [&] {
    if (next == script.size()) {
      QApplication::quit();
      return;
    }
    watch.action = script[next].first;
    watch.perAction.push_back({watch.action});
    actionClock.start();
    script[next].second();
    ++next;
    settle();
  };
  QTimer::singleShot(100, step);
  watch.watching = true;
  QApplication::exec();
  std::printf("  %zu actions; longest busy stretch %.1f ms (%s), cpu %.1f ms (%s)   goal <= 50 ms\n", script.size(),
              watch.longest, qPrintable(watch.longestAction), watch.longestCpu, qPrintable(watch.longestCpuAction));
  auto slowest = watch.perAction;
  std::sort(slowest.begin(), slowest.end(), [](const auto& a, const auto& b) { return a.cpu > b.cpu; });
  std::printf("  the slowest actions by processor time (longest stretch wall / cpu ms; the whole action and its stretches):\n");
  for (size_t i = 0; i < std::min<size_t>(10, slowest.size()); ++i)
    std::printf("    %-26s %7.1f / %6.1f   whole %7.1f ms in %d\n", qPrintable(slowest[i].action), slowest[i].wall,
                slowest[i].cpu, slowest[i].whole, slowest[i].stretches);
  return 0;
}
