#pragma once
// Which characters the anthology keeps. The program's text is GB18030, which
// holds every character; GBK, its two-byte part, is what most fonts and readers
// know best.
//
// Rule:
//  0. Where the traditional-to-simplified conversion would give a character
//     outside GBK (newer simplified forms such as the one for 鶒) and the
//     original character is inside GBK, the original character is kept.
//  1. Look-alike marks are replaced by their GBK counterparts (for example the
//     horizontal bar U+2015 by the em dash, the wave dash U+301C by the
//     full-width tilde, bullets by the middle dot).
//  2. A character outside GBK is kept: rare characters of the extension blocks
//     are part of the poem, and dropping or changing one would misquote it.
//  3. A poem whose title, text, author or form holds an unreadable character
//     (private use, the replacement character of a damaged source, a
//     noncharacter or a control character) is left out.
//  4. In prose (biographies), an unreadable character is dropped.
// The converter counts each case and prints the counts when it finishes.
#include <string>

namespace corpus {

// True when the code point has a GBK encoding.
bool InGbk(char32_t c);

// True unless the code point stands for no readable character (rule 3).
bool IsReadable(char32_t c);

// Step 1 of the rule: replace look-alike marks. Returns the new text.
std::string ReplaceLookAlikes(const std::string& s);

// True when every character of the UTF-8 text has a GBK encoding.
bool FitsGbk(const std::string& s);

// True when every character of the UTF-8 text is readable; line breaks and
// tabs count as readable.
bool AllReadable(const std::string& s);

// Step 4 of the rule: drops unreadable characters; counts them in dropped.
std::string DropUnreadable(const std::string& s, size_t& dropped);

}  // namespace corpus
