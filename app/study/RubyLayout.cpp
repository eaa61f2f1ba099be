#include "app/study/RubyLayout.h"

#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <QRegularExpression>
#include <algorithm>
#include <memory>

namespace study {

namespace {

bool ClosingMark(const QString& ch) {
  static const QString marks = QStringLiteral("，。、．：；！？」』）》〉】〕］｝〗”’,.:;!?)]");
  return ch.size() == 1 && marks.contains(ch[0]);
}

// The rows being filled.
class Rows {
 public:
  Rows(const RubyMetrics& m, int width) : m_(m), width_(width) {}

  void Place(const AnnotatedChar& c) {
    const int textWidth = m_.textWidth(c.text);
    const int pinyinWidth = c.pinyin.isEmpty() ? 0 : m_.pinyinWidth(c.pinyin);
    const int w = std::max(textWidth, c.pinyin.isEmpty() ? 0 : pinyinWidth + m_.pinyinSpacing);
    if (x_ > 0 && x_ + w > width_) Break(ClosingMark(c.text));
    RubyBox b;
    b.text = c.text;
    b.pinyin = c.pinyin;
    b.row = row_;
    b.cell = QRect(x_, Top(), w, m_.pinyinHeight + m_.pinyinGap + m_.textHeight);
    b.textBox = QRect(x_ + (w - textWidth) / 2, Top() + m_.pinyinHeight + m_.pinyinGap, textWidth, m_.textHeight);
    if (!c.pinyin.isEmpty()) b.pinyinBox = QRect(x_ + (w - pinyinWidth) / 2, Top(), pinyinWidth, m_.pinyinHeight);
    out_.boxes.append(b);
    x_ += w;
  }
  // A new row; a closing mark to come takes the last character of this row along.
  void Break(bool takeLast = false) {
    const qsizetype rowStart = RowStart();
    ++row_;
    x_ = 0;
    if (!takeLast || out_.boxes.size() - rowStart < 2) return;
    RubyBox last = out_.boxes.takeLast();
    Place({last.text, last.pinyin});
  }
  RubyText Done() {
    out_.rows = row_ + 1;
    for (const RubyBox& b : out_.boxes) out_.size.setWidth(std::max(out_.size.width(), b.cell.x() + b.cell.width()));
    out_.size.setHeight(row_ * RowPitch() + m_.pinyinHeight + m_.pinyinGap + m_.textHeight);
    return std::move(out_);
  }

 private:
  int RowPitch() const { return m_.pinyinHeight + m_.pinyinGap + m_.textHeight + m_.rowGap; }
  int Top() const { return row_ * RowPitch(); }
  qsizetype RowStart() const {
    qsizetype i = out_.boxes.size();
    while (i > 0 && out_.boxes[i - 1].row == row_) --i;
    return i;
  }

  const RubyMetrics& m_;
  int width_;
  int row_ = 0;
  int x_ = 0;
  RubyText out_;
};

// A font's advance of each text, measured once: a poem repeats its characters
// and their readings, and shaping one costs more than looking it up.
std::function<int(const QString&)> Advances(const QFont& font) {
  auto known = std::make_shared<QHash<QString, int>>();
  return [metrics = QFontMetrics(font), known](const QString& s) {
    auto it = known->constFind(s);
    if (it == known->cend()) it = known->insert(s, metrics.horizontalAdvance(s));
    return it.value();
  };
}

}  // namespace

RubyMetrics RubyMetrics::ForFonts(const QFont& text, const QFont& pinyin) {
  const QFontMetrics t(text), p(pinyin);
  RubyMetrics m;
  m.textWidth = Advances(text);
  m.pinyinWidth = Advances(pinyin);
  m.textHeight = t.height();
  m.pinyinHeight = p.height();
  m.pinyinGap = p.height() / 8;
  m.pinyinSpacing = std::max(2, p.height() / 4);
  m.rowGap = t.height() / 4;
  return m;
}

RubyText LayRuby(const QList<AnnotatedChar>& chars, const RubyMetrics& m, int width) {
  Rows rows(m, width);
  for (qsizetype i = 0; i < chars.size(); ++i) {
    const QString& t = chars[i].text;
    if (t == u"\r" && i + 1 < chars.size() && chars[i + 1].text == u"\n") continue;
    if (t == u"\n" || t == u"\r") rows.Break();
    else rows.Place(chars[i]);
  }
  return rows.Done();
}

void PaintRuby(QPainter& p, const RubyText& text, const QFont& textFont, const QFont& pinyinFont, QPoint origin) {
  p.setFont(textFont);
  for (const RubyBox& b : text.boxes) p.drawText(b.textBox.translated(origin), Qt::AlignCenter, b.text);
  p.setFont(pinyinFont);
  for (const RubyBox& b : text.boxes)
    if (!b.pinyin.isEmpty()) p.drawText(b.pinyinBox.translated(origin), Qt::AlignCenter, b.pinyin);
}

QStringList GlyphReadings(const reading::VerticalText& shown, const reading::VerticalText& stored, const PinyinTable& table) {
  QStringList out;
  auto add = [&](const QString& s, const QString& t) {
    for (const AnnotatedChar& c : Annotate(s, t, table))
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

reading::VerticalMetrics WithRoomForPinyin(reading::VerticalMetrics v, const QStringList& readings, const RubyMetrics& m) {
  int widest = 0;
  for (const QString& r : readings)
    if (!r.isEmpty()) widest = std::max(widest, m.pinyinWidth(r));
  const int room = widest + 2 * m.pinyinGap;
  v.columnGap = std::max(v.columnGap, room);
  v.margins.setRight(std::max(v.margins.right(), room));
  return v;
}

QList<QRect> PinyinBesideColumns(const reading::VerticalPage& page, int first, const QStringList& readings,
                                 const RubyMetrics& m) {
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

}  // namespace study
