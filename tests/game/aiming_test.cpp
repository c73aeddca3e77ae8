// Aiming and firing: the angle procedure, the barrels, firing with held
// buttons, shell flight and bursts.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "game/aiming.h"
#include "game/asset_ids.h"
#include "game/world.h"
#include "platform/headless.h"
#include "platform/pictures.h"
#include "tests/game/stand_in_sprites.h"
#include "tests/support/world_fixture.h"

namespace sky {
namespace {

namespace headless = platform::headless;
using testing::WorldTest;

TEST(AngleOfTest, EveryBranch) {
  struct Case {
    float dx, dy, angle;
  };
  const Case cases[] = {
      {0, 0, 0},
      {5, 0, 90},
      {-5, 0, -90},
      {0, 5, 0},
      {0, -5, 180},
      {1, 1, 45},
      {-1, 1, -45},
      {1, -1, 135},
      {-1, -1, -135},
      {3, 3000, 0.0573F},
      {-3, -3000, -179.9427F},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(angle_of(c.dx, c.dy), c.angle, 0.0005) << c.dx << "," << c.dy;
  }
  // Exactly 180 for a vector straight up, never -180.
  EXPECT_EQ(angle_of(0.0F, -1.0F), 180.0F);
}

// The shots of both cannons at the corners of the cursor's range, with every
// value to the decimals given.
TEST_F(WorldTest, WorkedShots) {
  struct Shot {
    bool left;
    int cursor_x, cursor_y;
    double a, dx, dx_tol, dy, dy_tol, angle;
    int rotation;
  };
  const Shot shots[] = {
      {true, 0, 0, 178.931, 0.0309, 5e-5, -2.99984, 5e-6, 1.069, 1},
      {true, 608, 0, 121.373, 2.5525, 5e-5, -1.5763, 5e-5, 58.627, 59},
      {true, 608, 320, 95.110, 2.9869, 5e-5, -0.2805, 5e-5, 84.890, 85},
      {false, 0, 0, -121.997, -2.5351, 5e-5, -1.6041, 5e-5, 301.997, 302},
      {false, 608, 0, -179.252, -0.0140, 5e-5, -2.99997, 5e-6, 359.252, 359},
      {false, 0, 320, -95.868, -2.9829, 5e-5, -0.3201, 5e-5, 275.868, 276},
  };
  for (const Shot& s : shots) {
    SCOPED_TRACE(std::string(s.left ? "left" : "right") + " cursor " + std::to_string(s.cursor_x) +
                 "," + std::to_string(s.cursor_y));
    Cannon& cannon = s.left ? left_cannon : right_cannon;
    const float a = angle_of(static_cast<float>(s.cursor_x) - cannon.pivot_x,
                             static_cast<float>(s.cursor_y) - cannon.pivot_y);
    EXPECT_NEAR(a, s.a, 5e-4);

    shells.clear();
    game.cursor_x = s.cursor_x;
    game.cursor_y = s.cursor_y;
    cannon.ammo = 20;
    fire_shell(cannon);
    ASSERT_EQ(shells.size(), 1U);
    const Shell& shell = shells[0];
    EXPECT_NEAR(shell.dx, s.dx, s.dx_tol);
    EXPECT_NEAR(shell.dy, s.dy, s.dy_tol);
    EXPECT_NEAR(shell.angle, s.angle, 5e-4);
    EXPECT_EQ(shell.x, cannon.pivot_x);
    EXPECT_EQ(shell.y, cannon.pivot_y);
    EXPECT_EQ(shell.target_x, static_cast<float>(s.cursor_x));
    EXPECT_EQ(shell.target_y, static_cast<float>(s.cursor_y));
    EXPECT_EQ(shell.alive, 1);
    EXPECT_EQ(cannon.ammo, 19);
    EXPECT_EQ(game.fire_cooldown, 20);

    game.prev_cursor_x = -1;
    update_aim();
    EXPECT_EQ(cannon.rotation, s.rotation);
  }
}

// Straight up the shell drifts left: the motion factor 0.0175 turns 180
// degrees into a little more than pi.
TEST_F(WorldTest, StraightUpShotDriftsLeft) {
  Cannon cannon{300.0F, 375.0F, 0, 1, 2};
  game.cursor_x = 300;
  game.cursor_y = 100;
  fire_shell(cannon);
  const Shell& shell = shells[0];
  EXPECT_EQ(shell.angle, 0.0F);
  EXPECT_NEAR(shell.dx, -0.0252, 5e-5);
  EXPECT_NEAR(shell.dy, -2.99989, 5e-6);
}

// Every cursor position the clamp allows is reached by the shells of both
// cannons: each shell bursts before it could leave the screen.
TEST_F(WorldTest, EveryReachablePointIsHitByBothCannons) {
  game.mode = GameMode::Playing;
  std::vector<int> xs, ys;
  for (int x = 0; x <= 608; x += 4) xs.push_back(x);
  for (int y = 0; y <= 320; y += 4) ys.push_back(y);
  xs.push_back(607);
  ys.push_back(319);
  int failures = 0;
  for (Cannon* cannon : {&left_cannon, &right_cannon}) {
    for (int x : xs) {
      for (int y : ys) {
        shells.clear();
        explosions.clear();
        game.cursor_x = x;
        game.cursor_y = y;
        cannon->ammo = 1;
        fire_shell(*cannon);
        for (int step = 0; step < 1000 && shells[0].alive == 1; ++step) shell_pass();
        const bool burst = explosions.size() == 1;
        if (!burst && ++failures <= 5) {
          ADD_FAILURE() << (cannon == &left_cannon ? "left" : "right") << " cannon misses " << x
                        << "," << y;
        }
      }
    }
  }
  EXPECT_EQ(failures, 0);
}

// One step of shell_pass: the move, the screen limits and the arrival window
// of 5 pixels, exclusive, on each axis.
TEST_F(WorldTest, ShellStepLosesOrBurstsTheShell) {
  struct Case {
    const char* what;
    float x, y, dx, dy, target_x, target_y;
    bool alive_after, bursts;
  };
  const Case cases[] = {
      {"flies on", 100, 100, 3, 0, 200, 100, true, false},
      {"window on both axes", 100, 100, 3, 0, 107.9F, 104.9F, false, true},
      {"x exactly 5 off", 100, 100, 3, 0, 108, 100, true, false},
      {"y exactly 5 off", 100, 100, 3, 0, 103, 95, true, false},
      {"leaves on the right", 639, 100, 3, 0, 700, 100, false, false},
      {"leaves at the top", 100, -9, 0, -3, 100, -100, false, false},
      {"leaves on the left", -9, 100, -3, 0, -100, 100, false, false},
      {"at the bottom it flies on", 100, 479, 0, 3, 100, 600, true, false},
      {"lost and bursting in one step", 639, 100, 3, 0, 645, 100, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    shells.clear();
    explosions.clear();
    headless::clear_played_sounds();
    Shell& s = shells.append();
    s = Shell{c.x, c.y, c.target_x, c.target_y, c.dx, c.dy, 0, 1};
    shell_pass();
    EXPECT_EQ(shells[0].x, c.x + c.dx);
    EXPECT_EQ(shells[0].y, c.y + c.dy);
    EXPECT_EQ(shells[0].alive, c.alive_after ? 1 : 0);
    EXPECT_EQ(explosions.size(), c.bursts ? 1U : 0U);
    EXPECT_EQ(headless::played_sounds(),
              c.bursts ? std::vector<int>{id(SoundId::Explosion)} : std::vector<int>{});
  }
}

// The burst is centred on the shell: its 128x128 picture starts 48 pixels up
// and left of the shell's 32x32 one, taken to the nearest even-rounded pixel.
TEST_F(WorldTest, BurstIsCentredOnTheShell) {
  Shell& s = shells.append();
  s = Shell{199.0F, 150.0F, 200.5F, 151.5F, 0.5F, 0.5F, 0, 1};
  shell_pass();
  ASSERT_EQ(explosions.size(), 1U);
  const Explosion& e = explosions[0];
  EXPECT_EQ(e.x, 152);  // 199.5 - 48 = 151.5 -> 152
  EXPECT_EQ(e.y, 102);  // 150.5 - 48 = 102.5 -> 102
  EXPECT_EQ(e.frame, 0);
  EXPECT_EQ(e.tick, 0);
  EXPECT_EQ(e.alive, 1);
}

class FiringTest : public WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    game.mode = GameMode::Playing;
    left_cannon.ammo = 20;
    right_cannon.ammo = 20;
    game.use_audio = 1;
    headless::set_mouse(300, 200, false, false);
  }
  // Frames in which a shell was fired from each cannon.
  struct Fired {
    std::vector<int> left, right;
  };
  Fired run(int frames) {
    Fired fired;
    for (int f = 1; f <= frames; ++f) {
      const int l = left_cannon.ammo;
      const int r = right_cannon.ammo;
      testing::run_frames(1);
      if (left_cannon.ammo < l) fired.left.push_back(f);
      if (right_cannon.ammo < r) fired.right.push_back(f);
    }
    return fired;
  }
};

TEST_F(FiringTest, BothButtonsHeldFireOnlyTheLeftCannonEvery20Frames) {
  headless::set_mouse(300, 200, true, true);
  const Fired fired = run(61);
  EXPECT_EQ(fired.left, (std::vector<int>{1, 21, 41, 61}));
  EXPECT_TRUE(fired.right.empty());
  EXPECT_EQ(shells.size(), 4U);
  int fire_sounds = 0;
  for (int sound : headless::played_sounds()) fire_sounds += sound == id(SoundId::Fire);
  EXPECT_EQ(fire_sounds, 4);
}

TEST_F(FiringTest, EmptyLeftCannonLeavesTheRightOneFiring) {
  left_cannon.ammo = 0;
  headless::set_mouse(300, 200, true, true);
  const Fired fired = run(21);
  EXPECT_TRUE(fired.left.empty());
  EXPECT_EQ(fired.right, (std::vector<int>{1, 21}));
}

TEST_F(FiringTest, LastShellThenNothing) {
  right_cannon.ammo = 1;
  headless::set_mouse(300, 200, false, true);
  const Fired fired = run(41);
  EXPECT_EQ(fired.right, (std::vector<int>{1}));
  EXPECT_EQ(right_cannon.ammo, 0);
}

TEST_F(FiringTest, NothingFiresOutsidePlay) {
  for (GameMode mode : {GameMode::GetReady, GameMode::MissionComplete, GameMode::GameOver}) {
    game.mode = mode;
    game.deadline = platform::deadline_in(100000);  // the phase does not end
    headless::set_mouse(300, 200, true, true);
    const Fired fired = run(3);
    EXPECT_TRUE(fired.left.empty()) << value(mode);
    EXPECT_TRUE(fired.right.empty()) << value(mode);
  }
  EXPECT_TRUE(shells.empty());
}

// The barrels follow the cursor only in frames in which it moved, and a lost
// cannon's barrel still turns although it is no longer drawn.
TEST_F(FiringTest, BarrelsFollowTheMovedCursorAndLostOnesAreNotDrawn) {
  testing::install_stand_in_sprites();
  headless::set_mouse(608, 0, false, false);
  testing::run_frames(1);
  EXPECT_EQ(left_cannon.rotation, 59);
  EXPECT_EQ(right_cannon.rotation, 359);
  left_cannon.rotation = 7;
  testing::run_frames(1);
  EXPECT_EQ(left_cannon.rotation, 7) << "recomputed without a move";

  // Barrel pixels at the pivots' centres: columns 12..19 of the picture.
  const auto barrel_at = [](int x, int y) {
    return platform::frame_buffer()[static_cast<std::size_t>(y * platform::screen_width + x)] ==
           0x909090U;
  };
  headless::set_mouse(-7 + 16, 0, false, false);  // both barrels near upright
  testing::run_frames(1);
  EXPECT_TRUE(barrel_at(-7 + 16, 375 + 16));
  EXPECT_TRUE(barrel_at(613 + 16, 383 + 16));
  ground_sites[right_site].state = SiteState::Gone;
  headless::set_mouse(0, 0, false, false);
  testing::run_frames(1);
  EXPECT_TRUE(barrel_at(-7 + 16, 375 + 16));
  EXPECT_FALSE(barrel_at(613 + 16, 383 + 16));
  EXPECT_EQ(right_cannon.rotation, 302);
}

}  // namespace
}  // namespace sky
