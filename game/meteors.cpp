#include "game/meteors.h"

namespace sky {

int meteor_pass() { return 0; }
void explosion_pass() {}
void site_fire_pass() {}

}  // namespace sky
