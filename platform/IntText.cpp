#include "platform/IntText.h"

namespace platform {

std::optional<std::int32_t> TryStrToInt(const QString& text) {
  int i = 0;
  const int n = static_cast<int>(text.size());
  while (i < n && text[i] == u' ') ++i;
  bool negative = false;
  if (i < n && (text[i] == u'+' || text[i] == u'-')) {
    negative = text[i] == u'-';
    ++i;
  }
  int base = 10;
  if (i < n && text[i] == u'$') {
    base = 16;
    ++i;
  } else if (i < n && (text[i] == u'x' || text[i] == u'X')) {
    base = 16;
    ++i;
  } else if (i + 1 < n && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
    base = 16;
    i += 2;
  }
  if (i >= n) return std::nullopt;
  std::int64_t value = 0;
  const std::int64_t limit = base == 10 ? (negative ? 2147483648LL : 2147483647LL) : 0xFFFFFFFFLL;
  for (; i < n; ++i) {
    const char16_t c = text[i].unicode();
    int digit;
    if (c >= u'0' && c <= u'9') digit = c - u'0';
    else if (base == 16 && c >= u'a' && c <= u'f') digit = c - u'a' + 10;
    else if (base == 16 && c >= u'A' && c <= u'F') digit = c - u'A' + 10;
    else return std::nullopt;
    value = value * base + digit;
    if (value > limit) return std::nullopt;
  }
  // Hexadecimal text names the 32-bit pattern, so "$FFFFFFFF" is -1.
  if (base == 16) {
    std::uint32_t bits = static_cast<std::uint32_t>(value);
    if (negative) bits = 0u - bits;
    return static_cast<std::int32_t>(bits);
  }
  return static_cast<std::int32_t>(negative ? -value : value);
}

}  // namespace platform
