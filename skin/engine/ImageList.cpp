#include "skin/engine/ImageList.h"

#include <QPainter>

#include "platform/Picture.h"

namespace skin {

int TImageList::Count() const { return strip_.isNull() || width_ <= 0 ? 0 : strip_.width() / width_; }

void TImageList::LoadStrip(const QImage& strip, platform::TColor transparent) {
  strip_ = strip.convertToFormat(QImage::Format_ARGB32);
  const QRgb key = platform::ToQColor(platform::ColorToRGB(transparent)).rgb() & 0xFFFFFFu;
  for (int y = 0; y < strip_.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(strip_.scanLine(y));
    for (int x = 0; x < strip_.width(); ++x)
      if ((line[x] & 0xFFFFFFu) == key) line[x] = 0;
  }
}

QImage TImageList::Image(int index) const {
  if (index < 0 || index >= Count()) return {};
  return strip_.copy(index * width_, 0, width_, height_);
}

void TImageList::Draw(QPainter& p, const QPoint& at, int index, bool enabled) const {
  QImage image = Image(index);
  if (image.isNull()) return;
  if (enabled) {
    p.drawImage(at, image);
    return;
  }
  // Disabled: the glyph's shape in highlight, offset by one pixel, under the shape in shadow.
  auto tinted = [&image](platform::TColor colour) {
    QImage t = image;
    const QRgb rgb = platform::ToQColor(platform::ColorToRGB(colour)).rgb() & 0xFFFFFFu;
    for (int y = 0; y < t.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(t.scanLine(y));
      for (int x = 0; x < t.width(); ++x)
        if (qAlpha(line[x]) != 0) line[x] = 0xFF000000u | rgb;
    }
    return t;
  };
  p.drawImage(at + QPoint(1, 1), tinted(platform::clBtnHighlight));
  p.drawImage(at, tinted(platform::clBtnShadow));
}

TImageList LoadMenuGlyphs() {
  TImageList list(16, 16);
  list.LoadStrip(platform::ReadPicture(QStringLiteral(":/skin/SKINMENUGLYPHS.bmp")), platform::clWhite);
  return list;
}

}  // namespace skin
