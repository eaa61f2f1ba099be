#include "tests/skin_menu/MenuSkins.h"

#include "tests/skin/SkinTestData.h"

namespace menutest {

using platform::RGB;

QRgb BarLeft(int frame) { return qRgb(200, 10 * frame, 0); }
QRgb BarMiddle(int frame, int column) { return qRgb(20 + column, 100 + 10 * frame, 50); }
QRgb BarRight(int frame) { return qRgb(0, 10 * frame, 200); }

std::unique_ptr<skin::TDataSkinObject> MenuBarElement(int left, int right, int tile) {
  auto e = std::make_unique<skin::TDataSkinObject>();
  // Caps as wide as the margins (at least one column), three middle columns.
  const int L = std::max(1, left), R = std::max(1, right), w = L + 3 + R, h = 10;
  QImage img(w, 2 * h, QImage::Format_RGB32);
  for (int f = 1; f <= 2; ++f)
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const QRgb c = x < L ? BarLeft(f) : x >= w - R ? BarRight(f) : BarMiddle(f, x - L);
        img.setPixel(x, (f - 1) * h + y, c);
      }
  e->Image = img;
  e->Margins = {left, 0, right, 0};
  e->Tile = tile;
  e->FrameCount = 2;
  e->Name = QStringLiteral("Personality");
  return e;
}

QRgb ItemFrame(int k) { return qRgb(40 * k, 250 - 40 * k, 90); }
QRgb SeparatorLine() { return qRgb(1, 2, 3); }
QRgb SeparatorLeft() { return qRgb(4, 5, 6); }
QRgb SeparatorRight() { return qRgb(7, 8, 9); }

std::unique_ptr<skin::TDataSkinObject> MenuItemElement(int left, int top, int right, int bottom, int trans) {
  auto e = std::make_unique<skin::TDataSkinObject>();
  QImage img(100, 20, QImage::Format_RGB32);
  for (int k = 1; k <= 5; ++k)
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x) {
        QRgb c = ItemFrame(k);
        if (k == 2) {
          if (y < 16) c = skin::kMagenta;
          else if (x < left) c = SeparatorLeft();
          else if (x >= 20 - right) c = SeparatorRight();
          else c = SeparatorLine();
        }
        if (x == 10 && y == 10) c = skin::kMagenta;
        img.setPixel((k - 1) * 20 + x, y, c);
      }
  e->Image = img;
  e->Margins = {left, top, right, bottom};
  e->Trans = trans;
  e->FrameCount = 5;
  e->Name = QStringLiteral("MenuItem");
  return e;
}

std::unique_ptr<skin::TDataSkinObject> MenuBackgroundElement() {
  auto e = std::make_unique<skin::TDataSkinObject>();
  e->Image = skintest::Pattern(12, 12, skintest::Coord);
  e->Margins = {3, 3, 3, 3};
  e->FrameCount = 1;
  e->Name = QStringLiteral("MenuBackground");
  return e;
}

void SetMenuColours(skin::TSkinElements& e) {
  auto& c = e.Colours;
  c.Menubar = RGB(210, 211, 212);
  c.Menu = RGB(230, 231, 232);
  c.MenuText = RGB(10, 20, 30);
  c.MenuBarText = RGB(30, 20, 10);
  c.Hilight = RGB(0, 60, 160);
  c.HilightText = RGB(250, 250, 240);
  c.ButtonShadow = RGB(120, 121, 122);
  c.ButtonHilight = RGB(255, 254, 253);
  c.ButtonText = RGB(5, 6, 7);
  c.ButtonFace = RGB(190, 191, 192);
}

void AddMenuElements(skin::TSkinElements& e, bool bar, bool item, bool background) {
  SetMenuColours(e);
  e.MenuBar = bar ? MenuBarElement(2, 1, 0) : nullptr;
  e.MenuItem = item ? MenuItemElement(3, 2, 4, 2, 1) : nullptr;
  e.MenuBackground = background ? MenuBackgroundElement() : nullptr;
}

QColor Colour(platform::TColor c) { return platform::ToQColor(platform::ColorToRGB(c)); }

}  // namespace menutest
