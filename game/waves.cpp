#include "game/waves.h"

namespace sky {

void build_wave(int) {}

}  // namespace sky
