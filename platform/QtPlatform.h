#pragma once
// Which Qt platform plugin the program runs on. It draws its own frames, shapes
// its windows to the skin, places windows itself (centred dialogs and the tip
// window) and moves them by hand where no window manager helps: all of that
// needs X11. A Wayland session offers an X display through Xwayland, and there
// the program asks for the X11 plugin ("xcb"); Qt would otherwise take its
// Wayland plugin where one is installed. A platform the reader chose
// (QT_QPA_PLATFORM, or -platform on the command line) is kept, and so is
// everything under X11.
#include <QByteArray>
#include <functional>
#include <vector>

namespace platform {

// An environment variable's value, empty when unset.
using EnvLookup = std::function<QByteArray(const char* name)>;

// Whether the program asks for the X11 plugin; false leaves Qt's own choice.
bool AsksForX11(const EnvLookup& env, int argc, char** argv);

// The program's arguments for the application object, with "-platform xcb"
// added when AsksForX11. Passing it there, not through the
// environment, keeps the choice from the programs this one starts (a browser
// for a web link stays on the session's own platform).
class TQtArguments {
 public:
  TQtArguments(int argc, char** argv);
  TQtArguments(int argc, char** argv, const EnvLookup& env);
  int& Count() { return count_; }
  char** Values() { return values_.data(); }

 private:
  std::vector<char*> values_;
  int count_ = 0;
};

}  // namespace platform
