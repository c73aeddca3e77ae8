// Shared between the SDL backend files only.
#pragma once

#include <SDL.h>

namespace platform::sdl {

// The game window, or nullptr before the screen is open.
SDL_Window* game_window();
bool full_screen();
// Maps a position in window coordinates to the 640x480 picture, taking the
// full-screen scaling and its black bars into account (unclamped).
void window_to_picture(int wx, int wy, int& px, int& py);
// Builds an SDL surface from a picture of the picture store (nullptr if none).
SDL_Surface* surface_from_picture(int id);
// Tells the display about a window event of the game window (exposure and
// size changes call for a full present).
void note_window_event(Uint8 event);
// Removes events no part of the game reads, so the queue never fills up.
void drop_unused_events();

}  // namespace platform::sdl
