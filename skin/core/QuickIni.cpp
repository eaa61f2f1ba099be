#include "skin/core/QuickIni.h"

#include "platform/Gbk.h"
#include "platform/IntText.h"
#include "skin/core/SkinReader.h"

namespace skin {

QString TrimText(const QString& text) {
  qsizetype start = 0, end = text.size();
  while (start < end && text[start].unicode() <= u' ') ++start;
  while (end > start && text[end - 1].unicode() <= u' ') --end;
  return text.mid(start, end - start);
}

void TQuickIni::LoadFromStream(const QByteArray& bytes, qsizetype pos) {
  lines_.clear();
  sections_.clear();
  QByteArray text = bytes.mid(std::max<qsizetype>(pos, 0));
  const qsizetype nul = text.indexOf('\0');
  if (nul >= 0) text.truncate(nul);
  for (const QByteArray& raw : SplitLines(text)) {
    if (raw.isEmpty()) continue;
    const QString line = TrimText(platform::FromGbk(raw));
    if (line.isEmpty() || line.startsWith(u';')) continue;
    lines_.append(line);
    if (line.startsWith(u'[') && line.endsWith(u']'))
      sections_.append({line, static_cast<int>(lines_.size() - 1)});
  }
}

int TQuickIni::FindSection(const QString& section) const {
  const QString header = u'[' + section + u']';
  for (const SectionRef& ref : sections_)
    if (ref.header.compare(header, Qt::CaseInsensitive) == 0) return ref.line;
  return -1;
}

bool TQuickIni::SectionExists(const QString& section) const { return FindSection(section) >= 0; }

QString TQuickIni::ReadString(const QString& section, const QString& key, const QString& defaultValue) const {
  const int header = FindSection(section);
  if (header < 0) return defaultValue;
  const QString wanted = key.toLower();
  for (int i = header + 1; i < lines_.size(); ++i) {
    const QString& line = lines_[i];
    if (line.startsWith(u'[') && line.endsWith(u']')) break;
    const qsizetype eq = line.indexOf(u'=');
    const QString lineKey = eq < 0 ? QString() : TrimText(line.left(eq)).toLower();
    if (lineKey != wanted) continue;
    const QString value = TrimText(line.mid(eq + 1));
    return value.isEmpty() ? defaultValue : value;
  }
  return defaultValue;
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
