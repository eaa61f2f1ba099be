#pragma once
// What frame a window gets, from what it is when it is attached: its frame
// kind, the caption abilities its flags give (system menu, minimise,
// maximise), whether it is a message window and whether its class is a
// Unicode one. A pure function over the window's facts, so every rule can be
// tried without a window.
#include <QString>
#include <Qt>

#include "skin/frame/CaptionButtons.h"
#include "skin/frame/FrameGeometry.h"
#include "toolkit/Form.h"

class QWidget;

namespace skin {

// What the classification looks at.
struct TFrameFacts {
  Qt::WindowFlags flags;
  QString windowClass;
  // Application forms are classified by their border style, foreign windows
  // by their flags and size limits.
  bool isForm = false;
  toolkit::TFormBorderStyle borderStyle = toolkit::bsSizeable;
  // Minimum and maximum size are equal (and wider than 0).
  bool fixedSize = false;
};

struct TFrameClass {
  TFrameKind kind = fkFixed;
  TCaptionCaps caps;
  bool dialog = false;   // window class "#32770" or "TMessageForm"
  bool unicode = false;  // window class containing ".UnicodeClass"
  friend bool operator==(const TFrameClass& a, const TFrameClass& b) {
    return a.kind == b.kind && a.caps.SystemMenu == b.caps.SystemMenu && a.caps.Minimize == b.caps.Minimize &&
           a.caps.Maximize == b.caps.Maximize && a.dialog == b.dialog && a.unicode == b.unicode;
  }
};

TFrameClass ClassifyFrame(const TFrameFacts& facts);
// The facts of `w` as it is now (`form` when it is an application form).
TFrameFacts FrameFactsOf(const QWidget* w, const toolkit::TForm* form);

}  // namespace skin
