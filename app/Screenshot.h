#pragma once
// --screenshot FILE: once every shown window has painted and painting has
// settled, saves a PNG of the screen and ends the program.
#include <QString>

namespace app {

void ScheduleScreenshot(const QString& file);

}  // namespace app
