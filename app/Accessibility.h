#pragma once
// Makes the program's own controls readable by screen readers: installs the
// accessible objects of the toolkit's, the outlook bar's and the styled
// controls. Call once, after the application object exists.
namespace app {

void InstallAccessibility();

}  // namespace app
