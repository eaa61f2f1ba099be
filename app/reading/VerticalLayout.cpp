#include "app/reading/VerticalLayout.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>

namespace reading {

namespace {

// Rows above the byline, as a classical page lowers the author's name.
constexpr int kBylineIndent = 3;

int Fit(int space, int size, int gap) { return std::max(1, (space + gap) / std::max(1, size + gap)); }

// The characters of a text, one string each (surrogate pairs kept together).
QStringList Characters(const QString& text) {
  QStringList out;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const qsizetype n = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
    out.append(text.mid(i, n));
    i += n - 1;
  }
  return out;
}

char32_t CodePoint(const QString& ch) { return ch.size() == 2 ? QChar::surrogateToUcs4(ch[0], ch[1]) : ch[0].unicode(); }

}  // namespace

VerticalMetrics MetricsForCell(int cell) {
  VerticalMetrics m;
  m.cell = cell;
  m.rowGap = cell / 8;
  m.columnGap = cell / 2;
  m.margins = QMargins(cell, cell, cell, cell + m.rowGap);
  return m;
}

GlyphPlacement VerticalPlacement(char32_t c) {
  switch (c) {
    case U'，': case U'。': case U'、': case U'．':
      return GlyphPlacement::Corner;
    case U'「': case U'」': case U'『': case U'』': case U'（': case U'）': case U'《': case U'》':
    case U'〈': case U'〉': case U'【': case U'】': case U'〔': case U'〕': case U'［': case U'］':
    case U'｛': case U'｝': case U'〖': case U'〗': case U'“': case U'”': case U'‘': case U'’':
    case U'—': case U'―': case U'－': case U'…': case U'～': case U'〜': case U'：': case U'；':
    case U'(': case U')': case U'[': case U']': case U'-':
      return GlyphPlacement::Turned;
    default:
      return GlyphPlacement::Upright;
  }
}

bool ClosingMark(char32_t c) {
  switch (c) {
    case U'，': case U'。': case U'、': case U'．': case U'：': case U'；': case U'！': case U'？':
    case U'」': case U'』': case U'）': case U'》': case U'〉': case U'】': case U'〕': case U'］':
    case U'｝': case U'〗': case U'”': case U'’':
      return true;
    default:
      return false;
  }
}

VerticalLayout::VerticalLayout(QSize page, const VerticalMetrics& metrics)
    : page_(page),
      m_(metrics),
      rows_(Fit(page.height() - metrics.margins.top() - metrics.margins.bottom(), metrics.cell, metrics.rowGap)),
      columns_(Fit(page.width() - metrics.margins.left() - metrics.margins.right(), metrics.cell, metrics.columnGap)) {}

QRect VerticalLayout::Cell(int column, int row) const {
  const int x = page_.width() - m_.margins.right() - m_.cell - column * (m_.cell + m_.columnGap);
  const int y = m_.margins.top() + row * (m_.cell + m_.rowGap);
  return QRect(x, y, m_.cell, m_.cell);
}

QList<VerticalPage> VerticalLayout::Lay(const VerticalText& text) const {
  QList<VerticalPage> pages{VerticalPage{}};
  int column = -1;  // the column being filled on the last page
  int row = 0;
  bool hung = false;  // the column has a hanging mark already

  auto newColumn = [&] {
    ++column;
    if (column >= columns_) {
      pages.append(VerticalPage{});
      column = 0;
    }
    pages.last().columns = column + 1;
    row = 0;
    hung = false;
  };
  auto place = [&](const QString& ch, PlacedGlyph::Part part, int atRow) {
    PlacedGlyph g;
    g.text = ch;
    g.part = part;
    g.column = column;
    g.row = atRow;
    g.cell = Cell(column, atRow);
    g.placement = VerticalPlacement(CodePoint(ch));
    if (g.placement == GlyphPlacement::Corner) g.offset = QPoint(m_.cell / 2, -(m_.cell / 2));
    pages.last().glyphs.append(g);
  };
  // One paragraph from a fresh column; the byline is lowered when it fits.
  auto paragraph = [&](const QString& line, PlacedGlyph::Part part, bool lowered) {
    const QStringList chars = Characters(line);
    newColumn();
    if (lowered) row = std::clamp(rows_ - static_cast<int>(chars.size()), 0, kBylineIndent);
    for (const QString& ch : chars) {
      if (row >= rows_) {
        if (!hung && ClosingMark(CodePoint(ch))) {
          place(ch, part, rows_);
          hung = true;
          continue;
        }
        newColumn();
      }
      place(ch, part, row++);
    }
  };

  if (!text.title.isEmpty()) paragraph(text.title, PlacedGlyph::kTitle, false);
  if (!text.byline.isEmpty()) paragraph(text.byline, PlacedGlyph::kByline, true);
  QStringList lines = text.body.split(QRegularExpression(QStringLiteral("\\r\\n|\\n|\\r")));
  while (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  for (const QString& line : lines) paragraph(line, PlacedGlyph::kBody, false);
  return pages;
}

}  // namespace reading
