#include "app/Queries.h"

#include "data/Databases.h"
#include "data/SearchWords.h"

namespace app {

Statement EraAuthorsQuery(const QString& era) {
  return {QStringLiteral("select authorname,authoryear,poetryTotal,content from author where agename=?"), {era}};
}

Statement AuthorQuery(const QString& author) {
  return {QStringLiteral("select authorname,authoryear,content from author where authorname=?"), {author}};
}

Statement AuthorPoemsQuery(const QString& author) {
  return {QStringLiteral("select title,authorname,formatName,head,content from poetry where authorname=?"), {author}};
}

QString ContainsPattern(const QString& keyword) {
  QString escaped;
  escaped.reserve(keyword.size() + 2);
  for (const QChar c : keyword) {
    if (c == u'\\' || c == u'%' || c == u'_') escaped.append(u'\\');
    escaped.append(c);
  }
  return u'%' + escaped + u'%';
}

Statement SearchQuery(SearchMode mode, const QString& keyword, bool indexed, bool listed) {
  static const QString kLike = QStringLiteral(" like ? escape '\\'");
  const QString pattern = ContainsPattern(keyword);
  QString table = QStringLiteral("poetry"), field;
  switch (mode) {
    case SearchMode::Title: field = QStringLiteral("title"); break;
    case SearchMode::Author: table = QStringLiteral("author"), field = QStringLiteral("authorname"); break;
    case SearchMode::Content: field = QStringLiteral("content"); break;
  }
  const QString phrase = indexed && mode != SearchMode::Author ? data::SearchPhrase(keyword) : QString();
  if (phrase.isEmpty()) return {QStringLiteral("select * from ") + table + QStringLiteral(" where ") + field + kLike, {pattern}};
  // The word index names the rows that may hold the keyword, in the order of
  // their ids; the literal match keeps exactly the hits among them. For a
  // keyword of one word character the index is already exact (a text holds
  // the word just when it holds the character, or the character in the other
  // case for a Latin letter), so there is nothing left to check.
  const bool single = data::IsSingleWord(keyword);
  // The listing holds the titles, not the contents, to check hits against.
  if (listed && (single || mode == SearchMode::Title)) {
    // The index names its rows in the order of their ids, each looked up in
    // the listing as it comes: no list of them is gathered and sorted first.
    const QString& key = data::kListingKey;
    Statement s{QStringLiteral("select l.title,l.authorname,l.formatName,l.head,l.") + key + QStringLiteral(" from ") +
                    data::kPoetrySearchIndex + QStringLiteral(" s cross join ") + data::kPoetryListing +
                    QStringLiteral(" l on l.") + key + QStringLiteral("=s.docid where s.") + field + QStringLiteral(" match ?"),
                {phrase}, key, QStringLiteral("select * from poetry where rowid=?")};
    if (!single) s.sql += QStringLiteral(" and l.title") + kLike, s.params.append(pattern);
    s.sql += QStringLiteral(" order by s.docid");
    return s;
  }
  const QString candidates = QStringLiteral("select * from poetry where rowid in (select docid from ") +
                             data::kPoetrySearchIndex + QStringLiteral(" where ") + field + QStringLiteral(" match ?)");
  if (single) return {candidates + QStringLiteral(" order by rowid"), {phrase}};
  return {candidates + QStringLiteral(" and ") + field + kLike + QStringLiteral(" order by rowid"), {phrase, pattern}};
}

}  // namespace app
