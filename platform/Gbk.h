#pragma once
// GBK text at the program's edges: the settings file, byte positions, byte
// comparisons and byte cuts are all counted in GBK bytes.
#include <QByteArray>
#include <QString>

namespace platform {

// Converts to GBK. Characters GBK cannot hold become '?'.
QByteArray ToGbk(const QString& text);
// Converts GBK bytes to text. A broken trailing lead byte is dropped.
QString FromGbk(const QByteArray& bytes);
// The first `maxBytes` bytes of GBK text, never splitting a double-byte character.
QByteArray GbkLeft(const QByteArray& bytes, int maxBytes);
// The substring of the text's GBK bytes from 1-based byte `start`, at most `count` bytes.
QString GbkCopy(const QString& text, int start, int count);
// Compares the GBK bytes of two texts as unsigned bytes: <0, 0 or >0.
int GbkCompare(const QString& a, const QString& b);

}  // namespace platform
