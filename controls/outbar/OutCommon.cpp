#include "controls/outbar/OutCommon.h"

#include <QPainter>
#include <cstdlib>

namespace outbar {

TRect CenterRectHorz(TRect r, const TRect& outer) {
  const int width = r.Width();
  r.left = (outer.left + outer.right - width) / 2;
  r.right = r.left + width;
  return r;
}

std::vector<GradientBand> GradientBands(int extent, platform::TColor begin, platform::TColor end) {
  std::vector<GradientBand> bands;
  if (extent <= 0) return bands;
  const platform::TColor b = platform::ColorToRGB(begin);
  const platform::TColor e = platform::ColorToRGB(end);
  const int r0 = platform::GetRValue(b), g0 = platform::GetGValue(b), b0 = platform::GetBValue(b);
  const int dr = platform::GetRValue(e) - r0, dg = platform::GetGValue(e) - g0, db = platform::GetBValue(e) - b0;
  const int count = Max3(std::abs(dr), std::abs(dg), std::abs(db)) + 1;
  const int t = extent / count + 1;
  bands.reserve(static_cast<size_t>(count));
  for (int k = 0; k < count; ++k) {
    const int start = k * t;
    if (start > extent) break;
    // Integer division truncates towards zero, as the colour steps require.
    const int step = k * t;
    bands.push_back({start, t,
                     platform::RGB(r0 + step * dr / extent, g0 + step * dg / extent, b0 + step * db / extent)});
  }
  return bands;
}

void DrawGradient(QPainter& surface, int width, int height, bool vertical, platform::TColor begin,
                  platform::TColor end) {
  const int extent = vertical ? height : width;
  for (const GradientBand& band : GradientBands(extent, begin, end)) {
    const QColor c = platform::ToQColor(band.color);
    if (vertical)
      surface.fillRect(QRect(0, band.start, width, band.thickness), c);
    else
      surface.fillRect(QRect(band.start, 0, band.thickness, height), c);
  }
}

TileRange TilesFor(const TRect& r, int w, int h) {
  if (w <= 0 || h <= 0) return {0, -1, 0, -1};
  return {r.left / w, (r.right + w - 1) / w, r.top / h, (r.bottom + h - 1) / h};
}

void LineTo(QPainter& p, int x1, int y1, int x2, int y2, const QColor& color) {
  if (y1 == y2) {
    if (x2 > x1) p.fillRect(QRect(x1, y1, x2 - x1, 1), color);
    else if (x2 < x1) p.fillRect(QRect(x2 + 1, y1, x1 - x2, 1), color);
  } else if (x1 == x2) {
    if (y2 > y1) p.fillRect(QRect(x1, y1, 1, y2 - y1), color);
    else p.fillRect(QRect(x1, y2 + 1, 1, y1 - y2), color);
  }
}

}  // namespace outbar
