// Aiming and firing: the barrels follow the cross-hair, the mouse buttons fire
// shells that fly to the cross-hair's point and burst there.
#pragma once

#include "game/world.h"

namespace sky {

// Direction of (dx, dy) in degrees in (-180, 180]: 0 down, 90 right, 180 up.
float angle_of(float dx, float dy);

// Recomputes both barrel rotations when the cursor moved since the last update.
void update_aim();
// Left cannon, then right; each fires while its button is held, the game is in
// play, the cooldown is 0 and it has shells.
void fire_shells(bool left_down, bool right_down);
void fire_shell(Cannon& cannon);
// Moves, draws, loses and bursts the shells (inside the textured pass).
void shell_pass();
// Draws the barrels of the intact cannons (inside the textured pass).
void draw_barrels();

}  // namespace sky
