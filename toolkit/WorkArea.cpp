#include "toolkit/WorkArea.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "platform/WindowManager.h"

namespace toolkit {
namespace {

// One axis: logical positions are counted from the screen's origin, and
// display pixels as Qt rounds them (qRound of position and of length apart).
struct Axis {
  double f;
  int Native(int logical) const { return qRound(logical * f); }
  // The first logical position that shows at or after display pixel `n`.
  int FirstAtOrAfter(int n) const {
    int p = static_cast<int>(n / f);
    while (Native(p) < n) ++p;
    while (Native(p - 1) >= n) --p;
    return p;
  }
  // The longest logical length that, from `p`, ends at or before `end` (exclusive).
  int LongestTo(int p, int end) const {
    const int room = end - Native(p);
    if (room <= 0) return 0;
    int l = static_cast<int>(room / f);
    while (Native(l + 1) <= room) ++l;
    while (l > 0 && Native(l) > room) --l;
    return l;
  }
  // The last logical position from which `length` ends at or before `end`.
  int LastFor(int length, int end) const {
    const int n = Native(length);
    int p = static_cast<int>((end - n) / f);
    while (Native(p + 1) + n <= end) ++p;
    while (Native(p) + n > end) --p;
    return p;
  }

  // Start and length along the axis for the range [a, b) of display pixels.
  std::pair<int, int> Place(int start, int length, int a, int b, TPlacing how) const {
    const int first = FirstAtOrAfter(a);
    const int longest = LongestTo(first, b);
    if (how == TPlacing::Filled) return {first, longest};
    length = std::clamp(length, 0, longest);
    if (how == TPlacing::Centred) start = FirstAtOrAfter(a + (b - a - Native(length)) / 2);
    start = std::min(start, LastFor(length, b));
    return {std::max(start, first), length};
  }
};

}  // namespace

QRect NativeRect(const QRect& logical, const TWorkArea& area) {
  const Axis axis{area.scale};
  const QPoint p = logical.topLeft() - area.origin;
  return {axis.Native(p.x()), axis.Native(p.y()), axis.Native(logical.width()), axis.Native(logical.height())};
}

QRect PlaceInWorkArea(const QRect& wanted, const TWorkArea& area, TPlacing how) {
  const Axis axis{area.scale};
  const QPoint p = wanted.topLeft() - area.origin;
  const QRect& n = area.native;
  const auto [x, w] = axis.Place(p.x(), wanted.width(), n.left(), n.left() + n.width(), how);
  const auto [y, h] = axis.Place(p.y(), wanted.height(), n.top(), n.top() + n.height(), how);
  return QRect(area.origin + QPoint(x, y), QSize(w, h));
}

TWorkArea WorkAreaOf(const QScreen* screen) {
  if (!screen) screen = QGuiApplication::primaryScreen();
  TWorkArea area;
  if (!screen) return area;
  area.scale = screen->devicePixelRatio();
  area.origin = screen->geometry().topLeft();
  if (const std::optional<QRect> native = platform::NativeWorkArea(screen)) {
    area.native = *native;
    return area;
  }
  // Without the display's own figures the logical area is scaled, rounded
  // down, so that a window never ends past the edge.
  const QRect logical = screen->availableGeometry().translated(-area.origin);
  auto down = [&area](int v) { return static_cast<int>(v * area.scale); };
  area.native = QRect(down(logical.x()), down(logical.y()), down(logical.width()), down(logical.height()));
  return area;
}

QRect PlacedGeometry(const QWidget* window, const QRect& wanted, TPlacing how) {
  return PlaceInWorkArea(wanted, WorkAreaOf(window ? window->screen() : nullptr), how);
}

void PlaceWindow(QWidget* window, TPlacing how) {
  if (!window) return;
  // A frame the window manager draws around the window counts in.
  const QRect inner = window->geometry();
  const QRect outer = window->isVisible() ? window->frameGeometry() : inner;
  const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                       outer.bottom() - inner.bottom());
  const QRect placed = PlacedGeometry(window, outer, how).marginsRemoved(frame);
  if (placed != inner) window->setGeometry(placed);
}

QRect FilledGeometry(const QWidget* window) { return PlacedGeometry(window, QRect(), TPlacing::Filled); }

}  // namespace toolkit
