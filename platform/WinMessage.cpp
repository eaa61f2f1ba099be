#include "platform/WinMessage.h"

#include <QCoreApplication>
#include <QObject>

namespace platform {

WinMessage::WinMessage(int msg, WPARAM w, LPARAM l) : QEvent(static_cast<QEvent::Type>(msg)), wParam(w), lParam(l) {}

namespace {
bool IsEngineNumber(int type) {
  return type == WM_NCDESTROY || (type >= SKM_REFRESH && type <= SKM_BUTTONVISIBLE);
}
}  // namespace

WinMessage* AsWinMessage(QEvent* e) {
  if (!e || !IsEngineNumber(static_cast<int>(e->type()))) return nullptr;
  return dynamic_cast<WinMessage*>(e);
}

bool IsMessage(const QEvent* e, int msg) { return e && static_cast<int>(e->type()) == msg && AsWinMessage(const_cast<QEvent*>(e)); }

LRESULT SendMessage(QObject* receiver, int msg, WPARAM wParam, LPARAM lParam) {
  if (!receiver) return 0;
  WinMessage m(msg, wParam, lParam);
  QCoreApplication::sendEvent(receiver, &m);
  return m.Result;
}

void PostMessage(QObject* receiver, int msg, WPARAM wParam, LPARAM lParam) {
  if (!receiver) return;
  QCoreApplication::postEvent(receiver, new WinMessage(msg, wParam, lParam));
}

}  // namespace platform
