#include "skin/menu/PopupBackground.h"

#include <QRect>

#include "skin/core/SkinDraw.h"
#include "skin/core/SkinElements.h"

namespace skin {

bool HasMenuBackground(const TSkinElements& e) { return e.MenuBackground && !e.MenuBackground->Image.isNull(); }

QImage ComposeMenuBackground(const TSkinElements& e, const QSize& size) {
  if (!HasMenuBackground(e)) return {};
  const TDataSkinObject& b = *e.MenuBackground;
  return ComposeNinePart(size, b.Image, b.Margins, false, b.Tile == 1, 1, 1);
}

QRegion MenuBorderRegion(const QSize& size) {
  const int W = size.width(), H = size.height(), b = kMenuBorder;
  QRegion region;
  region += QRect(0, 0, W, b);
  region += QRect(0, H - b, W, b);
  region += QRect(0, 0, b, H);
  region += QRect(W - b, 0, b, H);
  return region;
}

}  // namespace skin
