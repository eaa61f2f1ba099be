#pragma once
// The lines of a poem for 飞花令: a line ends with 。！？ or ；, together with
// the marks and closing quotes right after (。” or ！？), or at a line break.
// A line's places count only its Chinese characters: the first is place 1,
// marks, letters and blanks take none, a character outside the basic plane
// takes one.
#include <QList>
#include <QString>
#include <QStringView>

namespace study {

struct VerseLine {
  qsizetype start = 0;   // UTF-16 position in the text
  qsizetype length = 0;  // blanks around left out, the closing marks kept
  bool operator==(const VerseLine&) const = default;
};

// The lines of a text that hold anything but blanks, in order.
QList<VerseLine> SplitVerseLines(QStringView text);

// Whether the line holds the keyword (Latin letters without regard to case);
// with a place (1 and up) only where the keyword's first character is a
// Chinese character at that place. Place 0: anywhere.
bool LineHolds(QStringView line, QStringView keyword, int place);

}  // namespace study
