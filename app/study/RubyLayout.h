#pragma once
// 注音: pinyin set above each Chinese character of horizontal text.
//
// Horizontal text: every character takes a cell as wide as the wider of the
// character and its pinyin with the spacing that keeps neighbouring pinyin
// apart; the character is centred in its cell at the bottom of the row and
// the pinyin centred above it. Cells are set from the left and wrap at the
// width; a closing mark never begins a row (it takes the character before it
// along). A line break begins a new row.
//
// Geometry in pixels from (0, 0), right and bottom exclusive. Row r begins at
// y = r * (pinyinHeight + pinyinGap + textHeight + rowGap); its pinyin band is
// pinyinHeight high, its characters begin pinyinGap below the band.
#include <QFont>
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>

#include "app/study/PinyinReader.h"

class QPainter;

namespace study {

struct RubyMetrics {
  std::function<int(const QString&)> textWidth;    // advance of a character in the text's font
  std::function<int(const QString&)> pinyinWidth;  // advance of a reading in the pinyin's font
  int textHeight = 0;
  int pinyinHeight = 0;
  int pinyinGap = 0;      // between the pinyin and its character
  int pinyinSpacing = 0;  // at least this between neighbouring pinyin
  int rowGap = 0;         // between rows

  // The measures of two fonts: the gap an eighth of the pinyin's height, the
  // spacing a quarter of it (at least 2), rows a quarter of the text's height apart.
  static RubyMetrics ForFonts(const QFont& text, const QFont& pinyin);
};

// The face pinyin is set in beside a text's font: a sans-serif face that holds
// every tone mark (ǎ and ǚ among them), a little over half the text's size,
// in the text's unit (pixels or points).
QFont PinyinFontFor(const QFont& text);

struct RubyBox {
  QString text;
  QString pinyin;
  int row = 0;
  QRect cell;       // the character's share of its row, pinyin band included
  QRect textBox;    // where the character is drawn
  QRect pinyinBox;  // where its pinyin is drawn; empty without a reading
  bool operator==(const RubyBox&) const = default;
};

struct RubyText {
  QList<RubyBox> boxes;  // in reading order; line breaks take none
  int rows = 0;
  QSize size;  // the widest row and the height of all rows
};

// Lays out annotated characters (Annotate) in rows at most `width` wide; a
// single cell wider than that gets a row of its own.
RubyText LayRuby(const QList<AnnotatedChar>& chars, const RubyMetrics& m, int width);

// Paints what LayRuby laid out, offset by `origin`.
void PaintRuby(QPainter& p, const RubyText& text, const QFont& textFont, const QFont& pinyinFont, QPoint origin = {});

}  // namespace study
