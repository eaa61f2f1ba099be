#include "platform/Profile.h"

#include <QFile>
#include <QSet>
#include <optional>

#include "platform/FileReplace.h"
#include "platform/Gbk.h"

namespace platform {
namespace {

QList<QByteArray> ReadLines(const QString& file, bool* exists) {
  QFile f(file);
  *exists = f.open(QIODevice::ReadOnly);
  if (!*exists) return {};
  QByteArray all = f.readAll();
  QList<QByteArray> lines = all.split('\n');
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  for (QByteArray& l : lines)
    if (l.endsWith('\r')) l.chop(1);
  return lines;
}

// Where a header line's closing bracket is: the first ']' that is a character
// of its own and not the second byte of a double-byte character (GBK's
// second bytes include ']'), or -1.
qsizetype ClosingBracket(QByteArrayView line) {
  const QByteArray bytes = QByteArray::fromRawData(line.data(), line.size());
  for (qsizetype i = 1; i < bytes.size(); i += GbkCharWidth(bytes, i))
    if (bytes[i] == ']') return i;
  return -1;
}

bool SameName(const QByteArray& gbkName, const QString& name) {
  return FromGbk(gbkName.trimmed()).compare(name.trimmed(), Qt::CaseInsensitive) == 0;
}

// The section name of a header line, or a null array for other lines.
QByteArray SectionOf(const QByteArray& line) {
  const QByteArray t = line.trimmed();
  if (!t.startsWith('[')) return {};
  const qsizetype close = ClosingBracket(t);
  if (close < 0) return {};
  QByteArray name = t.mid(1, close - 1);
  if (name.isNull()) name = QByteArray("");
  return name;
}

// Splits a key line at its first '='; false for lines without one.
bool SplitKey(const QByteArray& line, QByteArray* key, QByteArray* value) {
  const int eq = static_cast<int>(line.indexOf('='));
  if (eq < 0) return false;
  *key = line.left(eq);
  *value = line.mid(eq + 1);
  return true;
}

// Index range [begin, end) of the first section named `section` (its header at begin-1), or -1.
int FindSection(const QList<QByteArray>& lines, const QString& section, int* end) {
  for (int i = 0; i < lines.size(); ++i) {
    const QByteArray name = SectionOf(lines[i]);
    if (name.isNull() || !SameName(name, section)) continue;
    int j = i + 1;
    while (j < lines.size() && SectionOf(lines[j]).isNull()) ++j;
    *end = j;
    return i + 1;
  }
  return -1;
}

// A name as it is compared: decoded from GBK, trimmed and case-folded. Names
// of ASCII only (most keys) need no decoding.
QString FoldedName(QByteArrayView gbk) {
  const QByteArrayView t = gbk.trimmed();
  bool ascii = true;
  for (const char c : t) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  return (ascii ? QString::fromLatin1(t) : FromGbk(t.toByteArray())).toCaseFolded();
}

// Calls `line` with each line of `bytes` in [from, to), without its CR LF or LF.
template <typename F>
void ForEachLine(const QByteArray& bytes, qsizetype from, qsizetype to, F&& line) {
  while (from < to) {
    qsizetype end = bytes.indexOf('\n', from);
    if (end < 0 || end > to) end = to;
    qsizetype stop = end;
    if (stop > from && bytes[stop - 1] == '\r') --stop;
    if (!line(QByteArrayView(bytes.constData() + from, stop - from), from)) return;
    from = end + 1;
  }
}

// The name of a section header line ("[name]", blanks around allowed; text
// after the bracket ignored), or nothing for other lines.
std::optional<QByteArrayView> HeaderName(QByteArrayView line) {
  const QByteArrayView t = line.trimmed();
  if (!t.startsWith('[')) return std::nullopt;
  const qsizetype close = ClosingBracket(t);
  if (close < 0) return std::nullopt;
  return t.sliced(1, close - 1);
}

}  // namespace

ProfileSnapshot::ProfileSnapshot(const QString& file) {
  QFile f(file);
  if (!f.open(QIODevice::ReadOnly)) return;
  bytes_ = f.readAll();
  QSet<QString> seen;
  Section* open = nullptr;
  ForEachLine(bytes_, 0, bytes_.size(), [&](QByteArrayView line, qsizetype at) {
    const std::optional<QByteArrayView> name = HeaderName(line);
    if (!name) return true;
    if (open) open->end = at;
    open = nullptr;
    QString folded = FoldedName(*name);
    if (seen.contains(folded)) return true;  // a later section of a name already seen is not read
    seen.insert(folded);
    const qsizetype next = bytes_.indexOf('\n', at);
    const qsizetype begin = next < 0 ? bytes_.size() : next + 1;
    sections_.append({std::move(folded), begin, bytes_.size()});
    open = &sections_.last();
    return true;
  });
}

void ProfileSnapshot::Parse(const Section& s) const {
  s.parsed = true;
  ForEachLine(bytes_, s.begin, s.end, [&](QByteArrayView line, qsizetype) {
    const qsizetype eq = line.indexOf('=');
    if (eq < 0) return true;
    QString key = FoldedName(line.first(eq));
    if (!s.values.contains(key)) s.values.insert(std::move(key), line.sliced(eq + 1));
    return true;
  });
}

QString ProfileSnapshot::Read(const QString& section, const QString& key, const QString& def) const {
  const QString name = section.trimmed().toCaseFolded();
  for (const Section& s : sections_) {
    if (s.folded != name) continue;
    if (!s.parsed) Parse(s);
    const auto found = s.values.constFind(key.trimmed().toCaseFolded());
    if (found == s.values.constEnd()) return def;
    return FromGbk(GbkLeft(found->trimmed().toByteArray(), kProfileValueMax));
  }
  return def;
}

QString ReadProfileString(const QString& file, const QString& section, const QString& key,
                          const QString& def) {
  return ProfileSnapshot(file).Read(section, key, def);
}

bool WriteProfileString(const QString& file, const QString& section, const QString& key,
                        const QString& value) {
  bool exists = false;
  QList<QByteArray> lines = ReadLines(file, &exists);
  if (!exists && QFile::exists(file)) return false;  // there but unreadable: leave it alone
  const QByteArray keyLine = ToGbk(key) + '=' + GbkLeft(ToGbk(value), kProfileValueMax);

  int end = 0;
  const int begin = FindSection(lines, section, &end);
  if (begin < 0) {
    if (!lines.isEmpty() && !lines.last().trimmed().isEmpty()) lines.append(QByteArray());
    lines.append('[' + ToGbk(section) + ']');
    lines.append(keyLine);
  } else {
    int found = -1;
    int lastKey = begin - 1;
    for (int i = begin; i < end; ++i) {
      QByteArray k, v;
      if (!SplitKey(lines[i], &k, &v)) continue;
      lastKey = i;
      if (SameName(k, key)) {
        found = i;
        break;
      }
    }
    if (found >= 0) {
      QByteArray k, v;
      SplitKey(lines[found], &k, &v);
      lines[found] = k.trimmed() + '=' + GbkLeft(ToGbk(value), kProfileValueMax);
    } else {
      lines.insert(lastKey + 1, keyLine);
    }
  }

  QByteArray contents;
  for (const QByteArray& l : lines) contents += l + "\r\n";
  return ReplaceFileContents(file, contents);
}

}  // namespace platform
