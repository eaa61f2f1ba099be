#pragma once
// The skin engine's private window messages as Qt events: a WinMessage is a
// QEvent whose type is the message number and which carries wParam, lParam and
// a result, sent (synchronously, the result read back) or posted (queued).
#include <QEvent>
#include <cstdint>

class QObject;

namespace platform {

using WPARAM = std::intptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

// Message numbers (in Qt's user event range, so no Qt event type collides).
enum : int {
  SKM_REFRESH = 0x3401,         // refresh a form's skin
  SKM_REPAINTFRAME = 0x3502,    // repaint a frame
  SKM_ATTACHCONTROLS = 0x3503,  // attach the control skinners of a window
  SKM_QUERYSKINNED = 0x3504,    // a skinned window answers 1
  SKM_PAINTING = 0x3506,        // switch a control skinner's painting on (wParam > 0) or off
  SKM_CUSTOMACTION = 0x3514,    // caption button action not handled by the frame (wParam = Action)
  SKM_BUTTONVISIBLE = 0x3515,   // is caption button wParam shown? (result > 0: shown)
  // A notice the platform layer raises where Windows has a message of its own:
  // the window is being destroyed (only its QObject part is left; see Subclass).
  WM_NCDESTROY = 0x3082,
};
// The other Windows messages the engine and the controls react to are Qt
// events: WM_PAINT is QEvent::Paint, WM_SETFOCUS/WM_KILLFOCUS FocusIn/FocusOut,
// WM_ENABLE and CM_ENABLEDCHANGED EnabledChange, CM_MOUSEENTER/CM_MOUSELEAVE
// Enter/Leave, WM_SIZE Resize, WM_ACTIVATE WindowActivate/WindowDeactivate.

// The event that carries one message.
class WinMessage : public QEvent {
 public:
  WinMessage(int msg, WPARAM wParam = 0, LPARAM lParam = 0);
  int Msg() const { return static_cast<int>(type()); }
  WPARAM wParam;
  LPARAM lParam;
  LRESULT Result = 0;
  // Set by a handler that acted on the message.
  bool Handled = false;
};

// The message carried by `e`, or nullptr when `e` is an ordinary Qt event.
WinMessage* AsWinMessage(QEvent* e);
// Whether `e` is message `msg`.
bool IsMessage(const QEvent* e, int msg);

// Delivers the message at once and returns the receiver's result (0 when the
// receiver is gone or nothing answered).
LRESULT SendMessage(QObject* receiver, int msg, WPARAM wParam = 0, LPARAM lParam = 0);
// Queues the message; it is delivered from the event loop (and dropped when the
// receiver is destroyed first).
void PostMessage(QObject* receiver, int msg, WPARAM wParam = 0, LPARAM lParam = 0);

}  // namespace platform
