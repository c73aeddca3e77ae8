#include "game/aiming.h"

namespace sky {

float angle_of(float, float) { return 0.0F; }
void update_aim() {}
void fire_shells(bool, bool) {}
void fire_shell(Cannon&) {}
void shell_pass() {}
void draw_barrels() {}

}  // namespace sky
