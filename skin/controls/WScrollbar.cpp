#include "skin/controls/WScrollbar.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionSlider>

#include "platform/Color.h"
#include "platform/PointerPixel.h"
#include "skin/engine/SkinData.h"

namespace skin {

QStyleOptionSlider ScrollBarOption(const QScrollBar* bar) {
  QStyleOptionSlider opt;
  if (!bar) return opt;
  opt.initFrom(bar);
  opt.subControls = QStyle::SC_None;
  opt.activeSubControls = QStyle::SC_None;
  opt.orientation = bar->orientation();
  opt.minimum = bar->minimum();
  opt.maximum = bar->maximum();
  opt.sliderPosition = bar->sliderPosition();
  opt.sliderValue = bar->value();
  opt.singleStep = bar->singleStep();
  opt.pageStep = bar->pageStep();
  opt.upsideDown = bar->invertedAppearance();
  if (bar->orientation() == Qt::Horizontal) opt.state |= QStyle::State_Horizontal;
  return opt;
}

TWScrollbar::TWScrollbar(QScrollBar* bar, TScrollBarKind kind, TSkinData* skinData)
    : QProxyStyle(NewBaseStyle()),
      bar_(bar),
      kind_(kind),
      skinData_(skinData),
      arrowSize_(platform::Metric(platform::SM_CXHSCROLL)) {}

TWScrollbar::~TWScrollbar() { Detach(); }

void TWScrollbar::Attach() {
  QScrollBar* bar = bar_.data();
  if (!bar || lent_.Applied()) return;
  lent_.Apply(bar, this);
  bar->installEventFilter(this);
  bar->updateGeometry();
  bar->update();
}

void TWScrollbar::Detach() {
  mouseDown_ = false;
  if (!lent_.Applied()) return;
  if (QScrollBar* bar = bar_.data()) bar->removeEventFilter(this);
  lent_.Restore();
  if (QScrollBar* bar = bar_.data()) {
    bar->updateGeometry();
    bar->update();
  }
}

bool TWScrollbar::Skinned() const {
  return skinData_ && skinData_->HasSkin() && CanPaintScrollBar(skinData_->Elements());
}

void TWScrollbar::Refresh() {
  if (QScrollBar* bar = bar_.data()) {
    bar->updateGeometry();
    bar->update();
  }
}

int TWScrollbar::Axis(const QPoint& p) const {
  const QScrollBar* bar = bar_.data();
  return bar && bar->orientation() == Qt::Vertical ? p.y() : p.x();
}

TScrollBarGeometry TWScrollbar::Geometry(const QStyleOptionSlider& opt) const {
  const bool vertical = opt.orientation == Qt::Vertical;
  const int length = vertical ? opt.rect.height() : opt.rect.width();
  const TScrollRange range{opt.minimum, opt.maximum, opt.pageStep, opt.sliderPosition};
  return kind_ == sbkControl ? ControlBarGeometry(length, arrowSize_, range)
                             : AreaBarGeometry(length, arrowSize_, range);
}

TScrollBarLook TWScrollbar::Look(const QStyleOptionSlider& opt) const {
  TScrollBarLook look;
  look.vertical = opt.orientation == Qt::Vertical;
  look.size = opt.rect.size();
  look.geometry = Geometry(opt);
  // Unavailable: disabled, or nothing to scroll.
  look.enabled = (opt.state & QStyle::State_Enabled) && opt.maximum > opt.minimum;
  const bool sunken = opt.state & QStyle::State_Sunken;
  if (sunken && (opt.activeSubControls & QStyle::SC_ScrollBarSubLine)) look.pressedArrow = 1;
  if (sunken && (opt.activeSubControls & QStyle::SC_ScrollBarAddLine)) look.pressedArrow = 2;
  look.tracking = sunken && (opt.activeSubControls & QStyle::SC_ScrollBarSlider);
  if (look.tracking && mouseDown_ && look.geometry.HasThumb()) {
    // Follow the cursor rather than the position it scrolled to.
    TScrollBarGeometry& g = look.geometry;
    const int thumb = g.ThumbLength();
    g.thumbStart = DraggedThumbStart(g, thumbAtPress_, cursor_ - cursorAtPress_);
    g.thumbEnd = g.thumbStart + thumb;
  }
  return look;
}

TScrollBarLook TWScrollbar::Look() const {
  QStyleOptionSlider opt = ScrollBarOption(bar_.data());
  if (const QScrollBar* bar = bar_.data(); bar && bar->isSliderDown()) {
    opt.activeSubControls = SC_ScrollBarSlider;
    opt.state |= State_Sunken;
  }
  return Look(opt);
}

void TWScrollbar::drawComplexControl(ComplexControl cc, const QStyleOptionComplex* opt, QPainter* p,
                                     const QWidget* w) const {
  const auto* slider = qstyleoption_cast<const QStyleOptionSlider*>(opt);
  if (cc != CC_ScrollBar || !slider || !IsOurs(w) || !Skinned() || opt->rect.isEmpty()) {
    QProxyStyle::drawComplexControl(cc, opt, p, w);
    return;
  }
  const TScrollBarLook look = Look(*slider);
  QImage work(opt->rect.size(), QImage::Format_ARGB32_Premultiplied);
  PaintScrollBar(work, skinData_->Elements(), look, &cache_);
  p->drawImage(opt->rect.topLeft(), work);
}

QRect TWScrollbar::subControlRect(ComplexControl cc, const QStyleOptionComplex* opt, SubControl sc,
                                  const QWidget* w) const {
  const auto* slider = qstyleoption_cast<const QStyleOptionSlider*>(opt);
  if (cc != CC_ScrollBar || !slider || !IsOurs(w) || !Skinned())
    return QProxyStyle::subControlRect(cc, opt, sc, w);
  const TScrollBarGeometry g = Geometry(*slider);
  const bool vertical = slider->orientation == Qt::Vertical;
  const int cross = vertical ? opt->rect.width() : opt->rect.height();
  auto along = [&](int from, int to) {
    if (to < from) to = from;
    const QRect r = vertical ? QRect(0, from, cross, to - from) : QRect(from, 0, to - from, cross);
    return r.translated(opt->rect.topLeft());
  };
  switch (sc) {
    case SC_ScrollBarSubLine: return along(0, g.arrow);
    case SC_ScrollBarAddLine: return along(g.length - g.arrow, g.length);
    case SC_ScrollBarGroove: return along(g.TrackStart(), g.TrackEnd());
    case SC_ScrollBarSlider: return along(g.thumbStart, g.thumbEnd);
    case SC_ScrollBarSubPage: return along(g.TrackStart(), g.thumbStart);
    case SC_ScrollBarAddPage: return along(g.thumbEnd, g.TrackEnd());
    default: return {};
  }
}

QStyle::SubControl TWScrollbar::hitTestComplexControl(ComplexControl cc, const QStyleOptionComplex* opt,
                                                       const QPoint& pos, const QWidget* w) const {
  const auto* slider = qstyleoption_cast<const QStyleOptionSlider*>(opt);
  if (cc != CC_ScrollBar || !slider || !IsOurs(w) || !Skinned())
    return QProxyStyle::hitTestComplexControl(cc, opt, pos, w);
  if (!opt->rect.contains(pos)) return SC_None;
  const QPoint local = pos - opt->rect.topLeft();
  switch (ScrollHitZone(Geometry(*slider), slider->orientation == Qt::Vertical ? local.y() : local.x())) {
    case shLineBack: return SC_ScrollBarSubLine;
    case shLineForward: return SC_ScrollBarAddLine;
    case shPageBack: return SC_ScrollBarSubPage;
    case shPageForward: return SC_ScrollBarAddPage;
    case shThumb: return SC_ScrollBarSlider;
    default: return SC_None;
  }
}

int TWScrollbar::pixelMetric(PixelMetric metric, const QStyleOption* opt, const QWidget* w) const {
  if ((w == nullptr || IsOurs(w)) && Skinned()) {
    if (metric == PM_ScrollBarExtent) return arrowSize_;
    if (metric == PM_ScrollBarSliderMin) return kMinThumbLength;
  }
  return QProxyStyle::pixelMetric(metric, opt, w);
}

bool TWScrollbar::eventFilter(QObject* watched, QEvent* event) {
  if (watched != bar_.data()) return false;
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
      auto* m = static_cast<QMouseEvent*>(event);
      if (m->button() != Qt::LeftButton) break;
      const TScrollBarGeometry g = Geometry(ScrollBarOption(bar_.data()));
      mouseDown_ = true;
      cursorAtPress_ = cursor_ = Axis(platform::PixelAt(m));
      thumbAtPress_ = g.thumbStart;
      break;
    }
    case QEvent::MouseMove:
      if (mouseDown_) cursor_ = Axis(platform::PixelAt(static_cast<QMouseEvent*>(event)));
      break;
    case QEvent::MouseButtonRelease:
      if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && mouseDown_) {
        mouseDown_ = false;
        if (bar_) bar_->update();
      }
      break;
    default: break;
  }
  return false;
}

}  // namespace skin
