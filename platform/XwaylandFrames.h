#pragma once
// Keeps Qt's idea of where each window is right under Xwayland.
//
// An X window manager that puts a frame around a window and then moves the
// frame owes the window a ConfigureNotify with its new place on the screen.
// The window manager of Debian 12's weston never sends it, so Qt keeps the
// place the window had when it was last resized, and whatever is placed from
// it lands off by the frame's move: the menus under the menu bar, the system
// menu, windows centred on their owner. Under Xwayland the program therefore
// watches the frames of its windows itself and tells Qt the window's real
// place after every move of a frame. Under X11 nothing changes.
namespace platform {

// Whether the X server is Xwayland (its screens are named XWAYLAND0, ...).
bool IsXwayland();

// Starts the watch when the program runs on Xwayland; call once, after the
// application object is made.
void WatchWindowManagerFrames();

}  // namespace platform
