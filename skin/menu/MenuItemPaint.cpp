#include "skin/menu/MenuItemPaint.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "platform/Color.h"
#include "platform/Edges.h"
#include "skin/core/SkinDraw.h"
#include "skin/core/SkinElements.h"
#include "skin/engine/ImageList.h"

namespace skin {

namespace {

constexpr int kTextFlags = Qt::TextSingleLine | Qt::TextExpandTabs | Qt::TextShowMnemonic;
constexpr int kCheckSize = 7;
// The check mark, one string per row ('#' drawn).
constexpr const char* kCheckMark[kCheckSize] = {"......#", ".....##", "#...###", "##.###.", "#####..", ".###...",
                                                "..#...."};

QColor Resolve(platform::TColor c) { return platform::ToQColor(platform::ColorToRGB(c)); }

int LeftMargin(const TSkinElements& e) { return e.MenuItem && !e.MenuItem->Image.isNull() ? e.MenuItem->Margins.Left : 0; }

// Mirrors `r` inside `within` (right-to-left menus).
QRect Mirrored(const QRect& r, const QRect& within) {
  return QRect(within.left() + within.right() - r.right(), r.top(), r.width(), r.height());
}

}  // namespace

QColor MenuItemTextColour(const TMenuItemLook& item, const TSkinColours& c) {
  if (item.selected) return Resolve(c.HilightText);
  if (item.enabled) return Resolve(c.MenuText);
  // Grey text that would not show on MenuText's own colour takes the system's shadow colour.
  if (platform::ColorToRGB(c.ButtonShadow) == platform::ColorToRGB(c.MenuText))
    return Resolve(platform::SystemColor(platform::COLOR_BTNSHADOW));
  return Resolve(c.ButtonShadow);
}

namespace {

void DrawCheckMark(QPainter& p, const QRect& box, const QColor& colour) {
  const int x0 = box.left() + (box.width() - kCheckSize) / 2 + 1;
  const int y0 = box.top() + (box.height() - kCheckSize) / 2 + 1;
  for (int y = 0; y < kCheckSize; ++y)
    for (int x = 0; x < kCheckSize; ++x)
      if (kCheckMark[y][x] == '#') p.fillRect(x0 + x, y0 + y, 1, 1, colour);
}

// The button-face and button-highlight checkerboard of a checked item's box.
void FillDither(QPainter& p, const QRect& box) {
  const QColor face = Resolve(platform::clBtnFace), light = Resolve(platform::clBtnHighlight);
  for (int y = box.top(); y <= box.bottom(); ++y)
    for (int x = box.left(); x <= box.right(); ++x) p.fillRect(x, y, 1, 1, ((x + y) & 1) ? light : face);
}

// A small triangle pointing away from the caption, for items with a submenu.
void DrawSubmenuArrow(QPainter& p, const QRect& item, bool rightToLeft, const QColor& colour) {
  const int h = 7, w = 4;
  const int top = item.top() + (item.height() - h) / 2;
  const int left = rightToLeft ? item.left() + 6 : item.left() + item.width() - 6 - w;
  for (int i = 0; i < w; ++i) {
    const int col = rightToLeft ? left + w - 1 - i : left + i;
    p.fillRect(col, top + i, 1, h - 2 * i, colour);
  }
}

}  // namespace

bool TMenuItemLook::HasImage() const {
  if (images && imageIndex >= 0 && imageIndex < images->Count()) return true;
  return !icon.isNull();
}

TMenuItemParts MenuItemParts(const TMenuItemLook& item, const TSkinElements& e) {
  const QRect& r = item.rect;
  int g = item.imageListWidth > 0 ? item.imageListWidth : 16;
  if (item.checked) g = std::max(g, 16);
  TMenuItemParts parts;
  parts.glyphBox = QRect(r.left() + 1 + LeftMargin(e), r.top() + 1, g, g);
  const int captionLeft = parts.glyphBox.left() + g + 3;
  parts.captionRect = QRect(captionLeft, r.top(), r.left() + r.width() - 1 - captionLeft, r.height());
  parts.shortcutRight = parts.captionRect.left() + parts.captionRect.width() - 10;
  if (item.rightToLeft) {
    parts.glyphBox = Mirrored(parts.glyphBox, r);
    parts.captionRect = Mirrored(parts.captionRect, r);
    // The shortcut starts 10 pixels inside the caption area's left edge.
    parts.shortcutRight = parts.captionRect.left() + 10;
  }
  return parts;
}

void DrawMenuItemContent(QPainter& p, const TMenuItemLook& item, const TSkinElements& e, const QFont& font) {
  const QRect& r = item.rect;
  if (item.separator) {
    if (e.MenuItem && !e.MenuItem->Image.isNull()) return;
    QRect line(r.left(), r.top() + 4, r.width(), 2);
    platform::DrawEdge(p, line, platform::EDGE_ETCHED, platform::BF_TOP);
    return;
  }
  const TMenuItemParts parts = MenuItemParts(item, e);
  const QRect& box = parts.glyphBox;
  const TSkinColours& c = e.Colours;
  if (item.HasImage()) {
    if (item.checked) {
      FillDither(p, box);
      QRect edge = box;
      platform::DrawEdge(p, edge, platform::BDR_SUNKENOUTER, platform::BF_RECT);
    }
    if (item.images && item.imageIndex >= 0 && item.imageIndex < item.images->Count())
      item.images->Draw(p, box.topLeft(), item.imageIndex, item.enabled);
    else
      item.icon.paint(&p, box, Qt::AlignCenter, item.enabled ? QIcon::Normal : QIcon::Disabled);
  } else if (item.checked) {
    DrawCheckMark(p, box, Resolve(c.ButtonText));
  }

  const QColor colour = MenuItemTextColour(item, c);
  QFont f = font;
  f.setBold(item.isDefault);
  p.save();
  p.setFont(f);
  p.setPen(colour);
  p.setBackgroundMode(Qt::TransparentMode);
  const Qt::Alignment side = item.rightToLeft ? Qt::AlignRight : Qt::AlignLeft;
  p.drawText(parts.captionRect, kTextFlags | side | Qt::AlignVCenter, item.caption);
  if (!item.shortcut.isEmpty()) {
    const QRect& cr = parts.captionRect;
    const QRect sr = item.rightToLeft
                         ? QRect(parts.shortcutRight, cr.top(), cr.left() + cr.width() - parts.shortcutRight, cr.height())
                         : QRect(cr.left(), cr.top(), parts.shortcutRight - cr.left(), cr.height());
    p.drawText(sr, kTextFlags | (item.rightToLeft ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter, item.shortcut);
  }
  p.restore();
  if (item.hasSubmenu) DrawSubmenuArrow(p, r, item.rightToLeft, colour);
}

void DrawMenuItemPlain(QPainter& p, const TMenuItemLook& item, const TSkinElements& e, const QFont& font) {
  p.fillRect(item.rect, Resolve(item.selected ? e.Colours.Hilight : e.Colours.Menu));
  DrawMenuItemContent(p, item, e, font);
}

void DrawMenuSeparator(QPainter& p, const QRect& rect, const TDataSkinObject& menuItem) {
  const QRect cell = FrameRect(menuItem.Image, false, 5, 2);
  if (cell.isEmpty() || rect.width() <= 0 || rect.height() <= 0) return;
  const int rows = std::min(rect.height(), cell.height());
  const QRect src(cell.left(), cell.top() + cell.height() - rows, cell.width(), rows);
  int L = std::max(0, menuItem.Margins.Left), R = std::max(0, menuItem.Margins.Right);
  if (rect.width() < L + R || src.width() < L + R) L = R = 0;
  QImage work(rect.size(), QImage::Format_RGB32);
  work.fill(kMagenta);
  const int W = rect.width(), H = rect.height();
  if (L > 0) StretchCopy(work, QRect(0, 0, L, H), menuItem.Image, QRect(src.left(), src.top(), L, rows));
  StretchCopy(work, QRect(L, 0, W - L - R, H), menuItem.Image,
              QRect(src.left() + L, src.top(), src.width() - L - R, rows));
  if (R > 0)
    StretchCopy(work, QRect(W - R, 0, R, H), menuItem.Image, QRect(src.left() + src.width() - R, src.top(), R, rows));
  p.drawImage(rect.topLeft(), KeyToAlpha(work));
}

void DrawMenuItem(QPainter& p, const TMenuItemLook& item, const TSkinElements& e, const QImage* background,
                  const QFont& font) {
  const TDataSkinObject* element = e.MenuItem.get();
  if (!element || element->Image.isNull()) {
    DrawMenuItemPlain(p, item, e, font);
    return;
  }
  if (background && !background->isNull())
    p.drawImage(item.rect.topLeft(), *background, item.rect);
  else
    p.fillRect(item.rect, Resolve(e.Colours.Menu));
  if (item.separator) {
    DrawMenuSeparator(p, item.rect, *element);
    return;
  }
  DrawSkinImage(p, item.rect, element->Image, false, element->Tile == 1, element->Trans != 0, 5,
                item.selected ? 4 : 1, element->Margins);
  DrawMenuItemContent(p, item, e, font);
}

QSize MeasureMenuItem(TMenuItemsKind kind, const TMenuItemMetrics& m) {
  const bool hasList = m.imageListWidth > 0;
  const int box = hasList ? m.imageListWidth : 16;
  const int height = std::max(m.lineHeight, box) + 4;
  if (kind == mikForeignMenu) {
    if (m.separator) return {m.captionWidth + 26 + m.menuItemLeft, 8};
    return {m.captionWidth + 26 + m.menuItemLeft, height + 4};
  }
  const int extra = kind == mikSystemMenu ? m.menuItemLeft + 12 + (hasList ? 0 : 23)
                                          : m.menuItemLeft + 10 + (hasList ? 0 : 25);
  if (m.separator) return {extra, 8};
  const int normal =
      m.captionWidth + (hasList ? m.imageListWidth + 6 : 0) + (m.shortcutWidth > 0 ? kShortcutGap + m.shortcutWidth : 0);
  return {normal + extra, height};
}

}  // namespace skin
