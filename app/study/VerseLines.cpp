#include "app/study/VerseLines.h"

#include <algorithm>
#include <cstring>

#include "app/study/HanText.h"

namespace study {

namespace {

// The code point at i and its length in bytes; a malformed byte stands as U+FFFD.
char32_t DecodeAt(QByteArrayView s, qsizetype i, int& size) {
  const auto b = static_cast<unsigned char>(s[i]);
  size = 1;
  if (b < 0x80) return b;
  const int n = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 0;
  if (n == 0 || i + n > s.size()) return 0xFFFD;
  char32_t c = b & (0x7F >> n);
  for (int k = 1; k < n; ++k) {
    const auto t = static_cast<unsigned char>(s[i + k]);
    if ((t & 0xC0) != 0x80) return 0xFFFD;
    c = (c << 6) | (t & 0x3F);
  }
  size = n;
  return c;
}

bool EndsLine(char32_t c) { return c == U'。' || c == U'！' || c == U'？' || c == U'；'; }

bool Break(char32_t c) { return c == U'\n' || c == U'\r'; }

// What may follow a line's end mark and still belongs to the line.
bool Trailing(char32_t c) {
  return EndsLine(c) || c == U'”' || c == U'’' || c == U'」' || c == U'』' || c == U'）' || c == U'》' || c == U'〉';
}

bool Blank(char32_t c) { return c == U' ' || c == U'\t' || c == U'\u3000'; }

char Folded(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool MatchesAt(QByteArrayView line, qsizetype at, QByteArrayView keyword) {
  if (at + keyword.size() > line.size()) return false;
  for (qsizetype k = 0; k < keyword.size(); ++k)
    if (Folded(line[at + k]) != Folded(keyword[k])) return false;
  return true;
}

}  // namespace

bool VerseLineReader::Next(VerseLine& line) {
  while (at_ < text_.size()) {
    // A line: up to its end mark with what trails it, or up to a break.
    VerseLine l{at_, 0, at16_, 0};
    qsizetype end = at_, end16 = at16_, lastFilled = at_, lastFilled16 = at16_;
    bool ended = false, leading = true;
    while (end < text_.size()) {
      // Most of a poem is Chinese characters of three bytes led by E4 to E9,
      // none of them a mark or a blank.
      const auto lead = static_cast<unsigned char>(text_[end]);
      if (lead >= 0xE4 && lead <= 0xE9 && !ended && end + 3 <= text_.size()) {
        end += 3, end16 += 1;
        lastFilled = end, lastFilled16 = end16, leading = false;
        continue;
      }
      int size;
      const char32_t c = DecodeAt(text_, end, size);
      if (Break(c) || (ended && !Trailing(c))) break;
      ended = ended || EndsLine(c);
      if (leading && Blank(c)) l.start = end + size, l.start16 = end16 + 1;
      else leading = false;
      end += size, end16 += size == 4 ? 2 : 1;
      if (!Blank(c)) lastFilled = end, lastFilled16 = end16;
    }
    at_ = end, at16_ = end16;
    while (at_ < text_.size() && (text_[at_] == '\n' || text_[at_] == '\r')) ++at_, ++at16_;
    if (leading) continue;  // blanks only
    l.length = lastFilled - l.start, l.length16 = lastFilled16 - l.start16;
    line = l;
    return true;
  }
  return false;
}

QList<VerseLine> SplitVerseLines(QByteArrayView utf8) {
  QList<VerseLine> out;
  VerseLineReader reader(utf8);
  for (VerseLine l; reader.Next(l);) out.append(l);
  return out;
}

bool HasLetters(QByteArrayView keyword) {
  return std::any_of(keyword.begin(), keyword.end(), [](char c) { return Folded(c) != c || (c >= 'a' && c <= 'z'); });
}

bool LineHolds(QByteArrayView line, QByteArrayView keyword, int place) {
  if (keyword.isEmpty()) return false;
  // The quick substring search finds the hits, unless the keyword has Latin
  // letters, which match without regard to case and only they.
  const bool letters = HasLetters(keyword);
  auto next = [&](qsizetype from) {
    if (!letters) {
      // The C library's search skips ahead by pairs of bytes: the first byte
      // alone (E4 to E9 for most characters) would stop it at every character.
      const void* at = memmem(line.data() + from, line.size() - from, keyword.data(), keyword.size());
      return at ? static_cast<const char*>(at) - line.data() : qsizetype{-1};
    }
    for (qsizetype i = from; i < line.size(); ++i)
      if (MatchesAt(line, i, keyword)) return i;
    return qsizetype{-1};
  };
  qsizetype counted = 0;  // the Chinese characters before this byte are counted
  int han = 0;
  for (qsizetype at = next(0); at >= 0; at = next(at + 1)) {
    if (place == 0) return true;
    int size;
    for (; counted < at; counted += size)
      if (IsHan(DecodeAt(line, counted, size))) ++han;
    if (counted > at) continue;  // the hit begins inside a character
    if (han + 1 > place) return false;
    if (han + 1 == place) return IsHan(DecodeAt(line, at, size));
  }
  return false;
}

}  // namespace study
