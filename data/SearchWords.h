#pragma once
// The words of the full-text index that narrows title and content searches.
//
// Every character that can take part in a word is a word of its own: CJK
// characters and all other letters and digits, Latin letters folded to lower
// case (the literal match ignores their case, and only theirs). Blanks, line
// breaks and punctuation are no words and are left out. The index holds each
// text as its words separated by blanks, so the engine's plain word splitting
// keeps them apart; a keyword becomes the phrase of its words. A text that
// contains the keyword contains that phrase, so the index finds every hit and
// perhaps a few more, and the literal match then keeps exactly the hits.
//
// Which characters are words is fixed here by code-point ranges, not by
// Unicode tables that change between library versions: the files' index and
// the program's phrases must always agree.
#include <QString>

namespace data {

bool IsSearchWord(char32_t c);
// The text as the index holds it: "床 前 明 月 光 spring".
QString SearchWords(const QString& text);
// The phrase that narrows a search for the keyword, as the index's match
// expression ("\"明 月\""); empty when the keyword holds no word at all, so
// that only the plain scan can answer it.
QString SearchPhrase(const QString& keyword);
// Whether the keyword is one character, and that a word: the index then finds
// exactly the texts that contain it.
bool IsSingleWord(const QString& keyword);

}  // namespace data
