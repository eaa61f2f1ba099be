#include "skin/controls/HeaderPaint.h"

#include <QPainter>

#include "skin/controls/SkinPaint.h"

namespace skin {

bool CanPaintHeader(const TSkinElements& e) { return e.Headerbar && !e.Headerbar->Image.isNull(); }

int HeaderFrameIndex(bool pressed, bool hot, bool enabled) {
  if (!enabled) return 3;
  if (pressed) return 2;
  return hot ? 4 : 1;
}

QColor HeaderTextColour(const TSkinElements& e, int index) {
  if (!CanPaintHeader(e)) return SkinColour(e.Colours.ButtonText);
  switch (index) {
    case 2: return SkinColour(e.Headerbar->PressedColour2);
    case 3: return platform::ToQColor(platform::clBtnShadow);
    case 4: return SkinColour(e.Headerbar->MouseOverColour2);
    default: return SkinColour(e.Headerbar->NormalColour2);
  }
}

void PaintHeaderSection(QPainter& dc, const QRect& rect, const TSkinElements& e, int index, TPartCache* cache) {
  if (!CanPaintHeader(e) || rect.isEmpty()) return;
  TPartCache::Put(cache, dc, 1, rect, index, e.Headerbar->Image, [&](QPainter& p, const QRect& r) {
    FillButtonFace(p, r, e);
    DrawElement(p, r, 5, index, *e.Headerbar);
  });
}

}  // namespace skin
