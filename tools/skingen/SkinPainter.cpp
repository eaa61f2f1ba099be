#include "tools/skingen/SkinPainter.h"

#include <QHash>
#include <QList>
#include <cmath>
#include <cstdint>

namespace skingen {

QColor Mix(const QColor& a, const QColor& b, double t) {
  auto m = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
  return QColor(m(a.red(), b.red()), m(a.green(), b.green()), m(a.blue(), b.blue()));
}

QColor Grey(const QColor& c) {
  const int v = (c.red() * 3 + c.green() * 5 + c.blue() * 2) / 10;
  return Mix(c, QColor(v, v, v), 0.75);
}

QRgb Safe(const QColor& c) {
  int r = c.red(), g = c.green(), b = c.blue();
  if (r > 240 && b > 240 && g < 16) g = 16;
  return qRgb(r, g, b);
}

QImage Blank(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(kKey);
  return img;
}

namespace {
void Set(QImage& img, int x, int y, QRgb c) {
  if (x >= 0 && y >= 0 && x < img.width() && y < img.height()) reinterpret_cast<QRgb*>(img.scanLine(y))[x] = c;
}
QColor At(const QImage& img, int x, int y) { return QColor(img.pixel(x, y)); }
}  // namespace

void Fill(QImage& img, const QRect& r, const QColor& c) {
  const QRgb v = Safe(c);
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) Set(img, x, y, v);
}

void Gradient(QImage& img, const QRect& r, const QColor& from, const QColor& to, bool vertical) {
  const int n = vertical ? r.height() : r.width();
  for (int i = 0; i < n; ++i) {
    const QRgb c = Safe(Mix(from, to, n > 1 ? static_cast<double>(i) / (n - 1) : 0.0));
    if (vertical) {
      for (int x = r.left(); x <= r.right(); ++x) Set(img, x, r.top() + i, c);
    } else {
      for (int y = r.top(); y <= r.bottom(); ++y) Set(img, r.left() + i, y, c);
    }
  }
}

void ApplyTexture(QImage& img, const QRect& r, Texture texture, int seed) {
  std::uint32_t state = 2463534242u + static_cast<std::uint32_t>(seed) * 7919u;
  auto rnd = [&state]() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
  };
  for (int y = r.top(); y <= r.bottom(); ++y) {
    for (int x = r.left(); x <= r.right(); ++x) {
      if (x < 0 || y < 0 || x >= img.width() || y >= img.height()) continue;
      if (img.pixel(x, y) == kKey) continue;
      const QColor c = At(img, x, y);
      double shade = 0.0;  // negative darkens, positive lightens
      const int lx = x - r.left(), ly = y - r.top();
      switch (texture) {
        case Texture::Plain:
          break;
        case Texture::Wood:
          shade = 0.10 * std::sin(ly * 0.9 + std::sin(lx * 0.07) * 3.0) - ((rnd() % 11 == 0) ? 0.06 : 0.0);
          break;
        case Texture::Waves:
          shade = 0.09 * std::sin(lx * 0.35 + std::sin(ly * 0.5) * 2.0 + ly * 0.6);
          break;
        case Texture::Brushed:
          shade = (static_cast<int>(rnd() % 9) - 4) * 0.012 + 0.04 * std::sin(ly * 1.7);
          break;
        case Texture::Gloss:
          shade = ly < r.height() / 2 ? 0.22 : 0.0;
          break;
        case Texture::Paper:
          shade = (rnd() % 23 == 0) ? -0.05 : 0.0;
          break;
        case Texture::Stripes:
          shade = ((lx + ly) / 4) % 2 ? 0.0 : 0.12;
          break;
      }
      const QColor out = shade >= 0 ? Mix(c, Qt::white, shade) : Mix(c, Qt::black, -shade);
      Set(img, x, y, Safe(out));
    }
  }
}

void Bevel(QImage& img, const QRect& r, const QColor& light, const QColor& dark, bool sunken) {
  const QRgb a = Safe(sunken ? dark : light), b = Safe(sunken ? light : dark);
  for (int x = r.left(); x <= r.right(); ++x) {
    Set(img, x, r.top(), a);
    Set(img, x, r.bottom(), b);
  }
  for (int y = r.top(); y <= r.bottom(); ++y) {
    Set(img, r.left(), y, a);
    Set(img, r.right(), y, b);
  }
}

void Frame(QImage& img, const QRect& r, const QColor& c) { Bevel(img, r, c, c); }

void RoundCorners(QImage& img, const QRect& r, int radius, bool tl, bool tr, bool bl, bool br) {
  if (radius <= 0) return;
  for (int dy = 0; dy < radius; ++dy) {
    for (int dx = 0; dx < radius; ++dx) {
      // Distance from the pixel centre to the corner circle's centre.
      const double ddx = radius - dx - 0.5, ddy = radius - dy - 0.5;
      if (ddx * ddx + ddy * ddy <= static_cast<double>(radius) * radius) continue;
      if (tl) Set(img, r.left() + dx, r.top() + dy, kKey);
      if (tr) Set(img, r.right() - dx, r.top() + dy, kKey);
      if (bl) Set(img, r.left() + dx, r.bottom() - dy, kKey);
      if (br) Set(img, r.right() - dx, r.bottom() - dy, kKey);
    }
  }
}

void Disc(QImage& img, const QRect& r, const QColor& c) {
  const double cx = r.left() + r.width() / 2.0, cy = r.top() + r.height() / 2.0;
  const double rad = std::min(r.width(), r.height()) / 2.0;
  const QRgb v = Safe(c);
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) {
      const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
      if (dx * dx + dy * dy <= rad * rad) Set(img, x, y, v);
    }
}

void DrawGlyph(QImage& img, const QRect& r, Glyph g, const QColor& c, int size) {
  const QRgb v = Safe(c);
  const int x0 = r.left() + (r.width() - size) / 2, y0 = r.top() + (r.height() - size) / 2;
  const int s = size;
  auto px = [&](int x, int y) { Set(img, x0 + x, y0 + y, v); };
  switch (g) {
    case Glyph::Close:
      for (int i = 0; i < s; ++i) {
        px(i, i);
        px(s - 1 - i, i);
        if (i + 1 < s) {
          px(i + 1, i);
          px(s - 2 - i, i);
        }
      }
      break;
    case Glyph::Maximize:
      for (int i = 0; i < s; ++i) {
        px(i, 0);
        px(i, 1);
        px(i, s - 1);
        px(0, i);
        px(s - 1, i);
      }
      break;
    case Glyph::Restore: {
      const int t = s * 2 / 3;
      for (int i = 0; i < t; ++i) {
        px(s - t + i, 0);
        px(s - 1, i);
        px(i, s - t);
        px(i, s - t + 1);
        px(i, s - 1);
        px(0, s - t + i);
        px(t - 1, s - t + i);
      }
      break;
    }
    case Glyph::Minimize:
      for (int i = 0; i < s; ++i) {
        px(i, s - 2);
        px(i, s - 1);
      }
      break;
    case Glyph::Menu:
      for (int row = 0; row < 3; ++row)
        for (int i = 0; i < s; ++i) px(i, row * (s / 3) + s / 6);
      break;
    case Glyph::ArrowLeft:
    case Glyph::ArrowRight:
    case Glyph::ArrowUp:
    case Glyph::ArrowDown: {
      const int h = (s + 1) / 2;
      for (int i = 0; i < h; ++i) {
        for (int j = i; j < s - i; ++j) {
          switch (g) {
            case Glyph::ArrowDown: px(j, h / 2 + i); break;
            case Glyph::ArrowUp: px(j, h / 2 + h - 1 - i); break;
            case Glyph::ArrowRight: px(h / 2 + i, j); break;
            default: px(h / 2 + h - 1 - i, j); break;
          }
        }
      }
      break;
    }
    case Glyph::Check:
      for (int i = 0; i < s / 3 + 1; ++i) {
        px(i, s / 2 + i - 1);
        px(i, s / 2 + i);
      }
      for (int i = 0; i < s - s / 3; ++i) {
        px(s / 3 + i, s / 2 + s / 3 - i - 1);
        px(s / 3 + i, s / 2 + s / 3 - i);
      }
      break;
    case Glyph::Dot:
      Disc(img, QRect(x0, y0, s, s), c);
      break;
    case Glyph::Grip:
      for (int d = 0; d < s; d += 3)
        for (int i = 0; i <= d; ++i)
          if ((i + d) % 3 == 0) px(s - 1 - d + i, s - 1 - i);
      break;
    case Glyph::Dash:
      for (int i = 0; i < s; ++i) {
        px(i, s / 2);
        px(i, s / 2 - 1);
      }
      break;
  }
}

QImage Strip(const std::vector<QImage>& frames, bool vertical) {
  int w = 0, h = 0;
  for (const QImage& f : frames) {
    if (vertical) {
      w = std::max(w, f.width());
      h += f.height();
    } else {
      w += f.width();
      h = std::max(h, f.height());
    }
  }
  QImage out = Blank(w, h);
  int at = 0;
  for (const QImage& f : frames) {
    for (int y = 0; y < f.height(); ++y)
      for (int x = 0; x < f.width(); ++x)
        Set(out, vertical ? x : at + x, vertical ? at + y : y, f.pixel(x, y));
    at += vertical ? f.height() : f.width();
  }
  return out;
}

namespace {
void Put16(QByteArray& b, int at, std::uint32_t v) {
  b[at] = static_cast<char>(v & 0xFF);
  b[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}
void Put32(QByteArray& b, int at, std::uint32_t v) {
  Put16(b, at, v & 0xFFFF);
  Put16(b, at + 2, v >> 16);
}
QByteArray Header(int w, int h, int bpp, int paletteSize, std::uint32_t pixelBytes) {
  const std::uint32_t offset = 54 + 4 * static_cast<std::uint32_t>(paletteSize);
  QByteArray b(static_cast<qsizetype>(offset), '\0');
  b[0] = 'B';
  b[1] = 'M';
  Put32(b, 2, offset + pixelBytes);
  Put32(b, 10, offset);
  Put32(b, 14, 40);
  Put32(b, 18, static_cast<std::uint32_t>(w));
  Put32(b, 22, static_cast<std::uint32_t>(h));
  Put16(b, 26, 1);
  Put16(b, 28, static_cast<std::uint32_t>(bpp));
  Put32(b, 34, pixelBytes);
  Put32(b, 38, 2835);
  Put32(b, 42, 2835);
  Put32(b, 46, static_cast<std::uint32_t>(paletteSize));
  return b;
}
}  // namespace

QByteArray Bmp24(const QImage& image) {
  const int w = image.width(), h = image.height();
  const int stride = ((w * 24 + 31) / 32) * 4;
  QByteArray out = Header(w, h, 24, 0, static_cast<std::uint32_t>(stride * h));
  for (int y = h - 1; y >= 0; --y) {
    QByteArray row(stride, '\0');
    for (int x = 0; x < w; ++x) {
      const QRgb p = image.pixel(x, y);
      row[3 * x] = static_cast<char>(qBlue(p));
      row[3 * x + 1] = static_cast<char>(qGreen(p));
      row[3 * x + 2] = static_cast<char>(qRed(p));
    }
    out += row;
  }
  return out;
}

QByteArray Bmp8(const QImage& image) {
  QList<QRgb> colours;
  QHash<QRgb, int> index;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = image.pixel(x, y) | 0xFF000000u;
      if (!index.contains(p)) {
        if (colours.size() == 256) return Bmp24(image);
        index.insert(p, static_cast<int>(colours.size()));
        colours.append(p);
      }
    }
  const int w = image.width(), h = image.height();
  const int stride = ((w * 8 + 31) / 32) * 4;
  QByteArray out = Header(w, h, 8, static_cast<int>(colours.size()), static_cast<std::uint32_t>(stride * h));
  for (int i = 0; i < colours.size(); ++i) {
    out[54 + 4 * i] = static_cast<char>(qBlue(colours[i]));
    out[54 + 4 * i + 1] = static_cast<char>(qGreen(colours[i]));
    out[54 + 4 * i + 2] = static_cast<char>(qRed(colours[i]));
  }
  for (int y = h - 1; y >= 0; --y) {
    QByteArray row(stride, '\0');
    for (int x = 0; x < w; ++x) row[x] = static_cast<char>(index.value(image.pixel(x, y) | 0xFF000000u));
    out += row;
  }
  return out;
}

}  // namespace skingen
