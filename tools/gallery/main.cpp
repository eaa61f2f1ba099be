// cq-gallery: shows the program's controls in their main states, one tab per family.
// Usage: cq-gallery [--tab N] [--skin N|off] [--screenshot FILE]
#include <QApplication>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "tools/gallery/SkinPicker.h"
#include "tools/gallery/StyledPage.h"
#include "toolkit/Application.h"
#if __has_include("tools/gallery/OutbarPage.h")
#include "tools/gallery/OutbarPage.h"
#define CQ_GALLERY_OUTBAR 1
#endif

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  toolkit::TheApplication().SetTitle(QStringLiteral("Cinnabarquillpad gallery"));
  // The gallery's window: the pages in a layout, which keeps them inside the skin's frame.
  QWidget window;
  window.setWindowTitle(QStringLiteral("Cinnabarquillpad gallery"));
  auto* frameLayout = new QVBoxLayout(&window);
  frameLayout->setContentsMargins(0, 0, 0, 0);
  QTabWidget& tabs = *new QTabWidget(&window);
  frameLayout->addWidget(&tabs);
  tabs.addTab(MakeStyledPage(), QStringLiteral("Styled controls"));
#ifdef CQ_GALLERY_OUTBAR
  tabs.addTab(MakeOutbarPage(), QStringLiteral("Outlook bar"));
#endif
  const QStringList args = app.arguments();
  const int tab = args.indexOf(QStringLiteral("--tab"));
  if (tab >= 0 && tab + 1 < args.size()) tabs.setCurrentIndex(args[tab + 1].toInt());
  // Every page under each skin: the box at the tab bar's corner chooses it.
  auto* skins = new SkinPicker(&window);
  tabs.setCornerWidget(skins);
  const int skinArg = args.indexOf(QStringLiteral("--skin"));
  if (skinArg >= 0 && skinArg + 1 < args.size())
    skins->Choose(args[skinArg + 1] == QLatin1String("off") ? -1 : args[skinArg + 1].toInt());
  window.resize(1000, 820);
  window.move(0, 0);
  window.show();
  const int shot = args.indexOf(QStringLiteral("--screenshot"));
  if (shot >= 0 && shot + 1 < args.size()) {
    const QString file = args[shot + 1];
    QTimer::singleShot(500, &window, [&window, file] {
      window.grab().save(file);
      QApplication::quit();
    });
  }
  return app.exec();
}
