// cq-skinview SKIN OUTPUT.png: loads a skin file (or "default" for the skin
// stored in the program) and writes its contact sheet.
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>

#include "skin/engine/DefaultSkin.h"
#include "skin/core/SkinElements.h"
#include "tools/skinview/ContactSheet.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() != 3) {
    std::fprintf(stderr, "usage: cq-skinview SKIN.skn|default OUTPUT.png\n");
    return 2;
  }
  QByteArray bytes;
  if (args[1] == QLatin1String("default")) {
    bytes = skin::DefaultSkinBytes();
  } else {
    QFile f(args[1]);
    if (!f.open(QIODevice::ReadOnly)) {
      std::fprintf(stderr, "cq-skinview: cannot read %s\n", qPrintable(args[1]));
      return 1;
    }
    bytes = f.readAll();
  }
  skin::TSkinElements elements;
  if (!skin::LoadSkinElements(bytes, elements)) {
    std::fprintf(stderr, "cq-skinview: %s is not a skin file\n", qPrintable(args[1]));
    return 1;
  }
  const QImage sheet = skinview::ContactSheet(elements, QFileInfo(args[1]).fileName());
  if (!sheet.save(args[2], "PNG")) {
    std::fprintf(stderr, "cq-skinview: cannot write %s\n", qPrintable(args[2]));
    return 1;
  }
  std::printf("%s: %dx%d\n", qPrintable(args[2]), sheet.width(), sheet.height());
  return 0;
}
