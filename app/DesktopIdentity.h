#pragma once
// What ties the program's windows to its desktop entry: the program icon on
// every window and the desktop entry's name.
#include <QIcon>
#include <QString>

namespace app {

// The desktop entry's file name without ".desktop" (also the metainfo id).
inline const QString kDesktopId = QStringLiteral("org.example.cinnabarquillpad");

// The program icon in every size it is drawn in, 16 to 256 pixels.
QIcon ProgramIcon();

// Gives every window of the process the program icon and names the desktop entry.
void InstallDesktopIdentity();

}  // namespace app
