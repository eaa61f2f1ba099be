#include "app/reading/VerticalPinyin.h"

#include <QPainter>
#include <QRegularExpression>
#include <algorithm>

#include "app/study/PinyinReader.h"

namespace reading {

QStringList GlyphReadings(const VerticalText& shown, const VerticalText& stored, const study::PinyinTable& table) {
  QStringList out;
  auto add = [&](const QString& s, const QString& t) {
    for (const study::AnnotatedChar& c : study::Annotate(s, t, table))
      if (c.text != u"\r" && c.text != u"\n") out.append(c.pinyin);
  };
  add(shown.title, stored.title);
  add(shown.byline, stored.byline);
  // Line by line, as the body is set: a line of the shown text is read by its
  // stored line when both have as many lines.
  static const QRegularExpression breaks(QStringLiteral("\\r\\n|\\n|\\r"));
  const QStringList shownLines = shown.body.split(breaks), storedLines = stored.body.split(breaks);
  for (qsizetype i = 0; i < shownLines.size(); ++i)
    add(shownLines[i], storedLines.size() == shownLines.size() ? storedLines[i] : shownLines[i]);
  return out;
}

VerticalMetrics WithRoomForPinyin(VerticalMetrics v, const QStringList& readings, const study::RubyMetrics& m) {
  int widest = 0;
  for (const QString& r : readings)
    if (!r.isEmpty()) widest = std::max(widest, m.pinyinWidth(r));
  const int room = widest + 2 * m.pinyinGap;
  v.columnGap = std::max(v.columnGap, room);
  v.margins.setRight(std::max(v.margins.right(), room));
  return v;
}

QList<QRect> PinyinBesideColumns(const VerticalPage& page, int first, const QStringList& readings,
                                 const study::RubyMetrics& m) {
  QList<QRect> out;
  out.reserve(page.glyphs.size());
  for (qsizetype i = 0; i < page.glyphs.size(); ++i) {
    const qsizetype k = first + i;
    const QString reading = k < readings.size() ? readings[k] : QString();
    if (reading.isEmpty()) {
      out.append(QRect());
      continue;
    }
    const QRect cell = page.glyphs[i].cell;
    out.append(QRect(cell.x() + cell.width() + m.pinyinGap, cell.y() + (cell.height() - m.pinyinHeight) / 2,
                     m.pinyinWidth(reading), m.pinyinHeight));
  }
  return out;
}

void PaintPinyinBeside(QPainter& p, const QList<QRect>& boxes, int first, const QStringList& readings,
                       const QFont& pinyinFont, QPoint origin) {
  p.setFont(pinyinFont);
  for (qsizetype i = 0; i < boxes.size(); ++i)
    if (!boxes[i].isNull()) p.drawText(boxes[i].translated(origin), Qt::AlignLeft | Qt::AlignVCenter, readings[first + i]);
}

}  // namespace reading
