#pragma once
// The readings of Chinese characters and phrases, with tone marks, from the
// table in resources/pinyin (made by tools/pinyin/make_table.py from its
// dataset). Characters of the basic plane only; a character has its most
// common reading, a phrase the reading of each of its characters.
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

namespace study {

class PinyinTable {
 public:
  // Reads the table's text; raises toolkit::Exception naming the first line
  // it cannot read.
  static PinyinTable Parse(const QByteArray& utf8);
  // The table built into the program, read once on first use.
  static const PinyinTable& Shipped();

  // The character's reading, empty when the table has none.
  QString Reading(char32_t c) const;
  // The readings of a phrase's characters, or null when the table has no such phrase.
  const QStringList* Phrase(QStringView phrase) const;
  int LongestPhrase() const { return longest_; }
  int CharacterCount() const { return characters_; }
  int PhraseCount() const { return static_cast<int>(phrases_.size()); }

 private:
  QStringList syllables_;
  std::vector<quint16> byChar_;  // syllable index + 1 for each code point of the basic plane, 0: none
  QHash<QString, QStringList> phrases_;
  int longest_ = 0;
  int characters_ = 0;
};

}  // namespace study
