#pragma once
// The reader's kept poems looked up in the library in use, and the poems a
// random pick chooses among, through a cursor of the lookup's own on the
// poetry database (the window's cursors keep their result sets).
#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "data/ReaderStore.h"

namespace data {
class TADOQuery;
}

namespace anthology {

struct FoundPoem {
  QString title, author, form, head, body, era;
};

// The library's poem a kept poem names: among the poems of its author and
// title, the one whose text has the kept hash; when none has it, the only poem
// of that author and title stands for it (another edition of the library, such
// as the full library beside the shipped selection). Nothing when the library
// has no such poem or several that cannot be told apart.
std::optional<FoundPoem> FindPoem(data::TADOQuery& cursor, const data::PoemRef& poem);

// The row ids of kept poems in the library in use, in the order given, each
// found as FindPoem finds it; nothing where FindPoem finds nothing. The
// poems of one author are looked up together.
std::vector<std::optional<qint64>> FindPoemIds(data::TADOQuery& cursor, const std::vector<data::PoemRef>& poems);

// Of row ids guessed for poems (where they were found before), those that
// still hold exactly that poem (its author, title and text hash); the other
// guesses, and the poems without one, come back as nothing.
std::vector<std::optional<qint64>> ConfirmPoemIds(data::TADOQuery& cursor, const std::vector<data::PoemRef>& poems,
                                                  const std::vector<std::optional<qint64>>& guesses);

// The reference that keeps a poem of the library.
data::PoemRef RefOf(const QString& author, const QString& title, const QString& form, const QString& head,
                    const QString& body);

// Where a random poem comes from: an author, else the eras or countries named.
struct Scope {
  QString author;
  QStringList eras;
};

// The row ids of the poems in the scope.
std::vector<qint64> PoemIds(data::TADOQuery& cursor, const Scope& scope);
// The authors of each era or country.
QHash<QString, QStringList> AuthorsByEra(data::TADOQuery& cursor);
// The least and the greatest row id of the library's poems (first > last when it has none).
struct RowRange {
  qint64 first = 1;
  qint64 last = 0;
};
RowRange PoemRowRange(data::TADOQuery& cursor);
// The author of the poem with that row id, if there is such a row.
std::optional<QString> AuthorOfRow(data::TADOQuery& cursor, qint64 id);
// The poem with that row id, if any.
std::optional<FoundPoem> PoemById(data::TADOQuery& cursor, qint64 id);

}  // namespace anthology
