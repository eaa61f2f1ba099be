#pragma once
// Painting and measuring the items of popup menus from the skin's MenuItem
// element, without a window. Rectangles are in the menu window's coordinates
// (those of the background the menu window's skinner composed).
#include <QColor>
#include <QFont>
#include <QIcon>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

#include "skin/menu/MenuHost.h"

class QPainter;

namespace skin {

class TDataSkinObject;
class TImageList;
class TSkinElements;
struct TSkinColours;

// One item as it is painted.
struct TMenuItemLook {
  QRect rect;
  QString caption;  // with its accelerator mark
  QString shortcut;
  bool separator = false;
  bool selected = false;
  bool enabled = true;
  bool checked = false;
  bool isDefault = false;  // drawn bold
  bool hasSubmenu = false;
  bool rightToLeft = false;
  // The menu's image list (0 wide: the menu has none) and the item's image:
  // `imageIndex` into `images` when that is valid, else `icon` when it is not null.
  int imageListWidth = 0;
  const TImageList* images = nullptr;
  int imageIndex = -1;
  QIcon icon;
  bool HasImage() const;
};

// Where the content of an item goes.
struct TMenuItemParts {
  QRect glyphBox;      // the image or check mark
  QRect captionRect;   // the caption's area (the shortcut is drawn in it too)
  int shortcutRight;   // the shortcut text ends here
};
TMenuItemParts MenuItemParts(const TMenuItemLook& item, const TSkinElements& e);

// The whole item: DrawMenuItemPlain without the MenuItem element; with it,
// the cached `background` of the menu window (or the Menu colour when there is
// none), then a separator or the element's frame 1 (4 when selected) and the
// content.
void DrawMenuItem(QPainter& p, const TMenuItemLook& item, const TSkinElements& e, const QImage* background,
                  const QFont& font);
// Hilight (selected) or Menu fill, then the content.
void DrawMenuItemPlain(QPainter& p, const TMenuItemLook& item, const TSkinElements& e, const QFont& font);
// Frame 2 of the element's five: the bottom rows of the cell as high as the
// item, its left and right margin columns at natural width and the middle
// stretched, magenta left undrawn.
void DrawMenuSeparator(QPainter& p, const QRect& rect, const TDataSkinObject& menuItem);
// Glyph box, image or check mark, caption, shortcut and submenu arrow; an
// etched line for a separator.
void DrawMenuItemContent(QPainter& p, const TMenuItemLook& item, const TSkinElements& e, const QFont& font);

// The caption's colour: HilightText when selected, MenuText when enabled,
// else ButtonShadow (the system's shadow colour when that equals MenuText).
QColor MenuItemTextColour(const TMenuItemLook& item, const TSkinColours& colours);

// What measuring needs to know of an item.
struct TMenuItemMetrics {
  int captionWidth = 0;   // the caption's text width in the menu font
  int shortcutWidth = 0;  // 0 without a shortcut
  int lineHeight = 0;     // the menu font's line height
  bool separator = false;
  int imageListWidth = 0;  // 0: the menu has no image list
  int menuItemLeft = 0;    // MenuItem's left margin (0 without the element)
};
// The space between a caption and its shortcut text.
constexpr int kShortcutGap = 12;
// An item's size. The normal width is the caption, the image list's glyph
// (+ 6) and the shortcut (+ the gap); standard measuring adds MenuItem's left
// margin + 10 (+ 25 without an image list), the system menu's measuring the
// left margin + 12 (+ 23). Foreign menus' items are the caption + 26 + the left
// margin wide and 4 pixels higher. Items are the line or the glyph box + 4
// high, separators 8.
QSize MeasureMenuItem(TMenuItemsKind kind, const TMenuItemMetrics& m);

}  // namespace skin
