#include "app/anthology/ScopeDraw.h"

#include "app/anthology/RandomPick.h"
#include "data/Query.h"

namespace anthology {

void ScopeDraw::Load(data::TADOQuery& cursor, const Scope& scope) {
  const QString key = scope.author.isEmpty() ? QStringLiteral("eras:") + scope.eras.join(u'\n')
                                             : QStringLiteral("author:") + scope.author;
  if (cursor.ConnectionString() != library_) {
    library_ = cursor.ConnectionString();
    eras_.clear();
    rows_ = PoemRowRange(cursor);
    scope_.clear();
  }
  if (key == scope_) return;
  scope_ = key;
  ids_.clear();
  authors_.clear();
  listed_ = !scope.author.isEmpty();
  if (listed_) {
    ids_ = PoemIds(cursor, scope);
    return;
  }
  if (eras_.isEmpty()) eras_ = AuthorsByEra(cursor);
  for (const QString& era : scope.eras)
    for (const QString& author : eras_.value(era)) authors_.insert(author);
}

qint64 ScopeDraw::Draw(data::TADOQuery& cursor, const Scope& scope, RandomPick& pick) {
  Load(cursor, scope);
  if (!listed_ && !authors_.isEmpty() && rows_.first <= rows_.last) {
    const qint64 drawn = pick.PickRow(rows_.first, rows_.last, kTries, [&](qint64 row) {
      const std::optional<QString> author = AuthorOfRow(cursor, row);
      return author && authors_.contains(*author);
    });
    if (drawn >= 0) return drawn;
    // Few of the library's rows are the scope's: its poems are few enough to list.
    listed_ = true;
    ids_ = PoemIds(cursor, scope);
  }
  return pick.Pick(ids_);
}

}  // namespace anthology
