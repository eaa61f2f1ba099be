// Times switching 繁体显示 on with a poem table of 55,000 rows (and 100,000),
// next to the same table's plain repaint, measured side by side in one process:
//  - anchor: the poem table repainting its rows with nothing changed, and the
//    whole window's plain repaint, which every switch includes;
//  - switch on: the menu handler plus the repaint of the whole window (tables,
//    bars, info bar, form label, text pane) until it is on the screen's buffer;
//    the first time (nothing converted yet) and again after switching off;
//  - switch off, for comparison; and, apart, loading OpenCC's dictionaries,
//    which happens once, in the background while the reader opens the menu.
// The rows are distinct (shipped titles and first lines numbered), so the cache
// cannot answer for rows it has not painted; the author bar holds 9,000 names
// (more than any era of the full library), all measured again on a switch. Run from anywhere; the databases
// are built in a temporary folder with the database builder's library.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/MainForm.h"
#include "app/reading/ReadingExtras.h"
#include "controls/outbar/OutBarVertListView.h"
#include "data/Databases.h"
#include "platform/Gbk.h"
#include "toolkit/Application.h"
#include "toolkit/ListView.h"
#include "tools/mkdb/DbBuilder.h"

namespace {

// Authors of the one era, as many as the largest era of the full library lists.
constexpr int kEraAuthors = 9000;

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

struct Shipped {
  QStringList titles, forms, heads;
};

Shipped ShippedPoems() {
  Shipped s;
  QFile file(QStringLiteral(CQ_SOURCE_DIR "/install/data/poetry.tsv"));
  if (!file.open(QIODevice::ReadOnly)) return s;
  const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
  for (qsizetype i = 1; i < lines.size(); ++i) {
    const QStringList f = lines[i].split(u'\t');
    if (f.size() < 5) continue;
    s.titles << f[0];
    s.forms << f[2];
    s.heads << f[3];
  }
  return s;
}

// One era, one author with `rows` poems, the format table and a tip.
void BuildLibrary(const QTemporaryDir& dir, int rows) {
  const Shipped shipped = ShippedPoems();
  dbbuild::Table author{QStringLiteral("author"), {}, {}};
  for (const char* c : {"authorname", "authoryear", "poetryTotal", "content", "agename"})
    author.columns.append({QString::fromLatin1(c), QByteArray(c) == "poetryTotal"});
  author.rows.append({QStringLiteral("李白"), QStringLiteral("701—762"), rows, QStringLiteral("李白，字太白，号青莲居士。"),
                      QStringLiteral("唐代")});
  // The era's other authors fill the author bar, whose names are converted too.
  const QStringList families = QStringLiteral("王张刘陈杨赵黄周吴徐孙胡朱高林何郭马罗梁宋郑谢韩唐冯于董萧程曹袁邓许傅沈曾彭吕苏卢蒋蔡贾丁魏薛叶阎余潘杜戴夏钟汪田任姜范方石姚谭廖邹熊金陆郝孔白崔康毛邱秦江史顾侯邵孟龙万段漕钱汤尹黎易常武乔贺赖龚文").split(QString(), Qt::SkipEmptyParts);
  for (int i = 1; i < kEraAuthors; ++i)
    author.rows.append({families[i % families.size()] + shipped.titles[i % shipped.titles.size()].left(2) + QString::number(i),
                        QStringLiteral("生卒年不详"), 0, QString(), QStringLiteral("唐代")});
  dbbuild::Table poetry{QStringLiteral("poetry"), {}, {}};
  for (const char* c : {"title", "authorname", "formatName", "head", "content"}) poetry.columns.append({QString::fromLatin1(c), false});
  for (int i = 0; i < rows; ++i) {
    const qsizetype k = i % shipped.titles.size();
    const QString n = QStringLiteral("其") + QString::number(i + 1);
    poetry.rows.append({shipped.titles[k] + n, QStringLiteral("李白"), shipped.forms[k], shipped.heads[k] + n,
                        shipped.heads[k] + QStringLiteral("\r\n") + n});
  }
  dbbuild::WriteDatabase(dir.filePath(QStringLiteral("dat/db3.dat")), data::kPoetryDbPassword, {author, poetry},
                         {{QStringLiteral("poetry_author"), QStringLiteral("poetry"), {QStringLiteral("authorname")}}});
  dbbuild::WriteDatabase(dir.filePath(QStringLiteral("dat/db4.dat")), data::kFormatDbPassword,
                         {dbbuild::ParseTableSource(QStringLiteral("format"), "formatname\tcontent\n五言绝句\t四句。\n")});
  dbbuild::WriteDatabase(dir.filePath(QStringLiteral("dat/db5.dat")), data::kLoreDbPassword,
                         {dbbuild::ParseTableSource(QStringLiteral("lore"), "loreTitle\tcontent\nT\t一\n")});
  QFile setup(dir.filePath(QStringLiteral("setup.ini")));
  if (setup.open(QIODevice::WriteOnly))
    setup.write(QByteArray("[item]\r\nchina=1\r\nfremdness=0\r\n[china]\r\n1=") + platform::ToGbk(QStringLiteral("唐代")) +
                "\r\n[tip]\r\ntip=0\r\ncount=0\r\n");
}

void Measure(int rows, QTextStream& out) {
  QTemporaryDir dir;
  BuildLibrary(dir, rows);
  QDir::setCurrent(dir.path());
  toolkit::TheApplication().SetProgramDir(dir.path());
  {
    app::TForm1 form;
    form.DoCreate();
    form.resize(1280, 900);
    form.show();
    QApplication::processEvents();
    // The bar lists the era's authors; the first is the one with all the poems.
    form.DCOutBarVertListView1->SetItemIndex(0);
    form.DCOutBarVertListView1ButtonClick(form.DCOutBarVertListView1, nullptr);
    toolkit::TListView* table = form.ListView1;
    // A poem from the middle of the table is shown; the rows around it are painted.
    table->verticalScrollBar()->setValue(rows / 2);
    table->SetItemIndex(rows / 2);
    QApplication::processEvents();
    reading::ReadingExtras& extras = *form.Reading();

    QElapsedTimer t;
    t.start();
    extras.Converter().Load();
    const double load = t.nsecsElapsed() / 1e6;

    std::vector<double> plain, window, firstOn, on, off;
    for (int run = 0; run < 9; ++run) {
      t.restart();
      table->viewport()->repaint();
      plain.push_back(t.nsecsElapsed() / 1e6);
      t.restart();
      form.repaint();
      window.push_back(t.nsecsElapsed() / 1e6);
    }
    auto toggle = [&](bool wanted) {
      extras.TraditionalItem->setChecked(wanted);
      QElapsedTimer s;
      s.start();
      extras.TraditionalItemClick();
      form.repaint();
      return s.nsecsElapsed() / 1e6;
    };
    firstOn.push_back(toggle(true));
    for (int run = 0; run < 9; ++run) {
      off.push_back(toggle(false));
      on.push_back(toggle(true));
    }
    // Each switch shows another part of the table, so part of it is converted afresh.
    std::vector<double> scrolledOn;
    for (int run = 0; run < 9; ++run) {
      toggle(false);
      table->verticalScrollBar()->setValue(rows / 10 * (run + 1) % rows);
      form.repaint();
      scrolledOn.push_back(toggle(true));
    }
    out << rows << " poem rows (" << table->Items().Count() << " in the table, "
        << form.DCOutBarVertListView1->ItemCount() << " authors in the author bar, " << extras.Converter().CachedCount()
        << " texts converted in all):\n";
    out << "  anchor: plain repaint of the poem table     " << QString::number(Median(plain), 'f', 2) << " ms (median of 9)\n";
    out << "  plain repaint of the whole window            " << QString::number(Median(window), 'f', 2) << " ms (median of 9)\n";
    out << "  switch on, first time                        " << QString::number(firstOn[0], 'f', 2) << " ms  ("
        << QString::number(firstOn[0] / Median(plain), 'f', 1) << " x the anchor)\n";
    out << "  switch on again (median of 9)                " << QString::number(Median(on), 'f', 2) << " ms  ("
        << QString::number(Median(on) / Median(plain), 'f', 1) << " x)\n";
    out << "  switch on at rows not shown before (median)  " << QString::number(Median(scrolledOn), 'f', 2) << " ms  ("
        << QString::number(Median(scrolledOn) / Median(plain), 'f', 1) << " x)\n";
    out << "  switch off (median of 9)                     " << QString::number(Median(off), 'f', 2) << " ms  ("
        << QString::number(Median(off) / Median(plain), 'f', 1) << " x)\n";
    out << "  loading the dictionaries (once, ahead)       " << QString::number(load, 'f', 1) << " ms\n";
    out.flush();
  }
  QDir::setCurrent(QDir::tempPath());
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qt(argc, argv);
  toolkit::TheApplication().SetTitle(QStringLiteral("Cinnabarquillpad"));
  QTextStream out(stdout);
  out << "Switching 繁体显示 on, with the whole window repainted (goal: 100 ms or less)\n";
  for (int rows : {55000, 100000}) Measure(rows, out);
  return 0;
}
