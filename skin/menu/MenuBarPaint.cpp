#include "skin/menu/MenuBarPaint.h"

#include <QFontMetrics>
#include <QPainter>

#include "platform/Color.h"
#include "skin/core/SkinDraw.h"
#include "skin/core/SkinElements.h"
#include "skin/frame/NCObject.h"
#include "skin/menu/MenuText.h"

namespace skin {

namespace {
QColor Resolve(platform::TColor c) { return platform::ToQColor(platform::ColorToRGB(c)); }
}  // namespace

int MenuBarItemStart(const TSkinElements& e, int barWidth, bool rightToLeft) {
  if (!e.MenuBar || e.MenuBar->Image.isNull()) return rightToLeft ? barWidth - 6 : 6;
  if (rightToLeft) {
    const int start = barWidth - (e.MenuBar->Margins.Right + 8);
    return start < 0 ? barWidth - 12 : start;
  }
  const int start = e.MenuBar->Margins.Left + 4;
  return barWidth < start ? 12 : start;
}

int MenuBarItemWidth(const QFont& font, const QString& caption) {
  if (caption.isEmpty()) return 0;
  return CaptionTextSize(QFontMetrics(font), caption).width() + 10;
}

std::vector<QRect> LayoutMenuBarItems(const std::vector<TMenuBarEntry>& items, const TSkinElements& e,
                                      const QSize& bar, const QFont& font, bool rightToLeft) {
  std::vector<QRect> rects;
  rects.reserve(items.size());
  int x = MenuBarItemStart(e, bar.width(), rightToLeft);
  for (const TMenuBarEntry& item : items) {
    if (!item.visible) {
      rects.emplace_back();
      continue;
    }
    const int w = MenuBarItemWidth(font, item.caption);
    if (rightToLeft) {
      rects.emplace_back(x - w, 0, w, bar.height());
      x -= w;
    } else {
      rects.emplace_back(x, 0, w, bar.height());
      x += w;
    }
  }
  return rects;
}

QImage ComposeMenuBarBackground(const TSkinElements& e, const QSize& size, bool active) {
  if (size.width() <= 0 || size.height() <= 0) return {};
  QImage out(size, QImage::Format_RGB32);
  out.fill(Resolve(e.Colours.Menubar));
  const TDataSkinObject* bar = e.MenuBar.get();
  if (!bar || bar->Image.isNull()) return out;
  const int frame = active ? 1 : 2;
  const TSkinMargins margins{bar->Margins.Left, 0, bar->Margins.Right, 0};
  QPainter p(&out);
  if (bar->Tile == 1)
    DrawSkinImage(p, out.rect(), bar->Image, true, false, false, 2, frame, margins);
  else
    DrawThreePartBar(p, out.rect(), bar->Image, true, false, 2, frame, margins);
  return out;
}

void DrawMenuBarItem(QImage& bar, const QRect& rect, const TMenuBarEntry& item, const TSkinColours& colours,
                     const QFont& font) {
  if (rect.isEmpty()) return;
  QPainter p(&bar);
  p.setFont(font);
  if (item.state == ncsPressed || item.state == ncsOver) {
    p.setPen(Resolve(colours.ButtonHilight));
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect.adjusted(0, 0, -1, -1));
  }
  DrawAcceleratedCaption(p, rect, item.caption, Resolve(item.enabled ? colours.MenuBarText : colours.ButtonShadow));
}

QImage PaintMenuBarImage(const QImage& background, const std::vector<TMenuBarEntry>& items,
                         const std::vector<QRect>& rects, const TSkinColours& colours, const QFont& font) {
  QImage out = background;
  for (size_t i = 0; i < items.size() && i < rects.size(); ++i)
    if (items[i].visible) DrawMenuBarItem(out, rects[i], items[i], colours, font);
  return out;
}

}  // namespace skin
