#include "controls/styled/FlatUtils.h"

#include <QPainter>
#include <QWidget>
#include <algorithm>

namespace styled {

GlyphLayoutResult CalcGlyphLayout(const QRect& client, QPoint offset, QSize captionSize, TButtonLayout layout,
                                  int margin, int spacing, QSize glyphSize, int numGlyphs) {
  const int w = client.width(), h = client.height();
  const int n = std::max(1, numGlyphs);
  const QPoint g = glyphSize.isEmpty() ? QPoint(0, 0) : QPoint(glyphSize.width() / n, glyphSize.height());
  const QPoint t = captionSize.isEmpty() ? QPoint(0, 0) : QPoint(captionSize.width(), captionSize.height());
  const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;

  QPoint glyphPos, textPos;
  if (horizontal) {
    glyphPos.setY((h - g.y() + 1) / 2);
    textPos.setY((h - t.y() + 1) / 2);
  } else {
    glyphPos.setX((w - g.x() + 1) / 2);
    textPos.setX((w - t.x() + 1) / 2);
  }

  int m = margin, s = spacing;
  if (t.x() == 0 || g.x() == 0) s = 0;
  if (m == -1) {
    if (s == -1) {
      m = horizontal ? (w - (g.x() + t.x())) / 3 : (h - (g.y() + t.y())) / 3;
      s = m;
    } else {
      m = horizontal ? (w - (g.x() + s + t.x()) + 1) / 2 : (h - (g.y() + s + t.y()) + 1) / 2;
    }
  }
  if (m >= 0 && s == -1) s = horizontal ? ((w - (m + g.x())) - t.x()) / 2 : ((h - (m + g.y())) - t.y()) / 2;

  switch (layout) {
    case blGlyphLeft:
      glyphPos.setX(m);
      textPos.setX(m + g.x() + s);
      break;
    case blGlyphRight:
      glyphPos.setX(w - m - g.x());
      textPos.setX(glyphPos.x() - s - t.x());
      break;
    case blGlyphTop:
      glyphPos.setY(m);
      textPos.setY(m + g.y() + s);
      break;
    case blGlyphBottom:
      glyphPos.setY(h - m - g.y());
      textPos.setY(glyphPos.y() - s - t.y());
      break;
  }

  GlyphLayoutResult r;
  r.glyphOrigin = glyphPos + client.topLeft() + offset;
  if (!captionSize.isEmpty()) r.captionRect = QRect(textPos + client.topLeft() + offset, captionSize);
  return r;
}

void DrawFlatFrame(QPainter& p, const QRect& rect, const QColor& color, int width) {
  // Pull the right and bottom edges in by one, then draw `width` rings inwards.
  int left = rect.x(), top = rect.y(), right = Right(rect) - 1, bottom = Bottom(rect) - 1;
  for (int i = 0; i < width && left <= right && top <= bottom; ++i) {
    p.fillRect(QRect(left, top, 1, bottom - top + 1), color);
    p.fillRect(QRect(left, top, right - left + 1, 1), color);
    p.fillRect(QRect(right, top, 1, bottom - top + 1), color);
    p.fillRect(QRect(left, bottom, right - left + 1, 1), color);
    ++left, ++top, --right, --bottom;
  }
}

QImage MakeDisabledGlyph(const QImage& cell) {
  const QImage src = cell.convertToFormat(QImage::Format_RGB32);
  QImage out(src.size(), QImage::Format_RGB32);
  out.fill(platform::ToQColor(platform::clBtnFace));
  const QRgb highlight = platform::ToQColor(platform::clBtnHighlight).rgb();
  const QRgb shadow = platform::ToQColor(platform::clBtnShadow).rgb();
  const QRgb black = qRgb(0, 0, 0);
  for (int y = 0; y < src.height(); ++y)
    for (int x = 0; x < src.width(); ++x)
      if (src.pixel(x, y) == black && x + 1 < out.width() && y + 1 < out.height()) out.setPixel(x + 1, y + 1, highlight);
  for (int y = 0; y < src.height(); ++y)
    for (int x = 0; x < src.width(); ++x)
      if (src.pixel(x, y) == black) out.setPixel(x, y, shadow);
  return out;
}

QImage ReplaceColor(const QImage& image, QRgb from, QRgb to) {
  QImage out = image.convertToFormat(QImage::Format_ARGB32);
  from |= 0xFF000000u;
  for (int y = 0; y < out.height(); ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x)
      if ((line[x] | 0xFF000000u) == from) line[x] = to;
  }
  return out;
}

void DrawTransparent(QPainter& p, QPoint at, const QImage& image, QRgb transparent) {
  if (image.isNull()) return;
  p.drawImage(at, ReplaceColor(image, transparent, qRgba(0, 0, 0, 0)));
}

QRgb BottomLeftColor(const QImage& image) {
  if (image.isNull()) return qRgb(0, 0, 0);
  return image.pixel(0, image.height() - 1) | 0xFF000000u;
}

namespace {

// Rounds num / den to the nearest integer, halves away from zero (den > 0).
int RoundDiv(int num, int den) {
  return num >= 0 ? (2 * num + den) / (2 * den) : -((-2 * num + den) / (2 * den));
}

void FillClipped(QImage& image, const QRect& r, QRgb color) {
  const QRect c = r & image.rect();
  for (int y = c.y(); y < Bottom(c); ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    std::fill(line + c.x(), line + Right(c), color);
  }
}

QRgb PixelOr(const QImage& image, int x, int y, QRgb fallback) {
  return image.rect().contains(x, y) ? image.pixel(x, y) : fallback;
}

// Bands from `a` at the top (or left) edge to `z` at the bottom (or right) edge.
void LinearBands(QImage& image, const QRect& rect, QRgb a, QRgb z, bool vertical, int n) {
  const int extent = vertical ? rect.height() : rect.width();
  const int c = std::max(2, std::min(n, extent));
  const int w = extent / c;
  const int dr = qRed(z) - qRed(a), dg = qGreen(z) - qGreen(a), db = qBlue(z) - qBlue(a);
  for (int k = 0; k < c; ++k) {
    const QRgb color = qRgb(qRed(a) + RoundDiv(k * dr, c - 1), qGreen(a) + RoundDiv(k * dg, c - 1),
                            qBlue(a) + RoundDiv(k * db, c - 1));
    const QRect band = vertical ? QRect(rect.x(), rect.y() + k * w, rect.width(), w)
                                : QRect(rect.x() + k * w, rect.y(), w, rect.height());
    FillClipped(image, band, color);
  }
  const int rest = extent - c * w;
  if (rest > 0) {
    const QRect tail = vertical ? QRect(rect.x(), Bottom(rect) - rest, rect.width(), rest)
                                : QRect(Right(rect) - rest, rect.y(), rest, rect.height());
    FillClipped(image, tail, z);
  }
}

void Linear(QImage& image, const QRect& rect, QRgb start, QRgb stop, TFillDirection d, int n) {
  if (rect.isEmpty()) return;
  if (n < 2) {
    FillClipped(image, rect, start);
    return;
  }
  switch (d) {
    case fdTopToBottom: LinearBands(image, rect, start, stop, true, n); break;
    case fdBottomToTop: LinearBands(image, rect, stop, start, true, n); break;
    case fdLeftToRight: LinearBands(image, rect, start, stop, false, n); break;
    case fdRightToLeft: LinearBands(image, rect, stop, start, false, n); break;
    default: break;
  }
}

void XPFace(QImage& image, const QRect& rect, QRgb s, QRgb p, int n) {
  constexpr int e = 6;
  const int l = rect.x(), t = rect.y(), r = Right(rect), b = Bottom(rect);
  auto span = [](int x1, int y1, int x2, int y2) { return QRect(x1, y1, std::max(0, x2 - x1), std::max(0, y2 - y1)); };
  Linear(image, span(l + e, t + e, r, b - e), p, s, fdTopToBottom, n);
  Linear(image, span(l + e, b - e, r, b), s, p, fdTopToBottom, n);
  FillClipped(image, span(l + e, t, r, t + 1), s);
  Linear(image, span(l + e, t + 1, r, t + e), s, p, fdTopToBottom, 8);
  FillClipped(image, span(l, t + e, l + 1, b), s);
  for (int y = t + e; y < b; ++y) {
    const QRgb from = PixelOr(image, l, y, s), to = PixelOr(image, l + 7, y, p);
    Linear(image, span(l + 1, y, l + e, y + 1), from, to, fdLeftToRight, 8);
  }
  // Corner: nested L shapes repeating the left band's colours; each line leaves out its end point.
  const QRect clip = rect & image.rect();
  for (int i = 0; i <= e; ++i) {
    const QRgb pen = PixelOr(image, l + i, t + 7, s);
    for (int y = t + e; y > t + i; --y)
      if (clip.contains(l + i, y)) image.setPixel(l + i, y, pen);
    for (int x = l + i; x < l + e; ++x)
      if (clip.contains(x, t + i)) image.setPixel(x, t + i, pen);
  }
}

}  // namespace

void FillGradient(QImage& image, const QRect& rect, platform::TColor start, platform::TColor stop,
                  TFillDirection direction, int colors) {
  if (rect.isEmpty() || image.isNull()) return;
  if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32 &&
      image.format() != QImage::Format_ARGB32_Premultiplied)
    image = image.convertToFormat(QImage::Format_RGB32);
  const QRgb s = platform::ToQColor(start).rgb(), p = platform::ToQColor(stop).rgb();
  if (colors < 2) {
    FillClipped(image, rect, s);
    return;
  }
  switch (direction) {
    case fdCenterToVerti: {
      const int half = rect.height() / 2;
      Linear(image, QRect(rect.x(), rect.y(), rect.width(), half), s, p, fdTopToBottom, colors);
      Linear(image, QRect(rect.x(), rect.y() + half, rect.width(), rect.height() - half), s, p, fdBottomToTop, colors);
      break;
    }
    case fdCenterToHoriz: {
      const int half = rect.width() / 2;
      Linear(image, QRect(rect.x(), rect.y(), half, rect.height()), s, p, fdLeftToRight, colors);
      Linear(image, QRect(rect.x() + half, rect.y(), rect.width() - half, rect.height()), s, p, fdRightToLeft, colors);
      break;
    }
    case fdXPFace: XPFace(image, rect, s, p, colors); break;
    default: Linear(image, rect, s, p, direction, colors); break;
  }
}

void DrawParentBackground(QWidget* control, QPainter& p) {
  QWidget* parent = control->parentWidget();
  if (!parent) return;
  const QRect source = control->geometry() & parent->rect();
  if (source.isEmpty()) return;
  p.save();
  parent->render(&p, source.topLeft() - control->pos(), QRegion(source), QWidget::DrawWindowBackground);
  p.restore();
}

QFont WithStyles(QFont font, TFontStyles styles) {
  font.setBold(styles & fsBold);
  font.setItalic(styles & fsItalic);
  font.setUnderline(styles & fsUnderline);
  font.setStrikeOut(styles & fsStrikeOut);
  return font;
}

QChar AcceleratorOf(const QString& caption) {
  for (int i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != QLatin1Char('&')) continue;
    if (caption[i + 1] == QLatin1Char('&')) {
      ++i;
      continue;
    }
    return caption[i + 1].toLower();
  }
  return QChar();
}

}  // namespace styled
