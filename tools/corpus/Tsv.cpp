#include "tools/corpus/Tsv.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace corpus {

std::string EscapeField(const std::string& s) {
  std::string out;
  out.reserve(s.size());
  for (char c : s) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\t': out += "\\t"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      default: out += c;
    }
  }
  // A literal field "\N" must not read back as NULL; it is escaped above
  // already ("\\N"), so nothing more is needed.
  return out;
}

std::string UnescapeField(const std::string& s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\\' || i + 1 == s.size()) {
      out += s[i];
      continue;
    }
    const char n = s[++i];
    switch (n) {
      case '\\': out += '\\'; break;
      case 't': out += '\t'; break;
      case 'n': out += '\n'; break;
      case 'r': out += '\r'; break;
      default:
        out += '\\';
        out += n;
    }
  }
  return out;
}

namespace {

Row SplitRow(const std::string& line) {
  Row fields;
  size_t start = 0;
  while (true) {
    const size_t p = line.find('\t', start);
    fields.push_back(line.substr(start, p == std::string::npos ? std::string::npos : p - start));
    if (p == std::string::npos) break;
    start = p + 1;
  }
  return fields;
}

}  // namespace

Table ReadTsv(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path);
  Table t;
  std::string line;
  size_t lineNo = 0;
  while (std::getline(in, line)) {
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (lineNo == 1) {
      t.columns = SplitRow(line);
      continue;
    }
    if (line.empty()) continue;
    Row r = SplitRow(line);
    if (r.size() != t.columns.size()) {
      std::ostringstream msg;
      msg << path << ":" << lineNo << ": " << r.size() << " fields, expected " << t.columns.size();
      throw std::runtime_error(msg.str());
    }
    for (std::string& f : r) f = UnescapeField(f);
    t.rows.push_back(std::move(r));
  }
  if (lineNo == 0) throw std::runtime_error(path + " is empty");
  return t;
}

void WriteTsv(const std::string& path, const Table& t) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) throw std::runtime_error("cannot write " + path);
  for (size_t i = 0; i < t.columns.size(); ++i) out << (i ? "\t" : "") << t.columns[i];
  out << '\n';
  for (const Row& r : t.rows) {
    for (size_t i = 0; i < r.size(); ++i) out << (i ? "\t" : "") << EscapeField(r[i]);
    out << '\n';
  }
  if (!out) throw std::runtime_error("cannot write " + path);
}

size_t ColumnIndex(const Table& t, const std::string& name) {
  for (size_t i = 0; i < t.columns.size(); ++i) {
    std::string c = t.columns[i];
    const size_t colon = c.find(':');
    if (colon != std::string::npos) c = c.substr(0, colon);
    if (c == name) return i;
  }
  throw std::runtime_error("no column " + name);
}

}  // namespace corpus
