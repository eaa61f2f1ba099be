#include "platform/Gbk.h"

#include <QList>

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

namespace platform {
namespace {

// One conversion direction, opened once per thread: opening a converter costs
// far more than converting a line, and sorting converts every row's text.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Unconvertible input is replaced (one input unit by `replacement`), never aborts.
  QByteArray Run(const char* in, size_t inLeft, const QByteArray& replacement, size_t unitSize) {
    if (!ok()) return {};
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
    QByteArray out;
    out.reserve(static_cast<qsizetype>(inLeft) * 2 + 8);
    char buf[4096];
    char* inPtr = const_cast<char*>(in);
    while (inLeft > 0) {
      char* outPtr = buf;
      size_t outLeft = sizeof buf;
      const size_t r = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
      out.append(buf, static_cast<qsizetype>(sizeof buf - outLeft));
      if (r == static_cast<size_t>(-1) && errno != E2BIG) {
        // EILSEQ or EINVAL: replace one input unit and go on.
        out.append(replacement);
        const size_t skip = std::min(unitSize, inLeft);
        inPtr += skip;
        inLeft -= skip;
      }
    }
    return out;
  }

 private:
  iconv_t cd_;
};

Converter& Encoder() {
  thread_local Converter c("GB18030", "UTF-32LE");
  return c;
}

Converter& Decoder() {
  thread_local Converter c("UTF-16LE", "GB18030");
  return c;
}

bool IsLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }
bool IsDigitByte(unsigned char c) { return c >= 0x30 && c <= 0x39; }

// The GB18030 bytes of every character of the Basic Multilingual Plane, made
// once by the converter itself from all of them in one run (the code page is
// stateless, so a character converts alike alone and within a text). Long
// texts are converted through it: a sort converts tens of thousands of rows,
// and the converter's per-character work is most of a sort's key building.
class BmpTable {
  static bool IsSurrogate(uint u) { return u >= 0xD800 && u <= 0xDFFF; }

 public:
  BmpTable() {
    std::vector<uint> all;
    all.reserve(0x10000);
    for (uint u = 0; u < 0x10000; ++u)
      if (!IsSurrogate(u)) all.push_back(u == 0xFFFD ? '?' : u);  // U+FFFD is written as '?'
    const QByteArray out = Encoder().Run(reinterpret_cast<const char*>(all.data()), all.size() * 4, "?", 4);
    qsizetype at = 0;
    for (uint u = 0; u < 0x10000; ++u) {
      if (IsSurrogate(u)) continue;
      if (at >= out.size()) return;  // fewer characters came out than went in: not used
      const int width = GbkCharWidth(out, at);
      if (at + width > out.size()) return;
      quint32 code = 0;
      for (int i = 0; i < width; ++i) code = (code << 8) | static_cast<unsigned char>(out[at + i]);
      codes_[u] = code;
      widths_[u] = static_cast<unsigned char>(width);
      at += width;
    }
    ok_ = at == out.size();
  }
  bool Ok() const { return ok_; }
  // Appends the bytes of a text. A character beyond the plane (a surrogate
  // pair) goes through the converter alone; a lone surrogate is written as '?'.
  void Append(QStringView text, QByteArray& out) const {
    const qsizetype start = out.size();
    out.resize(start + text.size() * 4);
    char* q = out.data() + start;
    for (qsizetype i = 0; i < text.size(); ++i) {
      const char16_t c = text[i].unicode();
      if (IsSurrogate(c)) {
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
          const uint u = QChar::surrogateToUcs4(c, text[i + 1].unicode());
          const QByteArray own = Encoder().Run(reinterpret_cast<const char*>(&u), 4, "?", 4);
          q = std::copy(own.begin(), own.end(), q);  // at most 4 bytes for the 2 units
          ++i;
        } else {
          *q++ = '?';
        }
        continue;
      }
      const quint32 code = codes_[c];
      switch (widths_[c]) {
        case 4: *q++ = static_cast<char>(code >> 24); *q++ = static_cast<char>(code >> 16); [[fallthrough]];
        case 2: *q++ = static_cast<char>(code >> 8); [[fallthrough]];
        default: *q++ = static_cast<char>(code);
      }
    }
    out.resize(q - out.data());
  }

 private:
  bool ok_ = false;
  quint32 codes_[0x10000] = {};
  unsigned char widths_[0x10000] = {};
};

const BmpTable& Bmp() {
  static const BmpTable table;
  return table;
}

// Texts from this length on go through the table; shorter ones (settings,
// captions, single rows) never make the program build it.
constexpr qsizetype kTableLength = 4096;

bool IsAscii(const QString& text) {
  for (QChar c : text)
    if (c.unicode() >= 0x80) return false;
  return true;
}

}  // namespace

QByteArray ToGbk(const QString& text) {
  if (text.isEmpty()) return {};
  if (IsAscii(text)) return text.toLatin1();
  if (text.size() >= kTableLength && Bmp().Ok()) {
    QByteArray out;
    Bmp().Append(text, out);
    return out;
  }
  // toUcs4 turns a lone surrogate into U+FFFD; like GBK before, a character
  // that stands for no text is written as '?'.
  QList<uint> ucs4 = text.toUcs4();
  for (uint& u : ucs4)
    if (u == 0xFFFD) u = '?';
  return Encoder().Run(reinterpret_cast<const char*>(ucs4.constData()), static_cast<size_t>(ucs4.size()) * 4, "?", 4);
}

int GbkCharWidth(const QByteArray& bytes, qsizetype at) {
  if (!IsLeadByte(static_cast<unsigned char>(bytes[at]))) return 1;
  if (at + 1 < bytes.size() && IsDigitByte(static_cast<unsigned char>(bytes[at + 1]))) return 4;
  return 2;
}

QString FromGbk(const QByteArray& bytes) {
  if (bytes.isEmpty()) return {};
  // Drop a character left incomplete at the end (a cut in its middle).
  qsizetype end = 0;
  while (end < bytes.size()) {
    const int width = GbkCharWidth(bytes, end);
    if (end + width > bytes.size()) break;
    end += width;
  }
  const QByteArray utf16 = Decoder().Run(bytes.constData(), static_cast<size_t>(end), "\xFD\xFF", 1);
  return QString(reinterpret_cast<const QChar*>(utf16.constData()), utf16.size() / 2);
}

QByteArray GbkLeft(const QByteArray& bytes, int maxBytes) {
  if (maxBytes <= 0) return {};
  if (bytes.size() <= maxBytes) return bytes;
  qsizetype i = 0;
  while (i < maxBytes) {
    const int width = GbkCharWidth(bytes, i);
    if (i + width > maxBytes) break;
    i += width;
  }
  return bytes.left(i);
}

QString GbkCopy(const QString& text, int start, int count) {
  const QByteArray bytes = ToGbk(text);
  if (start < 1) start = 1;
  if (count <= 0 || start > bytes.size()) return {};
  const qsizetype from = start - 1;
  const qsizetype to = std::min<qsizetype>(bytes.size(), from + count);
  // Walk the characters from the beginning, so that a character's position is
  // known; keep those that start at or after `from` and end by `to`.
  qsizetype i = 0;
  while (i < from) i += GbkCharWidth(bytes, i);
  qsizetype j = i;
  while (j < to) {
    const int width = GbkCharWidth(bytes, j);
    if (j + width > to) break;
    j += width;
  }
  return j > i ? FromGbk(bytes.mid(i, j - i)) : QString();
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
