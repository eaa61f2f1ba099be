#pragma once
// Painting the skinned menu bar without a window: the background from the
// skin's menu-bar element (or the Menubar colour), the items laid out from
// their captions, and each item drawn in its state. Coordinates are the bar's
// own (0, 0 at its top-left corner); rectangles are QRects.
#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>
#include <vector>

namespace skin {

class TSkinElements;
struct TSkinColours;

// One top-level item as the bar shows it.
struct TMenuBarEntry {
  QString caption;  // with its accelerator mark
  bool visible = true;
  bool enabled = true;
  int state = 1;  // 1 normal, 2 pressed, 3 mouse over
};

// The x where the first item starts: TileLeftMenu + 4 with the skin's
// menu-bar element (12 when the bar is narrower than that), 6 without it.
// Right-to-left bars count from the right edge instead: the first item ends
// there.
int MenuBarItemStart(const TSkinElements& e, int barWidth, bool rightToLeft);

// The width of an item: its caption's text width + 10, 0 for an empty caption.
int MenuBarItemWidth(const QFont& font, const QString& caption);

// The items' rectangles, side by side from the start, each spanning the bar's
// height; invisible items get an empty rectangle.
std::vector<QRect> LayoutMenuBarItems(const std::vector<TMenuBarEntry>& items, const TSkinElements& e,
                                      const QSize& bar, const QFont& font, bool rightToLeft);

// The bar's background: the menu-bar element's frame 1 when the window is
// active, else frame 2 (frames stacked, margins TileLeftMenu and
// TileRightMenu), its centre stretched when TileMenu is 1 and its middle
// repeated otherwise; the Menubar colour without the element.
QImage ComposeMenuBarBackground(const TSkinElements& e, const QSize& size, bool active);

// Draws one item over the bar image: the caption centred in MenuBarText (or
// ButtonShadow when disabled) with its accelerator underlined, and, when the
// item is pressed or under the pointer, a one-pixel ButtonHilight outline.
void DrawMenuBarItem(QImage& bar, const QRect& rect, const TMenuBarEntry& item, const TSkinColours& colours,
                     const QFont& font);

// The whole bar: background, then every visible item.
QImage PaintMenuBarImage(const QImage& background, const std::vector<TMenuBarEntry>& items,
                         const std::vector<QRect>& rects, const TSkinColours& colours, const QFont& font);

}  // namespace skin
