#include "app/reading/VerticalPainter.h"

#include <QPainter>

namespace reading {

void PaintVerticalPage(QPainter& p, const VerticalPage& page, const QFont& face, int cell) {
  QFont body = face;
  body.setPixelSize(std::max(1, cell));
  QFont title = body;
  title.setBold(true);
  for (const PlacedGlyph& g : page.glyphs) {
    p.setFont(g.part == PlacedGlyph::kTitle ? title : body);
    const QRect box = g.cell.translated(g.offset);
    if (g.placement == GlyphPlacement::Turned) {
      p.save();
      p.translate(QRectF(box).center());
      p.rotate(90);
      p.drawText(QRectF(-box.width() / 2.0, -box.height() / 2.0, box.width(), box.height()), Qt::AlignCenter, g.text);
      p.restore();
    } else {
      p.drawText(box, Qt::AlignCenter, g.text);
    }
  }
}

}  // namespace reading
