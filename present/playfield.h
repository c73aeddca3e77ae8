// The fixed parts of the playfield: cross-hair, hills, ammunition rows, HUD.
#pragma once

namespace sky {

void draw_cross_hair();
// The hills, then the ammunition rows.
void draw_ground();
void draw_ammo_rows();
// "SCORE" and "TOP" with their numbers; the high-score rule runs between them.
void draw_hud();

}  // namespace sky
