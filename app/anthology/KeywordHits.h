#pragma once
// Where a searched keyword stands in a text: the occurrences the text pane and
// the tables highlight after a title or content search, and the reader's steps
// through them (F3, Shift+F3).
#include <QList>
#include <QString>
#include <QStringList>

namespace anthology {

struct Hit {
  int start = 0;   // in UTF-16 units of the text
  int length = 0;
  bool operator==(const Hit&) const = default;
};

// The occurrences of `keyword` in `text`, left to right and not overlapping,
// matched as the searches match it: a literal substring, Latin letters without
// regard to case. A keyword of blanks only has none.
QList<Hit> FindHits(const QString& text, const QString& keyword);

// The occurrences of a stored keyword in a text as the window shows it (in
// traditional script, say), line by line: a line shown in as many units as it
// is stored keeps the stored line's hits; another is searched for the keyword
// as shown. Positions count in the shown lines joined by one unit each. Lines
// that do not pair up (not as many shown as stored) are searched as shown.
QList<Hit> ShownHits(const QStringList& storedLines, const QStringList& shownLines, const QString& keyword,
                     const QString& shownKeyword);

// The occurrence the reader stands on, moved by F3 and Shift+F3 with wrapping.
class HitSteps {
 public:
  void Reset(QList<Hit> hits);
  const QList<Hit>& Hits() const { return hits_; }
  // The next (previous) occurrence: the first (last) one on the first step;
  // -1 when there are none.
  int Next();
  int Previous();
  int Current() const { return current_; }

 private:
  QList<Hit> hits_;
  int current_ = -1;
};

}  // namespace anthology
