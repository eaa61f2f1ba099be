#include "app/reading/ShownRecord.h"

#include "data/Query.h"

namespace reading {

ShownRecord RecordOf(const data::TADOQuery& cursor) {
  ShownRecord r;
  if (!cursor.Active() || cursor.RecNo() < 1) return r;
  const QStringList fields = cursor.FieldNames();
  auto has = [&](const char* name) { return fields.contains(QString::fromLatin1(name), Qt::CaseInsensitive); };
  auto value = [&](const char* name) { return cursor.FieldByName(QString::fromLatin1(name)).AsString(); };
  if (!has("authorname")) return r;
  r.author = value("authorname");
  if (has("title")) {
    r.kind = ShownRecord::kPoem;
    r.title = value("title");
    r.byline = r.author;
  } else {
    r.kind = ShownRecord::kBiography;
    r.title = r.author;
    r.byline = has("authoryear") ? value("authoryear") : QString();
  }
  return r;
}

QString EraOf(const QString& connectionString, const QString& author) {
  if (author.isEmpty() || connectionString.isEmpty()) return QString();
  data::TADOQuery query(QStringLiteral("EraQuery"));
  query.SetConnectionString(connectionString);
  query.SetSQL(QStringLiteral("select agename from author where authorname=?"));
  query.SetParams({author});
  query.Open();
  return query.RecNo() >= 1 ? query.Fields(0).AsString() : QString();
}

}  // namespace reading
