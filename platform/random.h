// The game's random numbers: uniform integers 0..n inclusive.
#pragma once

#include <cstdint>

namespace platform {

void random_seed(std::uint32_t seed);
// A uniformly drawn integer from 0 to n inclusive (0 when n <= 0).
int random(int n);

}  // namespace platform
