#include "controls/outbar/ImageList.h"

#include <QPainter>

namespace outbar {

TImageList::TImageList(int width, int height, QObject* parent) : QObject(parent), width_(width), height_(height) {}

int TImageList::Add(const QImage& image) {
  QImage img = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  if (img.size() != QSize(width_, height_)) img = img.scaled(width_, height_);
  images_.append(img);
  emit Changed();
  return Count() - 1;
}

void TImageList::Clear() {
  images_.clear();
  emit Changed();
}

void TImageList::Draw(QPainter& p, int x, int y, int index, bool enabled) const {
  if (index < 0 || index >= Count()) return;
  if (enabled) {
    p.drawImage(x, y, images_.at(index));
    return;
  }
  p.drawImage(x, y, images_.at(index).convertToFormat(QImage::Format_Grayscale8).convertToFormat(QImage::Format_ARGB32));
}

}  // namespace outbar
