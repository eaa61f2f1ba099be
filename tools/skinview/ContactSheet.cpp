#include "tools/skinview/ContactSheet.h"

#include <QFont>
#include <QPainter>

namespace skinview {

using namespace skin;

namespace {
constexpr int kScale = 2;
constexpr int kPad = 8;

QImage Checkerboard(const QSize& size) {
  QImage img(size, QImage::Format_RGB32);
  for (int y = 0; y < size.height(); ++y)
    for (int x = 0; x < size.width(); ++x)
      img.setPixel(x, y, ((x / 4 + y / 4) % 2) ? 0xFFD8D8D8u : 0xFFF4F4F4u);
  return img;
}

// One frame enlarged over a checkerboard, with its margins marked.
QImage FrameTile(const QImage& image, const QRect& cell, const TSkinMargins& m, bool vertical) {
  const QSize size = cell.size() * kScale;
  QImage tile = Checkerboard(size);
  {
    QPainter p(&tile);
    p.drawImage(QRect(QPoint(0, 0), size), KeyToAlpha(image.copy(cell)));
    p.setPen(QPen(QColor(0, 200, 220), 1, Qt::DashLine));
    auto vline = [&](int x) { p.drawLine(x * kScale, 0, x * kScale, size.height() - 1); };
    auto hline = [&](int y) { p.drawLine(0, y * kScale, size.width() - 1, y * kScale); };
    Q_UNUSED(vertical);
    if (m.Left > 0) vline(m.Left);
    if (m.Right > 0) vline(cell.width() - m.Right);
    if (m.Top > 0) hline(m.Top);
    if (m.Bottom > 0) hline(cell.height() - m.Bottom);
  }
  return tile;
}

struct Row {
  QString label;
  std::vector<QImage> tiles;
};

Row ElementRow(const QString& label, const QImage& image, int frames, const TSkinMargins& m, bool vertical) {
  Row row;
  row.label = QStringLiteral("%1  (%2 frames, %3x%4, margins %5 %6 %7 %8)")
                  .arg(label)
                  .arg(frames)
                  .arg(image.width())
                  .arg(image.height())
                  .arg(m.Left)
                  .arg(m.Top)
                  .arg(m.Right)
                  .arg(m.Bottom);
  if (image.isNull()) {
    row.label += QStringLiteral("  [no image]");
    return row;
  }
  for (int k = 1; k <= std::max(1, frames); ++k) {
    const QRect cell = FrameRect(image, vertical, frames, k);
    if (!cell.isEmpty()) row.tiles.push_back(FrameTile(image, cell, m, vertical));
  }
  return row;
}
}  // namespace

QImage SampleWindow(const TSkinElements& e, const QSize& size, bool active) {
  QImage out(size, QImage::Format_RGB32);
  out.fill(platform::ToQColor(e.Colours.ButtonFace));
  QPainter p(&out);
  const int W = size.width(), H = size.height();
  auto cellWidth = [](const TDataSkinObject& o, bool vertical) {
    const int n = std::max(1, o.FrameCount);
    return vertical ? o.Image.height() / n : o.Image.width() / n;
  };
  const int L = cellWidth(e.FrameLeft, false), R = cellWidth(e.FrameRight, false);
  const int T = cellWidth(e.FrameTop, true), B = cellWidth(e.FrameBottom, true);
  auto border = [&](const TDataSkinBorder& b, const QRect& r, bool vertical) {
    const int frame = active || b.FrameCount < 2 ? 1 : 2;
    DrawSkinImage(p, r, b.Image, vertical, b.Tile != 1, false, b.FrameCount, frame, b.Margins);
  };
  border(e.FrameLeft, QRect(0, 0, L, H), false);
  border(e.FrameRight, QRect(W - R, 0, R, H), false);
  border(e.FrameBottom, QRect(L, H - B, W - L - R, B), true);
  border(e.FrameTop, QRect(L, 0, W - L - R, T), true);
  // Caption text over its background plate.
  QFont font;
  font.setPixelSize(12);
  font.setBold(true);
  p.setFont(font);
  const QString caption = QStringLiteral("  Cinnabarquillpad ");
  const int textWidth = p.fontMetrics().horizontalAdvance(caption) + e.Title.TXTBackleft + e.Title.TXTBackRight;
  const int textLeft = L + e.Title.Margins.Left;
  if (!e.Title.Image.isNull()) {
    TSkinMargins m;
    m.Left = e.Title.TXTBackleft;
    m.Right = e.Title.TXTBackRight;
    DrawThreePartBar(p, QRect(textLeft, 0, textWidth, T), e.Title.Image, true, true, 2, active ? 1 : 2, m);
  }
  p.setPen(platform::ToQColor(active ? e.Colours.TitleTextActive : e.Colours.TitleTextNoActive));
  p.drawText(QRect(textLeft + e.Title.TXTBackleft, 0, textWidth, T), Qt::AlignVCenter | Qt::AlignLeft, caption);
  // Caption buttons of a normal, resizable window.
  for (const auto& b : e.SysButtons) {
    if (b->Image.isNull() || b->Align == 100) continue;
    if (b->Action == 1 && b->Visibility == 1) continue;  // restore: the window is not maximised
    const int w = b->Image.width() / std::max(1, b->FrameCount);
    const QPoint at = b->Align == 1 ? QPoint(W - b->Xcoord, b->Ycoord) : QPoint(b->Xcoord, b->Ycoord);
    const int frame = !active && b->FrameCount >= 4 ? 4 : 1;
    DrawFrameStretched(p, QRect(at, QSize(w, b->Image.height())), b->Image, true, b->FrameCount, frame);
  }
  int y = T;
  if (e.MenuBar) {
    const TDataSkinObject& m = *e.MenuBar;
    DrawSkinImage(p, QRect(L, y, W - L - R, 20), m.Image, false, m.Tile == 1, false, m.FrameCount, active ? 1 : 2,
                  m.Margins);
    font.setBold(false);
    p.setFont(font);
    p.setPen(platform::ToQColor(e.Colours.MenuBarText));
    int x = L + 8;
    int item = 0;
    for (const QString& t : {QStringLiteral("File"), QStringLiteral("View"), QStringLiteral("Skins")}) {
      const int w = p.fontMetrics().horizontalAdvance(t) + 14;
      if (item == 1 && e.MenuItem)
        DrawSkinImage(p, QRect(x - 7, y + 1, w, 18), e.MenuItem->Image, false, false, true, e.MenuItem->FrameCount, 4,
                      e.MenuItem->Margins);
      p.drawText(QRect(x - 7, y, w, 20), Qt::AlignCenter, t);
      x += w + 4;
      ++item;
    }
    y += 20;
  }
  const int left = L + 10;
  y += 10;
  // Push buttons in their five states.
  for (int f = 1; f <= 5; ++f) {
    const TDataSkinButton& b = e.Buttons;
    DrawSkinImage(p, QRect(left + (f - 1) * 62, y, 56, 24), b.Image, false, b.Tile == 1, b.Trans != 0, 5, f,
                  b.Margins);
  }
  y += 32;
  // Check and radio glyphs, every frame.
  for (int f = 1; f <= e.Buttons.CheckButtonFrame; ++f) {
    const QImage& img = e.Buttons.CheckImage;
    const int w = img.width() / std::max(1, e.Buttons.CheckButtonFrame);
    DrawFrameStretched(p, QRect(left + (f - 1) * 22, y, w, img.height()), img, true, e.Buttons.CheckButtonFrame, f);
  }
  for (int f = 1; f <= e.Buttons.RadioButtonFrame; ++f) {
    const QImage& img = e.Buttons.RadioImage;
    const int w = img.width() / std::max(1, e.Buttons.RadioButtonFrame);
    DrawFrameStretched(p, QRect(left + 110 + (f - 1) * 22, y, w, img.height()), img, true, e.Buttons.RadioButtonFrame,
                       f);
  }
  y += 26;
  // A combo box drawn the composite way, with a white edit area showing through.
  if (e.ComboButton) {
    const TDataSkinBorder& c = *e.ComboButton;
    p.fillRect(QRect(left, y, 150, 21), Qt::white);
    DrawSkinImage(p, QRect(left, y, 150, 21), c.Image, false, false, true, c.FrameCount, 1, c.Margins);
    p.fillRect(QRect(left + 170, y, 150, 21), Qt::white);
    DrawSkinImage(p, QRect(left + 170, y, 150, 21), c.Image, false, false, true, c.FrameCount, 4, c.Margins);
  }
  y += 30;
  // A progress bar half full.
  if (e.Progress) {
    const TDataSkinBorder& pr = *e.Progress;
    const QRect bar(left, y, 200, 16);
    DrawSkinImage(p, bar, pr.Image, false, pr.Tile == 1, pr.Trans != 0, pr.FrameCount, 1, pr.Margins);
    QImage work(QSize(96, 10), QImage::Format_RGB32);
    TileImage(work, work.rect(), pr.Image2, pr.Image2.rect());
    p.drawImage(bar.left() + 3, bar.top() + 3, work);
  }
  y += 24;
  // A horizontal scroll bar: arrows, track, thumb.
  if (e.Scrollbar && e.HorzScroll && e.HorzScrollThumb) {
    const int A = 16, len = 220;
    const QRect bar(left, y, len, A);
    const TDataSkinObject& tr = *e.HorzScroll;
    DrawSkinImage(p, QRect(bar.left() + A, y, len - 2 * A, A), tr.Image, false, tr.Tile == 1, tr.Trans != 0, 4, 1,
                  tr.Margins);
    DrawFrameStretched(p, QRect(bar.left(), y, A, A), e.Scrollbar->Image, true, 23, 1);
    DrawFrameStretched(p, QRect(bar.right() - A + 1, y, A, A), e.Scrollbar->Image, true, 23, 5);
    const TDataSkinObject& th = *e.HorzScrollThumb;
    DrawSkinImage(p, QRect(bar.left() + 60, y, 50, A), th.Image, false, false, th.Trans != 0, th.FrameCount, 1,
                  th.Margins);
  }
  // A vertical scroll bar along the right edge.
  if (e.Scrollbar && e.VertScroll && e.VertScrollThumb) {
    const int A = 16, top = T + (e.MenuBar ? 20 : 0), len = H - top - B;
    const int x = W - R - A;
    const TDataSkinObject& tr = *e.VertScroll;
    DrawSkinImage(p, QRect(x, top + A, A, len - 2 * A), tr.Image, false, tr.Tile == 1, tr.Trans != 0, 4, 1,
                  tr.Margins);
    DrawFrameStretched(p, QRect(x, top, A, A), e.Scrollbar->Image, true, 23, 9);
    DrawFrameStretched(p, QRect(x, top + len - A, A, A), e.Scrollbar->Image, true, 23, 13);
    const TDataSkinObject& th = *e.VertScrollThumb;
    DrawSkinImage(p, QRect(x, top + 40, A, 40), th.Image, false, false, th.Trans != 0, th.FrameCount, 1, th.Margins);
  }
  // The status bar along the bottom: a lowered panel and a raised one.
  if (e.StatusBarEdges) {
    const TDataSkinObject& s = *e.StatusBarEdges;
    DrawSkinImage(p, QRect(L, H - B - 20, 180, 20), s.Image, false, false, false, 3, 1, s.Margins);
    DrawSkinImage(p, QRect(L + 182, H - B - 20, W - L - R - 182 - 16, 20), s.Image, false, false, false, 3, 2,
                  s.Margins);
  }
  p.end();
  // Cut the rounded corners as the window region would.
  const QRegion region = RegionFromImage(out, 0, 0, 1, 1, 1, kSkinKeyColor);
  QImage shaped = Checkerboard(size);
  QPainter sp(&shaped);
  sp.setClipRegion(region);
  sp.drawImage(0, 0, out);
  return shaped;
}

QImage ContactSheet(const TSkinElements& e, const QString& title) {
  std::vector<Row> rows;
  auto add = [&](const QString& label, const QImage& img, int frames, const TSkinMargins& m, bool vertical) {
    rows.push_back(ElementRow(label, img, frames, m, vertical));
  };
  add(QStringLiteral("Frame Left"), e.FrameLeft.Image, e.FrameLeft.FrameCount, e.FrameLeft.Margins, false);
  add(QStringLiteral("Frame Right"), e.FrameRight.Image, e.FrameRight.FrameCount, e.FrameRight.Margins, false);
  add(QStringLiteral("Frame Top"), e.FrameTop.Image, e.FrameTop.FrameCount, e.FrameTop.Margins, true);
  add(QStringLiteral("Frame Bottom"), e.FrameBottom.Image, e.FrameBottom.FrameCount, e.FrameBottom.Margins, true);
  TSkinMargins titleMargins;
  titleMargins.Left = e.Title.TXTBackleft;
  titleMargins.Right = e.Title.TXTBackRight;
  add(QStringLiteral("Title text back"), e.Title.Image, 2, titleMargins, true);
  for (const auto& b : e.SysButtons)
    add(QStringLiteral("%1 (action %2, align %3, x %4)").arg(b->Name).arg(b->Action).arg(b->Align).arg(b->Xcoord),
        b->Image, b->FrameCount, b->Margins, false);
  add(QStringLiteral("Buttons"), e.Buttons.Image, e.Buttons.FrameCount, e.Buttons.Margins, false);
  add(QStringLiteral("Check box"), e.Buttons.CheckImage, e.Buttons.CheckButtonFrame, {}, false);
  add(QStringLiteral("Radio button"), e.Buttons.RadioImage, e.Buttons.RadioButtonFrame, {}, false);
  for (const auto& [name, o] : e.OptionalElements()) {
    if (!o) {
      rows.push_back({name + QStringLiteral("  [absent]"), {}});
      continue;
    }
    add(name, o->Image, o->FrameCount, o->Margins, false);
    if (const auto* b = dynamic_cast<const TDataSkinBorder*>(o); b && !b->Image2.isNull()) {
      const int frames = name.startsWith(QLatin1String("UpDown")) ? 8 : name == QLatin1String("ComboButton") ? 4 : 1;
      add(name + QStringLiteral(" (second image)"), b->Image2, frames, {}, false);
    }
  }

  QFont font;
  font.setPixelSize(12);
  const int labelHeight = 16;
  const QImage activeWindow = SampleWindow(e, QSize(460, 300), true);
  const QImage inactiveWindow = SampleWindow(e, QSize(460, 300), false);
  int width = 2 * activeWindow.width() + 3 * kPad;
  int height = kPad + 24 + activeWindow.height() + kPad + 40 + kPad;
  for (const Row& r : rows) {
    int w = kPad, h = 0;
    for (const QImage& t : r.tiles) {
      w += t.width() + 4;
      h = std::max(h, t.height());
    }
    width = std::max(width, w + kPad);
    height += labelHeight + h + kPad;
  }
  QImage sheet(width, height, QImage::Format_RGB32);
  sheet.fill(Qt::white);
  QPainter p(&sheet);
  p.setFont(font);
  p.setPen(Qt::black);
  int y = kPad;
  p.drawText(kPad, y + 14, title + QStringLiteral("  —  ") + e.SkinName);
  y += 24;
  p.drawImage(kPad, y, activeWindow);
  p.drawImage(2 * kPad + activeWindow.width(), y, inactiveWindow);
  y += activeWindow.height() + kPad;
  // Colour swatches.
  const std::pair<const char*, platform::TColor> colours[] = {
      {"WindowText", e.Colours.WindowText},   {"ButtonFace", e.Colours.ButtonFace},
      {"Scrollbar", e.Colours.Scrollbar},     {"HilightText", e.Colours.HilightText},
      {"Hilight", e.Colours.Hilight},         {"Menubar", e.Colours.Menubar},
      {"Menu", e.Colours.Menu},               {"MenuText", e.Colours.MenuText},
      {"ButtonText", e.Colours.ButtonText},   {"ButtonHilight", e.Colours.ButtonHilight},
      {"Buttonlight", e.Colours.Buttonlight}, {"ButtonShadow", e.Colours.ButtonShadow},
      {"ButtonDkShadow", e.Colours.ButtonDkShadow}, {"MenuBarText", e.Colours.MenuBarText},
      {"TitleTextActive", e.Colours.TitleTextActive}, {"TitleTextNoActive", e.Colours.TitleTextNoActive}};
  int x = kPad;
  for (const auto& [name, c] : colours) {
    p.fillRect(QRect(x, y, 20, 20), platform::ToQColor(c));
    p.drawRect(QRect(x, y, 20, 20));
    QFont small = font;
    small.setPixelSize(8);
    p.setFont(small);
    p.drawText(QRect(x - 4, y + 22, 56, 12), Qt::AlignLeft, QString::fromLatin1(name));
    p.setFont(font);
    x += 58;
  }
  y += 40 + kPad;
  for (const Row& r : rows) {
    p.drawText(kPad, y + 12, r.label);
    y += labelHeight;
    x = kPad;
    int h = 0;
    for (const QImage& t : r.tiles) {
      p.drawImage(x, y, t);
      p.setPen(QColor(160, 160, 160));
      p.drawRect(QRect(x - 1, y - 1, t.width() + 1, t.height() + 1));
      p.setPen(Qt::black);
      x += t.width() + 4;
      h = std::max(h, t.height());
    }
    y += h + kPad;
  }
  return sheet;
}

}  // namespace skinview
