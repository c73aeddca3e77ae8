#include "present/playfield.h"

#include "game/stage_flow.h"

namespace sky {

void draw_cross_hair() {}
void draw_ground() { draw_ammo_rows(); }
void draw_ammo_rows() {}
void draw_hud() { apply_high_score_rule(); }

}  // namespace sky
