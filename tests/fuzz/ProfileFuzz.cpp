// setup.ini read and write. The input: the file's bytes, then up to three
// writes of a section, a key and a value, all separated by NUL bytes (names
// and values are code-page bytes). Reading must find names without regard to
// case and blanks and keep values within their byte cut; a write must read
// back as written (trimmed and cut), leave every other key as it was, and
// change nothing when it is repeated.
#include <QFile>

#include <utility>
#include <vector>

#include "platform/Gbk.h"
#include "platform/Profile.h"
#include "tests/fuzz/FuzzTarget.h"

namespace {

using fuzz::Show;

struct Name {
  QString section, key;
};

// The file lives in memory: a write replaces the file and syncs it to disk.
const QString& ScratchFile() {
  static const QString file = fuzz::ScratchDir() + QStringLiteral("/setup.ini");
  return file;
}

QByteArray ReadBack(const QString& file) {
  QFile f(file);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The section and key names the file's lines seem to hold, at most `max`.
std::vector<Name> NamesIn(const QByteArray& bytes, size_t max) {
  std::vector<Name> names;
  QString section;
  for (const QByteArray& raw : bytes.split('\n')) {
    const QByteArray line = raw.trimmed();
    if (line.startsWith('[') && line.contains(']')) {
      section = platform::FromGbk(line.mid(1, line.indexOf(']') - 1));
    } else if (line.contains('=') && names.size() < max) {
      names.push_back({section, platform::FromGbk(line.left(line.indexOf('=')))});
    }
  }
  return names;
}

QString Folded(const QString& name) { return name.trimmed().toCaseFolded(); }

bool SameName(const Name& a, const Name& b) {
  return Folded(a.section) == Folded(b.section) && Folded(a.key) == Folded(b.key);
}

// The name with its ASCII letters in the other case and blanks around it.
QString OtherCase(const QString& name) {
  QString out = name;
  for (QChar& c : out)
    if (c.unicode() < 0x80 && c.isLetter()) c = c.isUpper() ? c.toLower() : c.toUpper();
  return QStringLiteral("  ") + out + QStringLiteral(" ");
}

const QString kMissing = QStringLiteral("\x01missing");

std::vector<QString> ReadAll(const QString& file, const std::vector<Name>& names) {
  const platform::ProfileSnapshot snapshot(file);
  std::vector<QString> values;
  for (const Name& n : names) {
    const QString v = snapshot.Read(n.section, n.key, kMissing);
    CQ_FUZZ_CHECK_SAYING(v == kMissing || platform::ToGbk(v).size() <= platform::kProfileValueMax,
                         Show(n.section) << " " << Show(n.key) << " = " << Show(v));
    values.push_back(v);
  }
  // Names match without regard to the case of their letters and the blanks around them.
  for (size_t i = names.size(); i-- > 0;) {
    const QString other = snapshot.Read(OtherCase(names[i].section), OtherCase(names[i].key), kMissing);
    CQ_FUZZ_CHECK_SAYING(other == values[i], Show(names[i].section) << " " << Show(names[i].key) << " = "
                                                                     << Show(values[i]) << " but " << Show(other));
  }
  return values;
}

bool Plain(const QString& s) {
  return s == s.trimmed() && !s.contains(u'\r') && !s.contains(u'\n') && !s.contains(QChar(0xFFFD));
}

// What a write of these names and value can express: a line of its own, a
// section header the section's name, a key line the key's.
bool Writable(const Name& n, const QString& value) {
  return Plain(n.section) && !n.section.contains(u']') && Plain(n.key) && !n.key.contains(u'=') &&
         !n.key.startsWith(u'[') && !value.contains(u'\r') && !value.contains(u'\n') && !value.contains(QChar(0xFFFD));
}

void CheckWrite(const QString& file, const Name& name, const QString& value, std::vector<Name> names) {
  const std::vector<QString> before = ReadAll(file, names);
  CQ_FUZZ_CHECK_SAYING(platform::WriteProfileString(file, name.section, name.key, value), Show(ReadBack(file)));
  const QByteArray written = ReadBack(file);
  const QString expected = platform::FromGbk(platform::GbkLeft(platform::ToGbk(value), platform::kProfileValueMax).trimmed());
  const QString read = platform::ReadProfileString(file, name.section, name.key, kMissing);
  CQ_FUZZ_CHECK_SAYING(read == expected, Show(name.section) << " " << Show(name.key) << " wrote " << Show(value)
                                                            << " read " << Show(read) << " from " << Show(written));
  const std::vector<QString> after = ReadAll(file, names);
  for (size_t i = 0; i < names.size(); ++i)
    CQ_FUZZ_CHECK_SAYING(SameName(names[i], name) || after[i] == before[i],
                         "writing " << Show(name.section) << " " << Show(name.key) << " changed " << Show(names[i].section)
                                    << " " << Show(names[i].key) << " from " << Show(before[i]) << " to "
                                    << Show(after[i]) << " in " << Show(written));
  CQ_FUZZ_CHECK(platform::WriteProfileString(file, name.section, name.key, value));
  CQ_FUZZ_CHECK_SAYING(ReadBack(file) == written, "the same write again changed " << Show(written) << " into "
                                                                                  << Show(ReadBack(file)));
}

int Run(const std::uint8_t* data, std::size_t size) {
  constexpr int kWrites = 3;
  const QList<QByteArray> parts = fuzz::Split(data, size, '\0', 1 + 3 * kWrites);
  const QString& file = ScratchFile();
  {
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
    f.write(parts[0]);
  }
  std::vector<Name> names = NamesIn(parts[0], 8);
  std::vector<std::pair<Name, QString>> writes;
  for (qsizetype i = 1; i + 1 < parts.size(); i += 3) {
    const Name n{platform::FromGbk(parts[i]), platform::FromGbk(parts[i + 1])};
    writes.push_back({n, i + 2 < parts.size() ? platform::FromGbk(parts[i + 2]) : QString()});
    names.push_back(n);
  }
  ReadAll(file, names);
  for (const auto& [name, value] : writes)
    if (Writable(name, value)) CheckWrite(file, name, value, names);
  return 0;
}

}  // namespace

CQ_FUZZ_ENTRY("profile", Run)
