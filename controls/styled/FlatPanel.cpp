#include "controls/styled/FlatPanel.h"

#include <QPainter>
#include <QResizeEvent>

#include "toolkit/AlignLayout.h"

namespace styled {

namespace {
// Aligned children are placed this far inside the panel's edges.
constexpr int kChildInset = 2;
// Colours of the custom gradient face.
constexpr int kGradientColors = 60;
}  // namespace

TFlatPanel::TFlatPanel(QWidget* parent) : QWidget(parent) {
  setGeometry(0, 0, 185, 41);
  toolkit::AlignLayout::Of(this);
  setContentsMargins(kChildInset, kChildInset, kChildInset, kChildInset);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

#define CQ_FLAT_SETTER(Name, field)             \
  void TFlatPanel::Set##Name(decltype(field) v) { \
    if (field == v) return;                     \
    field = v;                                  \
    update();                                   \
  }
CQ_FLAT_SETTER(Transparent, transparent_)
CQ_FLAT_SETTER(TransBorder, transBorder_)
CQ_FLAT_SETTER(Alignment, alignment_)
CQ_FLAT_SETTER(BackgropOrien, orien_)
CQ_FLAT_SETTER(StyleFace, styleFace_)
CQ_FLAT_SETTER(Color, color_)
CQ_FLAT_SETTER(FontColor, fontColor_)
#undef CQ_FLAT_SETTER

void TFlatPanel::SetCaption(const QString& v) {
  if (caption_ == v) return;
  caption_ = v;
  update();
}

void TFlatPanel::SetColors(int index, platform::TColor v) {
  if (index < 0 || index > 2) return;
  colors_[index] = v;
  update();
}

void TFlatPanel::SetFullRepaint(bool v) {
  fullRepaint_ = v;
  // Without a full repaint, the window system only exposes newly uncovered parts.
  setAttribute(Qt::WA_StaticContents, !v);
}

void TFlatPanel::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const QSize old = event->oldSize();
  if (fullRepaint_ || !caption_.isEmpty() || !old.isValid()) {
    lastResizeRegion_ = QRegion(rect());
    update();
    return;
  }
  QRegion strips;
  if (old.width() != width()) strips += QRect(old.width() - 2, 0, 2, old.height());
  if (old.height() != height()) strips += QRect(0, old.height() - 2, old.width(), 2);
  lastResizeRegion_ = strips;
  if (!strips.isEmpty()) update(strips);
}

void TFlatPanel::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::EnabledChange || event->type() == QEvent::FontChange) update();
}

void TFlatPanel::PaintTo(QImage& image) {
  const QRect client(QPoint(0, 0), image.size());
  if (transparent_) {
    image.fill(platform::ToQColor(color_));  // under whatever the parent leaves unpainted
    QPainter p(&image);
    DrawParentBackground(this, p);
  } else if (styleFace_ == fsCustom) {
    FillGradient(image, client, colors_[1], colors_[2], orien_, kGradientColors);
  } else {
    image.fill(platform::ToQColor(color_));
  }
  QPainter p(&image);
  if (!transBorder_) DrawFlatFrame(p, client, platform::ToQColor(colors_[0]), 1);
  if (caption_.isEmpty()) return;
  const QRect captionRect = client.adjusted(3, 0, -3, 0);
  int flags = Qt::AlignVCenter | Qt::TextSingleLine;
  flags |= alignment_ == toolkit::taLeftJustify    ? Qt::AlignLeft
           : alignment_ == toolkit::taRightJustify ? Qt::AlignRight
                                                   : Qt::AlignHCenter;
  p.setFont(font());
  if (!isEnabled()) {
    p.setPen(platform::ToQColor(platform::clBtnHighlight));
    p.drawText(captionRect.translated(1, 1), flags, caption_);
    p.setPen(platform::ToQColor(platform::clBtnShadow));
  } else {
    p.setPen(platform::ToQColor(fontColor_));
  }
  p.drawText(captionRect, flags, caption_);
}

void TFlatPanel::paintEvent(QPaintEvent*) {
  QImage buffer(size(), QImage::Format_RGB32);
  PaintTo(buffer);
  QPainter p(this);
  p.drawImage(0, 0, buffer);
}

}  // namespace styled
