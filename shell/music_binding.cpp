#include "shell/music_binding.h"

#include "game/music.h"
#include "game/world.h"

namespace sky {

void bind_music() { game.use_music = 0; }
int music_keep_alive() { return 1; }
void release_music() {}
void play_music(const char*) {}
void stop_music() {}
void pause_music(int) {}

}  // namespace sky
