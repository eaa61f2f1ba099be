#pragma once
// Keeping every text inside GBK, the code page the program shows and compares.
//
// Rule for characters outside GBK:
//  0. Where the traditional-to-simplified conversion would give a character
//     outside GBK (newer simplified forms such as the one for 鶒) and the
//     original character is inside GBK, the original character is kept.
//  1. Look-alike marks are replaced by their GBK counterparts (for example the
//     horizontal bar U+2015 by the em dash, the wave dash U+301C by the
//     full-width tilde, bullets by the middle dot).
//  2. A poem whose title or text still holds a character outside GBK is left
//     out: a missing or changed character would misquote the poem.
//  3. An author whose name is outside GBK is left out with all poems.
//  4. In prose (biographies), a character outside GBK is dropped.
// The converter counts each case and prints the counts when it finishes.
#include <string>

namespace corpus {

// True when the code point has a GBK encoding.
bool InGbk(char32_t c);

// Step 1 of the rule: replace look-alike marks. Returns the new text.
std::string ReplaceLookAlikes(const std::string& s);

// True when every character of the UTF-8 text has a GBK encoding.
bool FitsGbk(const std::string& s);

// Step 4 of the rule: drops characters outside GBK; counts them in dropped.
std::string DropOutsideGbk(const std::string& s, size_t& dropped);

}  // namespace corpus
