#include "app/study/HanText.h"

namespace study {

bool IsHan(char32_t c) {
  return (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0x20000 && c <= 0x3134F) || (c >= 0x2F800 && c <= 0x2FA1F) || c == 0x3007;
}

QList<CodePoint> CodePoints(QStringView text) {
  QList<CodePoint> out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
      out.append({i, 2, QChar::surrogateToUcs4(c, text[i + 1])});
      ++i;
    } else {
      out.append({i, 1, c.isSurrogate() ? char32_t{0xFFFD} : char32_t{c.unicode()}});
    }
  }
  return out;
}

}  // namespace study
