#include "app/Queries.h"

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

Statement SearchQuery(SearchMode mode, const QString& keyword) {
  static const QString kLike = QStringLiteral(" like ? escape '\\'");
  QString sql;
  switch (mode) {
    case SearchMode::Title: sql = QStringLiteral("select * from poetry where title") + kLike; break;
    case SearchMode::Author: sql = QStringLiteral("select * from author where authorname") + kLike; break;
    case SearchMode::Content: sql = QStringLiteral("select * from poetry where content") + kLike; break;
  }
  return {sql, {ContainsPattern(keyword)}};
}

}  // namespace app
