#pragma once
// Integer text: optional leading blanks, an optional sign, then decimal digits,
// or hexadecimal digits after "$", "x", "X", "0x" or "0X". Nothing may follow
// the digits, and the value must fit a signed 32-bit integer.
#include <QString>
#include <cstdint>
#include <optional>

namespace platform {

std::optional<std::int32_t> TryStrToInt(const QString& text);

}  // namespace platform
