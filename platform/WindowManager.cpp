#include "platform/WindowManager.h"

#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QWindow>
#include <algorithm>
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

xcb_connection_t* Connection() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->connection() : nullptr;
}

// Whether the window manager lists `atom` in _NET_SUPPORTED.
bool Supports(xcb_connection_t* c, xcb_window_t root, xcb_atom_t atom) {
  const xcb_atom_t supported = Atom(c, "_NET_SUPPORTED");
  if (supported == XCB_ATOM_NONE || atom == XCB_ATOM_NONE) return false;
  xcb_get_property_reply_t* r =
      xcb_get_property_reply(c, xcb_get_property(c, 0, root, supported, XCB_ATOM_ATOM, 0, 4096), nullptr);
  bool found = false;
  if (r) {
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(r));
    const int count = xcb_get_property_value_length(r) / static_cast<int>(sizeof(xcb_atom_t));
    for (int i = 0; i < count && !found; ++i) found = atoms[i] == atom;
    free(r);
  }
  return found;
}

// The _NET_WM_MOVERESIZE direction for a resize by `edges` (8: a move).
uint32_t Direction(Qt::Edges edges) {
  const bool left = edges & Qt::LeftEdge, right = edges & Qt::RightEdge;
  const bool top = edges & Qt::TopEdge, bottom = edges & Qt::BottomEdge;
  if (top) return left ? 0 : right ? 2 : 1;
  if (bottom) return left ? 6 : right ? 4 : 5;
  if (right) return 3;
  if (left) return 7;
  return 8;
}

}  // namespace

bool StartWindowManagerDrag(QWindow* window, const QPoint& from, Qt::Edges edges) {
  xcb_connection_t* c = Connection();
  if (!window || !c || !HasWindowManager()) return false;
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
  const xcb_atom_t moveResize = Atom(c, "_NET_WM_MOVERESIZE");
  if (!screen || !Supports(c, screen->root, moveResize)) return false;
  const qreal ratio = window->devicePixelRatio();
  xcb_client_message_event_t message{};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = static_cast<xcb_window_t>(window->winId());
  message.type = moveResize;
  message.data.data32[0] = static_cast<uint32_t>(qRound(from.x() * ratio));
  message.data.data32[1] = static_cast<uint32_t>(qRound(from.y() * ratio));
  message.data.data32[2] = Direction(edges);
  message.data.data32[3] = XCB_BUTTON_INDEX_1;
  message.data.data32[4] = 1;  // asked for by an application
  // The window manager grabs the pointer for the drag: ours goes first.
  xcb_ungrab_pointer(c, XCB_CURRENT_TIME);
  xcb_send_event(c, 0, screen->root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&message));
  xcb_flush(c);
  return true;
}

bool HasWindowManager() {
  xcb_connection_t* c = Connection();
  if (!c) return false;
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

std::optional<QRect> NativeWorkArea(const QScreen* screen) {
  xcb_connection_t* c = Connection();
  if (!c || !screen || QGuiApplication::screens().size() != 1) return std::nullopt;
  const xcb_screen_t* root = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
  if (!root) return std::nullopt;
  QRect area(0, 0, root->width_in_pixels, root->height_in_pixels);
  const xcb_atom_t workArea = Atom(c, "_NET_WORKAREA");
  if (workArea == XCB_ATOM_NONE || !HasWindowManager()) return area;
  // x, y, width, height of each desktop; the first desktop's.
  xcb_get_property_reply_t* r =
      xcb_get_property_reply(c, xcb_get_property(c, 0, root->root, workArea, XCB_ATOM_CARDINAL, 0, 4), nullptr);
  if (r) {
    if (xcb_get_property_value_length(r) >= 16) {
      const auto* v = static_cast<const uint32_t*>(xcb_get_property_value(r));
      const QRect offered(static_cast<int>(v[0]), static_cast<int>(v[1]), static_cast<int>(v[2]), static_cast<int>(v[3]));
      if (offered.intersects(area)) area &= offered;
    }
    free(r);
  }
  return area;
}

bool SetMapPicture(QWindow* window, const QImage& picture) {
  xcb_connection_t* c = Connection();
  if (!c || !window || picture.isNull()) return false;
  const auto w = static_cast<xcb_window_t>(window->winId());
  xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(c, xcb_get_geometry(c, w), nullptr);
  const uint8_t depth = g ? g->depth : 0;
  free(g);
  // Pictures in 32-bit pixels only: depth 24 and 32 visuals.
  if (depth != 24 && depth != 32) return false;
  const QImage image = picture.convertToFormat(depth == 32 ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
  const xcb_pixmap_t pixmap = xcb_generate_id(c);
  xcb_create_pixmap(c, depth, pixmap, w, static_cast<uint16_t>(image.width()), static_cast<uint16_t>(image.height()));
  const xcb_gcontext_t gc = xcb_generate_id(c);
  xcb_create_gc(c, gc, pixmap, 0, nullptr);
  // In bands of rows that fit one request.
  const int stride = static_cast<int>(image.bytesPerLine());
  const int rowsPerRequest = std::max(1, static_cast<int>((xcb_get_maximum_request_length(c) * 4 - 64) / stride));
  for (int y = 0; y < image.height(); y += rowsPerRequest) {
    const int rows = std::min(rowsPerRequest, image.height() - y);
    xcb_put_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap, gc, static_cast<uint16_t>(image.width()),
                  static_cast<uint16_t>(rows), 0, static_cast<int16_t>(y), 0, depth,
                  static_cast<uint32_t>(stride * rows), image.constScanLine(y));
  }
  xcb_free_gc(c, gc);
  const uint32_t value = pixmap;
  xcb_change_window_attributes(c, w, XCB_CW_BACK_PIXMAP, &value);
  // The window holds the pixmap now.
  xcb_free_pixmap(c, pixmap);
  xcb_flush(c);
  return true;
}

void ClearMapPicture(QWindow* window) {
  xcb_connection_t* c = Connection();
  if (!c || !window) return;
  const uint32_t none = XCB_BACK_PIXMAP_NONE;
  xcb_change_window_attributes(c, static_cast<xcb_window_t>(window->winId()), XCB_CW_BACK_PIXMAP, &none);
  xcb_flush(c);
}

}  // namespace platform
