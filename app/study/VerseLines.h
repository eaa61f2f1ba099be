#pragma once
// The lines of a poem for 飞花令: a line ends with 。！？ or ；, together with
// the marks and closing quotes right after (。” or ！？), or at a line break.
// A line's places count only its Chinese characters: the first is place 1,
// marks, letters and blanks take none, a character outside the basic plane
// takes one.
//
// The texts are read as the database holds them, in UTF-8: the search splits
// every candidate poem, and only the lines it keeps become QString.
#include <QByteArrayView>
#include <QList>

namespace study {

struct VerseLine {
  // Blanks around left out, the closing marks kept; in bytes of the UTF-8 text ...
  qsizetype start = 0;
  qsizetype length = 0;
  // ... and in UTF-16 units of the same text as a QString.
  qsizetype start16 = 0;
  qsizetype length16 = 0;
  bool operator==(const VerseLine&) const = default;
};

// Reads the lines that hold anything but blanks, in order.
class VerseLineReader {
 public:
  explicit VerseLineReader(QByteArrayView utf8) : text_(utf8) {}
  // The next line; false after the last.
  bool Next(VerseLine& line);

 private:
  QByteArrayView text_;
  qsizetype at_ = 0;
  qsizetype at16_ = 0;
};

QList<VerseLine> SplitVerseLines(QByteArrayView utf8);

// Whether the line holds the keyword (both UTF-8; Latin letters without
// regard to case); with a place (1 and up) only where the keyword's first
// character is a Chinese character at that place. Place 0: anywhere.
bool LineHolds(QByteArrayView line, QByteArrayView keyword, int place);
// Whether a keyword has Latin letters, which match without regard to case.
bool HasLetters(QByteArrayView keyword);

}  // namespace study
