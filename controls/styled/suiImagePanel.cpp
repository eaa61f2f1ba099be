#include "controls/styled/suiImagePanel.h"

#include <QImageReader>
#include <QLayout>
#include <QPainter>

#include "controls/styled/FlatUtils.h"
#include "toolkit/AlignLayout.h"

namespace styled {

TsuiImagePanel::TsuiImagePanel(QWidget* parent) : toolkit::TPanel(parent) {
  SetBevelOuter(toolkit::bvNone);
  SetBevelInner(toolkit::bvNone);
  // The background is never erased on its own: painting covers the whole panel.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TsuiImagePanel::SetPicture(const QImage& picture, bool isBitmap) {
  picture_ = picture.isNull() ? QImage() : picture.convertToFormat(QImage::Format_ARGB32);
  pictureIsBitmap_ = isBitmap;
  PictureChanged();
}

bool TsuiImagePanel::LoadPicture(const QString& fileName) {
  QImageReader reader(fileName);
  const QByteArray format = reader.format().toLower();
  const QImage image = reader.read();
  if (image.isNull()) return false;
  SetPicture(image, format == "bmp");
  return true;
}

void TsuiImagePanel::PictureChanged() {
  if (!picture_.isNull()) {
    if (autoSize_) ApplyAutoSize();
    pictureTransparent_ = transparent_;
  }
  repaint();
}

void TsuiImagePanel::SetDrawStyle(TsuiDrawStyle v) {
  drawStyle_ = v;
  repaint();
}

void TsuiImagePanel::SetTransparent(bool v) {
  transparent_ = v;
  if (!picture_.isNull()) pictureTransparent_ = v;
  repaint();
}

void TsuiImagePanel::SetAutoSize(bool v) {
  autoSize_ = v;
  if (!picture_.isNull() && autoSize_) ApplyAutoSize();
}

void TsuiImagePanel::ApplyAutoSize() {
  QSize size = this->size();
  switch (toolkit::Align(this)) {
    case toolkit::alNone: size = picture_.size(); break;
    case toolkit::alTop:
    case toolkit::alBottom: size.setHeight(picture_.height()); break;
    case toolkit::alLeft:
    case toolkit::alRight: size.setWidth(picture_.width()); break;
    case toolkit::alClient: break;
  }
  if (size == this->size()) return;
  resize(size);
  if (parentWidget() && parentWidget()->layout()) parentWidget()->layout()->invalidate();
}

void TsuiImagePanel::resizeEvent(QResizeEvent* event) {
  toolkit::TPanel::resizeEvent(event);
  update();
}

QList<QRect> TsuiImagePanel::PicturePlaces(TsuiDrawStyle style, QSize picture, QSize client) {
  QList<QRect> places;
  if (picture.isEmpty()) return places;
  switch (style) {
    case suiStretch: places.append(QRect(QPoint(0, 0), client)); break;
    case suiNormal: places.append(QRect(QPoint(0, 0), picture)); break;
    case suiTile: {
      const int w = picture.width(), h = picture.height();
      for (int i = 0; i * w < client.width() + w; ++i)
        for (int j = 0; j * h < client.height() + h; ++j) places.append(QRect(i * w, j * h, w, h));
      break;
    }
  }
  return places;
}

void TsuiImagePanel::paintEvent(QPaintEvent*) {
  QImage buffer(size(), QImage::Format_ARGB32_Premultiplied);
  buffer.fill(platform::ToQColor(Color()));
  {
    QPainter p(&buffer);
    if (transparent_) DrawParentBackground(this, p);
    if (!picture_.isNull()) {
      const QImage face = pictureTransparent_ && pictureIsBitmap_
                              ? ReplaceColor(picture_, BottomLeftColor(picture_), qRgba(0, 0, 0, 0))
                              : picture_;
      p.setRenderHint(QPainter::SmoothPixmapTransform, drawStyle_ == suiStretch);
      for (const QRect& place : PicturePlaces(drawStyle_, picture_.size(), size()))
        p.drawImage(place, face);
    }
    // With no picture: the colour, or (see-through) the parent's image.
    if (!Caption().trimmed().isEmpty()) {
      int flags = Qt::AlignVCenter | Qt::TextSingleLine;
      flags |= Alignment() == toolkit::taLeftJustify    ? Qt::AlignLeft
               : Alignment() == toolkit::taRightJustify ? Qt::AlignRight
                                                        : Qt::AlignHCenter;
      p.setFont(font());
      p.setPen(platform::ToQColor(FontColor()));
      p.drawText(rect(), flags, Caption());
    }
  }
  QPainter p(this);
  p.drawImage(0, 0, buffer);
}

}  // namespace styled
