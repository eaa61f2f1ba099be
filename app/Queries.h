#pragma once
// The statements the main window runs on the poetry cursor. Names and keywords
// are bound values, never part of the statement text.
#include <QString>
#include <QVariantList>

namespace app {

struct Statement {
  QString sql;
  QVariantList params;
  // Fields the rows leave out, read for a row only when asked for
  // (data::TADOQuery::SetDeferredFields); none when empty.
  QString deferredKey, deferredSql;
};

// The authors of an era, in the engine's order.
Statement EraAuthorsQuery(const QString& era);
// One author's row, for the biography.
Statement AuthorQuery(const QString& author);
// The poems of an author.
Statement AuthorPoemsQuery(const QString& author);

enum class SearchMode { Title = 0, Author = 1, Content = 2 };
// Rows whose field contains the keyword as a literal substring ("%" and "_"
// typed by the reader are looked for as such; Latin letters match without
// regard to case), in the order of the table. With `indexed` (the database
// holds the poems' word index) the title and content searches find the same
// rows in the same order through the index, unless the keyword holds no word.
// With `listed` as well (it holds the poems' listing) they read the hits'
// titles, authors, forms and first lines from the listing, and a hit's other
// fields only when asked for, unless the contents must be read to check the hits.
Statement SearchQuery(SearchMode mode, const QString& keyword, bool indexed = false, bool listed = false);
// The LIKE pattern matching the keyword anywhere, with '\' as escape character.
QString ContainsPattern(const QString& keyword);

}  // namespace app
