// cq-gallery: shows the program's controls in their main states, one tab per family
// (styled controls, outlook bars, the toolkit controls under the skin).
// Usage: cq-gallery [--tab N] [--screenshot FILE]
#include <QApplication>
#include <QTabWidget>
#include <QTimer>

#include "tools/gallery/ControlsPage.h"
#include "tools/gallery/StyledPage.h"
#include "toolkit/Application.h"
#if __has_include("tools/gallery/OutbarPage.h")
#include "tools/gallery/OutbarPage.h"
#define CQ_GALLERY_OUTBAR 1
#endif

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  toolkit::TheApplication().SetTitle(QStringLiteral("Cinnabarquillpad gallery"));
  QTabWidget tabs;
  tabs.setWindowTitle(QStringLiteral("Cinnabarquillpad gallery"));
  tabs.addTab(MakeStyledPage(), QStringLiteral("Styled controls"));
#ifdef CQ_GALLERY_OUTBAR
  tabs.addTab(MakeOutbarPage(), QStringLiteral("Outlook bar"));
#endif
  tabs.addTab(MakeControlsPage(), QStringLiteral("Skinned controls"));
  const QStringList args = app.arguments();
  const int tab = args.indexOf(QStringLiteral("--tab"));
  if (tab >= 0 && tab + 1 < args.size()) tabs.setCurrentIndex(args[tab + 1].toInt());
  tabs.resize(1000, 820);
  tabs.move(0, 0);
  tabs.show();
  const int shot = args.indexOf(QStringLiteral("--screenshot"));
  if (shot >= 0 && shot + 1 < args.size()) {
    const QString file = args[shot + 1];
    QTimer::singleShot(500, &tabs, [&tabs, file] {
      tabs.grab().save(file);
      QApplication::quit();
    });
  }
  return app.exec();
}
