#include "toolkit/Panel.h"

#include <QPainter>

#include "platform/Edges.h"
#include "toolkit/AlignLayout.h"
#include "toolkit/accessible/Notice.h"

namespace toolkit {

namespace {
// Width of the sunken client edge a single border draws.
constexpr int kClientEdge = 2;

void BevelColors(TBevelCut cut, QColor* topLeft, QColor* bottomRight) {
  *topLeft = platform::ToQColor(cut == bvLowered ? platform::clBtnShadow : platform::clBtnHighlight);
  *bottomRight = platform::ToQColor(cut == bvLowered ? platform::clBtnHighlight : platform::clBtnShadow);
}
}  // namespace

TPanel::TPanel(QWidget* parent) : QWidget(parent) {
  AlignLayout::Of(this);
  UpdateMargins();
}

#define CQ_SETTER(Name, field, ...) \
  void TPanel::Set##Name(decltype(field) v) { \
    if (field == v) return; \
    field = v; \
    __VA_ARGS__; \
    update(); \
  }
CQ_SETTER(BevelOuter, bevelOuter_, UpdateMargins())
CQ_SETTER(BevelInner, bevelInner_, UpdateMargins())
CQ_SETTER(BevelWidth, bevelWidth_, UpdateMargins())
CQ_SETTER(BorderWidth, borderWidth_, UpdateMargins())
CQ_SETTER(BorderStyle, borderStyle_, UpdateMargins())
CQ_SETTER(Alignment, alignment_, (void)0)
CQ_SETTER(Color, color_, (void)0)
CQ_SETTER(FontColor, fontColor_, (void)0)
CQ_SETTER(CaptionRight, captionRight_, (void)0)
#undef CQ_SETTER

void TPanel::SetCaption(const QString& v) {
  if (caption_ == v) return;
  caption_ = v;
  update();
  accessible::NotifyNameChanged(this);
}

void TPanel::UpdateMargins() {
  int m = borderStyle_ == bsSingleBorder ? kClientEdge : 0;
  if (bevelOuter_ != bvNone) m += bevelWidth_;
  m += borderWidth_;
  if (bevelInner_ != bvNone) m += bevelWidth_;
  setContentsMargins(m, m, m, m);
}

void TPanel::SetDisplayText(TDisplayText display) {
  display_ = std::move(display);
  update();
}

void TPanel::paintEvent(QPaintEvent*) {
  QPainter p(this);
  QRect r = rect();
  if (borderStyle_ == bsSingleBorder) platform::DrawEdge(p, r, platform::EDGE_SUNKEN, platform::BF_RECT | platform::BF_ADJUST);
  const QColor face = platform::ToQColor(color_);
  QColor tl, br;
  if (bevelOuter_ != bvNone) {
    BevelColors(bevelOuter_, &tl, &br);
    if (bevelOuter_ == bvSpace) tl = br = face;
    platform::Frame3D(p, r, tl, br, bevelWidth_);
  }
  platform::Frame3D(p, r, face, face, borderWidth_);
  if (bevelInner_ != bvNone) {
    BevelColors(bevelInner_, &tl, &br);
    if (bevelInner_ == bvSpace) tl = br = face;
    platform::Frame3D(p, r, tl, br, bevelWidth_);
  }
  p.fillRect(r, face);
  if (!caption_.isEmpty()) {
    p.setPen(platform::ToQColor(fontColor_));
    p.setFont(font());
    int flags = Qt::AlignVCenter | Qt::TextSingleLine;
    flags |= alignment_ == taLeftJustify ? Qt::AlignLeft : alignment_ == taRightJustify ? Qt::AlignRight : Qt::AlignHCenter;
    p.drawText(CaptionArea(), flags, ShownCaption());
  }
}

QRect TPanel::CaptionArea() const {
  QRect r = contentsRect();
  if (captionRight_ >= 0) r.setRight(std::min(r.right(), captionRight_ - 1));
  return r;
}

QString TPanel::ShownCaption() const {
  const QString shown = ShownText(display_, caption_);
  if (captionRight_ < 0) return shown;
  return QFontMetrics(font()).elidedText(shown, Qt::ElideRight, std::max(0, CaptionArea().width()));
}

}  // namespace toolkit
