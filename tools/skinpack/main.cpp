// cq-skinpack FOLDER OUTPUT: packs a folder holding one INI text and its BMP
// images into a compressed skin file.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

#include "tools/skinpack/SkinArchive.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() != 3) {
    std::fprintf(stderr, "usage: cq-skinpack FOLDER OUTPUT.skn\n");
    return 2;
  }
  const QList<skinpack::Entry> entries = skinpack::ReadSkinFolder(args[1]);
  if (entries.isEmpty() || !entries.first().name.toLower().endsWith(".ini")) {
    std::fprintf(stderr, "cq-skinpack: %s holds no INI text\n", qPrintable(args[1]));
    return 1;
  }
  const QByteArray skinFile = skinpack::PackFolder(args[1]);
  QDir().mkpath(QFileInfo(args[2]).absolutePath());
  QFile out(args[2]);
  if (!out.open(QIODevice::WriteOnly) || out.write(skinFile) != skinFile.size()) {
    std::fprintf(stderr, "cq-skinpack: cannot write %s\n", qPrintable(args[2]));
    return 1;
  }
  std::printf("%s: %lld entries, %lld bytes\n", qPrintable(args[2]), static_cast<long long>(entries.size()),
              static_cast<long long>(skinFile.size()));
  return 0;
}
