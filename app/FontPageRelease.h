#pragma once
// When the program lets go of the font files' resident pages (see
// platform/FontPages.h): a moment after work that looked up many characters
// has ended and its text is painted, once however many such works end close together.

namespace app {

void ReleaseFontPagesSoon();

}  // namespace app
