#pragma once
// Scroll bars without 3-D edges: a plain track, and arrows and thumb as flat
// boxes with a one-pixel shadow outline. Geometry and hit-testing stay the
// base style's, so the bars behave exactly as with it. The report list view
// sets one on each of its bars while FlatScrollBars is on.
#include <QProxyStyle>

namespace toolkit {

class FlatScrollBarStyle : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;

  void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* p,
                          const QWidget* widget) const override;
};

}  // namespace toolkit
