// Time of one whole frame of the game loop on the headless platform, with the
// real pictures loaded: an attract-page frame and a worst-case play frame.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "game/waves.h"
#include "game/world.h"
#include "platform/headless.h"
#include "platform/random.h"
#include "present/assets.h"
#include "shell/program.h"

namespace {

namespace headless = platform::headless;

// Start-up in a scratch directory, so no settings file is read or written.
void start_headless() {
  const auto dir = std::filesystem::temp_directory_path() / "skyward-bench";
  std::filesystem::create_directories(dir);
  std::filesystem::current_path(dir);
  headless::reset();
  sky::start_up();
  platform::random_seed(1);
}

void BM_AttractFrame(benchmark::State& state) {
  start_headless();
  for (auto _ : state) sky::run_frame();
}
BENCHMARK(BM_AttractFrame)->Unit(benchmark::kMicrosecond);

// Stage 12 with the whole wave in the air, 40 live explosions over the
// field, two burning sites and a six-digit score.
void set_up_worst_case() {
  using namespace sky;
  game.mode = GameMode::Playing;
  game.stage = 12;
  game.score = 987654;
  left_cannon.ammo = 20;
  right_cannon.ammo = 20;
  meteors.clear();
  shells.clear();
  explosions.clear();
  game.wave_size = wave_sizes[10];
  build_wave(12);
  int i = 0;
  for (Meteor& m : meteors) {
    m.launched = 1;
    m.release_tick = -1;
    m.y = static_cast<float>(20 + (i * 37) % 280);
    ++i;
  }
  for (int e = 0; e < 40; ++e) {
    Explosion& x = explosions.append();
    x.x = (e * 53) % 560;
    x.y = (e * 29) % 260;
    x.frame = e % 17;
    x.alive = 1;
  }
  ground_sites[1].state = SiteState::Burning;
  ground_sites[3].state = SiteState::Burning;
}

void BM_WorstCaseFrame(benchmark::State& state) {
  start_headless();
  for (auto _ : state) {
    state.PauseTiming();
    set_up_worst_case();
    state.ResumeTiming();
    sky::run_frame();
  }
}
BENCHMARK(BM_WorstCaseFrame)->Unit(benchmark::kMicrosecond);

// Decoding and storing every picture (part of the start-up time).
void BM_LoadAssets(benchmark::State& state) {
  start_headless();
  for (auto _ : state) sky::load_assets();
}
BENCHMARK(BM_LoadAssets)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
