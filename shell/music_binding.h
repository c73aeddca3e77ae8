// Binding the music library at run time (the operations the game calls are in
// game/music.h).
#pragma once

namespace sky {

// Loads the music library and initialises it; switches game.use_music off
// when that fails.
void bind_music();
// On the attract pages: restarts the intro music when nothing plays.
int music_keep_alive();
// Unloads the library at shut-down.
void release_music();

}  // namespace sky
