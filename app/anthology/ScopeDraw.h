#pragma once
// The poems a random poem is drawn from. An author's poems are listed by row
// id. An era's or a collection's are not: an era of the full library holds
// 265,000 poems, and reading all their ids costs more than a draw may take.
// A row of the whole library is drawn instead and kept when its author is of
// the scope, else drawn again: each poem of the scope stays as likely as any
// other. A scope too thin in the library for that to end soon is listed after
// all (it holds few poems then).
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <vector>

#include "app/anthology/LibraryLookup.h"

namespace data {
class TADOQuery;
}

namespace anthology {

class RandomPick;

class ScopeDraw {
 public:
  // Rows drawn from the whole library before the scope is listed instead.
  static constexpr int kTries = 64;

  // A random poem of the scope as `pick` chooses it, through `cursor` (a
  // cursor of the draw's own on the library in use); -1 for an empty scope.
  qint64 Draw(data::TADOQuery& cursor, const Scope& scope, RandomPick& pick);

 private:
  void Load(data::TADOQuery& cursor, const Scope& scope);

  QString library_;                   // the connection what follows is of
  QHash<QString, QStringList> eras_;  // the authors of each era, once read
  RowRange rows_;                     // the library's row ids, once read
  QString scope_;                     // the scope loaded, as a key
  bool listed_ = false;               // whether the scope's poems are listed
  std::vector<qint64> ids_;           // a listed scope's poems
  QSet<QString> authors_;             // the authors of a scope that is not listed
};

}  // namespace anthology
