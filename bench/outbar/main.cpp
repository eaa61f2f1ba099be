// Fills a vertical list through the ordinary add-item calls (no batch update)
// and prints how long it takes, with 1,000 and 10,000 items, for a visible
// list in the main window's look.
#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>

#include "controls/outbar/VertListView.h"
#include "toolkit/Fonts.h"

namespace {

double FillMs(int count, bool shown) {
  outbar::TDCVertListView list;
  list.SetBorderStyle(outbar::bsNone);
  list.resize(129, 444);
  list.SetViewStyle(outbar::vsSmallIcon);
  list.SetSelectionType(outbar::stExpanded);
  list.SetHighlightSelection(true);
  list.SetItemSpace(12);
  list.setFont(toolkit::MakeFont(QStringLiteral("宋体"), 15));
  if (shown) list.show();
  QStringList captions;
  captions.reserve(count);
  for (int i = 0; i < count; ++i) captions << QStringLiteral("作者%1 号").arg(i);
  QElapsedTimer timer;
  timer.start();
  for (const QString& caption : captions) list.AddItem(caption);
  const qint64 ns = timer.nsecsElapsed();
  QApplication::processEvents();  // the one paint that follows
  return ns / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  std::printf("%-8s %-7s %12s %14s\n", "items", "shown", "fill ms", "us per item");
  for (int count : {1000, 10000}) {
    for (bool shown : {false, true}) {
      double best = 1e9;
      for (int run = 0; run < 3; ++run) best = std::min(best, FillMs(count, shown));
      std::printf("%-8d %-7s %12.2f %14.2f\n", count, shown ? "yes" : "no", best, best * 1000.0 / count);
    }
  }
  return 0;
}
