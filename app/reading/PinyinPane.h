#pragma once
// 注音 in the text pane: pinyin over each Chinese character of the memo, whose
// text stays as it is. The memo's own layout makes the room: every character
// takes the width of its ruby cell and every line the height of a pinyin band
// over a row of characters, through formats of the layout alone (as a
// highlighter sets them: a taller face, and letter spacing that brings each
// character's advance to its cell's width), never through the document. While
// on, the pane paints the memo's viewport itself: each character centred at
// the bottom of its cell, its pinyin above, the selection, the marked
// stretches and the caret, all where the memo's layout puts them. So clicking,
// selecting, scrolling, the keys and the marks of a search work as the
// memo's own, and its text, read back, is what it was.
#include <QFont>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <memory>

#include "app/study/RubyLayout.h"

class QPaintEvent;
class QTextBlock;

namespace toolkit {
class TMemo;
}

namespace reading {

class PinyinPane : public QObject {
  Q_OBJECT

 public:
  explicit PinyinPane(toolkit::TMemo* memo);
  ~PinyinPane() override;

  bool On() const { return spacing_ != nullptr; }
  void SetOn(bool on);
  // Reads every line again when the memo's text changed since the last time:
  // the memo learns a line's stored form only after the line is in, and the
  // readings come from the stored form.
  void Refresh();

  // A character in the viewport as it is painted. box.cell spans the whole
  // height of the memo's line; box.row counts the lines from the first one in view.
  struct Glyph {
    study::RubyBox box;
    int position = 0;  // in the document
    int length = 1;    // 2 for a character outside the basic plane
  };
  QList<Glyph> VisibleGlyphs() const;
  QFont PinyinFont() const { return pinyinFont_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  class Spacing;
  // The block's characters in one row of ruby cells, from its shown and stored line.
  const study::RubyText& RowOf(const QTextBlock& block) const;
  void TakeFonts();
  void Paint(QPaintEvent* event);
  void PaintCaret(QPainter& p) const;

  QPointer<toolkit::TMemo> memo_;
  std::unique_ptr<Spacing> spacing_;
  QFont pinyinFont_;
  QFont tallFont_;  // the face whose lines are as tall as a row with its pinyin
  study::RubyMetrics metrics_;
  mutable QHash<QString, study::RubyText> rows_;
  int refreshedRevision_ = -1;
};

}  // namespace reading
