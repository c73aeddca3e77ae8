// The random generator behind platform::random: a small xorshift generator,
// uniform over 0..n by rejection.
#pragma once

#include <cstdint>

namespace platform {

class Prng {
 public:
  void seed(std::uint32_t value) { state_ = 0x9E3779B97F4A7C15ULL ^ value; next(); }

  int uniform(int n) {
    if (n <= 0) return 0;
    const std::uint64_t range = static_cast<std::uint64_t>(n) + 1;
    const std::uint64_t limit = UINT64_MAX - UINT64_MAX % range;
    std::uint64_t v = next();
    while (v >= limit) v = next();
    return static_cast<int>(v % range);
  }

 private:
  std::uint64_t next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 7;
    state_ ^= state_ << 17;
    return state_;
  }
  std::uint64_t state_ = 0x9E3779B97F4A7C15ULL;
};

}  // namespace platform
