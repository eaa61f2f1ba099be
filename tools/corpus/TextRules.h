#pragma once
// Cleaning rules for text taken from the poetry package: dots, blanks, notes
// inside lines, placeholders, names, biographies and life dates.
#include <string>
#include <vector>

namespace corpus {

// The package writes title separators with two different middle dots (and a
// few look-alikes); the anthology uses U+00B7 everywhere. Blanks between Han
// characters are stray and removed; leading and trailing blanks are trimmed.
std::string NormalizeText(const std::string& s);

// Like NormalizeText, but a run of blanks inside a title separates words
// ("出塞二首 一") and becomes one ASCII blank instead of vanishing.
std::string NormalizeTitle(const std::string& s);

// Joins a line whose note bracket opens and does not close with the lines
// after it, up to the line that closes it (the package breaks long notes into
// lines of their own). A bracket that no later line closes before an empty
// line or the end leaves the lines as they are.
std::vector<std::string> JoinSplitNotes(const std::vector<std::string>& lines);

// Removes bracketed notes such as "（一作…）" from a poem line and appends their
// inner text to notes. Brackets that do not close are left as they are.
std::string TakeNotes(const std::string& line, std::vector<std::string>& notes);

// True when the text holds a placeholder for a lost character ("□" and kin).
bool HasPlaceholder(const std::string& s);

// Text up to the first punctuation mark (used for titles of untitled poems).
std::string FirstPhrase(const std::string& line);

// An author field cleaned of trailing remarks such as "尹鹗 六首".
std::string CleanAuthorName(const std::string& name);

// A biography without empty markers ("--"), without a repeated "name：" lead
// and without stray blanks. When the package gives two versions separated by
// "--", the first real one is kept. Returns "" when nothing usable remains.
std::string CleanBiography(const std::string& name, const std::string& bio);

// Life dates found at the start of a biography, e.g. "(约 895－968)" gives
// "约895-968" and "（九二七～九七六）" gives "927-976"; "" when none.
std::string LifeDates(const std::string& bio);

// Names the package uses for unknown authors.
bool IsAnonymous(const std::string& name);

// Splits text at line feeds, dropping empty lines at both ends.
std::vector<std::string> SplitLines(const std::string& text);
std::string JoinLines(const std::vector<std::string>& lines);

}  // namespace corpus
