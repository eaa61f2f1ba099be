// The skin INI. The input is the INI's bytes (GBK text). Every kept line is
// trimmed, not empty and no comment; the sections are the bracketed lines in
// order; and every key of a section reads as a plain scan of the lines finds
// it: the first section of the name (letter case ignored), the first line of
// the key in it, its trimmed value or the default when that is empty, and the
// same value whatever the letter case of the key.
#include <QSet>

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

// Every value as a scan of the lines from the top finds it, in one pass:
// case-folded header -> lower-cased key -> the value of its first line, for
// the first section of each header only.
using Values = QHash<QString, QHash<QString, QString>>;
Values ScanValues(const QStringList& lines) {
  Values values;
  QHash<QString, QString>* section = nullptr;
  for (const QString& line : lines) {
    if (IsHeader(line)) {
      const QString folded = line.toCaseFolded();
      section = values.contains(folded) ? nullptr : &values[folded];
    } else if (section && !section->contains(LineKey(line))) {
      section->insert(LineKey(line), skin::TrimText(line.mid(line.indexOf(u'=') + 1)));
    }
  }
  return values;
}

bool Ascii(const QString& s) {
  for (const QChar c : s)
    if (c.unicode() >= 0x80) return false;
  return true;
}

void CheckSection(const skin::TQuickIni& ini, const Values& scanned, const QString& name, qsizetype at) {
  const QStringList& lines = ini.Lines();
  CQ_FUZZ_CHECK_SAYING(ini.SectionExists(name) && ini.SectionExists(name.toUpper()), Show(name));
  const QHash<QString, QString> keys = scanned.value((u'[' + name + u']').toCaseFolded());
  const QString def = QStringLiteral("-");
  for (qsizetype i = at + 1; i < lines.size() && !IsHeader(lines[i]); ++i) {
    const qsizetype eq = lines[i].indexOf(u'=');
    const QString key = eq < 0 ? QString() : skin::TrimText(lines[i].left(eq));
    // Keys compare by lower case: a key whose letters fold otherwise is looked up as written only.
    if (!Ascii(key)) continue;
    const QString value = ini.ReadString(name, key, def);
    const QString want = keys.value(key.toLower());
    CQ_FUZZ_CHECK_SAYING(value == (want.isEmpty() ? def : want), Show(name) << " " << Show(key) << " = " << Show(value));
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
  const Values scanned = ScanValues(lines);
  int s = 0;
  QSet<QString> seen;
  for (qsizetype i = 0; i < lines.size(); ++i) {
    if (!IsHeader(lines[i])) continue;
    const QString name = sections[s++];
    if (lines[i] != u'[' + name + u']' || !Ascii(name) || seen.contains(name.toLower())) continue;
    seen.insert(name.toLower());
    CheckSection(ini, scanned, name, i);
  }
  return 0;
}

}  // namespace

CQ_FUZZ_ENTRY("skin-ini", Run)
