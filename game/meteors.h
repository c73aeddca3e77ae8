// Meteors, hits and explosions.
#pragma once

namespace sky {

// Releases, moves, hit-tests and draws every meteor; returns dead_count, the
// number of meteors found dead during the walk.
int meteor_pass();
// Draws and advances every live explosion.
void explosion_pass();
// Draws and advances the fires of hit ground sites.
void site_fire_pass();

}  // namespace sky
