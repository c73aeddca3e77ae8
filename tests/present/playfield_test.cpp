// The cross-hair, the hills with the ammunition rows, and the HUD line.
#include <gtest/gtest.h>

#include "game/world.h"
#include "platform/pictures.h"
#include "present/playfield.h"
#include "tests/present/sheets.h"
#include "tests/support/world_fixture.h"

namespace sky {
namespace {

using testing::read_text;
using testing::region_black;
using testing::sprite_at;

constexpr int cursor_bright = id(SpriteId::CursorBright);
constexpr int cursor_dim = id(SpriteId::CursorDim);
constexpr int ground = id(SpriteId::GroundStrip);
constexpr int ammo_round = id(SpriteId::AmmoRound);

class PlayfieldTest : public testing::WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    testing::install_screen_sprites();
    platform::clear_screen(0);
  }
};

// The cross-hair shows only while mode is below 3, its picture picked by the
// blink phase.
TEST_F(PlayfieldTest, CrossHairInTheGameModesOnly) {
  game.cursor_x = 200;
  game.cursor_y = 150;
  for (int mode = 0; mode <= 7; ++mode) {
    for (int blink = 0; blink <= 1; ++blink) {
      platform::clear_screen(0);
      game.mode = static_cast<GameMode>(mode);
      game.blink_phase = blink;
      draw_cross_hair();
      if (mode < 3) {
        EXPECT_EQ(sprite_at(200, 150), blink == 0 ? cursor_bright : cursor_dim) << mode;
        EXPECT_EQ(sprite_at(231, 181), blink == 0 ? cursor_bright : cursor_dim) << mode;
        EXPECT_TRUE(region_black(232, 150, 10, 40)) << mode;
      } else {
        EXPECT_TRUE(region_black(0, 0, 640, 480)) << "mode " << mode;
      }
    }
  }
}

TEST_F(PlayfieldTest, CrossHairAtItsLimitEndsOnTheLastColumnAndRow) {
  game.mode = GameMode::Playing;
  game.cursor_x = 608;
  game.cursor_y = 320;
  draw_cross_hair();
  EXPECT_EQ(sprite_at(608, 320), cursor_bright);
  EXPECT_EQ(sprite_at(639, 351), cursor_bright);
  EXPECT_TRUE(region_black(608, 352, 32, 10));
}

// The hills in every mode; one icon per shell, the left row growing rightwards
// from x 5 and the right row leftwards from x 625, only on the game screen.
TEST_F(PlayfieldTest, HillsAndAmmunitionRows) {
  struct Case {
    int mode, left, right;
    int left_shown, right_shown;
  };
  const Case cases[] = {
      {0, 20, 20, 20, 20}, {1, 3, 0, 3, 0},   {2, 0, 1, 0, 1},
      {3, 7, 12, 7, 12},   {4, 20, 20, 0, 0}, {7, 5, 5, 0, 0},
  };
  for (const Case& c : cases) {
    platform::clear_screen(0);
    game.mode = static_cast<GameMode>(c.mode);
    left_cannon.ammo = c.left;
    right_cannon.ammo = c.right;
    draw_ground();
    EXPECT_TRUE(region_black(0, 384, 640, 1)) << c.mode;
    EXPECT_EQ(sprite_at(0, 385), ground) << c.mode;
    EXPECT_EQ(sprite_at(320, 479), ground) << c.mode;
    for (int i = 0; i < 20; ++i) {
      const int left_expected = i < c.left_shown ? ammo_round : ground;
      const int right_expected = i < c.right_shown ? ammo_round : ground;
      EXPECT_EQ(sprite_at(5 + 10 * i, 462), left_expected) << "mode " << c.mode << " icon " << i;
      EXPECT_EQ(sprite_at(5 + 10 * i + 9, 476), left_expected)
          << "mode " << c.mode << " icon " << i;
      EXPECT_EQ(sprite_at(625 - 10 * i, 462), right_expected) << "mode " << c.mode << " icon " << i;
      EXPECT_EQ(sprite_at(625 - 10 * i + 9, 476), right_expected)
          << "mode " << c.mode << " icon " << i;
    }
    EXPECT_EQ(sprite_at(4, 470), ground) << c.mode;
    EXPECT_EQ(sprite_at(635, 470), ground) << c.mode;
    EXPECT_EQ(sprite_at(5, 461), ground) << c.mode;
    EXPECT_EQ(sprite_at(5, 477), ground) << c.mode;
  }
}

// The whole HUD line of a frame on the first attract page: the default high
// score reads 004855 under "TOP".
TEST_F(PlayfieldTest, HudLineInAWholeFrame) {
  game.score = 120;
  testing::run_frames(1);
  EXPECT_EQ(read_text(letter_font, 10, 10, 20, 5), "SCORE");
  EXPECT_EQ(read_text(digit_font, 130, 5, 22, 6), "000120");
  EXPECT_EQ(read_text(letter_font, 410, 10, 20, 3), "TOP");
  EXPECT_EQ(read_text(digit_font, 490, 5, 22, 6), "004855");
  // The cells cover x 10 to 114, 130 to 261, 410 to 474 and 490 to 621.
  EXPECT_TRUE(region_black(0, 0, 640, 5));
  EXPECT_TRUE(region_black(0, 0, 10, 50));
  EXPECT_TRUE(region_black(115, 0, 15, 50));
  EXPECT_TRUE(region_black(262, 0, 148, 50));
  EXPECT_TRUE(region_black(475, 0, 15, 50));
  EXPECT_TRUE(region_black(622, 0, 18, 50));
  EXPECT_TRUE(region_black(0, 49, 640, 20));
}

// A score above the high score shows as the same number under "TOP" in the
// very frame in which it is earned; an equal score changes nothing.
TEST_F(PlayfieldTest, HighScoreFollowsTheScoreInTheSameFrame) {
  struct Case {
    int score, hi_score;
    const char* top;
  };
  const Case cases[] = {{5000, 4855, "005000"}, {4855, 4855, "004855"}, {100, 4855, "004855"}};
  for (const Case& c : cases) {
    game.score = c.score;
    game.hi_score = c.hi_score;
    testing::run_frames(1);
    EXPECT_EQ(read_text(digit_font, 490, 5, 22, 6), c.top) << c.score;
    EXPECT_EQ(game.hi_score, c.score > c.hi_score ? c.score : c.hi_score);
  }
}

}  // namespace
}  // namespace sky
