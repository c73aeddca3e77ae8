// Time on SDL: the tick count, the performance counter, sleeping and pacing.
#include <SDL.h>

#include <ctime>

#include "platform/clock.h"
#include "platform/common/prng.h"
#include "platform/random.h"

namespace platform {
namespace {

struct Pacing {
  std::uint64_t period = 0;     // counter ticks per frame
  std::uint64_t next = 0;       // counter value at which the next frame may start
  std::uint64_t frames = 0;
};

Pacing pacing;
Prng prng;

// Sleeps for the given number of counter ticks with the kernel's
// high-resolution timer.
void sleep_counts(std::uint64_t counts, std::uint64_t frequency) {
  const std::uint64_t nanos = counts * 1'000'000'000ULL / frequency;
  timespec request{static_cast<time_t>(nanos / 1'000'000'000ULL),
                   static_cast<long>(nanos % 1'000'000'000ULL)};
  nanosleep(&request, nullptr);
}

}  // namespace

std::uint32_t ticks_ms() { return SDL_GetTicks(); }
std::uint64_t counter() { return SDL_GetPerformanceCounter(); }
std::uint64_t counter_frequency() { return SDL_GetPerformanceFrequency(); }
void sleep_ms(int ms) { SDL_Delay(static_cast<Uint32>(ms)); }

void pacing_set_rate(int rate) {
  pacing.period = counter_frequency() / static_cast<std::uint64_t>(rate + 1);
  pacing.next = counter() + pacing.period;
}

// Frames start on a fixed timeline of one period each, so oversleeping in one
// frame is made up in the next and the rate stays at exactly rate + 1 frames a
// second. The wait sleeps until shortly before the moment and spins only for
// the last fraction of a millisecond. A frame that falls more than a whole
// period behind (a stall, a pause) restarts the timeline instead of racing.
void pace_frame() {
  ++pacing.frames;
  if (pacing.period == 0) return;
  const std::uint64_t frequency = counter_frequency();
  const std::uint64_t spin = frequency / 4000;  // 0.25 ms
  std::uint64_t now = counter();
  if (now + spin < pacing.next) sleep_counts(pacing.next - now - spin, frequency);
  while ((now = counter()) < pacing.next) {
  }
  pacing.next += pacing.period;
  if (now > pacing.next) pacing.next = now + pacing.period;
}

std::uint64_t paced_frames() { return pacing.frames; }

void random_seed(std::uint32_t seed) { prng.seed(seed); }
int random(int n) { return prng.uniform(n); }

}  // namespace platform
