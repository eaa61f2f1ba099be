#pragma once
// What the text pane shows and the record it came from: a poem (title, author)
// or an author's biography (name, life dates). Taken from the poetry cursor at
// the moment the pane receives the record's text, when the cursor stands on it.
#include <QString>

namespace data {
class TADOQuery;
}

namespace reading {

struct ShownRecord {
  enum Kind { kNone, kPoem, kBiography };
  Kind kind = kNone;
  QString title;   // the poem's title, or the author's name for a biography
  QString byline;  // the poem's author, or the life dates for a biography
  QString author;  // the author's name either way, to find the era by

  bool operator==(const ShownRecord&) const = default;
};

// The record the cursor stands on; kNone when it is closed or on no row.
ShownRecord RecordOf(const data::TADOQuery& cursor);

// The era of an author from the author table, read through a cursor of its own
// on the same database (the poetry cursor is never moved); "" when unknown.
QString EraOf(const QString& connectionString, const QString& author);

}  // namespace reading
