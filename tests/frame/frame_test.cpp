// Whole frames of the game loop on the headless platform.
#include <gtest/gtest.h>

#include "game/world.h"
#include "platform/clock.h"
#include "platform/headless.h"
#include "shell/program.h"
#include "tests/support/temp_dir.h"

namespace sky {
namespace {

namespace headless = platform::headless;
using platform::Key;

class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    headless::reset();
    ASSERT_TRUE(start_up());
  }
  testing::TempDir dir_;
};

// The game clamps its own copy of the pointer: after the pointer went below
// y 320 (or right of x 608) it must come back inside before the cross-hair
// moves again.
TEST_F(FrameTest, CursorClampAndComingBackInside) {
  struct Step {
    int mouse_x, mouse_y, cursor_x, cursor_y;
  };
  const Step steps[] = {
      {100, 100, 100, 100}, {639, 479, 608, 320}, {620, 400, 608, 320},
      {620, 300, 608, 300}, {600, 400, 600, 320}, {0, 0, 0, 0},
  };
  for (const Step& s : steps) {
    headless::set_mouse(s.mouse_x, s.mouse_y, false, false);
    run_frame();
    EXPECT_EQ(game.cursor_x, s.cursor_x) << "mouse " << s.mouse_x << "," << s.mouse_y;
    EXPECT_EQ(game.cursor_y, s.cursor_y) << "mouse " << s.mouse_x << "," << s.mouse_y;
  }
}

TEST_F(FrameTest, CooldownRunsDownOncePerFrameAndStopsAtZero) {
  game.fire_cooldown = 2;
  run_frame();
  EXPECT_EQ(game.fire_cooldown, 1);
  run_frame();
  run_frame();
  EXPECT_EQ(game.fire_cooldown, 0);
}

// Escape counts when it is found released; the frame still runs to its end
// and is presented.
TEST_F(FrameTest, EscapeReleasedEndsTheLoopAfterThePresent) {
  headless::set_key(Key::Escape, true);
  run_frame();
  EXPECT_EQ(game.quit_requested, 0);
  const int presented = headless::presented_frames();
  headless::set_key(Key::Escape, false);
  run_frame();
  EXPECT_EQ(game.quit_requested, 1);
  EXPECT_EQ(headless::presented_frames(), presented + 1);
}

TEST_F(FrameTest, CloseRequestEndsTheLoopInBothModes) {
  for (int full_screen : {0, 1}) {
    game.quit_requested = 0;
    game.full_screen = full_screen;
    headless::reset();
    ASSERT_TRUE(start_up());
    game.full_screen = full_screen;
    run_frame();
    EXPECT_EQ(game.quit_requested, 0);
    headless::request_close();
    run_frame();
    EXPECT_EQ(game.quit_requested, 1) << "full_screen " << full_screen;
  }
}

// P pauses at once and resumes only after P has been pressed and released
// again. Nothing is presented meanwhile, Escape is not tested, and the tick
// count runs on.
TEST_F(FrameTest, PauseWaitsForASecondPressOfP) {
  run_frame();
  const int presented = headless::presented_frames();
  const int snapshots = headless::keyboard_snapshots();
  // Snapshot 1 (the frame's own): P down. Frame 2: P up, so the pause starts;
  // then the pause polls: up, up, down, down, up (released again).
  headless::script_key_presses(Key::P, {true, false, false, false, true, true, false});
  headless::script_key_presses(Key::Escape, {false, false, true, false, false, false, false});
  const std::uint32_t before = platform::ticks_ms();
  run_frame();
  EXPECT_EQ(headless::presented_frames(), presented + 1);
  run_frame();
  EXPECT_EQ(headless::presented_frames(), presented + 2);
  EXPECT_EQ(headless::keyboard_snapshots(), snapshots + 7);
  EXPECT_GE(platform::ticks_ms() - before, 5U);  // the pause slept between polls
  run_frame();
  EXPECT_EQ(game.quit_requested, 0);  // Escape during the pause did nothing
}

TEST_F(FrameTest, AttractFramesDrawOnlyBlackWithoutArtAndKeepTheMode) {
  for (int i = 0; i < 10; ++i) run_frame();
  EXPECT_EQ(game.mode, GameMode::TodaysBestPage);
  EXPECT_EQ(headless::presented_frames(), 10);
}

}  // namespace
}  // namespace sky
