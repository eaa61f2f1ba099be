#include "app/anthology/LibraryLookup.h"

#include <QHash>
#include <QSet>

#include "data/Query.h"

namespace anthology {

namespace {

constexpr const char* kPoemFields = "title,authorname,formatName,head,content";

FoundPoem Current(data::TADOQuery& q) {
  return {q.Fields(0).AsString(), q.Fields(1).AsString(), q.Fields(2).AsString(),
          q.Fields(3).AsString(), q.Fields(4).AsString(), {}};
}

void Run(data::TADOQuery& q, const QString& sql, const QVariantList& params) {
  q.SetSQL(sql);
  q.SetParams(params);
  q.Open();
}

QString EraOf(data::TADOQuery& q, const QString& author) {
  Run(q, QStringLiteral("select agename from author where authorname=?"), {author});
  return q.RecordCount() > 0 ? q.Fields(0).AsString() : QString();
}

}  // namespace

data::PoemRef RefOf(const QString& author, const QString& title, const QString& form, const QString& head,
                    const QString& body) {
  return {author, title, data::PoemTextHash(body), form, head};
}

std::optional<FoundPoem> FindPoem(data::TADOQuery& cursor, const data::PoemRef& poem) {
  Run(cursor, QStringLiteral("select %1 from poetry where authorname=? and title=?").arg(QLatin1String(kPoemFields)),
      {poem.author, poem.title});
  std::optional<FoundPoem> found;
  for (; !cursor.Eof(); cursor.Next())
    if (data::PoemTextHash(cursor.Fields(4).AsString()) == poem.textHash) {
      found = Current(cursor);
      break;
    }
  if (!found && cursor.RecordCount() == 1) {
    cursor.First();
    found = Current(cursor);
  }
  if (found) found->era = EraOf(cursor, found->author);
  return found;
}

std::vector<std::optional<qint64>> FindPoemIds(data::TADOQuery& cursor, const std::vector<data::PoemRef>& poems) {
  std::vector<std::optional<qint64>> ids(poems.size());
  QHash<QString, std::vector<size_t>> byAuthor;
  for (size_t i = 0; i < poems.size(); ++i) byAuthor[poems[i].author].push_back(i);
  for (auto it = byAuthor.cbegin(); it != byAuthor.cend(); ++it) {
    QVariantList params{it.key()};
    QStringList marks;
    QSet<QString> titles;
    for (size_t i : it.value())
      if (!titles.contains(poems[i].title)) titles.insert(poems[i].title), params << poems[i].title, marks << QStringLiteral("?");
    Run(cursor,
        QStringLiteral("select rowid,title,content from poetry where authorname=? and title in (%1)").arg(marks.join(u',')),
        params);
    // Each title's poems: their row ids and text hashes.
    QHash<QString, std::vector<std::pair<qint64, QByteArray>>> found;
    for (; !cursor.Eof(); cursor.Next())
      found[cursor.Fields(1).AsString()].emplace_back(cursor.Fields(0).Value().toLongLong(),
                                                       data::PoemTextHash(cursor.Fields(2).AsString()));
    for (size_t i : it.value()) {
      const auto& candidates = found.value(poems[i].title);
      for (const auto& [id, hash] : candidates)
        if (!ids[i] && hash == poems[i].textHash) ids[i] = id;
      if (!ids[i] && candidates.size() == 1) ids[i] = candidates.front().first;
    }
  }
  cursor.Close();
  return ids;
}

std::vector<std::optional<qint64>> ConfirmPoemIds(data::TADOQuery& cursor, const std::vector<data::PoemRef>& poems,
                                                  const std::vector<std::optional<qint64>>& guesses) {
  std::vector<std::optional<qint64>> confirmed(poems.size());
  // Row ids are integers formatted here: one statement for any number of them.
  QStringList ids;
  for (const std::optional<qint64>& g : guesses)
    if (g) ids << QString::number(*g);
  if (ids.isEmpty()) return confirmed;
  Run(cursor, QStringLiteral("select rowid,authorname,title,content from poetry where rowid in (%1)").arg(ids.join(u',')),
      {});
  QHash<qint64, data::PoemRef> rows;
  for (; !cursor.Eof(); cursor.Next())
    rows.insert(cursor.Fields(0).Value().toLongLong(),
                RefOf(cursor.Fields(1).AsString(), cursor.Fields(2).AsString(), {}, {}, cursor.Fields(3).AsString()));
  cursor.Close();
  for (size_t i = 0; i < poems.size(); ++i) {
    const auto row = guesses[i] ? rows.constFind(*guesses[i]) : rows.cend();
    if (row != rows.cend() && row->SamePoem(poems[i])) confirmed[i] = guesses[i];
  }
  return confirmed;
}

std::vector<qint64> PoemIds(data::TADOQuery& cursor, const Scope& scope) {
  if (!scope.author.isEmpty()) {
    Run(cursor, QStringLiteral("select rowid from poetry where authorname=?"), {scope.author});
  } else {
    if (scope.eras.isEmpty()) return {};
    QStringList marks;
    QVariantList eras;
    for (const QString& era : scope.eras) marks << QStringLiteral("?"), eras << era;
    Run(cursor,
        QStringLiteral("select rowid from poetry where authorname in (select authorname from author where agename in (%1))")
            .arg(marks.join(u',')),
        eras);
  }
  std::vector<qint64> ids;
  ids.reserve(static_cast<size_t>(cursor.RecordCount()));
  for (; !cursor.Eof(); cursor.Next()) ids.push_back(cursor.Fields(0).Value().toLongLong());
  cursor.Close();
  return ids;
}

QHash<QString, QStringList> AuthorsByEra(data::TADOQuery& cursor) {
  Run(cursor, QStringLiteral("select agename,authorname from author"), {});
  QHash<QString, QStringList> authors;
  for (; !cursor.Eof(); cursor.Next()) authors[cursor.Fields(0).AsString()] << cursor.Fields(1).AsString();
  cursor.Close();
  return authors;
}

RowRange PoemRowRange(data::TADOQuery& cursor) {
  // Each bound alone: together in one select they would be found by a scan of the table.
  Run(cursor, QStringLiteral("select (select min(rowid) from poetry),(select max(rowid) from poetry)"), {});
  RowRange range;
  if (!cursor.Fields(0).IsNull()) range = {cursor.Fields(0).Value().toLongLong(), cursor.Fields(1).Value().toLongLong()};
  cursor.Close();
  return range;
}

std::optional<QString> AuthorOfRow(data::TADOQuery& cursor, qint64 id) {
  Run(cursor, QStringLiteral("select authorname from poetry where rowid=?"), {id});
  std::optional<QString> author;
  if (cursor.RecordCount() > 0) author = cursor.Fields(0).AsString();
  cursor.Close();
  return author;
}

std::optional<FoundPoem> PoemById(data::TADOQuery& cursor, qint64 id) {
  Run(cursor, QStringLiteral("select %1 from poetry where rowid=?").arg(QLatin1String(kPoemFields)), {id});
  if (cursor.RecordCount() == 0) return std::nullopt;
  FoundPoem p = Current(cursor);
  p.era = EraOf(cursor, p.author);
  return p;
}

}  // namespace anthology
