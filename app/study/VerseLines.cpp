#include "app/study/VerseLines.h"

#include "app/study/HanText.h"

namespace study {

namespace {

bool EndsLine(QChar c) { return c == u'。' || c == u'！' || c == u'？' || c == u'；'; }

bool Break(QChar c) { return c == u'\n' || c == u'\r'; }

// What may follow a line's end mark and still belongs to the line.
bool Trailing(QChar c) {
  return EndsLine(c) || c == u'”' || c == u'’' || c == u'」' || c == u'』' || c == u'）' || c == u'》' || c == u'〉';
}

bool Blank(QChar c) { return c == u' ' || c == u'\t' || c == u'\u3000'; }

char16_t Folded(char16_t c) { return c >= u'A' && c <= u'Z' ? c - u'A' + u'a' : c; }

bool MatchesAt(QStringView line, qsizetype at, QStringView keyword) {
  if (at + keyword.size() > line.size()) return false;
  for (qsizetype k = 0; k < keyword.size(); ++k)
    if (Folded(line[at + k].unicode()) != Folded(keyword[k].unicode())) return false;
  return true;
}

}  // namespace

QList<VerseLine> SplitVerseLines(QStringView text) {
  QList<VerseLine> out;
  const qsizetype n = text.size();
  qsizetype i = 0;
  while (i < n) {
    qsizetype start = i, end = i;
    while (end < n && !EndsLine(text[end]) && !Break(text[end])) ++end;
    i = end;
    if (end < n && EndsLine(text[end]))
      while (end < n && Trailing(text[end])) ++end;
    i = end;
    while (i < n && Break(text[i])) ++i;
    while (start < end && Blank(text[start])) ++start;
    while (end > start && Blank(text[end - 1])) --end;
    if (end > start) out.append({start, end - start});
  }
  return out;
}

bool LineHolds(QStringView line, QStringView keyword, int place) {
  if (keyword.isEmpty()) return false;
  int han = 0;  // Chinese characters before position i
  for (qsizetype i = 0; i < line.size(); ++i) {
    const bool pair = line[i].isHighSurrogate() && i + 1 < line.size() && line[i + 1].isLowSurrogate();
    const char32_t c = pair ? QChar::surrogateToUcs4(line[i], line[i + 1]) : line[i].unicode();
    const bool isHan = (pair || !line[i].isSurrogate()) && IsHan(c);
    if (place == 0 ? MatchesAt(line, i, keyword) : (isHan && han + 1 == place && MatchesAt(line, i, keyword))) return true;
    if (place > 0 && han >= place) return false;
    if (isHan) ++han;
    if (pair) ++i;
  }
  return false;
}

}  // namespace study
