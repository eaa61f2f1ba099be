#pragma once
// Integer text, as the settings file and the skin INI write it: optional
// leading blanks, an optional sign, then decimal digits or hexadecimal digits
// after a prefix. Nothing may follow the digits.
#include <QString>
#include <cstdint>
#include <optional>

namespace platform {

// The settings file's integers: hexadecimal after "$", "x", "X", "0x" or "0X".
// The value itself must fit a signed 32-bit integer, written in either base:
// "$7FFFFFFF" converts, "$80000000" does not, "-$80000000" does.
std::optional<std::int32_t> TryStrToInt(const QString& text);

// The skin INI's integers: hexadecimal only after "$" (the INI reader turns a
// leading "0x" into "$"). Hexadecimal text names a 32-bit pattern, as skins
// store colours: "$FFFFFFFF" is -1.
std::optional<std::int32_t> TryDollarHexToInt(const QString& text);

}  // namespace platform
