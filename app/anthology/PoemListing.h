#pragma once
// Poems of the reader's own lists (kept, read lately, drawn at random) in the
// poem table, in the order given. The poems the library holds come through
// the poetry cursor, so choosing such a row shows it as any other row does
// and the table sorts like any result. A kept poem the library in use lacks
// is listed greyed, its title followed by a note; choosing it shows what the
// reader's data knows of it.
#include <QString>
#include <optional>
#include <vector>

#include "data/ReaderStore.h"

namespace data {
class TADOQuery;
}
namespace toolkit {
class TListItem;
class TListView;
}

namespace anthology {

// What the window shows for a row of a poem the library lacks.
struct MissingPoem {
  data::PoemRef poem;
  QString infoBar;  // as the info bar shows a poem
  QString text;     // the first line, then the note
};

class PoemListing {
 public:
  PoemListing(toolkit::TListView* table, data::TADOQuery* cursor);

  struct Entry {
    std::optional<qint64> id;  // the poem's row id in the library, none when it lacks it
    data::PoemRef poem;
  };
  // Empties the table and lists the entries; the cursor holds the poems found.
  void List(const std::vector<Entry>& entries);

  // The poem a row of the last listing stands for when the library lacks it.
  std::optional<MissingPoem> Missing(const toolkit::TListItem* row) const;

  // The note after the title of a poem the library lacks.
  static QString Note();

 private:
  toolkit::TListView* table_;
  data::TADOQuery* cursor_;
  // Rows of the poems the library lacks point into this by their data.
  std::vector<data::PoemRef> missing_;
  int listing_ = 0;
};

}  // namespace anthology
