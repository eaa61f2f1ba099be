#include "app/reading/PinyinPane.h"

#include <QAbstractTextDocumentLayout>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <QSyntaxHighlighter>
#include <QTextBlock>
#include <QTextLayout>
#include <algorithm>
#include <climits>

#include "app/study/PinyinReader.h"
#include "toolkit/StdCtrls.h"

namespace reading {

namespace {

// Rows of the lines seen are kept, up to this many, as a poem repeats few of them.
constexpr qsizetype kKeptRows = 4096;

// The memo's face at the smallest size whose lines are at least `height`
// tall: guessed from the face's own height, then stepped to.
QFont TallFace(const QFont& face, int height) {
  auto lineHeight = [](const QFont& f) {
    const QFontMetricsF m(f);
    return m.ascent() + m.descent() + std::max<qreal>(0, m.leading());
  };
  const int own = face.pixelSize() > 0 ? face.pixelSize() : QFontInfo(face).pixelSize();
  QFont tall = face;
  int px = std::max(1, static_cast<int>(own * height / std::max<qreal>(1, lineHeight(face))));
  tall.setPixelSize(px);
  while (px > 1 && lineHeight(tall) >= height) tall.setPixelSize(--px);
  while (lineHeight(tall) < height && px < 8 * height) tall.setPixelSize(++px);
  return tall;
}

}  // namespace

// Sets the formats that make the memo's layout a layout of ruby cells.
class PinyinPane::Spacing : public QSyntaxHighlighter {
 public:
  explicit Spacing(PinyinPane& pane) : QSyntaxHighlighter(pane.memo_->document()), pane_(pane) {}

 protected:
  void highlightBlock(const QString&) override {
    const QFontMetricsF tall(pane_.tallFont_);
    qsizetype at = 0;
    for (const study::RubyBox& b : pane_.RowOf(currentBlock()).boxes) {
      QTextCharFormat f;
      f.setFont(pane_.tallFont_, QTextCharFormat::FontPropertiesAll);
      f.setFontLetterSpacingType(QFont::AbsoluteSpacing);
      f.setFontLetterSpacing(b.cell.width() - tall.horizontalAdvance(b.text));
      setFormat(static_cast<int>(at), static_cast<int>(b.text.size()), f);
      at += b.text.size();
    }
  }

 private:
  PinyinPane& pane_;
};

PinyinPane::PinyinPane(toolkit::TMemo* memo) : memo_(memo) {}

PinyinPane::~PinyinPane() { SetOn(false); }

void PinyinPane::SetOn(bool on) {
  if (!memo_ || on == On()) return;
  if (on) {
    TakeFonts();
    memo_->installEventFilter(this);
    memo_->viewport()->installEventFilter(this);
    spacing_ = std::make_unique<Spacing>(*this);
    spacing_->rehighlight();  // now, not once the event loop runs
    refreshedRevision_ = memo_->document()->revision();
  } else {
    memo_->removeEventFilter(this);
    memo_->viewport()->removeEventFilter(this);
    spacing_.reset();  // takes its formats away
    rows_.clear();
  }
  memo_->viewport()->update();
}

void PinyinPane::Refresh() {
  if (!On() || memo_->document()->revision() == refreshedRevision_) return;
  refreshedRevision_ = memo_->document()->revision();
  rows_.clear();
  spacing_->rehighlight();
}

void PinyinPane::TakeFonts() {
  const QFont face = memo_->font();
  pinyinFont_ = study::PinyinFontFor(face);
  metrics_ = study::RubyMetrics::ForFonts(face, pinyinFont_);
  tallFont_ = TallFace(face, metrics_.pinyinHeight + metrics_.pinyinGap + metrics_.textHeight + metrics_.rowGap);
  rows_.clear();
}

const study::RubyText& PinyinPane::RowOf(const QTextBlock& block) const {
  const QString shown = block.text();
  const QString stored = memo_->StoredLineOf(block);
  const QString key = stored == shown ? shown : shown + QChar(0) + stored;
  auto it = rows_.constFind(key);
  if (it != rows_.cend()) return it.value();
  if (rows_.size() >= kKeptRows) rows_.clear();
  return rows_.insert(key, study::LayRuby(study::Annotate(shown, stored), metrics_, INT_MAX)).value();
}

QList<PinyinPane::Glyph> PinyinPane::VisibleGlyphs() const {
  QList<Glyph> out;
  if (!On()) return out;
  const int bottom = memo_->viewport()->height();
  QAbstractTextDocumentLayout* documentLayout = memo_->document()->documentLayout();
  int row = 0;
  for (QTextBlock block = memo_->cursorForPosition(QPoint(0, 0)).block(); block.isValid(); block = block.next()) {
    if (!block.isVisible()) continue;
    documentLayout->blockBoundingRect(block);  // lays the block out if it is not yet
    const QTextLayout* layout = block.layout();
    if (!layout || layout->lineCount() == 0) continue;
    const QRect start = memo_->cursorRect(QTextCursor(block));
    const QPointF origin(start.left() - layout->lineAt(0).cursorToX(0), start.top() - layout->lineAt(0).y());
    if (origin.y() >= bottom) break;
    int lineNumber = -1;
    int position = 0;
    for (const study::RubyBox& b : RowOf(block).boxes) {
      const int length = static_cast<int>(b.text.size());
      const QTextLine line = layout->lineForTextPosition(position);
      if (!line.isValid()) break;
      if (line.lineNumber() != lineNumber) {
        if (lineNumber >= 0) ++row;
        lineNumber = line.lineNumber();
      }
      // The cell as the memo's layout has it; the character at its bottom, the
      // pinyin over it, both centred as LayRuby centres them.
      const int x = qRound(origin.x() + line.cursorToX(position));
      const int w = qRound(origin.x() + line.cursorToX(position + length)) - x;
      const int top = qRound(origin.y() + line.y());
      const int height = qRound(line.height());
      const int textTop = top + height - metrics_.rowGap - metrics_.textHeight;
      Glyph g;
      g.box.text = b.text;
      g.box.pinyin = b.pinyin;
      g.box.row = row;
      g.box.cell = QRect(x, top, w, height);
      g.box.textBox = QRect(x + (w - b.textBox.width()) / 2, textTop, b.textBox.width(), metrics_.textHeight);
      if (!b.pinyin.isEmpty())
        g.box.pinyinBox = QRect(x + (w - b.pinyinBox.width()) / 2, textTop - metrics_.pinyinGap - metrics_.pinyinHeight,
                                b.pinyinBox.width(), metrics_.pinyinHeight);
      g.position = block.position() + position;
      g.length = length;
      if (top + height > 0 && top < bottom) out.append(g);
      position += length;
    }
    ++row;
  }
  return out;
}

bool PinyinPane::eventFilter(QObject* watched, QEvent* event) {
  if (memo_ && watched == memo_->viewport() && event->type() == QEvent::Paint) {
    Paint(static_cast<QPaintEvent*>(event));
    return true;  // the memo's own text is not painted under the ruby
  }
  if (memo_ && watched == memo_.data() && event->type() == QEvent::FontChange) {
    TakeFonts();
    spacing_->rehighlight();
  }
  return QObject::eventFilter(watched, event);
}

void PinyinPane::Paint(QPaintEvent* event) {
  QPainter p(memo_->viewport());
  p.setClipRegion(event->region());
  const QPalette palette = memo_->palette();
  const QTextCursor cursor = memo_->textCursor();
  const QList<QTextEdit::ExtraSelection> marks = memo_->extraSelections();
  auto inside = [](const QTextCursor& c, int position) {
    return position >= c.selectionStart() && position < c.selectionEnd();
  };
  const QFont face = memo_->font();
  for (const Glyph& g : VisibleGlyphs()) {
    if (!event->region().intersects(g.box.cell)) continue;
    // As the memo paints its marks: the stretches beneath, the selection over them.
    QBrush back;
    QColor ink = palette.color(QPalette::Text);
    for (const QTextEdit::ExtraSelection& mark : marks) {
      if (!inside(mark.cursor, g.position)) continue;
      if (mark.format.background().style() != Qt::NoBrush) back = mark.format.background();
      if (mark.format.hasProperty(QTextFormat::ForegroundBrush)) ink = mark.format.foreground().color();
    }
    if (inside(cursor, g.position)) {
      back = palette.brush(QPalette::Highlight);
      ink = palette.color(QPalette::HighlightedText);
    }
    if (back.style() != Qt::NoBrush) p.fillRect(g.box.cell, back);
    p.setPen(ink);
    p.setFont(face);
    p.drawText(g.box.textBox, Qt::AlignCenter, g.box.text);
    if (g.box.pinyin.isEmpty()) continue;
    p.setFont(pinyinFont_);
    p.drawText(g.box.pinyinBox, Qt::AlignCenter, g.box.pinyin);
  }
  PaintCaret(p);
}

// The caret stands at the left of its character's cell, as tall as the characters.
void PinyinPane::PaintCaret(QPainter& p) const {
  const bool shows = memo_->hasFocus() && (memo_->textInteractionFlags() & (Qt::TextEditable | Qt::TextSelectableByKeyboard));
  if (!shows) return;
  const QRect r = memo_->cursorRect();
  const int textTop = r.bottom() + 1 - metrics_.rowGap - metrics_.textHeight;
  const QRect caret = textTop >= r.top() ? QRect(r.left(), textTop, memo_->cursorWidth(), metrics_.textHeight) : r;
  p.fillRect(caret, memo_->palette().color(QPalette::Text));
}

}  // namespace reading
