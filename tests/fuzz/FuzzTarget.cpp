#include "tests/fuzz/FuzzTarget.h"

#include <QDir>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace fuzz {
namespace {

std::vector<Target>& Registry() {
  static std::vector<Target> targets;
  return targets;
}

void Escape(std::string& out, char32_t c) {
  if (c >= 0x20 && c < 0x7F && c != '\\') {
    out += static_cast<char>(c);
    return;
  }
  char buf[16];
  std::snprintf(buf, sizeof buf, c < 0x100 ? "\\x%02X" : "\\u{%X}", static_cast<unsigned>(c));
  out += buf;
}

}  // namespace

bool Register(const char* name, Entry entry) {
  Registry().push_back({name, entry});
  return true;
}

const std::vector<Target>& Targets() { return Registry(); }

void Fail(const char* file, int line, const char* check, const std::string& values) {
  std::string what = std::string(file) + ":" + std::to_string(line) + ": broken: " + check;
  if (!values.empty()) what += "\n  " + values;
#ifdef CQ_LIBFUZZER
  std::fprintf(stderr, "%s\n", what.c_str());
  std::abort();
#else
  throw Finding{what};
#endif
}

QList<QByteArray> Split(const std::uint8_t* data, std::size_t size, char separator, int count) {
  QList<QByteArray> parts;
  const QByteArray all = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  qsizetype from = 0;
  while (parts.size() + 1 < count) {
    const qsizetype at = all.indexOf(separator, from);
    if (at < 0) break;
    parts.append(all.mid(from, at - from));
    from = at + 1;
  }
  parts.append(all.mid(from));
  return parts;
}

QString ScratchDir() {
  static const QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                     ? QStringLiteral("/dev/shm/cq-fuzz-XXXXXX")
                                     : QDir::tempPath() + QStringLiteral("/cq-fuzz-XXXXXX"));
  return dir.path();
}

std::string Show(const QString& s) {
  std::string out = "\"";
  for (const QChar c : s) Escape(out, c.unicode());  // units, so that a lone surrogate shows
  return out + "\"";
}

std::string Show(const QByteArray& b) {
  std::string out = "b\"";
  for (const char c : b) Escape(out, static_cast<unsigned char>(c));
  return out + "\"";
}

std::string Show(const std::string& s) { return Show(QByteArray::fromStdString(s)); }

}  // namespace fuzz
