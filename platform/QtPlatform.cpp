#include "platform/QtPlatform.h"

#include <QtGlobal>
#include <cstring>

namespace platform {

namespace {

char kPlatformOption[] = "-platform";
char kX11[] = "xcb";

// Qt reads "-platform NAME" and "--platform NAME" alike.
bool NamesPlatform(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) return true;
  return false;
}

}  // namespace

bool AsksForX11(const EnvLookup& env, int argc, char** argv) {
  if (!env("QT_QPA_PLATFORM").isEmpty() || NamesPlatform(argc, argv)) return false;
  // Without an X display there is nothing to ask for: Qt's own choice is the
  // only way the program can start at all.
  return !env("WAYLAND_DISPLAY").isEmpty() && !env("DISPLAY").isEmpty();
}

TQtArguments::TQtArguments(int argc, char** argv)
    : TQtArguments(argc, argv, [](const char* name) { return qgetenv(name); }) {}

TQtArguments::TQtArguments(int argc, char** argv, const EnvLookup& env) : values_(argv, argv + argc) {
  if (AsksForX11(env, argc, argv)) {
    // After the program's name, where Qt looks for its own options.
    values_.insert(values_.begin() + (argc > 0 ? 1 : 0), {kPlatformOption, kX11});
  }
  count_ = static_cast<int>(values_.size());
  values_.push_back(nullptr);  // argv[argc] is null, as in main()
}

}  // namespace platform
