#pragma once
// Small UTF-8 helpers for the corpus converter: the package and our sources are
// UTF-8, and every rule about characters works on code points.
#include <string>
#include <string_view>
#include <vector>

namespace corpus {

// Decodes UTF-8; a malformed byte becomes U+FFFD so that it is reported later
// as a character outside GBK instead of silently vanishing.
std::u32string Decode(std::string_view s);
std::string Encode(std::u32string_view s);
std::string Encode(char32_t c);

// Han ideographs (the unified blocks and compatibility ideographs).
bool IsHan(char32_t c);
// Blanks of any width, including the ideographic space.
bool IsBlank(char32_t c);

// Number of code points.
size_t Length(std::string_view s);

}  // namespace corpus
