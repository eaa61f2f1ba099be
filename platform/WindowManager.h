#pragma once
// Whether a window manager runs on the display (and so frames, moves,
// maximises and iconifies windows). False on platforms without X.
namespace platform {

bool HasWindowManager();

}  // namespace platform
