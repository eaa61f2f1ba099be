#include "platform/XwaylandFrames.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QScreen>
#include <cstdlib>
#include <memory>
#include <unordered_map>
#include <xcb/xcb.h>

namespace platform {

namespace {

// The bit of an event's type that marks it as sent by a client (SendEvent).
constexpr uint8_t kSentEvent = 0x80;

template <class T>
struct FreeReply {
  void operator()(T* p) const { std::free(p); }
};
template <class T>
using Reply = std::unique_ptr<T, FreeReply<T>>;

// Turns a ConfigureNotify of a watched frame into the one the window manager
// owed the window inside it: the window's own size and its place on the root,
// marked as sent by a client, the form in which Qt takes the place as given.
class FrameWatch : public QObject, public QAbstractNativeEventFilter {
 public:
  FrameWatch(xcb_connection_t* c, xcb_window_t root, QObject* parent) : QObject(parent), c_(c), root_(root) {}

  bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
    if (type != "xcb_generic_event_t") return false;
    auto* event = static_cast<xcb_generic_event_t*>(message);
    switch (event->response_type & ~kSentEvent) {
      case XCB_REPARENT_NOTIFY:
        Reparented(reinterpret_cast<xcb_reparent_notify_event_t*>(event));
        break;
      case XCB_CONFIGURE_NOTIFY:
        Configured(reinterpret_cast<xcb_configure_notify_event_t*>(event));
        break;
      case XCB_DESTROY_NOTIFY:
        frames_.erase(reinterpret_cast<xcb_destroy_notify_event_t*>(event)->window);
        break;
      default:
        break;
    }
    return false;  // Qt handles every event, rewritten or not
  }

 private:
  // Qt hears of its own windows' reparenting; the new parent is the frame.
  void Reparented(const xcb_reparent_notify_event_t* e) {
    std::erase_if(frames_, [&](const auto& entry) { return entry.second == e->window; });
    if (e->parent == root_) return;
    const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(c_, e->parent, XCB_CW_EVENT_MASK, &mask);
    frames_[e->parent] = e->window;
  }

  void Configured(xcb_configure_notify_event_t* e) const {
    const auto frame = frames_.find(e->window);
    if (frame == frames_.end()) return;
    const xcb_window_t client = frame->second;
    const Reply<xcb_translate_coordinates_reply_t> at(
        xcb_translate_coordinates_reply(c_, xcb_translate_coordinates(c_, client, root_, 0, 0), nullptr));
    const Reply<xcb_get_geometry_reply_t> size(xcb_get_geometry_reply(c_, xcb_get_geometry(c_, client), nullptr));
    if (!at || !size) return;  // the window is gone: Qt ignores the frame's event
    e->response_type = XCB_CONFIGURE_NOTIFY | kSentEvent;
    e->event = client;
    e->window = client;
    e->x = at->dst_x;
    e->y = at->dst_y;
    e->width = size->width;
    e->height = size->height;
  }

  xcb_connection_t* c_;
  xcb_window_t root_;
  std::unordered_map<xcb_window_t, xcb_window_t> frames_;  // frame -> the program's window in it
};

}  // namespace

bool IsXwayland() {
  for (const QScreen* screen : QGuiApplication::screens())
    if (screen->name().startsWith(QLatin1String("XWAYLAND"))) return true;
  return false;
}

void WatchWindowManagerFrames() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (!x11 || !x11->connection() || !IsXwayland()) return;
  xcb_connection_t* c = x11->connection();
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
  if (!screen) return;
  qGuiApp->installNativeEventFilter(new FrameWatch(c, screen->root, qGuiApp));
}

}  // namespace platform
