#include "tests/skin_contrast/Contrast.h"

#include <algorithm>
#include <cmath>

namespace contrast {

namespace {

// One sRGB channel (0 ... 255) in linear light.
double Linear(int v) {
  const double c = v / 255.0;
  return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

}  // namespace

double RelativeLuminance(const QColor& c) {
  return 0.2126 * Linear(c.red()) + 0.7152 * Linear(c.green()) + 0.0722 * Linear(c.blue());
}

double ContrastRatio(const QColor& a, const QColor& b) {
  const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TWorst WorstContrast(const QImage& background, const QRect& box, const QColor& ink) {
  TWorst worst;
  const QRect r = box.intersected(background.rect());
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) {
      const QColor b = QColor::fromRgb(background.pixel(x, y));
      const double ratio = ContrastRatio(ink, b);
      if (worst.background.isValid() && ratio >= worst.ratio) continue;
      worst = {ratio, QPoint(x, y), b};
    }
  return worst;
}

TInk InkOf(const QImage& withoutText, const QImage& withText, const QColor& ink) {
  TInk result;
  const QImage a = withoutText.convertToFormat(QImage::Format_RGB32);
  const QImage b = withText.convertToFormat(QImage::Format_RGB32);
  const QRgb want = ink.rgb();
  for (int y = 0; y < std::min(a.height(), b.height()); ++y)
    for (int x = 0; x < std::min(a.width(), b.width()); ++x) {
      const QRgb p = b.pixel(x, y);
      if (p == a.pixel(x, y)) continue;
      ++result.pixels;
      if (p != want) ++result.otherColour;
      result.box |= QRect(x, y, 1, 1);
    }
  return result;
}

}  // namespace contrast
