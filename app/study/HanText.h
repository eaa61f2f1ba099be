#pragma once
// Chinese characters in a text, counted by code point: a character outside
// the basic plane is one character in two UTF-16 units.
#include <QList>
#include <QString>
#include <QStringView>

namespace study {

// Whether a code point is a Chinese character: the unified ideographs with
// all their extensions, the compatibility ideographs and the ideographic zero 〇.
bool IsHan(char32_t c);

struct CodePoint {
  qsizetype at = 0;    // UTF-16 position in the text
  qsizetype size = 1;  // 2 for a surrogate pair
  char32_t value = 0;  // a lone surrogate stands as U+FFFD
};

QList<CodePoint> CodePoints(QStringView text);

}  // namespace study
