#include "platform/WindowManager.h"

#include <QGuiApplication>
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

namespace platform {
namespace {

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
  xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, static_cast<uint16_t>(strlen(name)), name), nullptr);
  const xcb_atom_t atom = r ? r->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
  free(r);
  return atom;
}

}  // namespace

bool HasWindowManager() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (!x11 || !x11->connection()) return false;
  xcb_connection_t* c = x11->connection();
  const xcb_atom_t check = Atom(c, "_NET_SUPPORTING_WM_CHECK");
  if (check == XCB_ATOM_NONE) return false;
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
  if (!screen) return false;
  xcb_get_property_reply_t* r =
      xcb_get_property_reply(c, xcb_get_property(c, 0, screen->root, check, XCB_ATOM_WINDOW, 0, 1), nullptr);
  bool found = false;
  if (r) {
    found = xcb_get_property_value_length(r) >= 4;
    free(r);
  }
  return found;
}

}  // namespace platform
