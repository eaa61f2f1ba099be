#include "toolkit/FlatScrollBarStyle.h"

#include <QPainter>
#include <QStyleOptionSlider>
#include <algorithm>

#include "platform/Color.h"

namespace toolkit {

void FlatScrollBarStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* p,
                                            const QWidget* widget) const {
  const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option);
  if (control != CC_ScrollBar || bar == nullptr) {
    QProxyStyle::drawComplexControl(control, option, p, widget);
    return;
  }
  const QColor face = platform::ToQColor(platform::clBtnFace);
  const QColor shadow = platform::ToQColor(platform::clBtnShadow);
  const QColor track = platform::ToQColor(platform::clScrollBar);
  const bool enabled = bar->state & State_Enabled;
  p->save();
  p->fillRect(bar->rect, track);
  const QRect thumb = subControlRect(CC_ScrollBar, bar, SC_ScrollBarSlider, widget);
  const QRect sub = subControlRect(CC_ScrollBar, bar, SC_ScrollBarSubLine, widget);
  const QRect add = subControlRect(CC_ScrollBar, bar, SC_ScrollBarAddLine, widget);
  for (const QRect& r : {sub, add, thumb}) {
    if (r.isEmpty() || (r == thumb && (!enabled || bar->maximum == bar->minimum))) continue;
    p->fillRect(r, face);
    p->setPen(shadow);
    p->drawRect(r.adjusted(0, 0, -1, -1));
  }
  p->setPen(Qt::NoPen);
  p->setBrush(platform::ToQColor(enabled ? platform::clBtnText : platform::clGrayText));
  const bool vertical = bar->orientation == Qt::Vertical;
  auto arrow = [&](const QRect& r, bool forward) {
    if (r.isEmpty()) return;
    const QPointF c = QRectF(r).center();
    const qreal s = std::max(2.0, std::min(r.width(), r.height()) / 5.0);
    QPolygonF tri;
    if (vertical) {
      const qreal d = forward ? s : -s;
      tri << QPointF(c.x() - 2 * s, c.y() - d / 2) << QPointF(c.x() + 2 * s, c.y() - d / 2) << QPointF(c.x(), c.y() + d * 1.5);
    } else {
      const qreal d = forward ? s : -s;
      tri << QPointF(c.x() - d / 2, c.y() - 2 * s) << QPointF(c.x() - d / 2, c.y() + 2 * s) << QPointF(c.x() + d * 1.5, c.y());
    }
    p->drawPolygon(tri);
  };
  arrow(sub, false);
  arrow(add, true);
  p->restore();
}

}  // namespace toolkit
