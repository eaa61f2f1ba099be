#include "app/anthology/SearchHighlight.h"

#include "data/Query.h"
#include "toolkit/StdCtrls.h"

namespace anthology {

namespace {

QList<toolkit::TMemo::Highlight> Stretches(const QList<Hit>& hits) {
  QList<toolkit::TMemo::Highlight> out;
  out.reserve(hits.size());
  for (const Hit& h : hits) out.append({h.start, h.length});
  return out;
}

}  // namespace

SearchHighlight::SearchHighlight(toolkit::TMemo* pane, QList<toolkit::TListView*> tables, data::TADOQuery* cursor,
                                 std::function<QString(const QString&)> shown)
    : pane_(pane), tables_(std::move(tables)), cursor_(cursor), shown_(std::move(shown)) {
  Dress();
}

void SearchHighlight::SearchStarting(const QString& keyword, bool marked) {
  keyword_ = keyword;
  shownKeyword_ = shown_ ? shown_(keyword) : keyword;
  marked_ = marked;
  hitsGeneration_ = -1;
  steps_.Reset({});
}

void SearchHighlight::HitsListed() {
  if (!marked_ || !cursor_->Active()) return;
  hitsGeneration_ = cursor_->Generation();
  for (toolkit::TListView* table : tables_) table->viewport()->update();
}

bool SearchHighlight::Active() const {
  return marked_ && hitsGeneration_ >= 0 && cursor_->Active() && cursor_->Generation() == hitsGeneration_;
}

QList<Hit> SearchHighlight::PaneHits(const QString& storedText) const {
  return ShownHits(toolkit::TMemo::ToLines(storedText).split(u'\n'), pane_->toPlainText().split(u'\n'), keyword_,
                   shownKeyword_);
}

void SearchHighlight::TextShown(const QString& storedText) {
  // The same text again, its marks still in place (a range selection shows its first row each time).
  if (storedText == paneText_ && Active() && PaneMarked()) return;
  paneText_ = storedText;
  steps_.Reset(Active() ? PaneHits(storedText) : QList<Hit>());
  if (!steps_.Hits().isEmpty() || !pane_->Highlights().isEmpty()) pane_->SetHighlights(Stretches(steps_.Hits()));
}

void SearchHighlight::DisplayChanged() {
  const bool marked = PaneMarked();
  shownKeyword_ = shown_ ? shown_(keyword_) : keyword_;
  if (!marked) return;
  const int current = steps_.Current();
  steps_.Reset(PaneHits(paneText_));
  // The reader's place among the marks stays where it was.
  for (int i = 0; i <= current && i < steps_.Hits().size(); ++i) steps_.Next();
  pane_->SetHighlights(Stretches(steps_.Hits()), steps_.Current());
}

bool SearchHighlight::PaneMarked() const {
  const QList<toolkit::TMemo::Highlight>& shown = pane_->Highlights();
  if (shown.isEmpty() || shown.size() != steps_.Hits().size()) return false;
  for (qsizetype i = 0; i < shown.size(); ++i)
    if (shown[i].start != steps_.Hits()[i].start || shown[i].length != steps_.Hits()[i].length) return false;
  return true;
}

bool SearchHighlight::Next() { return PaneMarked() && Step(steps_.Next()); }

bool SearchHighlight::Previous() { return PaneMarked() && Step(steps_.Previous()); }

bool SearchHighlight::Step(int index) {
  pane_->SetHighlights(Stretches(steps_.Hits()), index);
  return true;
}

void SearchHighlight::SetColors(platform::TColor mark, platform::TColor markText) {
  mark_ = mark;
  markText_ = markText;
  pane_->SetHighlightColors(mark, markText);
  Dress();
}

QList<toolkit::TTextMark> SearchHighlight::CellMarks(const toolkit::TListItem* item, int column,
                                                     const QString& shown) const {
  QList<toolkit::TTextMark> marks;
  if (!Active()) return marks;
  for (const Hit& h : ShownHits({item->ColumnText(column)}, {shown}, keyword_, shownKeyword_))
    marks.append({h.start, h.length});
  return marks;
}

void SearchHighlight::Dress() {
  for (toolkit::TListView* table : tables_) {
    toolkit::TCellDress dress = table->CellDress();
    dress.marks = [this](const toolkit::TListItem* item, int column, const QString& shown) {
      return CellMarks(item, column, shown);
    };
    dress.markColor = mark_;
    dress.markTextColor = markText_;
    table->SetCellDress(std::move(dress));
  }
}

}  // namespace anthology
