#include "controls/outbar/ListViewEx.h"

#include <QPaintEvent>
#include <QPainter>

#include "platform/Edges.h"

namespace outbar {

TCustomDCListViewEx::TCustomDCListViewEx(QWidget* parent) : QWidget(parent) {
  // The background is never erased separately: every paint covers the client area.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAutoFillBackground(false);
}

void TCustomDCListViewEx::SetBackground(const QImage& picture) {
  background_ = picture.isNull() ? QImage() : picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  update();
}

void TCustomDCListViewEx::SetBackgroundMode(TBackgroundModeGlobal v) {
  if (v == backgroundMode_) return;
  backgroundMode_ = v;
  update();
}

void TCustomDCListViewEx::SetGradientBeginColor(platform::TColor v) {
  if (v == gradientBegin_) return;
  gradientBegin_ = v;
  if (backgroundMode_ == bkmGradientHorz || backgroundMode_ == bkmGradientVert) update();
}

void TCustomDCListViewEx::SetGradientEndColor(platform::TColor v) {
  if (v == gradientEnd_) return;
  gradientEnd_ = v;
  if (backgroundMode_ == bkmGradientHorz || backgroundMode_ == bkmGradientVert) update();
}

void TCustomDCListViewEx::SetBorderStyle(TBorderStyle v) {
  if (v == borderStyle_) return;
  borderStyle_ = v;
  ClientChanged();
  update();
}

void TCustomDCListViewEx::SetCtl3D(bool v) {
  if (v == ctl3D_) return;
  ctl3D_ = v;
  ClientChanged();
  update();
}

void TCustomDCListViewEx::SetColor(platform::TColor v) {
  if (v == color_) return;
  color_ = v;
  update();
}

void TCustomDCListViewEx::SetFontColor(platform::TColor v) {
  if (v == fontColor_) return;
  fontColor_ = v;
  update();
}

int TCustomDCListViewEx::BorderWidth() const {
  if (borderStyle_ != bsSingle) return 0;
  return ctl3D_ ? 2 : 1;
}

int TCustomDCListViewEx::ClientWidth() const { return std::max(0, width() - 2 * BorderWidth()); }
int TCustomDCListViewEx::ClientHeight() const { return std::max(0, height() - 2 * BorderWidth()); }

void TCustomDCListViewEx::InvalidateClient(const TRect& r) {
  if (r.IsEmpty()) return;
  update(r.Offset(BorderWidth(), BorderWidth()).ToQRect());
}

void TCustomDCListViewEx::PaintBackground(QPainter& p, const TRect& r) {
  const int cw = ClientWidth(), ch = ClientHeight();
  const TRect wide{r.left, r.top, r.right + 1, r.bottom + 1};
  const bool gradient = backgroundMode_ == bkmGradientHorz || backgroundMode_ == bkmGradientVert;
  const bool picture = (backgroundMode_ == bkmCenter || backgroundMode_ == bkmStretch || backgroundMode_ == bkmTile) &&
                       background_.width() > 0 && background_.height() > 0;
  if (!gradient && !picture) {
    p.fillRect(wide.ToQRect(), platform::ToQColor(color_));
    return;
  }
  p.save();
  p.setClipRect(wide.ToQRect(), Qt::IntersectClip);
  switch (backgroundMode_) {
    case bkmGradientHorz:
      DrawGradient(p, cw, ch, false, gradientBegin_, gradientEnd_);
      break;
    case bkmGradientVert:
      DrawGradient(p, cw, ch, true, gradientBegin_, gradientEnd_);
      break;
    case bkmCenter:
      p.fillRect(wide.ToQRect(), platform::ToQColor(color_));
      p.drawImage((cw - background_.width()) / 2, (ch - background_.height()) / 2, background_);
      break;
    case bkmStretch:
      p.drawImage(QRect(0, 0, cw, ch), background_);
      break;
    case bkmTile: {
      const int w = background_.width(), h = background_.height();
      const TileRange t = TilesFor(wide, w, h);
      for (int i = t.firstColumn; i <= t.lastColumn; ++i)
        for (int j = t.firstRow; j <= t.lastRow; ++j) p.drawImage(i * w, j * h, background_);
      break;
    }
    case bkmNone:
      break;
  }
  p.restore();
}

void TCustomDCListViewEx::PaintOverlay(QPainter&) {}

void TCustomDCListViewEx::PaintItems(QPainter&, const TRect&) {}

void TCustomDCListViewEx::PaintClient(QPainter& p, const TRect& area) {
  PaintBackground(p, ClientRect());
  PaintItems(p, area);
  PaintOverlay(p);
}

QImage TCustomDCListViewEx::RenderClient() {
  QImage image(std::max(1, ClientWidth()), std::max(1, ClientHeight()), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::black);
  QPainter p(&image);
  PaintClient(p, ClientRect());
  return image;
}

void TCustomDCListViewEx::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  const int b = BorderWidth();
  if (b > 0) {
    QRect r = rect();
    if (ctl3D_)
      platform::DrawEdge(p, r, platform::EDGE_SUNKEN, platform::BF_RECT);
    else
      platform::DrawEdge(p, r, platform::BDR_SUNKENOUTER, platform::BF_RECT | platform::BF_MONO);
  }
  const int cw = ClientWidth(), ch = ClientHeight();
  if (cw <= 0 || ch <= 0) return;
  // The repaint area in client coordinates, cut to the client.
  TRect area = TRect::FromQRect(event->rect().translated(-b, -b));
  area.left = std::max(area.left, 0);
  area.top = std::max(area.top, 0);
  area.right = std::min(area.right, cw);
  area.bottom = std::min(area.bottom, ch);
  if (area.IsEmpty()) return;
  if (buffer_.size() != QSize(cw, ch)) buffer_ = QImage(cw, ch, QImage::Format_ARGB32_Premultiplied);
  {
    QPainter bp(&buffer_);
    PaintClient(bp, area);
  }
  ++paintCount_;
  p.drawImage(QPoint(area.left + b, area.top + b), buffer_, area.ToQRect());
}

void TCustomDCListViewEx::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  ClientChanged();
}

}  // namespace outbar
