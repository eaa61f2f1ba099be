// The study tools on the library in the current folder (dat/db3.dat; run it
// from a folder holding the full library, which `make library` builds):
//  - 飞花令 for 花 and 月, anywhere in a line and at the second place, end to
//    end (connecting, the index's candidates, the line split, every row handed
//    over), with the time until the first stretch of rows; beside it, in the
//    same run, the plain scan that reads every poem, and the ratio;
//  - 注音 for the longest poem of the library: reading its characters and
//    laying it out at a pane's width, beside Qt's own layout of the same text
//    without pinyin, and the ratio.
// Each figure is the median of five runs; the first run is printed apart.
//
//   cq-bench-study [--picture FILE]   also paints the longest poem's first rows with 注音 to FILE
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTextLayout>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

#include "app/reading/VerticalPainter.h"
#include "app/reading/VerticalPinyin.h"
#include "app/study/LineSearch.h"
#include "app/study/RubyLayout.h"
#include "data/Connection.h"
#include "data/Databases.h"
#include "data/Query.h"

namespace {

constexpr int kRuns = 5;
constexpr int kPaneWidth = 560;

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

double Ms(const QElapsedTimer& t) { return t.nsecsElapsed() / 1e6; }

// Processor time of all the process's threads, in milliseconds: on a machine
// shared with other work the clock on the wall says more about the others.
double ProcessorMs() {
  timespec t;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

struct SearchRun {
  double firstRows = 0, all = 0, processor = 0;
  qsizetype rows = 0;
};

// One search as the window would run it: stretches of 35 ms, rows appended as they come.
SearchRun Search(const QString& connection, const QString& keyword, int place, study::LineSearch::Candidates c) {
  SearchRun run;
  const double processor = ProcessorMs();
  QElapsedTimer t;
  t.start();
  study::LineSearch search(connection, keyword, place, c);
  QList<study::LineRow> rows;
  for (bool ended = false; !ended;) {
    ended = search.Collect(rows, QDeadlineTimer(35));
    if (run.firstRows == 0 && !rows.isEmpty()) run.firstRows = Ms(t);
  }
  run.all = Ms(t);
  run.processor = ProcessorMs() - processor;
  run.rows = rows.size();
  return run;
}

void BenchSearch(const QString& connection, const QString& keyword, int place) {
  std::vector<double> indexed, indexedFirst, indexedProcessor, plain, plainProcessor;
  SearchRun first, plainRun;
  for (int i = 0; i < kRuns; ++i) {
    const SearchRun r = Search(connection, keyword, place, study::LineSearch::Candidates::kIndexed);
    if (i == 0) first = r;
    indexed.push_back(r.all), indexedFirst.push_back(r.firstRows), indexedProcessor.push_back(r.processor);
    plainRun = Search(connection, keyword, place, study::LineSearch::Candidates::kEveryPoem);
    plain.push_back(plainRun.all), plainProcessor.push_back(plainRun.processor);
  }
  const QString where = place == 0 ? QStringLiteral("anywhere") : QStringLiteral("at place %1").arg(place);
  std::printf("飞花令 %s %-11s %6lld rows: index %6.1f ms end to end (processor %6.1f ms; first rows after %5.1f ms; "
              "first run %6.1f ms) | plain scan %6.1f ms (processor %6.1f ms, %lld rows) | ratio %4.1f (processor %4.1f)\n",
              qPrintable(keyword), qPrintable(where), static_cast<long long>(first.rows), Median(indexed),
              Median(indexedProcessor), Median(indexedFirst), first.all, Median(plain), Median(plainProcessor),
              static_cast<long long>(plainRun.rows), Median(plain) / Median(indexed),
              Median(plainProcessor) / Median(indexedProcessor));
}

struct Poem {
  QString title, author, content;
};

Poem LongestPoem(const QString& connection) {
  data::TADOQuery q(QStringLiteral("longest"));
  q.SetConnectionString(connection);
  q.SetSQL(QStringLiteral("select title,authorname,content from poetry order by length(content) desc limit 1"));
  q.Open();
  return {q.FieldByName(QStringLiteral("title")).AsString(), q.FieldByName(QStringLiteral("authorname")).AsString(),
          q.FieldByName(QStringLiteral("content")).AsString()};
}

// The first rows as the pane would show them, and the first vertical page
// with pinyin beside its columns (FILE and FILE with "-vertical" before its suffix).
void PaintPictures(const Poem& poem, const study::RubyText& laid, const QFont& text, const QFont& pinyin,
                   const study::RubyMetrics& m, const QString& file) {
  QImage pane(kPaneWidth + 20, 400, QImage::Format_RGB32);
  pane.fill(Qt::white);
  QPainter p(&pane);
  study::PaintRuby(p, laid, text, pinyin, QPoint(10, 10));
  p.end();
  pane.save(file);
  const reading::VerticalText vertical{poem.title, poem.author, poem.content};
  const QStringList readings = reading::GlyphReadings(vertical, vertical);
  const reading::VerticalMetrics v = reading::WithRoomForPinyin(reading::MetricsForCell(28), readings, m);
  QImage page(760, 520, QImage::Format_RGB32);
  page.fill(Qt::white);
  const QList<reading::VerticalPage> pages = reading::VerticalLayout(page.size(), v).Lay(vertical);
  p.begin(&page);
  reading::PaintVerticalPage(p, pages[0], text, 28);
  reading::PaintPinyinBeside(p, reading::PinyinBesideColumns(pages[0], 0, readings, m), 0, readings, pinyin);
  p.end();
  page.save(QString(file).insert(file.lastIndexOf(u'.'), QStringLiteral("-vertical")));
}

void BenchRuby(const Poem& poem, const QString& picture) {
  QFont text(QStringLiteral("Noto Serif CJK SC"));
  text.setPixelSize(18);
  QFont pinyin(QStringLiteral("DejaVu Sans"));
  pinyin.setPixelSize(10);
  const study::RubyMetrics m = study::RubyMetrics::ForFonts(text, pinyin);
  // The table is read once per run of the program, at the reader's first 注音.
  QElapsedTimer loading;
  loading.start();
  const study::PinyinTable& table = study::PinyinTable::Shipped();
  std::printf("pinyin table read in %.1f ms: %d characters, %d phrases\n", Ms(loading), table.CharacterCount(),
              table.PhraseCount());
  std::vector<double> reading, laying, plain;
  study::RubyText laid;
  for (int i = 0; i < kRuns; ++i) {
    QElapsedTimer t;
    t.start();
    const QList<study::AnnotatedChar> chars = study::Annotate(poem.content, poem.content);
    reading.push_back(Ms(t));
    t.restart();
    laid = study::LayRuby(chars, m, kPaneWidth);
    laying.push_back(Ms(t));
    // Qt's layout of the text alone at the same width, line by line as a text pane lays it.
    t.restart();
    QTextLayout layout(poem.content, text);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) line.setLineWidth(kPaneWidth);
    layout.endLayout();
    plain.push_back(Ms(t));
  }
  const double ruby = Median(reading) + Median(laying);
  std::printf("注音 of the longest poem (%s, %s: %lld characters, %d rows at %d px): readings %.2f ms + layout %.2f ms "
              "= %.2f ms; plain text layout %.2f ms, ratio %.1f\n",
              qPrintable(poem.title), qPrintable(poem.author), static_cast<long long>(poem.content.size()), laid.rows,
              kPaneWidth, Median(reading), Median(laying), ruby, Median(plain), ruby / Median(plain));
  if (!picture.isEmpty()) PaintPictures(poem, laid, text, pinyin, m, picture);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QStringList args = app.arguments();
  const qsizetype pictureAt = args.indexOf(QStringLiteral("--picture"));
  const QString picture = pictureAt > 0 ? args.value(pictureAt + 1) : QString();
  const QString file = QStringLiteral("dat/db3.dat");
  if (!QFile::exists(file)) {
    std::fprintf(stderr, "No dat/db3.dat here: run from a folder that holds the library.\n");
    return 1;
  }
  const QString connection = data::MakeConnectionString(file, data::kPoetryDbPassword);
  data::TADOQuery count(QStringLiteral("count"));
  count.SetConnectionString(connection);
  count.SetSQL(QStringLiteral("select count(*) from poetry"));
  count.Open();
  QFile load(QStringLiteral("/proc/loadavg"));
  const QByteArray loadAverage = load.open(QIODevice::ReadOnly) ? load.readLine().trimmed() : QByteArray("?");
  std::printf("library: %d poems; load average before the run: %s (on %d processors)\n", count.Fields(0).AsInteger(),
              loadAverage.constData(), QThread::idealThreadCount());
  for (const char16_t* keyword : {u"花", u"月"})
    for (const int place : {0, 2}) BenchSearch(connection, QString::fromUtf16(keyword), place);
  BenchRuby(LongestPoem(connection), picture);
  return 0;
}
