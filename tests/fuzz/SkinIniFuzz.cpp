// The skin INI. The input is the INI's bytes (GBK text). Every kept line is
// trimmed, not empty and no comment; the sections are the bracketed lines in
// order; and every key of a section reads as a plain scan of the lines finds
// it: the first section of the name (letter case ignored), the first line of
// the key in it, its trimmed value or the default when that is empty, and the
// same value whatever the letter case of the key.
#include "platform/IntText.h"
#include "skin/core/QuickIni.h"
#include "tests/fuzz/FuzzTarget.h"

namespace {

using fuzz::Show;

bool IsHeader(const QString& line) { return line.startsWith(u'[') && line.endsWith(u']'); }

// The key of a line, lower-cased: a line without "=" has the empty key, and
// its whole text is the value.
QString LineKey(const QString& line) {
  const qsizetype eq = line.indexOf(u'=');
  return eq < 0 ? QString() : skin::TrimText(line.left(eq)).toLower();
}

// The value of `key` in `section` by scanning the lines from the top.
QString ScanValue(const QStringList& lines, const QString& section, const QString& key, const QString& def) {
  const QString header = u'[' + section + u']';
  qsizetype i = 0;
  while (i < lines.size() && lines[i].compare(header, Qt::CaseInsensitive) != 0) ++i;
  for (++i; i < lines.size() && !IsHeader(lines[i]); ++i) {
    if (LineKey(lines[i]) != key.toLower()) continue;
    const qsizetype eq = lines[i].indexOf(u'=');
    const QString value = skin::TrimText(lines[i].mid(eq + 1));
    return value.isEmpty() ? def : value;
  }
  return def;
}

bool Ascii(const QString& s) {
  for (const QChar c : s)
    if (c.unicode() >= 0x80) return false;
  return true;
}

void CheckSection(const skin::TQuickIni& ini, const QString& name, qsizetype at) {
  const QStringList& lines = ini.Lines();
  CQ_FUZZ_CHECK_SAYING(ini.SectionExists(name) && ini.SectionExists(name.toUpper()), Show(name));
  const QString def = QStringLiteral("-");
  for (qsizetype i = at + 1; i < lines.size() && !IsHeader(lines[i]); ++i) {
    const qsizetype eq = lines[i].indexOf(u'=');
    const QString key = eq < 0 ? QString() : skin::TrimText(lines[i].left(eq));
    // Keys compare by lower case: a key whose letters fold otherwise is looked up as written only.
    if (!Ascii(key)) continue;
    const QString value = ini.ReadString(name, key, def);
    CQ_FUZZ_CHECK_SAYING(value == ScanValue(lines, name, key, def), Show(name) << " " << Show(key) << " = " << Show(value));
    CQ_FUZZ_CHECK_SAYING(ini.ReadString(name.toLower(), key.toUpper(), def) == value, Show(name) << " " << Show(key));
    const auto number = platform::TryDollarHexToInt(value.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive) &&
                                                            value.size() > 2
                                                        ? u'$' + value.mid(2)
                                                        : value);
    CQ_FUZZ_CHECK_SAYING(ini.ReadInteger(name, key, -7) == (value == def ? -7 : number.value_or(-7)), Show(value));
  }
}

int Run(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  skin::TQuickIni ini;
  ini.LoadFromStream(bytes);
  const QStringList& lines = ini.Lines();
  int headers = 0;
  for (const QString& line : lines) {
    CQ_FUZZ_CHECK_SAYING(!line.isEmpty() && skin::TrimText(line) == line && !line.startsWith(u';'), Show(line));
    headers += IsHeader(line);
  }
  CQ_FUZZ_CHECK_SAYING(ini.SectionCount() == headers, ini.SectionCount() << " sections, " << headers << " headers");
  QStringList sections;
  ini.ReadSections(sections);
  CQ_FUZZ_CHECK(sections.size() == headers);
  // The sections named as written, in ASCII (whose letter case folds alike
  // every way), each checked at its first header.
  int s = 0;
  QStringList seen;
  for (qsizetype i = 0; i < lines.size(); ++i) {
    if (!IsHeader(lines[i])) continue;
    const QString name = sections[s++];
    if (lines[i] != u'[' + name + u']' || !Ascii(name) || seen.contains(name, Qt::CaseInsensitive)) continue;
    seen << name;
    CheckSection(ini, name, i);
  }
  return 0;
}

}  // namespace

CQ_FUZZ_ENTRY("skin-ini", Run)
