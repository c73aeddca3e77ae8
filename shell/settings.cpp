#include "shell/settings.h"

#include "game/world.h"

namespace sky {

void read_settings() {
  game.hi_score = 4855;
  game.full_screen = 1;
  game.use_audio = 1;
  game.use_music = 1;
}

void write_settings() {}

}  // namespace sky
