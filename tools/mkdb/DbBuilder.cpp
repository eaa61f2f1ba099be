#include "tools/mkdb/DbBuilder.h"

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "data/Connection.h"
#include "data/Databases.h"
#include "data/SearchWords.h"
#include "toolkit/Exception.h"

namespace dbbuild {
namespace {

QString Unescape(const QString& field) {
  if (field == QStringLiteral("\\N")) return QString();
  QString out;
  out.reserve(field.size());
  for (qsizetype i = 0; i < field.size(); ++i) {
    const QChar c = field[i];
    if (c != u'\\' || i + 1 >= field.size()) {
      out.append(c);
      continue;
    }
    const QChar e = field[++i];
    if (e == u'n') out.append(u'\n');
    else if (e == u't') out.append(u'\t');
    else if (e == u'r') out.append(u'\r');
    else if (e == u'\\') out.append(u'\\');
    else {
      out.append(u'\\');
      out.append(e);
    }
  }
  return out;
}

QString Quote(const QString& name) { return u'"' + QString(name).replace(u'"', QStringLiteral("\"\"")) + u'"'; }

void Check(sqlite3* db, int rc, const QString& what) {
  if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
    throw toolkit::Exception(QStringLiteral("%1: %2").arg(what, QString::fromUtf8(sqlite3_errmsg(db))));
}

void Exec(sqlite3* db, const QString& sql) { Check(db, sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr), sql); }

// Binds text, or NULL for a null string.
void BindText(sqlite3_stmt* stmt, int index, const QString& text) {
  if (text.isNull()) {
    sqlite3_bind_null(stmt, index);
    return;
  }
  const QByteArray u = text.toUtf8();
  sqlite3_bind_text(stmt, index, u.constData(), static_cast<int>(u.size()), SQLITE_TRANSIENT);
}

// Fills a contentless full-text table with the words of each row's columns,
// under the row's id, and merges it into one segment.
void WriteSearchIndex(sqlite3* db, const SearchIndex& ix) {
  QStringList columns, marks;
  for (const QString& c : ix.columns) {
    columns.append(Quote(c));
    marks.append(QStringLiteral("?"));
  }
  const QString list = columns.join(u',');
  // No copy of the text and no per-row word counts (nothing ranks the hits).
  Exec(db, QStringLiteral("CREATE VIRTUAL TABLE %1 USING fts4(content=\"\", matchinfo=fts3, %2)").arg(Quote(ix.name), list));
  sqlite3_stmt* read = nullptr;
  sqlite3_stmt* write = nullptr;
  const QByteArray select = QStringLiteral("SELECT rowid,%1 FROM %2").arg(list, Quote(ix.table)).toUtf8();
  const QByteArray insert =
      QStringLiteral("INSERT INTO %1 (docid,%2) VALUES (?,%3)").arg(Quote(ix.name), list, marks.join(u',')).toUtf8();
  struct Finalizer {
    sqlite3_stmt*& a;
    sqlite3_stmt*& b;
    ~Finalizer() {
      sqlite3_finalize(a);
      sqlite3_finalize(b);
    }
  } finalizer{read, write};
  Check(db, sqlite3_prepare_v2(db, select.constData(), -1, &read, nullptr), QString::fromUtf8(select));
  Check(db, sqlite3_prepare_v2(db, insert.constData(), -1, &write, nullptr), QString::fromUtf8(insert));
  int rc;
  while ((rc = sqlite3_step(read)) == SQLITE_ROW) {
    sqlite3_reset(write);
    sqlite3_bind_int64(write, 1, sqlite3_column_int64(read, 0));
    for (int c = 0; c < ix.columns.size(); ++c) {
      const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(read, c + 1));
      BindText(write, c + 2,
               text ? data::SearchWords(QString::fromUtf8(text, sqlite3_column_bytes(read, c + 1))) : QString());
    }
    Check(db, sqlite3_step(write), ix.name);
  }
  Check(db, rc, ix.table);
  Exec(db, QStringLiteral("INSERT INTO %1 (%1) VALUES ('optimize')").arg(Quote(ix.name)));
}

void WriteListing(sqlite3* db, const SearchIndex& ix) {
  QStringList defs{Quote(data::kListingKey) + QStringLiteral(" INTEGER PRIMARY KEY")}, columns;
  for (const QString& c : ix.listed) {
    defs.append(Quote(c) + QStringLiteral(" TEXT"));
    columns.append(Quote(c));
  }
  Exec(db, QStringLiteral("CREATE TABLE %1 (%2)").arg(Quote(ix.listing), defs.join(u',')));
  Exec(db, QStringLiteral("INSERT INTO %1 SELECT rowid,%2 FROM %3 ORDER BY rowid")
               .arg(Quote(ix.listing), columns.join(u','), Quote(ix.table)));
}

}  // namespace

QString EscapeField(const QString& text) {
  if (text.isNull()) return QStringLiteral("\\N");
  QString out;
  out.reserve(text.size());
  for (const QChar c : text) {
    if (c == u'\\') out += QStringLiteral("\\\\");
    else if (c == u'\t') out += QStringLiteral("\\t");
    else if (c == u'\n') out += QStringLiteral("\\n");
    else if (c == u'\r') out += QStringLiteral("\\r");
    else out += c;
  }
  return out;
}

Table ParseTableSource(const QString& tableName, const QByteArray& utf8) {
  Table table;
  table.name = tableName;
  QList<QByteArray> lines = utf8.split('\n');
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  if (lines.isEmpty()) throw toolkit::Exception(QStringLiteral("%1: no header line").arg(tableName));
  for (QByteArray& l : lines)
    if (l.endsWith('\r')) l.chop(1);
  for (const QString& h : QString::fromUtf8(lines[0]).split(u'\t')) {
    Column c;
    c.integer = h.endsWith(QStringLiteral(":int"));
    c.name = c.integer ? h.chopped(4) : h;
    if (c.name.isEmpty()) throw toolkit::Exception(QStringLiteral("%1: empty column name").arg(tableName));
    table.columns.append(c);
  }
  for (int i = 1; i < lines.size(); ++i) {
    const QStringList fields = QString::fromUtf8(lines[i]).split(u'\t');
    if (fields.size() != table.columns.size())
      throw toolkit::Exception(QStringLiteral("%1, line %2: %3 fields, expected %4")
                                   .arg(tableName).arg(i + 1).arg(fields.size()).arg(table.columns.size()));
    QVariantList row;
    for (int c = 0; c < fields.size(); ++c) {
      const QString value = Unescape(fields[c]);
      if (value.isNull()) row.append(QVariant());
      else if (table.columns[c].integer) {
        bool ok = false;
        const qlonglong n = value.toLongLong(&ok);
        if (!ok)
          throw toolkit::Exception(QStringLiteral("%1, line %2: '%3' is not an integer").arg(tableName).arg(i + 1).arg(value));
        row.append(n);
      } else {
        row.append(value);
      }
    }
    table.rows.append(row);
  }
  return table;
}

Table ReadTableSource(const QString& tableName, const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) throw toolkit::Exception(QStringLiteral("Cannot read %1").arg(path));
  return ParseTableSource(tableName, f.readAll());
}

SearchIndex PoetrySearchIndex() {
  // Most words are in the contents: as the first column they need no column mark in the index.
  return {data::kPoetrySearchIndex,
          QStringLiteral("poetry"),
          {QStringLiteral("content"), QStringLiteral("title")},
          data::kPoetryListing,
          {QStringLiteral("title"), QStringLiteral("authorname"), QStringLiteral("formatName"), QStringLiteral("head")}};
}

void WriteDatabase(const QString& path, const QString& password, const QList<Table>& tables,
                   const QList<Index>& indexes, const QList<SearchIndex>& searchIndexes) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  const QString temp = path + QStringLiteral(".part");
  QFile::remove(temp);
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(temp.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
    const QString message = QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_close(db);
    throw toolkit::Exception(QStringLiteral("%1: %2").arg(path, message));
  }
  try {
    if (!password.isEmpty()) Check(db, data::ApplyKey(db, password), QStringLiteral("key"));
    Exec(db, QStringLiteral("BEGIN"));
    for (const Table& t : tables) {
      QStringList defs, marks;
      for (const Column& c : t.columns) {
        defs.append(Quote(c.name) + (c.integer ? QStringLiteral(" INTEGER") : QStringLiteral(" TEXT")));
        marks.append(QStringLiteral("?"));
      }
      Exec(db, QStringLiteral("CREATE TABLE %1 (%2)").arg(Quote(t.name), defs.join(u',')));
      sqlite3_stmt* stmt = nullptr;
      const QByteArray insert = QStringLiteral("INSERT INTO %1 VALUES (%2)").arg(Quote(t.name), marks.join(u',')).toUtf8();
      Check(db, sqlite3_prepare_v2(db, insert.constData(), -1, &stmt, nullptr), QString::fromUtf8(insert));
      for (const QVariantList& row : t.rows) {
        sqlite3_reset(stmt);
        for (int c = 0; c < row.size(); ++c) {
          const QVariant& v = row[c];
          if (v.isNull()) sqlite3_bind_null(stmt, c + 1);
          else if (v.typeId() == QMetaType::LongLong) sqlite3_bind_int64(stmt, c + 1, v.toLongLong());
          else {
            const QByteArray u = v.toString().toUtf8();
            sqlite3_bind_text(stmt, c + 1, u.constData(), static_cast<int>(u.size()), SQLITE_TRANSIENT);
          }
        }
        const int rc = sqlite3_step(stmt);
        if (rc != SQLITE_DONE) {
          sqlite3_finalize(stmt);
          Check(db, rc, t.name);
        }
      }
      sqlite3_finalize(stmt);
    }
    for (const Index& ix : indexes) {
      QStringList cols;
      for (const QString& c : ix.columns) cols.append(Quote(c));
      Exec(db, QStringLiteral("CREATE INDEX %1 ON %2 (%3)").arg(Quote(ix.name), Quote(ix.table), cols.join(u',')));
    }
    for (const SearchIndex& ix : searchIndexes) {
      WriteSearchIndex(db, ix);
      if (!ix.listing.isEmpty()) WriteListing(db, ix);
    }
    Exec(db, QStringLiteral("COMMIT"));
    Exec(db, QStringLiteral("ANALYZE"));
    // Building the word index leaves free pages behind: the file keeps none.
    if (!searchIndexes.isEmpty()) Exec(db, QStringLiteral("VACUUM"));
  } catch (...) {
    sqlite3_close(db);
    QFile::remove(temp);
    throw;
  }
  sqlite3_close(db);
  QFile::remove(path);
  if (!QFile::rename(temp, path)) throw toolkit::Exception(QStringLiteral("Cannot write %1").arg(path));
}

}  // namespace dbbuild
