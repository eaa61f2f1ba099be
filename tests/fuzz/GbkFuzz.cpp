// GB18030 conversion, byte cuts and byte comparison. The input: a flag byte,
// three 16-bit cut positions (the GbkLeft limit, the GbkCopy start and count),
// then a payload read both as code-page bytes and as UTF-16 text (any units,
// lone surrogates too). With the flag's low bit the text is repeated to 4096
// units and more, the length from which the conversion goes through its table.
#include <QStringView>

#include <iconv.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/Gbk.h"
#include "tests/fuzz/FuzzTarget.h"

namespace {

using fuzz::Show;

constexpr qsizetype kTableLength = 4096;

int Sign(int v) { return (v > 0) - (v < 0); }

// Whether the C library's code page has bytes for the character, asked of it
// one character at a time. It has for all but 24 private-use characters
// (U+E78D..., whose codes of old now stand for standard characters).
bool Mapped(char32_t c) {
  static std::vector<signed char> known(0x110000, -1);
  if (c < 0x80) return true;
  signed char& k = known[c];
  if (k < 0) {
    static const iconv_t cd = iconv_open("GB18030", "UTF-32LE");
    char out[8];
    char* in = reinterpret_cast<char*>(&c);
    char* o = out;
    size_t inLeft = sizeof c, outLeft = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    k = iconv(cd, &in, &inLeft, &o, &outLeft) != static_cast<size_t>(-1);
  }
  return k;
}

// The text's characters as the converter takes them: a surrogate pair is one
// character; a lone surrogate, U+FFFD and a character without bytes in the
// code page are written as '?'.
std::vector<char32_t> Characters(const QString& text) {
  std::vector<char32_t> out;
  out.reserve(static_cast<size_t>(text.size()));
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    char32_t u = c.unicode();
    if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) u = QChar::surrogateToUcs4(c, text[++i]);
    else if (c.isSurrogate()) u = U'?';
    out.push_back(u == 0xFFFD || !Mapped(u) ? U'?' : u);
  }
  return out;
}

// The characters [from, to) as text (not through a UTF-32 decoder, which
// would take a leading U+FEFF for a byte order mark).
QString Text(const std::vector<char32_t>& chars, size_t from, size_t to) {
  QString out;
  out.reserve(static_cast<qsizetype>(to - from) * 2);
  for (size_t i = from; i < to; ++i) {
    const char32_t c = chars[i];
    if (QChar::requiresSurrogates(c)) {
      out.append(QChar(QChar::highSurrogate(c)));
      out.append(QChar(QChar::lowSurrogate(c)));
    } else {
      out.append(QChar(static_cast<char16_t>(c)));
    }
  }
  return out;
}

// Where the characters of the bytes begin, by the width of each lead byte,
// and the end of the last one that is whole.
QList<qsizetype> Boundaries(const QByteArray& bytes) {
  QList<qsizetype> at{0};
  while (at.last() < bytes.size()) {
    const qsizetype next = at.last() + platform::GbkCharWidth(bytes, at.last());
    if (next > bytes.size()) break;
    at << next;
  }
  return at;
}

// A cut of at most `max` bytes is a prefix ending where a character ends, and
// the longest such.
void CheckLeft(const QByteArray& bytes, int max) {
  const QByteArray left = platform::GbkLeft(bytes, max);
  CQ_FUZZ_CHECK_SAYING(bytes.startsWith(left), Show(bytes) << " max " << max);
  if (max <= 0) {
    CQ_FUZZ_CHECK(left.isEmpty());
    return;
  }
  if (bytes.size() <= max) {
    CQ_FUZZ_CHECK(left == bytes);
    return;
  }
  const QList<qsizetype> at = Boundaries(bytes);
  const qsizetype i = at.indexOf(left.size());
  CQ_FUZZ_CHECK_SAYING(left.size() <= max && i >= 0, Show(bytes) << " max " << max << " cut " << left.size());
  CQ_FUZZ_CHECK_SAYING(i + 1 == at.size() || at[i + 1] > max, Show(bytes) << " max " << max << " cut " << left.size());
}

// The text converts, and converts back to itself (lone surrogates and U+FFFD
// as '?'), one character per width the lead bytes give.
void CheckText(const QString& text, int max, int start, int count) {
  const std::vector<char32_t> chars = Characters(text);
  const qsizetype n = static_cast<qsizetype>(chars.size());
  const QByteArray bytes = platform::ToGbk(text);
  CQ_FUZZ_CHECK_SAYING(platform::FromGbk(bytes) == Text(chars, 0, chars.size()), Show(text) << " -> " << Show(bytes));
  const QList<qsizetype> at = Boundaries(bytes);
  CQ_FUZZ_CHECK_SAYING(at.size() == n + 1 && at.last() == bytes.size(), Show(text) << " -> " << Show(bytes));
  for (qsizetype i = 0; i < n; ++i) {
    const qsizetype width = at[i + 1] - at[i];
    const char32_t c = chars[static_cast<size_t>(i)];
    CQ_FUZZ_CHECK_SAYING(c < 0x80 ? width == 1 : (width == 2 || width == 4) && (c < 0x10000 || width == 4),
                         Show(Text(chars, i, i + 1)) << " takes " << width << " bytes");
  }
  CheckLeft(bytes, max);

  // The copy holds exactly the characters whose bytes lie wholly in the window.
  const qsizetype from = std::max(start, 1) - 1;
  const qsizetype to = from + count;
  std::vector<char32_t> inside;
  for (qsizetype i = 0; i < n && count > 0; ++i)
    if (at[i] >= from && at[i + 1] <= to) inside.push_back(chars[static_cast<size_t>(i)]);
  const QString expected = Text(inside, 0, inside.size());
  const QString copy = platform::GbkCopy(text, start, count);
  CQ_FUZZ_CHECK_SAYING(copy == expected, Show(text) << " from " << start << " count " << count << " gave " << Show(copy)
                                                    << " expected " << Show(expected));

  // Comparison: the order of the bytes, antisymmetric, and a prefix comes first.
  qsizetype half = 0;
  for (qsizetype i = 0; i < n / 2; ++i) half += chars[static_cast<size_t>(i)] >= 0x10000 ? 2 : 1;
  const QString a = text.left(half), b = text.mid(half);
  const int ab = platform::GbkCompare(a, b);
  CQ_FUZZ_CHECK_SAYING(Sign(ab) == -Sign(platform::GbkCompare(b, a)), Show(a) << " " << Show(b));
  CQ_FUZZ_CHECK_SAYING((ab == 0) == (platform::ToGbk(a) == platform::ToGbk(b)), Show(a) << " " << Show(b));
  CQ_FUZZ_CHECK_SAYING(platform::GbkCompare(a, text) <= 0 && platform::GbkCompare(text, text) == 0, Show(text));
}

// Arbitrary bytes decode to well-formed text; where they are the bytes of
// that text, a cut on whole characters decodes to a beginning of it.
void CheckBytes(const QByteArray& bytes, int max) {
  CheckLeft(bytes, max);
  const QString text = platform::FromGbk(bytes);
  CQ_FUZZ_CHECK_SAYING(text.isValidUtf16(), Show(bytes));
  const QByteArray whole = bytes.left(Boundaries(bytes).last());
  if (platform::ToGbk(text) != whole) return;
  const QString left = platform::FromGbk(platform::GbkLeft(whole, max));
  CQ_FUZZ_CHECK_SAYING(text.startsWith(left), Show(bytes) << " max " << max << " gave " << Show(left));
}

// Long texts go through the table, short ones through the converter: both
// give the same bytes, as the code page converts each character alike.
void CheckLongText(const QString& text) {
  if (text.isEmpty()) return;
  const bool pairAcross = text.back().isHighSurrogate() && text.front().isLowSurrogate();
  if (pairAcross) return;
  const qsizetype times = kTableLength / text.size() + 1;
  const QString longText = text.repeated(times);
  CQ_FUZZ_CHECK_SAYING(platform::ToGbk(longText) == platform::ToGbk(text).repeated(times), Show(text) << " x " << times);
}

int Word(const std::uint8_t* p) { return p[0] | p[1] << 8; }

int Run(const std::uint8_t* data, std::size_t size) {
  constexpr std::size_t kHeader = 7;
  if (size < kHeader) return 0;
  const QByteArray payload(reinterpret_cast<const char*>(data + kHeader), static_cast<qsizetype>(size - kHeader));
  QString text(payload.size() / 2, Qt::Uninitialized);
  std::memcpy(text.data(), payload.constData(), static_cast<size_t>(text.size()) * 2);
  // Cut positions from just before the start to just past the end of the text's bytes.
  const int span = static_cast<int>(payload.size()) * 2 + 4;
  const int max = Word(data + 1) % span - 2, start = Word(data + 3) % span - 2, count = Word(data + 5) % span - 2;
  CheckBytes(payload, max);
  CheckText(text, max, start, count);
  if (data[0] & 1) CheckLongText(text);
  return 0;
}

}  // namespace

CQ_FUZZ_ENTRY("gbk", Run)
