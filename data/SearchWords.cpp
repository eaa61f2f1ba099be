#include "data/SearchWords.h"


namespace data {
namespace {

struct Range {
  char32_t first, last;
};

// Punctuation, symbols and spaces outside ASCII that are no words.
constexpr Range kNoWords[] = {
    {0x0080, 0x00BF},  // Latin-1 controls, punctuation and signs
    {0x2000, 0x206F},  // general punctuation and spaces
    {0x3000, 0x303F},  // CJK symbols and punctuation, the ideographic space
    {0xFE10, 0xFE1F},  // vertical forms
    {0xFE30, 0xFE6F},  // CJK compatibility and small forms
    {0xFF00, 0xFF0F},  // full-width punctuation ...
    {0xFF1A, 0xFF20},
    {0xFF3B, 0xFF40},
    {0xFF5B, 0xFF65},  // ... and half-width CJK punctuation
};

char32_t Folded(char32_t c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; }

// Appends each word of the text, a blank before every word but the first.
void AppendWords(const QString& text, QString& out) {
  const qsizetype n = text.size();
  for (qsizetype i = 0; i < n; ++i) {
    char32_t c = text[i].unicode();
    if (QChar::isHighSurrogate(c) && i + 1 < n && text[i + 1].isLowSurrogate()) {
      c = QChar::surrogateToUcs4(text[i].unicode(), text[i + 1].unicode());
      ++i;
    } else if (QChar::isSurrogate(c)) {
      c = '?';  // a lone surrogate reaches the engine as "?" (Qt's UTF-8), which is no word
    }
    if (!IsSearchWord(c)) continue;
    if (!out.isEmpty()) out.append(u' ');
    const char32_t f = Folded(c);
    if (QChar::requiresSurrogates(f)) {
      out.append(QChar(QChar::highSurrogate(f)));
      out.append(QChar(QChar::lowSurrogate(f)));
    } else {
      out.append(QChar(static_cast<char16_t>(f)));
    }
  }
}

}  // namespace

bool IsSearchWord(char32_t c) {
  if (c < 0x80) return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
  for (const Range& r : kNoWords)
    if (c >= r.first && c <= r.last) return false;
  return true;
}

QString SearchWords(const QString& text) {
  if (text.isNull()) return QString();
  QString out;
  out.reserve(text.size() * 2);
  AppendWords(text, out);
  return out;
}

bool IsSingleWord(const QString& keyword) {
  if (keyword.size() == 1) return !keyword[0].isSurrogate() && IsSearchWord(keyword[0].unicode());
  return keyword.size() == 2 && keyword[0].isHighSurrogate() && keyword[1].isLowSurrogate() &&
         IsSearchWord(QChar::surrogateToUcs4(keyword[0], keyword[1]));
}

QString SearchPhrase(const QString& keyword) {
  QString words;
  AppendWords(keyword, words);
  if (words.isEmpty()) return QString();
  return u'"' + words + u'"';
}

}  // namespace data
