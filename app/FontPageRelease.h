#pragma once
// When the program lets go of the font files' resident pages (see
// platform/FontPages.h): a moment after a search that listed many rows has
// ended and its text is painted, once however many such searches end close together.
#include <QtGlobal>

namespace app {

// A search ended that listed `rows` rows. A small result reads few
// characters: letting go of the pages then would only have the next listing
// read them in again.
void ReleaseFontPagesSoon(qsizetype rows);

}  // namespace app
