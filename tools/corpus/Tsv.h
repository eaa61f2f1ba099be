#pragma once
// Table sources: UTF-8, one row per line, TAB between fields, first line the
// column names. Inside fields "\\" is a backslash, "\t" a tab, "\n" a line
// feed, "\r" a carriage return, and a field of exactly "\N" is NULL.
#include <string>
#include <vector>

namespace corpus {

using Row = std::vector<std::string>;

struct Table {
  Row columns;
  std::vector<Row> rows;
};

std::string EscapeField(const std::string& s);
std::string UnescapeField(const std::string& s);

// Throws std::runtime_error naming the file and line for a row whose number of
// fields differs from the header's.
Table ReadTsv(const std::string& path);
void WriteTsv(const std::string& path, const Table& t);

// Index of a column by name (":int" suffix ignored); throws when missing.
size_t ColumnIndex(const Table& t, const std::string& name);

}  // namespace corpus
