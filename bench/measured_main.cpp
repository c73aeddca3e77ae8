// The game's own start-up, loop and shut-down, with a report on exit: the
// moment the first frame was presented (CLOCK_MONOTONIC, to compare with the
// moment the program was started) and the frame rate of the loop.
#include <time.h>

#include <cstdio>

#include "game/world.h"
#include "platform/clock.h"
#include "shell/program.h"

namespace {

double monotonic_seconds() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

}  // namespace

int main() {
  if (!sky::start_up()) return 0;
  sky::run_frame();
  const double first_frame = monotonic_seconds();
  const std::uint64_t first_count = platform::paced_frames();
  while (sky::game.quit_requested == 0) sky::run_frame();
  const double end = monotonic_seconds();
  const std::uint64_t frames = platform::paced_frames() - first_count;
  sky::shut_down();
  std::fprintf(stderr, "first_frame_monotonic=%.6f frames=%llu seconds=%.3f fps=%.3f\n",
               first_frame, static_cast<unsigned long long>(frames), end - first_frame,
               static_cast<double>(frames) / (end - first_frame));
  return 0;
}
