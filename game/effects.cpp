#include "game/effects.h"

#include "game/numeric.h"
#include "platform/sound.h"

namespace sky {
namespace {

// From the shell's top-left to the explosion's: (128 - 32) / 2.
constexpr float burst_offset = 48.0F;

}  // namespace

void play_effect(SoundId sound) {
  if (game.use_audio != 0) platform::sound_play(id(sound));
}

void burst_shell(Shell& shell) {
  shell.alive = 0;
  Explosion& burst = explosions.append();
  burst.x = round_even(shell.x - burst_offset);
  burst.y = round_even(shell.y - burst_offset);
  burst.frame = 0;
  burst.alive = 1;
  play_effect(SoundId::Explosion);
}

}  // namespace sky
