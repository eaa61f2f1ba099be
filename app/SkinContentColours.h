#pragma once
// The contents of the main window and the tip window in a skin's own window colours, when the skin
// gives them (the dark skin for reading at night does): the text pane, both
// tables, the era and author lists with their captions and highlights, the
// search strip and keyword box, the info bar's and the speech bar's texts.
// Skins that give none leave every part the colours it was built with, and
// switching to one from a skin that gives them puts those colours back,
// except where something else has changed a colour since.
#include <functional>
#include <vector>

#include "platform/Color.h"

namespace skin {
class TSkinData;
struct TSkinColours;
}

namespace tip {
class TForm2;
}

namespace app {

class TForm1;

class SkinContentColours {
 public:
  // Which of the skin's colours a part takes.
  enum Role { kWindow, kWindowText, kButtonFace, kButtonText, kHilight, kHilightText };
  struct Part {
    std::function<platform::TColor()> get;
    std::function<void(platform::TColor)> set;
    Role role;
  };

  // A part added while the skin's colours are on takes them at the next Follow.
  void Add(Part part);
  // Makes a member pair of a control a part.
  template <typename W>
  void Add(W* w, platform::TColor (W::*get)() const, void (W::*set)(platform::TColor), Role role) {
    if (w) Add({[w, get] { return (w->*get)(); }, [w, set](platform::TColor c) { (w->*set)(c); }, role});
  }

  // Follows the skin in force: its window colours when it is on and gives
  // them, else the parts' own.
  void Follow(const skin::TSkinData& data);
  bool Applied() const { return applied_; }

  static platform::TColor ColourOf(const skin::TSkinColours& c, Role role);

 private:
  std::vector<Part> parts_;
  std::vector<platform::TColor> own_;    // what the parts had before
  std::vector<platform::TColor> given_;  // what the skin gave them
  bool applied_ = false;
};

// The parts of the main window.
void AddMainWindowParts(SkinContentColours& colours, TForm1& form);
// The parts of the daily tip window: its text, title and page buttons.
void AddTipWindowParts(SkinContentColours& colours, tip::TForm2& tip);

}  // namespace app
