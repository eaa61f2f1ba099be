#pragma once
// The reading of each Chinese character of a text, with tone marks. Phrases
// decide first, the longest in the line before shorter ones (and of two as
// long the one further left); the readings of classical verse of our own come
// before the dataset's phrases of the same length; a character no phrase
// covers takes its verse reading or its most common one. A line is what lies
// between two marks or breaks: phrases never reach across them, and the metre
// and the rhyme are judged within it.
#include <QList>
#include <QString>
#include <QStringList>

#include "app/study/PinyinTable.h"

namespace study {

// One reading for each code point of the text: empty for a character the
// table does not know (those outside the basic plane among them), a mark, a
// letter or a break.
QStringList ReadingsOf(QStringView text, const PinyinTable& table = PinyinTable::Shipped());

struct AnnotatedChar {
  QString text;    // one code point as shown
  QString pinyin;  // its reading, empty when none
  bool operator==(const AnnotatedChar&) const = default;
};

// The shown text's characters, each with the reading of the stored text's
// character at the same place: the traditional characters of the pane read
// as the simplified text they were converted from. Where the two do not have
// as many code points, the shown text is read by itself.
QList<AnnotatedChar> Annotate(const QString& shown, const QString& stored,
                              const PinyinTable& table = PinyinTable::Shipped());

}  // namespace study
