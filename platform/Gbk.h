#pragma once
// Text at the program's edges: the settings file, byte positions, byte
// comparisons and byte cuts are counted in the bytes of the GB18030 code page.
// GB18030 gives every GBK character the same one or two bytes as GBK does, so
// for GBK text every position, comparison and cut is exactly the GBK one; every
// other character takes four bytes (lead, digit, lead, digit) and is kept whole.
#include <QByteArray>
#include <QString>

namespace platform {

// Converts to GB18030 bytes. A lone surrogate becomes '?', and so do the 24
// private-use characters (U+E78D...) the C library's table gives no bytes.
QByteArray ToGbk(const QString& text);
// Converts GB18030 bytes to text. An incomplete character at the end (a cut in
// its middle) is dropped; a byte that starts no character becomes U+FFFD.
QString FromGbk(const QByteArray& bytes);
// Number of bytes of the character that starts at `bytes[at]`: 1, 2 or 4. A
// character cut off by the end of the bytes still counts its full width.
int GbkCharWidth(const QByteArray& bytes, qsizetype at);
// The first `maxBytes` bytes of the text, never splitting a character.
QByteArray GbkLeft(const QByteArray& bytes, int maxBytes);
// The characters of the text that lie wholly within its bytes from 1-based
// byte `start`, at most `count` bytes; a character cut by either end is left out.
QString GbkCopy(const QString& text, int start, int count);
// Compares the bytes of two texts as unsigned bytes: <0, 0 or >0.
int GbkCompare(const QString& a, const QString& b);

}  // namespace platform
