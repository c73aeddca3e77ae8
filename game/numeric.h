// Turning the game's float positions into pixels.
#pragma once

#include <cmath>
#include <cstdint>

namespace sky {

// Nearest integer, halves going to the even neighbour (2.5 -> 2, 3.5 -> 4):
// the way every float position becomes a drawing or hit-test position.
inline std::int32_t round_even(float value) {
  return static_cast<std::int32_t>(std::nearbyint(value));
}

}  // namespace sky
