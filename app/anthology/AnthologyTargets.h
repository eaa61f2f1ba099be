#pragma once
// The main window's parts the reader's anthology works on: it lists poems in
// the poem table through the poetry cursor, marks search hits in the text
// pane and the tables, shows in the info bar that a poem is kept, and reads
// the era and author lists for the scope of a random poem.
#include <QString>
#include <functional>

class QMenu;
class QWidget;

namespace data {
class TADOQuery;
}
namespace outbar {
class TDCVertListView;
}
namespace reading {
class ReadingExtras;
}
namespace toolkit {
class TListView;
class TMemo;
class TPanel;
}

namespace anthology {

struct AnthologyTargets {
  QWidget* window = nullptr;  // owner of the dialogs
  QMenu* menu = nullptr;      // the "收藏" menu, filled by the anthology
  toolkit::TListView* poemTable = nullptr;
  toolkit::TListView* authorTable = nullptr;
  outbar::TDCVertListView* eraList = nullptr;
  outbar::TDCVertListView* authorList = nullptr;
  toolkit::TPanel* infoBar = nullptr;
  toolkit::TMemo* textPane = nullptr;
  data::TADOQuery* poetry = nullptr;          // the poetry cursor
  reading::ReadingExtras* reading = nullptr;  // how texts are shown and printed
  // Lets a search still filling its rows end first, as every choice does.
  std::function<void()> finishSearch;
  QString readerFile;  // reader.db
};

}  // namespace anthology
