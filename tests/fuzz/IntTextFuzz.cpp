// Integer text of the settings file and the skin INI. The input is the text
// (UTF-8); both readers must agree with the grammar below, read with a
// regular expression and converted by Qt, and every 32-bit value written in
// each base must read back as itself.
#include <QRegularExpression>

#include <algorithm>
#include <cstring>
#include <optional>

#include "platform/IntText.h"
#include "tests/fuzz/FuzzTarget.h"

namespace {

using fuzz::Show;

// The value of `text` by the grammar: blanks, a sign, a prefix and at least
// one digit of its base, nothing after. `xPrefixes`: "x" and "0x" start
// hexadecimal digits as well as "$". `pattern`: hexadecimal digits name any
// 32-bit pattern instead of a signed value.
std::optional<std::int32_t> Expected(const QString& text, bool xPrefixes, bool pattern) {
  static const QRegularExpression decimal(QRegularExpression::anchoredPattern(QStringLiteral(" *([+-]?)([0-9]+)")));
  static const QRegularExpression dollar(QRegularExpression::anchoredPattern(QStringLiteral(" *([+-]?)\\$([0-9a-fA-F]+)")));
  static const QRegularExpression anyHex(
      QRegularExpression::anchoredPattern(QStringLiteral(" *([+-]?)(?:\\$|0?[xX])([0-9a-fA-F]+)")));
  int base = 10;
  QRegularExpressionMatch m = decimal.match(text);
  if (!m.hasMatch()) {
    m = (xPrefixes ? anyHex : dollar).match(text);
    if (!m.hasMatch()) return std::nullopt;
    base = 16;
  }
  const bool negative = m.captured(1) == u"-";
  QString digits = m.captured(2);
  while (digits.size() > 1 && digits.startsWith(u'0')) digits.remove(0, 1);
  if (digits.size() > 12) return std::nullopt;  // beyond every limit
  bool ok = false;
  const long long magnitude = digits.toLongLong(&ok, base);
  if (!ok) return std::nullopt;
  if (base == 16 && pattern) {
    if (magnitude > 0xFFFFFFFFLL) return std::nullopt;
    const std::uint32_t bits = static_cast<std::uint32_t>(magnitude);
    return static_cast<std::int32_t>(negative ? 0u - bits : bits);
  }
  if (magnitude > (negative ? 2147483648LL : 2147483647LL)) return std::nullopt;
  return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

void CheckAgainstGrammar(const QString& text) {
  const auto settings = platform::TryStrToInt(text);
  const auto settingsExpected = Expected(text, true, false);
  CQ_FUZZ_CHECK_SAYING(settings == settingsExpected,
                       Show(text) << " read " << (settings ? Show(*settings) : "nothing") << ", expected "
                                  << (settingsExpected ? Show(*settingsExpected) : "nothing"));
  const auto skin = platform::TryDollarHexToInt(text);
  const auto skinExpected = Expected(text, false, true);
  CQ_FUZZ_CHECK_SAYING(skin == skinExpected, Show(text) << " read " << (skin ? Show(*skin) : "nothing") << ", expected "
                                                        << (skinExpected ? Show(*skinExpected) : "nothing"));
}

// The value written as each reader's writers write it reads back.
void CheckWrittenValue(std::int32_t v) {
  const QString decimal = QString::number(v);
  CQ_FUZZ_CHECK_SAYING(platform::TryStrToInt(decimal) == v, Show(decimal));
  CQ_FUZZ_CHECK_SAYING(platform::TryDollarHexToInt(decimal) == v, Show(decimal));
  const QString bits = QStringLiteral("$") + QString::number(static_cast<std::uint32_t>(v), 16).toUpper();
  CQ_FUZZ_CHECK_SAYING(platform::TryDollarHexToInt(bits) == v, Show(bits));
  // Signed hexadecimal, as "-$80000000": the settings reader takes the value itself.
  const long long magnitude = v < 0 ? -static_cast<long long>(v) : v;
  const QString signedHex = (v < 0 ? QStringLiteral("-0x") : QStringLiteral("0X")) + QString::number(magnitude, 16);
  CQ_FUZZ_CHECK_SAYING(platform::TryStrToInt(signedHex) == v, Show(signedHex));
}

int Run(const std::uint8_t* data, std::size_t size) {
  CheckAgainstGrammar(QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  std::int32_t v = 0;
  std::memcpy(&v, data, std::min(size, sizeof v));
  CheckWrittenValue(v);
  return 0;
}

}  // namespace

CQ_FUZZ_ENTRY("int-text", Run)
