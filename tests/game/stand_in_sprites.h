// Small stand-in pictures with the real sizes and plausible shapes, so the
// per-pixel hit rules can be tried without the game's art: round rocks, a
// vertical barrel, a slim rocket, a domed city, a fireball strip that grows
// and shrinks, and a fire strip.
#pragma once

#include "platform/pictures.h"

namespace sky::testing {

// Installs sprites 5 to 8, 10, 11, 15 and 17 to 22 (6, 7 and 8 also as
// textured sprites).
void install_stand_in_sprites();

// Radius of the fireball in picture k of the explosion strip (centred in its
// 128x128 cell); picture 16 - k equals picture k.
int fireball_radius(int k);

// Sizes of the six rock pictures.
int rock_width(int kind);
int rock_height(int kind);

}  // namespace sky::testing
