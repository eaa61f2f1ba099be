#pragma once
// The keyword of the last title or content search, marked where it stands:
// in the text of every poem the pane shows (with the reader's steps through
// the marks, F3 and Shift+F3) and in the cells of both tables, for as long as
// the poetry cursor holds that search's hits. Any other choice (an era, an
// author, a collection, the kept or the lately read poems, a random poem)
// gives the cursor another result, and that ends the marks. Positions follow
// the text as shown (in traditional script, say).
#include <QList>
#include <QString>
#include <functional>

#include "app/anthology/KeywordHits.h"
#include "platform/Color.h"
#include "toolkit/ListView.h"

namespace data {
class TADOQuery;
}
namespace toolkit {
class TMemo;
}

namespace anthology {

class SearchHighlight {
 public:
  // `shown` maps a stored text to the text the window shows for it.
  SearchHighlight(toolkit::TMemo* pane, QList<toolkit::TListView*> tables, data::TADOQuery* cursor,
                  std::function<QString(const QString&)> shown);

  // A search for `keyword` (as stored) starts; `marked` for the searches
  // whose hits are marked (titles and contents). The marks of an earlier
  // search end.
  void SearchStarting(const QString& keyword, bool marked);
  // The cursor holds the search's hits now, which go into a table.
  void HitsListed();
  // Whether the cursor still holds the hits of a marked search.
  bool Active() const;

  // The pane has just received `storedText`, the text of the record the
  // cursor stands on: its hits are marked, none of them current yet.
  void TextShown(const QString& storedText);
  // The shown forms of the texts changed (traditional script on or off).
  void DisplayChanged();
  // Makes the next (previous) mark in the pane the current one; false when
  // the pane shows no marks.
  bool Next();
  bool Previous();
  const HitSteps& Steps() const { return steps_; }

  // The colours of the marks in the pane and in the tables.
  void SetColors(platform::TColor mark, platform::TColor markText);
  // The marks of one cell, for the tables' dress.
  QList<toolkit::TTextMark> CellMarks(const toolkit::TListItem* item, int column, const QString& shown) const;

 private:
  QList<Hit> PaneHits(const QString& storedText) const;
  // Whether the pane still shows the marks placed last.
  bool PaneMarked() const;
  void Dress();
  bool Step(int index);

  toolkit::TMemo* pane_;
  QList<toolkit::TListView*> tables_;
  data::TADOQuery* cursor_;
  std::function<QString(const QString&)> shown_;
  QString keyword_;
  QString shownKeyword_;
  bool marked_ = false;
  int hitsGeneration_ = -1;
  QString paneText_;  // the stored text whose hits the pane shows
  HitSteps steps_;
  platform::TColor mark_ = platform::clHighlight;
  platform::TColor markText_ = platform::clHighlightText;
};

}  // namespace anthology
