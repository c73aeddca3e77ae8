// The display: opening the game's screen (a full-screen window or a 640x480
// window) and presenting the frame buffer on it.
#pragma once

#include <string>

namespace platform {

// Initialises the video service; false when no display can be used.
bool display_init();

// Opens the game screen titled title: full_screen covers the desktop and shows
// the 640x480 picture scaled with its aspect kept; otherwise a centred window
// with a 640x480 client area. The program icon (a picture number, or -1 for
// none) is set on the window. False when it cannot be opened.
bool display_open(bool full_screen, const std::string& title, int icon_picture);

// Shows the frame buffer. In full-screen mode it also takes the pending window
// events, so a close request is noticed there (see close_requested()).
void display_present();
// True once the desktop asked the full-screen window to close.
bool display_close_requested();

void display_close_window();
void display_shutdown();

}  // namespace platform
