#include <gtest/gtest.h>

#include <xcb/xcb.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QThread>
#include <cstdlib>

#include "tests/e2e/E2E.h"

// The program starts on its shipped data, shows its maximised main window with
// the menu bar at the top and the status bar at the bottom, and saves its own
// screenshot when asked.
TEST(Startup, ScreenshotShowsTheMainWindowWithMenuAndStatusBar) {
  e2e::VirtualDisplay display;
  ASSERT_TRUE(display.Ok()) << "Xvfb did not start";
  const QString file = QDir(e2e::ShotDir()).filePath(QStringLiteral("startup.png"));
  QFile::remove(file);
  e2e::ProgramCopy copy;
  ASSERT_TRUE(copy.Ok()) << "cannot copy " << e2e::BinDir().toStdString();
  QProcess program;
  program.setWorkingDirectory(copy.Dir());
  program.setProcessEnvironment(display.Environment());
  program.start(QDir(copy.Dir()).filePath(QStringLiteral("cinnabarquillpad")), {QStringLiteral("--screenshot"), file});
  ASSERT_TRUE(program.waitForFinished(60000));
  EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();

  const QImage shot(file);
  ASSERT_FALSE(shot.isNull());
  EXPECT_EQ(shot.size(), QSize(1280, 900));
  // The maximised window covers the screen (the skin's rounded corners aside):
  // no pixel of the black root window is left along its edges' middles.
  EXPECT_NE(shot.pixelColor(640, 450), QColor(Qt::black));
  EXPECT_NE(shot.pixelColor(1279, 450), QColor(Qt::black));
  EXPECT_NE(shot.pixelColor(640, 899), QColor(Qt::black));
  // Menu bar text below the skinned caption and status bar text in the bottom
  // strip: dark pixels there.
  auto darkPixels = [&](int y0, int y1) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = 0; x < 400; ++x) n += shot.pixelColor(x, y).lightness() < 80;
    return n;
  };
  EXPECT_GT(darkPixels(0, 60), 20);
  EXPECT_GT(darkPixels(878, 898), 20);
}

namespace {

// Grabs one rectangle of the root window straight from the server, many
// times a second (a screenshot tool would take a tenth of a second a shot),
// and tells whether a window of a given title is mapped.
class RegionGrabber {
 public:
  RegionGrabber(const e2e::VirtualDisplay& display, QRect region)
      : c_(xcb_connect(display.Name().toLocal8Bit().constData(), nullptr)), region_(region) {
    if (xcb_connection_has_error(c_)) return;
    root_ = xcb_setup_roots_iterator(xcb_get_setup(c_)).data->root;
    xcb_intern_atom_reply_t* a = xcb_intern_atom_reply(c_, xcb_intern_atom(c_, 0, 12, "_NET_WM_NAME"), nullptr);
    xcb_intern_atom_reply_t* u = xcb_intern_atom_reply(c_, xcb_intern_atom(c_, 0, 11, "UTF8_STRING"), nullptr);
    if (a) netWmName_ = a->atom;
    if (u) utf8_ = u->atom;
    free(a);
    free(u);
  }
  ~RegionGrabber() { xcb_disconnect(c_); }
  bool Ok() const { return root_ != 0 && netWmName_ != 0; }
  QImage Grab() const {
    xcb_get_image_reply_t* r = xcb_get_image_reply(
        c_,
        xcb_get_image(c_, XCB_IMAGE_FORMAT_Z_PIXMAP, root_, static_cast<int16_t>(region_.x()),
                      static_cast<int16_t>(region_.y()), static_cast<uint16_t>(region_.width()),
                      static_cast<uint16_t>(region_.height()), ~0u),
        nullptr);
    if (!r) return {};
    const QImage image(xcb_get_image_data(r), region_.width(), region_.height(), region_.width() * 4,
                       QImage::Format_RGB32);
    QImage copy = image.copy();
    free(r);
    return copy;
  }
  // Whether a window titled `title` (a client, or inside a manager's frame) is viewable.
  bool Viewable(const QString& title) {
    if (!window_) window_ = Find(root_, title.toUtf8(), 0);
    if (!window_) return false;
    xcb_get_window_attributes_reply_t* a =
        xcb_get_window_attributes_reply(c_, xcb_get_window_attributes(c_, window_), nullptr);
    const bool viewable = a && a->map_state == XCB_MAP_STATE_VIEWABLE;
    free(a);
    return viewable;
  }

  // Where the window found by Viewable lies on the screen.
  QRect Geometry() const {
    xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(c_, xcb_get_geometry(c_, window_), nullptr);
    xcb_translate_coordinates_reply_t* t =
        xcb_translate_coordinates_reply(c_, xcb_translate_coordinates(c_, window_, root_, 0, 0), nullptr);
    const QRect r = g && t ? QRect(t->dst_x, t->dst_y, g->width, g->height) : QRect();
    free(g);
    free(t);
    return r;
  }

 private:
  xcb_window_t Find(xcb_window_t parent, const QByteArray& title, int depth) {
    xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c_, xcb_query_tree(c_, parent), nullptr);
    if (!tree) return 0;
    const xcb_window_t* children = xcb_query_tree_children(tree);
    const int n = xcb_query_tree_children_length(tree);
    xcb_window_t found = 0;
    for (int i = 0; i < n && !found; ++i) {
      xcb_get_property_reply_t* p =
          xcb_get_property_reply(c_, xcb_get_property(c_, 0, children[i], netWmName_, utf8_, 0, 256), nullptr);
      if (p && QByteArray(static_cast<const char*>(xcb_get_property_value(p)), xcb_get_property_value_length(p)) == title)
        found = children[i];
      free(p);
      if (!found && depth < 2) found = Find(children[i], title, depth + 1);
    }
    free(tree);
    return found;
  }

  xcb_connection_t* c_;
  xcb_window_t root_ = 0;
  xcb_atom_t netWmName_ = 0, utf8_ = 0;
  xcb_window_t window_ = 0;
  QRect region_;
};

}  // namespace

// The tip window opens at start-up under a window manager already skinned:
// every grab of its place taken while it is mapped shows either what lay
// there before (not painted yet) or the tip window as it ends up (its frame
// aside, which turns active), never the inside of an unskinned window (moved
// by the missing frame, with the platform's scroll bars) or a black one.
TEST(Startup, TheTipWindowShowsSkinnedFromItsFirstAppearance) {
  e2e::VirtualDisplay display;
  ASSERT_TRUE(display.Ok());
  e2e::WindowManager openbox(display);
  ASSERT_TRUE(openbox.Ok());
  e2e::ProgramCopy copy;
  ASSERT_TRUE(copy.Ok());
  ASSERT_TRUE(copy.SetTipSettings(QStringLiteral("1"), QStringLiteral("2")));
  const QString title = QStringLiteral("每日一贴");
  // Where a centred tip window of about 330 x 280 lies on the 1280 x 900 screen, with room.
  const QRect region(420, 250, 440, 400);
  RegionGrabber grabber(display, region);
  ASSERT_TRUE(grabber.Ok());
  e2e::RunningProgram program(display, copy, {}, {QStringLiteral("--skin"), QStringLiteral("0")});
  ASSERT_TRUE(program.Started());
  QImage before;         // the last grab while the tip window was not mapped
  QList<QImage> mapped;  // the grabs while it was
  QDeadlineTimer deadline(e2e::Patience(20000));
  QDeadlineTimer settle;
  while (!deadline.hasExpired() && !(!mapped.isEmpty() && settle.hasExpired())) {
    const bool viewable = grabber.Viewable(title);
    const QImage g = grabber.Grab();
    if (!viewable) {
      before = g;
    } else {
      if (mapped.isEmpty()) settle = QDeadlineTimer(e2e::Patience(1500));
      if (mapped.isEmpty() || g != mapped.last()) mapped.append(g);
    }
    QThread::msleep(3);
  }
  ASSERT_FALSE(mapped.isEmpty()) << "no tip window";
  const QRect tip = grabber.Geometry();
  ASSERT_TRUE(region.contains(tip)) << "the tip window lies outside the grabbed region";
  const QRect place = tip.translated(-region.topLeft());
  // Inside the frame, whose colours follow whether the window is active.
  const QRect inside = place.adjusted(8, 26, -8, -8);
  const QImage& last = mapped.last();
  const int area = inside.width() * inside.height();
  for (qsizetype i = 0; i < mapped.size(); ++i) {
    const QImage& g = mapped[i];
    const bool unpainted = !before.isNull() && e2e::DifferentPixels(g, before, place) == 0;
    // The text box's caret and its focused border may change between grabs:
    // a few pixels; a window shown unskinned has its whole inside moved.
    const bool final = e2e::DifferentPixels(g, last, inside) < area * 3 / 100;
    if (!unpainted && !final) {
      g.save(QDir(e2e::ShotDir()).filePath(QStringLiteral("tip-flash-%1.png").arg(i)));
      ADD_FAILURE() << "grab " << i << " of " << mapped.size() << " shows the tip window otherwise than it ends up ("
                    << e2e::DifferentPixels(g, last, inside) << " of " << area << " pixels differ); kept as tip-flash-" << i;
    }
  }
  EXPECT_TRUE(program.Running());
}
