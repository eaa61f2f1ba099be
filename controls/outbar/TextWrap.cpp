#include "controls/outbar/TextWrap.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>
#include <cmath>

namespace outbar {
namespace {

struct Line {
  int start, length;
  int width;
};

QList<Line> BreakLines(const QFont& font, const QString& text, int width, int maxLines) {
  QList<Line> lines;
  QTextLayout layout(text, font);
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setTextOption(option);
  layout.beginLayout();
  for (;;) {
    if (maxLines > 0 && lines.size() >= maxLines) break;
    QTextLine line = layout.createLine();
    if (!line.isValid()) break;
    line.setLineWidth(std::max(1, width));
    lines.append({line.textStart(), line.textLength(), static_cast<int>(std::ceil(line.naturalTextWidth()))});
  }
  layout.endLayout();
  return lines;
}

}  // namespace

WrapResult MeasureWrapped(const QFont& font, const QString& text, int width) {
  if (text.isEmpty()) return {0, 1};
  const QFontMetrics fm(font);
  // Most captions are one short line: measure them without a text layout.
  if (!text.contains(QLatin1Char('\n'))) {
    const int advance = fm.horizontalAdvance(text);
    if (advance <= width) return {advance, 1};
  }
  QString flat = text;
  flat.replace(QLatin1Char('\n'), QChar::LineSeparator);
  WrapResult result;
  for (const Line& line : BreakLines(font, flat, width, 0)) {
    result.width = std::max(result.width, std::min(line.width, std::max(width, 0)));
    ++result.lines;
  }
  return result;
}

QStringList WrappedLines(const QFont& font, const QString& text, int width, int maxLines) {
  QStringList out;
  if (maxLines <= 0 || text.isEmpty()) return out;
  QString flat = text;
  flat.replace(QLatin1Char('\n'), QChar::LineSeparator);
  const QList<Line> lines = BreakLines(font, flat, width, maxLines + 1);
  const QFontMetrics fm(font);
  for (int i = 0; i < lines.size() && i < maxLines; ++i) {
    const bool last = i == maxLines - 1 && lines.size() > maxLines;
    if (last) {
      // Text remains beyond the last line that fits: cut it with an ellipsis.
      const QString rest = flat.mid(lines[i].start).replace(QChar::LineSeparator, QLatin1Char(' '));
      out.append(fm.elidedText(rest, Qt::ElideRight, std::max(1, width)));
    } else {
      QString part = flat.mid(lines[i].start, lines[i].length);
      part.remove(QChar::LineSeparator);
      while (part.endsWith(QLatin1Char(' '))) part.chop(1);
      if (fm.horizontalAdvance(part) > width) part = fm.elidedText(part, Qt::ElideRight, std::max(1, width));
      out.append(part);
    }
  }
  return out;
}

void DrawWrapped(QPainter& p, const QFont& font, const TRect& r, const QString& text, bool centred, int lineHeight) {
  if (lineHeight <= 0 || r.Width() <= 0) return;
  const int fit = r.Height() / lineHeight;  // a partly visible last line is not drawn
  if (fit <= 0) return;
  const QStringList lines = WrappedLines(font, text, r.Width(), fit);
  p.setFont(font);
  const QFontMetrics fm(font);
  int y = r.top;
  for (const QString& line : lines) {
    const int w = fm.horizontalAdvance(line);
    const int x = centred ? r.left + (r.Width() - w) / 2 : r.left;
    p.drawText(x, y + fm.ascent(), line);
    y += lineHeight;
  }
}

}  // namespace outbar
