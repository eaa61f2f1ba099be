#pragma once
// LZHUF encoder: LZSS over a 4,096-byte ring (matches of 3 to 60 bytes found
// with a binary search tree) and adaptive Huffman coding, producing the bit
// stream the program's decoder reads.
#include <QByteArray>

namespace skinpack {

// The bit stream alone (no length prefix).
QByteArray LzhEncode(const QByteArray& input);
// A skin file: the input's length as a 32-bit little-endian word, then the bit stream.
QByteArray LzhEncodeFile(const QByteArray& input);

}  // namespace skinpack
