#include "app/study/PinyinTable.h"

#include <QFile>

#include "toolkit/Exception.h"

namespace study {

namespace {

[[noreturn]] void Malformed(int line) {
  throw toolkit::Exception(QStringLiteral("The pinyin table cannot be read at line %1").arg(line));
}

}  // namespace

PinyinTable PinyinTable::Parse(const QByteArray& utf8) {
  PinyinTable t;
  t.byChar_.assign(0x10000, 0);
  enum { kNone, kCharacters, kPhrases } part = kNone;
  const QList<QByteArray> lines = utf8.split('\n');
  for (int n = 0; n < lines.size(); ++n) {
    const QByteArray& raw = lines[n];
    if (raw.isEmpty() || raw.startsWith('#')) continue;
    if (raw == "[characters]") { part = kCharacters; continue; }
    if (raw == "[phrases]") { part = kPhrases; continue; }
    const QString line = QString::fromUtf8(raw);
    const qsizetype blank = line.indexOf(u' ');
    if (part == kNone || blank <= 0) Malformed(n + 1);
    if (part == kCharacters) {
      // "reading characters": the characters all lie in the basic plane.
      if (t.syllables_.size() >= 0xFFFF) Malformed(n + 1);
      t.syllables_.append(line.left(blank));
      const auto index = static_cast<quint16>(t.syllables_.size());
      for (qsizetype i = blank + 1; i < line.size(); ++i) {
        if (line[i].isSurrogate()) Malformed(n + 1);
        if (t.byChar_[line[i].unicode()] == 0) ++t.characters_;
        t.byChar_[line[i].unicode()] = index;
      }
    } else {
      // "phrase reading reading ...": one reading for each character.
      const QString phrase = line.left(blank);
      QStringList readings = line.mid(blank + 1).split(u' ');
      if (readings.size() != phrase.size()) Malformed(n + 1);
      t.longest_ = std::max(t.longest_, static_cast<int>(phrase.size()));
      t.phrases_.insert(phrase, std::move(readings));
    }
  }
  return t;
}

const PinyinTable& PinyinTable::Shipped() {
  static const PinyinTable table = [] {
    QFile file(QStringLiteral(":/pinyin/pinyin-table.txt"));
    if (!file.open(QIODevice::ReadOnly)) throw toolkit::Exception(QStringLiteral("The pinyin table is missing"));
    return Parse(file.readAll());
  }();
  return table;
}

QString PinyinTable::Reading(char32_t c) const {
  if (c >= byChar_.size() || byChar_[c] == 0) return QString();
  return syllables_[byChar_[c] - 1];
}

const QStringList* PinyinTable::Phrase(QStringView phrase) const {
  const auto it = phrases_.constFind(QString::fromRawData(phrase.data(), phrase.size()));
  return it == phrases_.cend() ? nullptr : &it.value();
}

}  // namespace study
