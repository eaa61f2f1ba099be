#include "platform/Gbk.h"

#include <QList>

#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace platform {
namespace {

// iconv-based conversion; unconvertible input is replaced, never aborts.
QByteArray Convert(const char* to, const char* from, const QByteArray& in, const QByteArray& replacement,
                   int unitSize) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return {};
  QByteArray out;
  out.reserve(in.size() * 2 + 8);
  std::vector<char> buf(4096);
  char* inPtr = const_cast<char*>(in.constData());
  size_t inLeft = static_cast<size_t>(in.size());
  while (inLeft > 0) {
    char* outPtr = buf.data();
    size_t outLeft = buf.size();
    size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    out.append(buf.data(), static_cast<qsizetype>(buf.size() - outLeft));
    if (r == static_cast<size_t>(-1)) {
      if (errno == E2BIG) continue;
      // EILSEQ or EINVAL: replace one input unit and go on.
      out.append(replacement);
      size_t skip = std::min<size_t>(static_cast<size_t>(unitSize), inLeft);
      inPtr += skip;
      inLeft -= skip;
    }
  }
  iconv_close(cd);
  return out;
}

bool IsLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

}  // namespace

QByteArray ToGbk(const QString& text) {
  if (text.isEmpty()) return {};
  QByteArray utf32;
  const QList<uint> ucs4 = text.toUcs4();
  utf32.resize(ucs4.size() * 4);
  std::memcpy(utf32.data(), ucs4.constData(), static_cast<size_t>(utf32.size()));
  return Convert("GBK", "UTF-32LE", utf32, "?", 4);
}

QString FromGbk(const QByteArray& bytes) {
  if (bytes.isEmpty()) return {};
  // Drop a lead byte left alone at the end (a cut in the middle of a character).
  QByteArray in = bytes;
  int i = 0;
  while (i < in.size()) {
    if (IsLeadByte(static_cast<unsigned char>(in[i]))) {
      if (i + 1 >= in.size()) {
        in.chop(1);
        break;
      }
      i += 2;
    } else {
      ++i;
    }
  }
  return QString::fromUtf8(Convert("UTF-8", "GBK", in, "\xEF\xBF\xBD", 1));
}

QByteArray GbkLeft(const QByteArray& bytes, int maxBytes) {
  if (maxBytes <= 0) return {};
  if (bytes.size() <= maxBytes) return bytes;
  int i = 0;
  while (i < maxBytes) {
    int width = IsLeadByte(static_cast<unsigned char>(bytes[i])) ? 2 : 1;
    if (i + width > maxBytes) break;
    i += width;
  }
  return bytes.left(i);
}

QString GbkCopy(const QString& text, int start, int count) {
  const QByteArray bytes = ToGbk(text);
  if (start < 1) start = 1;
  if (count <= 0 || start > bytes.size()) return {};
  return FromGbk(bytes.mid(start - 1, count));
}

int GbkCompare(const QString& a, const QString& b) {
  const QByteArray x = ToGbk(a);
  const QByteArray y = ToGbk(b);
  const int n = static_cast<int>(std::min(x.size(), y.size()));
  int c = std::memcmp(x.constData(), y.constData(), static_cast<size_t>(n));
  if (c != 0) return c;
  return static_cast<int>(x.size() - y.size());
}

}  // namespace platform
