#include "skin/controls/ComboPaint.h"

#include <QPainter>

#include "platform/Color.h"
#include "skin/controls/SkinPaint.h"

namespace skin {

namespace {

// The system width of a scroll-bar arrow plus 2: the button's width.
int ButtonWidth() { return platform::Metric(platform::SM_CXHSCROLL) + 2; }
// The system thumb size: the button of the Style 1 look.
int ThumbSize() { return platform::Metric(platform::SM_CYVSCROLL); }

}  // namespace

int ComboFrameIndex(bool pressed, bool focused, bool hot, bool enabled) {
  if (pressed) return 2;
  if (focused || hot) return 4;
  return enabled ? 1 : 3;
}

bool CanPaintCombo(const TSkinElements& e) { return e.ComboButton && !e.ComboButton->Image.isNull(); }

QRect ComboButtonRect(const TSkinElements& e, const QSize& size, bool rightToLeft) {
  if (!CanPaintCombo(e)) return {};
  const int W = size.width(), H = size.height();
  if (e.ComboButton->Style == 1) {
    const QRect inner(2, 2, W - 4, H - 4);
    const int w = std::min(ThumbSize(), inner.width());
    return rightToLeft ? QRect(inner.left(), inner.top(), w, inner.height())
                       : QRect(inner.left() + inner.width() - w, inner.top(), w, inner.height());
  }
  const int a = std::min(ButtonWidth(), W);
  // The composite's button and the other styles' button area: a pixels at
  // the edge, full height.
  return rightToLeft ? QRect(0, 0, a, H) : QRect(W - a, 0, a, H);
}

QRect ComboEditRect(const TSkinElements& e, const QSize& size, bool rightToLeft) {
  const int W = size.width(), H = size.height();
  if (!CanPaintCombo(e)) return QRect(0, 0, W, H);
  if (e.ComboButton->Style == 2) {
    // The composite's see-through centre.
    const TSkinMargins m = rightToLeft && e.SunkEdge ? e.SunkEdge->Margins : e.ComboButton->Margins;
    return QRect(m.Left, m.Top, std::max(0, W - m.Left - m.Right), std::max(0, H - m.Top - m.Bottom));
  }
  const QRect button = ComboButtonRect(e, size, rightToLeft);
  const int left = rightToLeft ? button.left() + button.width() : 2;
  const int right = rightToLeft ? W - 2 : button.left();
  return QRect(left, 2, std::max(0, right - left), std::max(0, H - 4));
}

void PaintComboBox(QPainter& dc, const QRect& rect, const TSkinElements& e, int index, bool rightToLeft,
                   const QColor& background, TPartCache* cache) {
  if (!CanPaintCombo(e) || rect.isEmpty()) return;
  const TDataSkinBorder& c = *e.ComboButton;
  const QRect r(QPoint(0, 0), rect.size());
  dc.save();
  dc.translate(rect.topLeft());
  if (c.Style == 2) {
    dc.fillRect(r, background);
    const bool mirrored = rightToLeft && e.SunkEdge;
    const TDataSkinObject& composite = mirrored ? *e.SunkEdge : static_cast<const TDataSkinObject&>(c);
    TPartCache::Put(cache, dc, mirrored ? 2 : 1, r, index, composite.Image, [&](QPainter& p, const QRect& to) {
      DrawSkinImage(p, to, composite.Image, false, false, true, 4, index, composite.Margins);
    });
  } else if (c.Style == 1) {
    dc.setBrush(Qt::NoBrush);
    dc.setPen(background);
    dc.drawRect(r.adjusted(1, 1, -2, -2));
    const QRect button = ComboButtonRect(e, r.size(), rightToLeft);
    FillButtonFace(dc, button, e);
    DrawFrameStretched(dc, button, c.Image, c.Trans == 1, 4, index);
    dc.setPen(platform::ToQColor(platform::clBtnShadow));
    dc.drawRect(r.adjusted(0, 0, -1, -1));
  } else {
    const QRect edit = ComboEditRect(e, r.size(), rightToLeft);
    const QRect button = ComboButtonRect(e, r.size(), rightToLeft);
    // Everything but the edit area.
    dc.setClipRegion(QRegion(r).subtracted(QRegion(edit)));
    if (e.SunkEdge) DrawElement(dc, r, 4, index, *e.SunkEdge);
    const QImage& image = rightToLeft && !c.Image2.isNull() ? c.Image2 : c.Image;
    DrawSkinImage(dc, button, image, false, c.Tile == 1, c.Trans == 1, 4, index, c.Margins);
    if (e.ExtraImages) DrawFrameCentred(dc, button, e.ExtraImages->Image, true, 5, index);
  }
  dc.restore();
}

}  // namespace skin
