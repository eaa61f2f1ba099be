// Times the reader's anthology through the main window on the full library,
// run from a program directory that holds it (make library; see README). The
// reader's data goes to a reader.db of the run's own, in a temporary program
// folder beside a copy of setup.ini; the library is only read.
//  - keeping and letting go the poem shown (收藏本篇) with 1,000 poems kept,
//    beside choosing a row of the poem table;
//  - listing those 1,000 kept poems (我的收藏), beside choosing an author whose
//    poems fill about as many rows: the first listing of a run, when the
//    poems were never found in the library before and when reader.db tells
//    where they were (a window of the next run), and later listings;
//  - a random poem (随机一首) from an author, an era and the whole collection,
//    the first draw of each scope and later ones, beside choosing a row;
//  - marking 月 in the longest poem that holds it, after a content search,
//    beside giving the pane that poem's text.
// Each figure is the median of its runs, with the anchor's beside it and the
// ratio; figures are wall-clock milliseconds.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>
#include <vector>

#include "app/Allocator.h"
#include "app/MainForm.h"
#include "bench/support/MainWindow.h"
#include "app/anthology/AnthologyExtras.h"
#include "app/anthology/LibraryLookup.h"
#include "controls/outbar/OutBarVertListView.h"
#include "controls/outbar/VertListItem.h"
#include "data/Query.h"
#include "data/ReaderStore.h"
#include "platform/Dialogs.h"
#include "toolkit/Application.h"
#include "toolkit/StdCtrls.h"

namespace {

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// Milliseconds of `runs` runs of `action`, each after `before` (untimed).
std::vector<double> Times(int runs, const std::function<void()>& action, const std::function<void()>& before = {}) {
  std::vector<double> out;
  for (int i = 0; i < runs; ++i) {
    if (before) before();
    QElapsedTimer t;
    t.start();
    action();
    out.push_back(t.nsecsElapsed() / 1e6);
  }
  return out;
}

void Line(const char* what, double ms, const char* anchorName, double anchor, const char* goal) {
  std::printf("  %-40s %8.2f ms   %-34s %8.2f ms   ratio %6.2f   goal %s\n", what, ms, anchorName, anchor,
              anchor > 0 ? ms / anchor : 0.0, goal);
}

class QuietDialogs : public platform::Dialogs {
 public:
  int MessageDlg(const QString& text, platform::DialogKind, platform::DialogButtons) override {
    if (text.startsWith(QStringLiteral("收藏"))) std::printf("told: %s\n", qPrintable(text));
    return platform::mrOk;
  }
  void ErrorBox(const QString&, const QString& text) override { std::printf("error box: %s\n", qPrintable(text)); }
  void MessageBox(const QString&, const QString&) override {}
};

class Bench {
 public:
  explicit Bench(app::TForm1& form) : form_(form), a_(*form.Anthology()) {}

  void ChooseEra(const QString& name) { Choose(form_.DCOutBarVertListView2, name); }
  void ChooseAuthor(const QString& name) { Choose(form_.DCOutBarVertListView1, name); }
  void ChooseRow(int row) {
    form_.ListView1->ClearSelection();
    form_.ListView1->SetSelected(form_.ListView1->Items().Item(row));
  }
  // The first author of the bar whose poems fill about `rows` rows.
  QString AuthorWithAbout(int rows) {
    data::TADOQuery q(QStringLiteral("Bench"));
    q.SetConnectionString(form_.ADOQuery1()->ConnectionString());
    q.SetSQL(QStringLiteral("select authorname from poetry group by authorname order by abs(count(*)-?) limit 1"));
    q.SetParams({rows});
    q.Open();
    return q.Fields(0).AsString();
  }
  QString EraOf(const QString& author) {
    data::TADOQuery q(QStringLiteral("Bench"));
    q.SetConnectionString(form_.ADOQuery1()->ConnectionString());
    q.SetSQL(QStringLiteral("select agename from author where authorname=?"));
    q.SetParams({author});
    q.Open();
    return q.Fields(0).AsString();
  }
  // `count` poems of the library drawn at random, kept in reader.db.
  void Keep(int count) {
    data::TADOQuery q(QStringLiteral("Bench"));
    q.SetConnectionString(form_.ADOQuery1()->ConnectionString());
    q.SetSQL(QStringLiteral("select authorname,title,formatName,head,content from poetry order by random() limit ?"));
    q.SetParams({count});
    q.Open();
    data::ReaderStore* store = a_.Data().Store();
    for (; !q.Eof(); q.Next()) {
      const data::PoemRef ref = anthology::RefOf(q.Fields(0).AsString(), q.Fields(1).AsString(), q.Fields(2).AsString(),
                                                 q.Fields(3).AsString(), q.Fields(4).AsString());
      if (!store->IsFavourite(ref)) store->ToggleFavourite(ref);
    }
  }

 private:
  void Choose(outbar::TDCOutBarVertListView* list, const QString& name) {
    for (int i = 0; i < list->ItemCount(); ++i)
      if (list->Item(i)->Caption() == name) {
        if (list->ItemIndex() != i) list->SetItemIndex(i);
        else list->OnButtonClick(list, nullptr);
        return;
      }
    std::printf("no %s in the bar\n", qPrintable(name));
  }

  app::TForm1& form_;
  anthology::AnthologyExtras& a_;
};

}  // namespace

int main(int argc, char** argv) {
  app::SetUpAllocator();
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qt(argc, argv);
  if (!QFile::exists(QStringLiteral("dat/db3.dat")) || !QFile::exists(QStringLiteral("setup.ini"))) {
    std::printf("run from a program directory with dat/ and setup.ini (the full library)\n");
    return 2;
  }
  // The reader's data of this run only: the program folder is a temporary one.
  QTemporaryDir programDir;
  QFile::copy(QStringLiteral("setup.ini"), programDir.filePath(QStringLiteral("setup.ini")));
  toolkit::Application& application = toolkit::TheApplication();
  application.SetTitle(QStringLiteral("Cinnabarquillpad"));
  application.SetProgramDir(programDir.path());
  platform::SetDialogs(std::make_unique<QuietDialogs>());

  app::TForm1 form;
  bench::ShowMainWindow(form);
  Bench bench(form);
  anthology::AnthologyExtras& a = *form.Anthology();
  std::printf("Full library from %s, reader data in %s\n", qPrintable(QDir::currentPath()), qPrintable(programDir.path()));

  // ---- keeping a poem, with 1,000 kept --------------------------------------
  const QString author = bench.AuthorWithAbout(1000);
  bench.ChooseEra(bench.EraOf(author));
  QElapsedTimer filled;
  filled.start();
  bench.Keep(1000);
  std::printf("1,000 random poems kept in %.0f ms\n", filled.nsecsElapsed() / 1e6);
  bench.ChooseAuthor(author);
  const int authorRows = form.ListView1->Items().Count();
  std::printf("Anchor author %s: %d poems\n", qPrintable(author), authorRows);
  bench.ChooseRow(1);
  QApplication::processEvents();
  // The poem may be among the 1,000: it is left as it was.
  const bool wasKept = a.KeepItem->isChecked();
  const double toggle = Median(Times(21, [&] { a.KeepItemClick(); }));
  if (a.KeepItem->isChecked() != wasKept) a.KeepItemClick();
  int row = 0;
  const double chooseRow = Median(Times(21, [&] { bench.ChooseRow(row = (row + 1) % 20); }, [] {
    QApplication::processEvents();
  }));
  std::printf("Times (median):\n");
  Line("收藏本篇 (keep or let go)", toggle, "choosing a row of the poem table", chooseRow, "<= 10 ms");

  // ---- listing the kept poems ---------------------------------------------------
  // The first listing of a run looks every poem up in the library; later ones know their rows.
  const double firstListing = Times(1, [&] { a.KeptItemClick(); })[0];
  std::printf("  我的收藏 with 1,000 kept: first listing, the poems never found before, %.2f ms\n", firstListing);
  {
    // A window of the next run: reader.db tells where the poems were found.
    app::TForm1 next;
    bench::ShowMainWindow(next);
    const double nextRun = Times(1, [&] { next.Anthology()->KeptItemClick(); })[0];
    std::printf("  我的收藏 with 1,000 kept: first listing of the next run %.2f ms (%d rows)\n", nextRun,
                next.ListView1->Items().Count());
  }
  const double listing = Median(Times(7, [&] { a.KeptItemClick(); }));
  std::printf("  (我的收藏 lists %d rows of %zu kept)\n", form.ListView1->Items().Count(),
              a.Data().Store()->Favourites().size());
  // Each time from the era, so that the author's poems are listed anew.
  const double anchorList =
      Median(Times(7, [&] { bench.ChooseAuthor(author); }, [&] { bench.ChooseEra(bench.EraOf(author)); }));
  std::printf("  (choosing that author lists %d rows)\n", form.ListView1->Items().Count());
  Line("我的收藏 with 1,000 kept", listing, "choosing that author (its poems)", anchorList, "<= 50 ms");

  // ---- a random poem ------------------------------------------------------------
  const struct {
    const char* name;
    std::function<void()> choose;
  } scopes[] = {{"随机一首 from the author", [&] { bench.ChooseAuthor(author); }},
                {"随机一首 from the era", [&] { bench.ChooseEra(bench.EraOf(author)); }},
                {"随机一首 from the collection", [&] { form.FlatSpeedButton1Click(); }}};
  for (const auto& s : scopes) {
    s.choose();
    QApplication::processEvents();
    const double first = Times(1, [&] { a.RandomItemClick(); })[0];
    const double later = Median(Times(11, [&] { a.RandomItemClick(); }, [] { QApplication::processEvents(); }));
    std::printf("  %s: first draw %.2f ms\n", s.name, first);
    Line(s.name, later, "choosing a row of the poem table", chooseRow, "<= 40 ms");
  }

  // ---- marking 月 in a long poem ---------------------------------------------------
  data::TADOQuery longest(QStringLiteral("Bench"));
  longest.SetConnectionString(form.ADOQuery1()->ConnectionString());
  longest.SetSQL(QStringLiteral("select content from poetry where content like '%月%' order by length(content) desc limit 1"));
  longest.Open();
  const QString text = longest.Fields(0).AsString();
  a.Highlight().SearchStarting(QStringLiteral("月"), true);
  // The poetry cursor's result stands for the hits.
  form.ADOQuery1()->SetSQL(QStringLiteral("select * from poetry limit 1"));
  form.ADOQuery1()->Open();
  a.Highlight().HitsListed();
  toolkit::TMemo* pane = form.Memo1;
  const double show = Median(Times(11, [&] { pane->SetText(text); }, [&] { pane->Clear(); }));
  const double mark = Median(Times(11, [&] { a.Highlight().TextShown(text); }, [&] { pane->SetText(text); }));
  std::printf("  (the longest poem with 月: %lld characters, %lld marks)\n", static_cast<long long>(text.size()),
              static_cast<long long>(a.Highlight().Steps().Hits().size()));
  Line("marking 月 in it", mark, "giving the pane its text", show, "<= 5 ms");
  return 0;
}
