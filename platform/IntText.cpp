#include "platform/IntText.h"

namespace platform {
namespace {

struct IntRules {
  bool xPrefixes;        // "x" and "0x" start hexadecimal digits as well as "$"
  bool hexIsBitPattern;  // hexadecimal digits name a 32-bit pattern instead of a value
};

std::optional<std::int32_t> ParseInt(const QString& text, IntRules rules) {
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
  } else if (rules.xPrefixes && i < n && (text[i] == u'x' || text[i] == u'X')) {
    base = 16;
    ++i;
  } else if (rules.xPrefixes && i + 1 < n && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
    base = 16;
    i += 2;
  }
  if (i >= n) return std::nullopt;
  const bool pattern = base == 16 && rules.hexIsBitPattern;
  // The largest magnitude allowed: a signed 32-bit value, or any 32-bit pattern.
  const std::int64_t limit = pattern ? 0xFFFFFFFFLL : (negative ? 2147483648LL : 2147483647LL);
  std::int64_t value = 0;
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
  if (pattern) {
    std::uint32_t bits = static_cast<std::uint32_t>(value);
    if (negative) bits = 0u - bits;
    return static_cast<std::int32_t>(bits);
  }
  return static_cast<std::int32_t>(negative ? -value : value);
}

}  // namespace

std::optional<std::int32_t> TryStrToInt(const QString& text) {
  return ParseInt(text, {.xPrefixes = true, .hexIsBitPattern = false});
}

std::optional<std::int32_t> TryDollarHexToInt(const QString& text) {
  return ParseInt(text, {.xPrefixes = false, .hexIsBitPattern = true});
}

}  // namespace platform
