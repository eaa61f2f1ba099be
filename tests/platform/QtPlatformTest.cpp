#include <gtest/gtest.h>

#include <QByteArray>
#include <map>
#include <string>
#include <vector>

#include "platform/QtPlatform.h"

namespace {

// Where the program starts: a desktop session's variables and the command line.
struct Start {
  const char* name;
  std::map<std::string, QByteArray> env;
  std::vector<std::string> args;  // after the program's name
  bool asksForX11;
};

std::vector<std::string> QtArguments(const Start& s) {
  std::vector<std::string> owned = {"cinnabarquillpad"};
  owned.insert(owned.end(), s.args.begin(), s.args.end());
  std::vector<char*> argv;
  for (std::string& a : owned) argv.push_back(a.data());
  argv.push_back(nullptr);
  platform::TQtArguments qt(static_cast<int>(owned.size()), argv.data(), [&](const char* name) {
    const auto it = s.env.find(name);
    return it == s.env.end() ? QByteArray() : it->second;
  });
  std::vector<std::string> seen;
  for (int i = 0; i < qt.Count(); ++i) seen.emplace_back(qt.Values()[i]);
  EXPECT_EQ(qt.Values()[qt.Count()], nullptr) << "the list ends with a null, as main()'s does";
  return seen;
}

}  // namespace

// The program asks for X11 exactly in a Wayland session that offers an X
// display, and only when the reader chose no platform; its own arguments
// follow in their order.
TEST(QtPlatform, AsksForX11InWaylandSessionsWithAnXDisplayUnlessTheReaderChose) {
  const std::map<std::string, QByteArray> wayland = {
      {"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}, {"XDG_SESSION_TYPE", "wayland"}};
  auto with = [&](std::map<std::string, QByteArray> env, const std::string& key, const QByteArray& value) {
    env[key] = value;
    return env;
  };
  const Start starts[] = {
      {"X11 session", {{"DISPLAY", ":0"}, {"XDG_SESSION_TYPE", "x11"}}, {}, false},
      {"X11 session with arguments", {{"DISPLAY", ":1"}}, {"--skin", "3"}, false},
      {"Wayland session with Xwayland", wayland, {}, true},
      {"Wayland socket named as a path, no session type",
       {{"WAYLAND_DISPLAY", "/run/user/1000/w"}, {"DISPLAY", ":5"}},
       {"--skin", "off"},
       true},
      {"Wayland session without an X display", with(wayland, "DISPLAY", ""), {}, false},
      {"empty WAYLAND_DISPLAY is no Wayland session", {{"WAYLAND_DISPLAY", ""}, {"DISPLAY", ":0"}}, {}, false},
      {"the reader chose Wayland", with(wayland, "QT_QPA_PLATFORM", "wayland"), {}, false},
      {"the reader chose X11 already", with(wayland, "QT_QPA_PLATFORM", "xcb"), {}, false},
      {"an empty QT_QPA_PLATFORM chooses nothing", with(wayland, "QT_QPA_PLATFORM", ""), {}, true},
      {"-platform on the command line", wayland, {"-platform", "wayland"}, false},
      {"--platform after other arguments", wayland, {"--skin", "2", "--platform", "offscreen"}, false},
      {"a value that only looks like the option", wayland, {"--screenshot", "-platform.png"}, true},
  };
  for (const Start& s : starts) {
    SCOPED_TRACE(s.name);
    std::vector<std::string> expected = {"cinnabarquillpad"};
    if (s.asksForX11) expected.insert(expected.end(), {"-platform", "xcb"});
    expected.insert(expected.end(), s.args.begin(), s.args.end());
    EXPECT_EQ(QtArguments(s), expected);
  }
}
