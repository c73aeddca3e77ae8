// The music operations the game calls at its cues. Every caller tests
// game.use_music first: with music off no operation is ever called.
#pragma once

namespace sky {

// Loads the module file (relative to the program directory) and starts it
// from its beginning.
void play_music(const char* file_name);
// Stops and unloads the module; harmless when nothing is loaded.
void stop_music();
// Non-zero pauses, zero resumes.
void pause_music(int paused);

}  // namespace sky
