// Building the wave of meteors for a stage.
#pragma once

namespace sky {

// Appends game.wave_size meteors for the stage to the empty meteor list.
void build_wave(int stage);

}  // namespace sky
