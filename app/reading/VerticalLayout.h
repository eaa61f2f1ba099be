#pragma once
// Classical vertical setting of a text: columns from right to left, characters
// from top to bottom, the title and the byline (author) in columns of their
// own before the text, the byline lowered by three rows where it fits, and
// every line of the text starting a new column.
//
// Page geometry (pixels, right and bottom exclusive): column k of a page (k = 0
// is the rightmost) spans x from
//   width - margins.right - cell - k * (cell + columnGap)
// to that plus cell; row r spans y from margins.top + r * (cell + rowGap). A page
// holds as many whole rows and columns as fit inside its margins, at least one.
//
// Full-width punctuation is placed the way vertical CJK text places it:
//  - the comma-like marks (，。、．) sit in the upper right of their cell instead
//    of the lower left: they are drawn moved by (cell / 2, -(cell / 2));
//  - brackets, dashes, ellipses, wave dashes, colon and semicolon are turned a
//    quarter clockwise about the centre of their cell;
//  - a closing mark that would begin a column hangs below the last row of the
//    column before (row = RowsPerColumn), as the rules of line starts want.
#include <QList>
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

namespace reading {

enum class GlyphPlacement { Upright, Corner, Turned };

// How a character is placed in a vertical column.
GlyphPlacement VerticalPlacement(char32_t c);
// Whether a character may not begin a column (closing marks, the comma-like marks).
bool ClosingMark(char32_t c);

struct VerticalMetrics {
  int cell = 28;       // the square a character takes
  int rowGap = 2;      // between the characters of a column
  int columnGap = 14;  // between columns
  QMargins margins{28, 28, 28, 28};
};

// The geometry for a character cell: gaps grow with the cell (row gap cell / 8,
// column gap cell / 2), margins are one cell, and the bottom margin leaves
// room for a hanging mark.
VerticalMetrics MetricsForCell(int cell);

struct VerticalText {
  QString title;
  QString byline;
  QString body;  // lines separated by CR LF, LF or CR
};

struct PlacedGlyph {
  enum Part { kTitle, kByline, kBody };
  QString text;  // one character (two UTF-16 units outside the basic plane)
  Part part = kBody;
  int column = 0;  // on its page, 0 = rightmost
  int row = 0;     // 0 = top; RowsPerColumn for a hanging mark
  QRect cell;
  GlyphPlacement placement = GlyphPlacement::Upright;
  QPoint offset;  // where the glyph is drawn relative to its cell

  bool operator==(const PlacedGlyph&) const = default;
};

struct VerticalPage {
  QList<PlacedGlyph> glyphs;  // in reading order
  int columns = 0;            // columns used, blank ones included
};

class VerticalLayout {
 public:
  VerticalLayout(QSize page, const VerticalMetrics& metrics);

  int RowsPerColumn() const { return rows_; }
  int ColumnsPerPage() const { return columns_; }
  QRect Cell(int column, int row) const;

  // The pages of the text; at least one, empty for an empty text.
  QList<VerticalPage> Lay(const VerticalText& text) const;

 private:
  QSize page_;
  VerticalMetrics m_;
  int rows_;
  int columns_;
};

}  // namespace reading
