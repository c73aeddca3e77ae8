// A whole game replayed through the real frame loop on the headless platform:
// a scripted player starts a game on the attract page and plays it through
// several stages to GAME OVER and back to the attract pages. The events of
// the run are compared with a trace kept in this folder.
//
// To record a trace anew after an intended change of the game's behaviour:
//   SKYWARD_RECORD=1 ctest --test-dir <build> -R Replay
// then review the change of the trace file in git before committing it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "game/world.h"
#include "platform/headless.h"
#include "platform/pictures.h"
#include "platform/random.h"
#include "shell/program.h"
#include "tests/game/stand_in_sprites.h"
#include "tests/replay/replay_support.h"
#include "tests/support/temp_dir.h"

namespace sky {
namespace {

namespace headless = platform::headless;

constexpr std::uint32_t seed = 20240601;
constexpr int frame_limit = 120000;
constexpr int attract_frames_at_the_end = 100;
constexpr int sprite_count = 23;

bool recording() {
  const char* value = std::getenv("SKYWARD_RECORD");
  return value != nullptr && std::string(value) == "1";
}

std::string trace_path(const std::string& name) {
  return std::string(SKYWARD_SOURCE_DIR) + "/tests/replay/" + name;
}

bool all_sprites_loaded() {
  for (int i = 0; i < sprite_count; ++i) {
    if (!platform::picture_exists(i)) return false;
  }
  return true;
}

// Plays one game from start-up; stand_in replaces the game's pictures by the
// stand-in ones after the start-up has loaded whatever exists.
std::vector<std::string> play_one_game(bool stand_in, bool& finished) {
  testing::TempDir dir;  // the settings file of the run lives here
  testing::ScriptedPlayer player;
  testing::TraceRecorder trace;
  finished = false;
  if (!start_up()) return {"start-up failed"};
  if (stand_in) testing::install_stand_in_sprites();
  platform::random_seed(seed);
  trace.start();
  bool game_over_seen = false;
  int back_on_attract = -1;
  int frame = 1;
  for (; frame <= frame_limit; ++frame) {
    const testing::PlayerInput in = player.next(frame);
    headless::set_mouse(in.x, in.y, in.left, in.right);
    run_frame();
    trace.after_frame(frame);
    if (game.mode == GameMode::GameOver) game_over_seen = true;
    if (game_over_seen && on_attract_page(game.mode)) {
      if (back_on_attract < 0) back_on_attract = frame;
      if (frame - back_on_attract >= attract_frames_at_the_end) break;
    }
  }
  finished = game_over_seen && back_on_attract > 0;
  trace.note("F" + std::to_string(frame) + " end score " + std::to_string(game.score) + " hi " +
             std::to_string(game.hi_score) + " best " + todays_best[0] + " " + todays_best[1] +
             " " + todays_best[2]);
  shut_down();
  return trace.lines();
}

void compare_with_trace(const std::string& name, const std::vector<std::string>& actual) {
  const std::string path = trace_path(name);
  if (recording()) {
    testing::write_trace(path, actual);
    std::cout << "recorded " << actual.size() << " lines to " << path << "\n";
    return;
  }
  const std::vector<std::string> expected = testing::read_trace(path);
  ASSERT_FALSE(expected.empty()) << "no trace at " << path << "; record it with SKYWARD_RECORD=1";
  const std::string difference = testing::trace_difference(expected, actual);
  if (difference.empty()) return;
  const std::string actual_path =
      (std::filesystem::temp_directory_path() / ("skyward-actual-" + name)).string();
  testing::write_trace(actual_path, actual);
  ADD_FAILURE() << difference << "whole actual trace: " << actual_path
                << "\nif the change is intended, record again with SKYWARD_RECORD=1";
}

class ReplayTest : public ::testing::Test {
 protected:
  void SetUp() override { headless::reset(); }
};

// The game's rules alone: stand-in pictures of the real sizes, so the trace
// does not change with the art.
TEST_F(ReplayTest, GameWithStandInPicturesFollowsItsTrace) {
  bool finished = false;
  const std::vector<std::string> lines = play_one_game(true, finished);
  EXPECT_TRUE(finished) << "the game did not end within " << frame_limit << " frames";
  compare_with_trace("stand_in_trace.txt", lines);
}

// The same game with the game's own pictures, whose shapes decide the hits.
TEST_F(ReplayTest, GameWithTheGamesPicturesFollowsItsTrace) {
  {
    testing::TempDir dir;
    ASSERT_TRUE(start_up());
    const bool loaded = all_sprites_loaded();
    shut_down();
    headless::reset();
    if (!loaded) {
      GTEST_SKIP() << "the game's pictures are not all loaded by load_assets() yet; this replay "
                      "is recorded once they are (SKYWARD_RECORD=1)";
    }
  }
  if (!recording() && !std::filesystem::exists(trace_path("replay_trace.txt"))) {
    GTEST_SKIP() << "the pictures are there but no trace has been recorded yet: run with "
                    "SKYWARD_RECORD=1 and commit tests/replay/replay_trace.txt";
  }
  bool finished = false;
  const std::vector<std::string> lines = play_one_game(false, finished);
  EXPECT_TRUE(finished) << "the game did not end within " << frame_limit << " frames";
  compare_with_trace("replay_trace.txt", lines);
}

}  // namespace
}  // namespace sky
