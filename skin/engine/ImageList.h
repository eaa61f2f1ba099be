#pragma once
// A strip of equal square images with a transparent colour, as menus use for
// their item glyphs.
#include <QImage>
#include <QPoint>

#include "platform/Color.h"

class QPainter;

namespace skin {

class TImageList {
 public:
  TImageList() = default;
  TImageList(int width, int height) : width_(width), height_(height) {}

  int Width() const { return width_; }
  int Height() const { return height_; }
  int Count() const;
  // Replaces the images with the cells of `strip` (left to right); pixels of
  // `transparent` become see-through.
  void LoadStrip(const QImage& strip, platform::TColor transparent);
  // One image with its transparency as alpha; null outside 0 .. Count() - 1.
  QImage Image(int index) const;
  // Draws image `index` with its top-left corner at `at`; disabled images are
  // drawn embossed in the button-highlight and button-shadow colours.
  void Draw(QPainter& p, const QPoint& at, int index, bool enabled = true) const;

 private:
  int width_ = 16;
  int height_ = 16;
  QImage strip_;  // ARGB32, transparent pixels have alpha 0
};

// The engine's menu glyphs: the bitmap resource "SKINMENUGLYPHS", 16 x 16,
// white transparent (0 restore, 1 maximise, 2 minimise, 3 close).
TImageList LoadMenuGlyphs();

}  // namespace skin
