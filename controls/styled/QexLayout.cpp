#include "controls/styled/QexLayout.h"

#include "controls/styled/FlatUtils.h"

namespace styled {

namespace {

QRect Face(const QexLayoutInput& in) {
  QRect face = in.client;
  // The frame draws one ring per pixel of width until nothing is left inside.
  for (int i = 0; i < in.frameWidth && !face.isEmpty(); ++i) face.adjust(1, 1, -1, -1);
  if (in.innerInset) face.adjust(1, 1, -1, -1);
  return face;
}

QRect Glyph(const QexLayoutInput& in, const QRect& face) {
  if (in.cell.isEmpty()) return QRect();
  const int fw = face.width(), fh = face.height();
  const int cw = in.cell.width(), ch = in.cell.height();
  const int tw = in.caption.width(), th = in.caption.height();
  const int L = in.spacingLayout;
  int x = 0, y = face.top() + (fh - ch) / 2;
  if (!in.hasCaption) {
    x = face.left() + (fw - cw) / 2 - (in.popupMark ? 5 : 0);
  } else {
    switch (in.layout) {
      case TQexButton::blGlyphLeft: x = face.left() + (fw - (tw + cw)) / 2 - L; break;
      case TQexButton::blGlyphRight: x = face.left() + (fw - cw + tw) / 2 + L; break;
      case TQexButton::blGlyphBottom:
        x = face.left() + (fw - cw) / 2;
        y = face.top() + (fh - ch) / 2 + th / 2 + L;
        break;
      case TQexButton::blGlyphTop:
        x = face.left() + (fw - cw) / 2;
        y = face.top() + (fh - ch) / 2 - th / 2 - L;
        break;
    }
  }
  return QRect(x + in.pressed, y + in.pressed, cw, ch);
}

QRect Caption(const QexLayoutInput& in, const QRect& face, const QRect& g) {
  if (!in.hasCaption) return QRect();
  const int tw = in.caption.width(), th = in.caption.height();
  const int S = in.spacing;
  QPoint at;
  if (!in.hasGlyph || g.isNull()) {
    at = QPoint(face.left() + (face.width() - tw) / 2 + in.pressed, face.top() + (face.height() - th) / 2 + in.pressed);
  } else {
    switch (in.layout) {
      case TQexButton::blGlyphLeft: at = QPoint(Right(g) + S, g.top() + (g.height() - th) / 2); break;
      case TQexButton::blGlyphRight: at = QPoint(g.left() - tw - S, g.top() + (g.height() - th) / 2); break;
      case TQexButton::blGlyphBottom: at = QPoint(g.left() + g.width() / 2 - tw / 2, g.top() - 8 - S - th / 2); break;
      case TQexButton::blGlyphTop: at = QPoint(g.left() + g.width() / 2 - tw / 2, Bottom(g) + S); break;
    }
  }
  return QRect(at, in.caption);
}

// The mark goes right of the glyph cell, centred on it, when the caption
// leaves room there: above or below the glyph, or none at all.
QRect Mark(const QexLayoutInput& in, const QRect& g) {
  if (g.isNull() || !in.popupMark || !in.hasGlyph || in.mark.isEmpty()) return QRect();
  const bool roomBeside =
      in.layout == TQexButton::blGlyphBottom || in.layout == TQexButton::blGlyphTop || !in.hasCaption;
  if (!roomBeside) return QRect();
  return QRect(g.left() + in.glyphCellWidth + in.markGap, g.top() + (g.height() - in.mark.height()) / 2,
               in.mark.width(), in.mark.height());
}

}  // namespace

QexLayout LayOutQexButton(const QexLayoutInput& in) {
  QexLayout out;
  out.face = Face(in);
  out.glyph = Glyph(in, out.face);
  out.caption = Caption(in, out.face, out.glyph);
  out.mark = Mark(in, out.glyph);
  return out;
}

}  // namespace styled
