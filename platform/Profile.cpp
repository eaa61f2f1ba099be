#include "platform/Profile.h"

#include <QFile>

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

bool SameName(const QByteArray& gbkName, const QString& name) {
  return FromGbk(gbkName.trimmed()).compare(name.trimmed(), Qt::CaseInsensitive) == 0;
}

// The section name of a header line, or a null array for other lines.
QByteArray SectionOf(const QByteArray& line) {
  const QByteArray t = line.trimmed();
  if (!t.startsWith('[')) return {};
  const int close = static_cast<int>(t.indexOf(']'));
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

}  // namespace

QString ReadProfileString(const QString& file, const QString& section, const QString& key,
                          const QString& def) {
  bool exists = false;
  const QList<QByteArray> lines = ReadLines(file, &exists);
  int end = 0;
  const int begin = FindSection(lines, section, &end);
  if (begin < 0) return def;
  for (int i = begin; i < end; ++i) {
    QByteArray k, v;
    if (!SplitKey(lines[i], &k, &v) || !SameName(k, key)) continue;
    return FromGbk(GbkLeft(v.trimmed(), kProfileValueMax));
  }
  return def;
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
