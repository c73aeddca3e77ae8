// Sound cues and the burst of a shell, shared by the passes that make them.
#pragma once

#include "game/asset_ids.h"
#include "game/world.h"

namespace sky {

// Plays the sound while sound effects are on.
void play_effect(SoundId sound);

// Ends the shell in an explosion whose 128x128 picture is centred on the
// shell's 32x32 picture, with the explosion sound. Used when a shell reaches
// its target and when it touches a meteor.
void burst_shell(Shell& shell);

}  // namespace sky
