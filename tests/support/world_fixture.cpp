#include "tests/support/world_fixture.h"

#include "shell/program.h"

namespace sky::testing {

void fresh_world() {
  platform::headless::reset();
  zero_world();
  game.hi_score = 4855;
  game.full_screen = 1;
  game.use_audio = 1;
  game.use_music = 0;
  initialise_world();
}

void run_frames(int n) {
  for (int i = 0; i < n; ++i) run_frame();
}

}  // namespace sky::testing
