#include "skin/core/QuickIni.h"

#include "platform/Gbk.h"
#include "platform/IntText.h"
#include "skin/core/SkinReader.h"

namespace skin {

namespace {

bool IsHeader(const QString& line) { return line.startsWith(u'[') && line.endsWith(u']'); }

// Headers compare with letter case folded one character at a time, as a
// case-insensitive comparison does; the folded text is their index key.
QString FoldedHeader(const QString& header) {
  QString folded;
  folded.reserve(header.size());
  for (qsizetype i = 0; i < header.size(); ++i) {
    const QChar c = header[i];
    if (c.isHighSurrogate() && i + 1 < header.size() && header[i + 1].isLowSurrogate()) {
      const char32_t f = QChar::toCaseFolded(QChar::surrogateToUcs4(c, header[i + 1]));
      folded.append(QString::fromUcs4(&f, 1));
      ++i;
    } else {
      folded.append(c.toCaseFolded());
    }
  }
  return folded;
}

// The key of a line: the text before its first "=", trimmed and lower-cased;
// empty when the line has no "=".
QString LineKey(const QString& line) {
  const qsizetype eq = line.indexOf(u'=');
  return eq < 0 ? QString() : TrimText(line.left(eq)).toLower();
}

// Lines of plain ASCII (nearly every line of a skin) need no code-page converter.
QString LineText(const QByteArray& raw) {
  for (const char c : raw)
    if (static_cast<unsigned char>(c) >= 0x80) return platform::FromGbk(raw);
  return QString::fromLatin1(raw);
}

}  // namespace

QString TrimText(const QString& text) {
  qsizetype start = 0, end = text.size();
  while (start < end && text[start].unicode() <= u' ') ++start;
  while (end > start && text[end - 1].unicode() <= u' ') --end;
  return text.mid(start, end - start);
}

void TQuickIni::IndexKey(QHash<QString, int>& keys, int line) {
  const QString key = LineKey(lines_[line]);
  if (!keys.contains(key)) keys.insert(key, line);
}

void TQuickIni::LoadFromStream(const QByteArray& bytes, qsizetype pos) {
  lines_.clear();
  sections_.clear();
  keys_.clear();
  QByteArray text = bytes.mid(std::max<qsizetype>(pos, 0));
  const qsizetype nul = text.indexOf('\0');
  if (nul >= 0) text.truncate(nul);
  // The keys of the section being read; none before the first header and in
  // a repeated section (its keys are never seen).
  QHash<QString, int>* keys = nullptr;
  for (const QByteArray& raw : SplitLines(text)) {
    if (raw.isEmpty()) continue;
    const QString line = TrimText(LineText(raw));
    if (line.isEmpty() || line.startsWith(u';')) continue;
    lines_.append(line);
    const int at = static_cast<int>(lines_.size() - 1);
    if (IsHeader(line)) {
      sections_.append({line, at});
      const QString folded = FoldedHeader(line);
      keys = keys_.contains(folded) ? nullptr : &keys_[folded];
    } else if (keys) {
      IndexKey(*keys, at);
    }
  }
}

const QHash<QString, int>* TQuickIni::FindKeys(const QString& section) const {
  const auto it = keys_.constFind(FoldedHeader(u'[' + section + u']'));
  return it == keys_.cend() ? nullptr : &*it;
}

bool TQuickIni::SectionExists(const QString& section) const { return FindKeys(section) != nullptr; }

QString TQuickIni::ReadString(const QString& section, const QString& key, const QString& defaultValue) const {
  const QHash<QString, int>* keys = FindKeys(section);
  if (!keys) return defaultValue;
  const auto it = keys->constFind(key.toLower());
  if (it == keys->cend()) return defaultValue;
  // Only the first line of a key counts; an empty value there keeps the default.
  const QString& line = lines_[*it];
  const QString value = TrimText(line.mid(line.indexOf(u'=') + 1));
  return value.isEmpty() ? defaultValue : value;
}

int TQuickIni::ReadInteger(const QString& section, const QString& key, int defaultValue) const {
  QString value = ReadString(section, key, QString());
  if (value.size() > 2 && (value.startsWith(QStringLiteral("0x")) || value.startsWith(QStringLiteral("0X"))))
    value.replace(0, 2, QStringLiteral("$"));
  if (value.isEmpty()) return defaultValue;
  const auto number = platform::TryDollarHexToInt(value);
  return number ? *number : defaultValue;
}

void TQuickIni::ReadSections(QStringList& list) const {
  list.clear();
  for (const SectionRef& ref : sections_) {
    const QString trimmed = TrimText(ref.header);
    list.append(TrimText(trimmed.mid(1, trimmed.size() - 2)));
  }
}

}  // namespace skin
