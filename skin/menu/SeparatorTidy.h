#pragma once
// Separators of a menu about to open: leading and trailing ones and those
// right after another shown separator are hidden; separators hidden that way
// before are shown again when they stand between shown items. Separators the
// program hid itself are left alone.
class QMenu;

namespace skin {

void TidySeparators(QMenu* menu);

}  // namespace skin
