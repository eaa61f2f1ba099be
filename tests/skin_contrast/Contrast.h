#pragma once
// How well text stands out from what lies behind it, by the WCAG 2 contrast
// ratio, and where on a painted image the text of a painter sits.
#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>

namespace contrast {

// The relative luminance of an sRGB colour: 0 for black, 1 for white.
double RelativeLuminance(const QColor& c);
// (lighter + 0.05) / (darker + 0.05): 1 for equal colours, 21 for black on white.
double ContrastRatio(const QColor& a, const QColor& b);

// The lowest ratio of `ink` against the pixels of `background` in `box`, and
// the first pixel that has it.
struct TWorst {
  double ratio = 0.0;
  QPoint at;
  QColor background;
};
TWorst WorstContrast(const QImage& background, const QRect& box, const QColor& ink);

// What a painter's text added to an image: the pixels where `withText`
// differs from `withoutText` (both the same size), their bounding box, and
// whether every one of them is `ink` (the painter drew in that colour).
struct TInk {
  QRect box;
  int pixels = 0;
  int otherColour = 0;  // differing pixels of another colour than `ink`
};
TInk InkOf(const QImage& withoutText, const QImage& withText, const QColor& ink);

}  // namespace contrast
