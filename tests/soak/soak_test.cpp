// A long run of whole headless frames: a scripted player plays games across
// stages 1 to 15 while the lists are checked in every frame. Run under the
// sanitizers it also finds memory and undefined-behaviour faults.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <sstream>

#include "game/world.h"
#include "platform/headless.h"
#include "platform/random.h"
#include "shell/program.h"
#include "tests/support/temp_dir.h"

namespace sky {
namespace {

namespace headless = platform::headless;

constexpr int soak_frames = 100'000;
constexpr int last_stage = 15;
constexpr int stages_per_game = 4;
constexpr std::size_t most_shells = 40;  // two cannons of 20 each stage

// Aims at the lowest meteor in the air, leading it by the shell's flight
// time, and fires the cannons in turn. It plays a few stages of each game and
// then stops firing, so the game is lost and a new one begins.
class SoakPlayer {
 public:
  void next_frame(int frame) {
    int x = 320;
    int y = 160;
    bool fire = false;
    if (on_attract_page(game.mode)) {
      fire = frame % 40 == 0;  // a click starts the next game
    } else if (game.stage < give_up_at_) {
      fire = aim(x, y);
    }
    const bool left = fire && (frame / 20) % 2 == 0;
    const bool right = fire && !left;
    headless::set_mouse(x, y, left, right);
  }
  void new_game(int start_stage) { give_up_at_ = start_stage + stages_per_game; }

 private:
  static bool aim(int& x, int& y) {
    const Meteor* lowest = nullptr;
    for (const Meteor& m : meteors) {
      if (m.alive == 0 || m.launched == 0 || m.y < 0) continue;
      if (lowest == nullptr || m.y > lowest->y) lowest = &m;
    }
    if (lowest == nullptr) return false;
    const float cx = lowest->x + 16;
    const float cy = lowest->y + 16;
    const float flight = std::hypot(cx - 320.0F, cy - 380.0F) / 3.0F;
    x = std::clamp(static_cast<int>(cx + lowest->dx * flight) - 16, 0, 608);
    y = std::clamp(static_cast<int>(cy + lowest->dy * flight) - 16, 0, 320);
    return true;
  }
  int give_up_at_ = 0;
};

TEST(SoakTest, GamesAcrossFifteenStagesKeepTheListsBounded) {
  testing::TempDir dir;
  headless::reset();
  ASSERT_TRUE(start_up());
  platform::random_seed(20261211);
  SoakPlayer player;
  std::set<int> stages_played;
  int games = 0;
  std::size_t most_explosions = 0;
  GameMode previous = game.mode;
  for (int frame = 0; frame < soak_frames; ++frame) {
    player.next_frame(frame);
    // The first "GET READY" of a game starts it at the lowest stage not yet
    // played, so the run covers every stage up to the last.
    if (game.mode == GameMode::GetReady && previous != GameMode::GetReady && game.stage == 1 &&
        game.score == 0) {
      int start = 1;
      while (start < last_stage && stages_played.count(start) != 0) ++start;
      game.stage = start;
      player.new_game(start);
      ++games;
    }
    previous = game.mode;
    run_frame();
    ASSERT_EQ(game.quit_requested, 0);
    if (game.mode == GameMode::Playing) {
      stages_played.insert(game.stage);
    }
    const std::size_t wave = static_cast<std::size_t>(wave_sizes[std::min(game.stage, 10)]);
    ASSERT_LE(meteors.size(), std::max<std::size_t>(wave, 55)) << "frame " << frame;
    ASSERT_LE(shells.size(), most_shells) << "frame " << frame;
    most_explosions = std::max(most_explosions, explosions.size());
    // Shells and explosions come and go within a stage: even the busiest sky
    // stays far below this, while a list that is never cleared passes it
    // within a few stages.
    ASSERT_LE(explosions.size(), 600U) << "frame " << frame;
    ASSERT_GE(game.hi_score, game.score);
  }
  std::ostringstream played;
  for (int s : stages_played) played << s << ' ';
  for (int s = 1; s <= last_stage; ++s) {
    EXPECT_EQ(stages_played.count(s), 1U) << "stage " << s << " never played; played: "
                                         << played.str();
  }
  EXPECT_GE(games, 3);
  RecordProperty("games", games);
  RecordProperty("most_explosions", static_cast<int>(most_explosions));
  shut_down();
}

}  // namespace
}  // namespace sky
