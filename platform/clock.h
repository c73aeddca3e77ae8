// Time: the millisecond tick count, deadlines, the high-resolution counter,
// a short sleep and the frame pacing.
#pragma once

#include <cstdint>

namespace platform {

// Milliseconds since an arbitrary start; wraps around after 2^32 ms.
std::uint32_t ticks_ms();

// A moment on the millisecond tick count, compared as signed 32-bit numbers.
using Deadline = std::int32_t;

// The tick count plus ms, with 32-bit wrap-around addition.
inline Deadline deadline_in(std::int32_t ms) {
  return static_cast<Deadline>(ticks_ms() + static_cast<std::uint32_t>(ms));
}

// True once the tick count has passed deadline + length. The difference is
// taken in unsigned arithmetic and read as signed, so the test keeps working
// when the tick count crosses 2^31 or wraps around, where a plain signed
// comparison would end a phase at once or hold it for weeks.
inline bool past(std::uint32_t now, Deadline deadline, std::int32_t length) {
  const std::uint32_t end =
      static_cast<std::uint32_t>(deadline) + static_cast<std::uint32_t>(length);
  return static_cast<std::int32_t>(now - end) > 0;
}
inline bool phase_over(Deadline deadline, std::int32_t length) {
  return past(ticks_ms(), deadline, length);
}

// High-resolution counter and its frequency in counts per second.
std::uint64_t counter();
std::uint64_t counter_frequency();

void sleep_ms(int ms);

// Frame pacing: rate R gives a period of 1/(R + 1) s. pace_frame() returns once
// the period has passed since the previous frame's moment; it sleeps for most
// of the wait and only spins for the last fraction of a millisecond.
void pacing_set_rate(int rate);
void pace_frame();
// Frames paced since start-up (for the benchmark's frame-rate figure).
std::uint64_t paced_frames();

}  // namespace platform
