// The corpus converter's table sources. The input is a TSV file: it is read,
// written and read again. Every row read has the header's number of fields,
// the rows and the header survive a write and a read unchanged, and every
// field escapes and unescapes back to itself.
#include <algorithm>
#include <fstream>
#include <stdexcept>

#include "tests/fuzz/FuzzTarget.h"
#include "tools/corpus/Tsv.h"

namespace {

using fuzz::Show;

const std::string& ScratchFile() {
  static const std::string file = (fuzz::ScratchDir() + QStringLiteral("/table.tsv")).toStdString();
  return file;
}

std::string Joined(const corpus::Row& r) {
  std::string out;
  for (const std::string& f : r) out += Show(f) + " ";
  return out;
}

int Run(const std::uint8_t* data, std::size_t size) {
  const std::string& file = ScratchFile();
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
  }
  corpus::Table read;
  try {
    read = corpus::ReadTsv(file);
  } catch (const std::runtime_error&) {
    return 0;  // a row of the wrong width, or an empty file: reported as such
  }
  for (const corpus::Row& r : read.rows) {
    CQ_FUZZ_CHECK_SAYING(r.size() == read.columns.size(), Joined(r));
    for (const std::string& f : r)
      CQ_FUZZ_CHECK_SAYING(corpus::UnescapeField(corpus::EscapeField(f)) == f, Show(f));
  }
  corpus::WriteTsv(file, read);
  const corpus::Table again = corpus::ReadTsv(file);
  CQ_FUZZ_CHECK_SAYING(again.rows == read.rows, Show(bytes));
  // The header is written as it was read, unescaped: a name that ends in a
  // carriage return loses it, taken for the line's own (the program names
  // its columns itself).
  const bool headerCr = std::any_of(read.columns.begin(), read.columns.end(),
                                    [](const std::string& c) { return !c.empty() && c.back() == '\r'; });
  CQ_FUZZ_CHECK_SAYING(headerCr || again.columns == read.columns, Show(bytes));
  // A column is found by its name without the type suffix: the first of that name.
  for (size_t i = 0; i < read.columns.size(); ++i) {
    const std::string name = read.columns[i].substr(0, read.columns[i].find(':'));
    const size_t found = corpus::ColumnIndex(read, name);
    CQ_FUZZ_CHECK_SAYING(found <= i && read.columns[found].substr(0, read.columns[found].find(':')) == name,
                         Show(read.columns[i]));
  }
  return 0;
}

}  // namespace

CQ_FUZZ_ENTRY("corpus-tsv", Run)
