// cq-settings: installs the settings file beside the program.
//
//   cq-settings SHIPPED INSTALLED
//
// Copies SHIPPED to INSTALLED, keeping the [tip] values of an INSTALLED file
// that is there already.
#include <cstdio>

#include "tools/settings/InstallSettings.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: cq-settings SHIPPED INSTALLED\n");
    return 2;
  }
  QString error;
  if (!settings::InstallSettings(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]), &error)) {
    std::fprintf(stderr, "cq-settings: %s\n", error.toLocal8Bit().constData());
    return 1;
  }
  return 0;
}
