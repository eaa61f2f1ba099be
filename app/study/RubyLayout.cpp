#include "app/study/RubyLayout.h"

#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <algorithm>
#include <memory>

namespace study {

namespace {

// Pinyin beside Chinese characters of the same size would be as tall as they
// are; at this share it reads well and keeps the rows close.
constexpr double kPinyinScale = 0.55;

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

QFont PinyinFontFor(const QFont& text) {
  QFont pinyin(QStringLiteral("DejaVu Sans"));
  pinyin.setStyleHint(QFont::SansSerif);
  if (text.pixelSize() > 0) pinyin.setPixelSize(std::max(1, qRound(text.pixelSize() * kPinyinScale)));
  else pinyin.setPointSizeF(std::max(1.0, text.pointSizeF() * kPinyinScale));
  return pinyin;
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

}  // namespace study
