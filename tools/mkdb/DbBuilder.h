#pragma once
// Builds encrypted database files from tab-separated table sources.
//
// A table source is UTF-8 text, one row per line, fields separated by TAB. The
// first line names the columns; a name ending in ":int" makes an INTEGER column
// (named without the suffix), the others are TEXT. Inside fields "\\" is a
// backslash, "\t" a tab, "\n" a line feed, "\r" a carriage return, and a field
// of exactly "\N" is NULL.
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace dbbuild {

struct Column {
  QString name;
  bool integer = false;
};

struct Table {
  QString name;
  QList<Column> columns;
  QList<QVariantList> rows;
};

struct Index {
  QString name;
  QString table;
  QStringList columns;
};

// A full-text index over text columns of a table: a table of words (see
// data/SearchWords.h) whose row ids are the table's, holding no copy of the text.
struct SearchIndex {
  QString name;
  QString table;
  QStringList columns;
  // With a listing name: a narrow copy of the table that the hits are listed
  // from without their long texts, the table's row ids as its key
  // (data::kListingKey) and the listed columns beside them.
  QString listing;
  QStringList listed;
};

// The search index of the program's poetry database: titles and contents,
// with the listing of titles, authors, forms and first lines.
SearchIndex PoetrySearchIndex();

// Parses a table source; raises toolkit::Exception naming the line on malformed input.
Table ParseTableSource(const QString& tableName, const QByteArray& utf8);
Table ReadTableSource(const QString& tableName, const QString& path);
// Escapes one field for a table source.
QString EscapeField(const QString& text);

// Writes a new database file (replacing any old one) holding the tables and
// indexes, encrypted with the password's key.
void WriteDatabase(const QString& path, const QString& password, const QList<Table>& tables,
                   const QList<Index>& indexes = {}, const QList<SearchIndex>& searchIndexes = {});

}  // namespace dbbuild
