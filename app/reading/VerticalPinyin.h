#pragma once
// 注音 in vertical setting: the pinyin of each character to the right of its
// cell, in the room WithRoomForPinyin leaves between the columns. The reading
// window and the printed vertical page share it.
#include <QFont>
#include <QList>
#include <QRect>
#include <QStringList>

#include "app/reading/VerticalLayout.h"
#include "app/study/PinyinTable.h"
#include "app/study/RubyLayout.h"

class QPainter;

namespace reading {

// The readings of a vertical text's glyphs in the order VerticalLayout places
// them across its pages: the title's characters, the byline's, then the
// body's without its line breaks. `shown` is the text as the window shows it,
// `stored` as the database holds it (see study::Annotate).
QStringList GlyphReadings(const VerticalText& shown, const VerticalText& stored,
                          const study::PinyinTable& table = study::PinyinTable::Shipped());

// The vertical metrics with room for the widest reading to the right of every
// column, the pinyin gap on both sides: between the columns and in the right
// margin, where the first column's pinyin goes.
VerticalMetrics WithRoomForPinyin(VerticalMetrics v, const QStringList& readings, const study::RubyMetrics& m);

// The pinyin boxes of one page: for each glyph with a reading, to the right
// of its cell, centred on it from top to bottom. `first` is the index of the
// page's first glyph among all glyphs of the text; glyphs without a reading
// get an empty box.
QList<QRect> PinyinBesideColumns(const VerticalPage& page, int first, const QStringList& readings,
                                 const study::RubyMetrics& m);

// Paints those pinyin boxes in the pinyin's font, offset by `origin`.
void PaintPinyinBeside(QPainter& p, const QList<QRect>& boxes, int first, const QStringList& readings,
                       const QFont& pinyinFont, QPoint origin = {});

}  // namespace reading
