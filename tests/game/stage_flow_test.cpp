// The course of a game through whole frames: new game, the timed phases, the
// stage end with its bonus, the loss of the last city and the way back to the
// attract pages.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "game/asset_ids.h"
#include "game/world.h"
#include "platform/clock.h"
#include "platform/headless.h"
#include "platform/random.h"
#include "tests/game/stand_in_sprites.h"
#include "tests/support/world_fixture.h"

namespace sky {
namespace {

namespace headless = platform::headless;
using testing::run_frames;

class StageFlowTest : public testing::WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    testing::install_stand_in_sprites();
    platform::random_seed(11);
    headless::set_mouse(300, 100, false, false);
  }
  // A game in play with full cannons and three cities.
  static void playing(int wave_size) {
    game.mode = GameMode::Playing;
    game.wave_size = wave_size;
    left_cannon.ammo = 20;
    right_cannon.ammo = 20;
  }
  // A meteor between the cities that passes the ground line in the next pass.
  static void last_meteor_on_the_ground() {
    Meteor& m = meteors.append();
    m = Meteor{400.0F, 450.0F, 400.0F, 460.0F, 0.0F, 1.0F, 1.0F, 0, -1, 1, 1};
  }
  // Frames until the mode changes (at most limit); returns how many ran.
  static int frames_until_mode_changes(int limit) {
    const GameMode start = game.mode;
    for (int n = 1; n <= limit; ++n) {
      run_frames(1);
      if (game.mode != start) return n;
    }
    return -1;
  }
};

// A left click on any attract page starts a game; in the game's own pages it
// does nothing.
TEST_F(StageFlowTest, LeftButtonStartsAGameOnlyFromAnAttractPage) {
  struct Case {
    GameMode mode;
    bool starts;
  };
  const Case cases[] = {
      {GameMode::TodaysBestPage, true},   {GameMode::CreditsPage, true},
      {GameMode::MusicCreditsPage, true}, {GameMode::ThanksPage, true},
      {GameMode::GetReady, false},        {GameMode::MissionComplete, false},
      {GameMode::GameOver, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(value(c.mode));
    testing::fresh_world();
    SetUp();
    game.mode = c.mode;
    game.deadline = platform::deadline_in(1000000);
    game.stage = 7;
    game.score = 990;
    for (City& city : cities) city.upright = 0;
    ground_sites[1] = GroundSite{23, 313, 5, 3, SiteState::Burning};
    headless::set_mouse(300, 100, true, false);
    run_frames(1);
    EXPECT_EQ(game.mode, c.starts ? GameMode::GetReady : c.mode);
    if (!c.starts) continue;
    EXPECT_EQ(game.stage, 1);
    EXPECT_EQ(game.score, 0);
    EXPECT_EQ(left_cannon.ammo, 20);
    EXPECT_EQ(right_cannon.ammo, 20);
    for (const City& city : cities) EXPECT_EQ(city.upright, 1);
    for (const GroundSite& site : ground_sites) EXPECT_EQ(site.state, SiteState::Intact);
    // A fire that was still running keeps its picture and tick.
    EXPECT_EQ(ground_sites[1].frame, 5);
    EXPECT_EQ(ground_sites[1].tick, 3);
    EXPECT_TRUE(shells.empty()) << "no shot in the frame that starts the game";
  }
}

// Each timed phase ends in the first frame in which the tick count is past
// its deadline plus the phase's length.
TEST_F(StageFlowTest, TimedPhasesEndJustAfterTheirLength) {
  struct Case {
    GameMode mode;
    std::uint32_t length;
    GameMode next;
  };
  const Case cases[] = {
      {GameMode::GetReady, 4000, GameMode::Playing},
      {GameMode::MissionComplete, 6000, GameMode::GetReady},
      {GameMode::GameOver, 6000, GameMode::TodaysBestPage},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(value(c.mode));
    testing::fresh_world();
    SetUp();
    headless::set_auto_advance(false);
    headless::set_ticks(50000);
    game.mode = c.mode;
    game.deadline = platform::deadline_in(0);
    headless::set_ticks(50000 + c.length);
    run_frames(1);
    EXPECT_EQ(game.mode, c.mode);
    headless::set_ticks(50000 + c.length + 1);
    run_frames(1);
    EXPECT_EQ(game.mode, c.next);
  }
}

// Play begins with empty lists, the release clock at 0 and the wave of the
// stage: entry 10 of the table from stage 10 on.
TEST_F(StageFlowTest, PlayBeginsWithTheStagesWave) {
  struct Case {
    int stage, size;
  };
  const Case cases[] = {{1, 20}, {2, 23}, {9, 50}, {10, 55}, {11, 55}, {40, 55}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stage);
    game.mode = GameMode::GetReady;
    game.stage = c.stage;
    game.deadline = platform::deadline_in(-5000);
    game.release_clock = 77;
    shells.append().alive = 1;
    explosions.append().alive = 1;
    run_frames(1);
    EXPECT_EQ(game.mode, GameMode::Playing);
    EXPECT_EQ(game.wave_size, c.size);
    EXPECT_EQ(meteors.size(), static_cast<std::size_t>(c.size));
    EXPECT_TRUE(shells.empty());
    EXPECT_TRUE(explosions.empty());
    EXPECT_EQ(game.release_clock, 0);
  }
}

// The stage ends one frame after its last meteor went, with 75 per upright
// city and 5 per unspent shell: 425 with three cities and 40 shells.
TEST_F(StageFlowTest, StageEndsOneFrameAfterItsLastMeteorWithTheBonus) {
  playing(1);
  game.score = 100;
  last_meteor_on_the_ground();
  explosions.append() = Explosion{300, 100, 3, 0, 1};
  run_frames(1);
  EXPECT_EQ(meteors[0].alive, 0);
  EXPECT_EQ(game.mode, GameMode::Playing);
  headless::clear_played_sounds();
  run_frames(1);
  EXPECT_EQ(game.mode, GameMode::MissionComplete);
  EXPECT_EQ(game.score, 100 + 425);
  EXPECT_EQ(game.stage, 2);
  EXPECT_TRUE(meteors.empty());
  EXPECT_EQ(explosions.size(), 1U) << "explosions burn on";
  EXPECT_EQ(headless::played_sounds(), std::vector<int>{id(SoundId::WaveCleared)});
}

// A city struck by the last meteor still counts while its fire has not
// reached the picture at which it falls; it falls during the next page.
TEST_F(StageFlowTest, BurningCityStillEarnsItsBonusUntilItFalls) {
  playing(1);
  Meteor& m = meteors.append();
  m = Meteor{290.0F, 379.0F, 290.0F, 460.0F, 0.0F, 1.0F, 1.0F, 0, -1, 1, 1};
  left_cannon.ammo = 3;
  right_cannon.ammo = 0;
  run_frames(2);
  ASSERT_EQ(ground_sites[2].state, SiteState::Burning);
  EXPECT_EQ(game.mode, GameMode::MissionComplete);
  EXPECT_EQ(game.score, 3 * 75 + 3 * 5);
  run_frames(60);
  EXPECT_EQ(game.cities_upright, 2);
  EXPECT_EQ(game.mode, GameMode::MissionComplete);
}

// When the last city's flag falls in the frame before the stage ends, the
// stage end comes first and the game goes on: MissionComplete and GetReady
// run their course and the game is lost in the first frame of the next
// stage's play.
TEST_F(StageFlowTest, StageEndComesBeforeTheLossOfTheLastCity) {
  playing(1);
  cities[0].upright = 0;
  cities[2].upright = 0;
  ground_sites[1].state = SiteState::Gone;
  ground_sites[3].state = SiteState::Gone;
  // City 1's fire is one frame from the picture at which the city falls.
  ground_sites[2] = GroundSite{239, 292, 7, 6, SiteState::Burning};
  last_meteor_on_the_ground();
  run_frames(1);
  EXPECT_EQ(cities[1].upright, 0);
  run_frames(1);
  EXPECT_EQ(game.mode, GameMode::MissionComplete);
  EXPECT_EQ(game.cities_upright, 0);
  EXPECT_EQ(game.score, 75 + 40 * 5);

  EXPECT_GT(frames_until_mode_changes(1000), 0);
  EXPECT_EQ(game.mode, GameMode::GetReady);
  EXPECT_GT(frames_until_mode_changes(1000), 0);
  EXPECT_EQ(game.mode, GameMode::Playing);
  EXPECT_EQ(meteors.size(), 23U);
  run_frames(1);
  EXPECT_EQ(game.mode, GameMode::GameOver);
  EXPECT_EQ(game.stage, 2);
}

// The game is lost in the first frame in which the city pass finds no city
// during play; the cannons play no part in it.
TEST_F(StageFlowTest, GameIsLostWhenNoCityStands) {
  playing(2);
  meteors.append() = Meteor{100.0F, -60.0F, 100.0F, 460.0F, 0.0F, 1.0F, 1.0F, 0, 1000, 0, 1};
  ground_sites[0].state = SiteState::Gone;
  ground_sites[4].state = SiteState::Gone;
  left_cannon.ammo = 0;
  right_cannon.ammo = 0;
  run_frames(5);
  EXPECT_EQ(game.mode, GameMode::Playing) << "no cannon, but cities stand";
  for (City& city : cities) city.upright = 0;
  run_frames(1);
  EXPECT_EQ(game.mode, GameMode::GameOver);
  EXPECT_EQ(game.cities_upright, 0);
}

// At the end of GameOver the score enters today's best and the attract pages
// return; a left button still held then starts the next game at once.
TEST_F(StageFlowTest, HeldButtonAtTheEndOfGameOverStartsTheNextGame) {
  game.mode = GameMode::GameOver;
  game.deadline = platform::deadline_in(-6001);
  game.score = 5000;
  game.hi_score = 5000;
  game.stage = 6;
  game.page_scroll_y = 17;
  meteors.append() = Meteor{100.0F, -60.0F, 100.0F, 460.0F, 0.0F, 1.0F, 1.0F, 0, 1000, 0, 1};
  shells.append() = Shell{500.0F, 100.0F, 0.0F, 0.0F, 0.0F, 0.0F, 0.0F, 1};
  explosions.append().alive = 1;
  headless::set_mouse(300, 100, true, false);
  run_frames(1);
  EXPECT_EQ(game.mode, GameMode::TodaysBestPage);
  EXPECT_EQ(todays_best[0], "005000");
  EXPECT_EQ(game.hi_score, 5000);
  EXPECT_EQ(game.page_scroll_y, 480);
  EXPECT_TRUE(meteors.empty());
  EXPECT_TRUE(shells.empty());
  EXPECT_TRUE(explosions.empty());
  EXPECT_EQ(game.score, 5000) << "the last score stays until the next game";
  run_frames(1);
  EXPECT_EQ(game.mode, GameMode::GetReady);
  EXPECT_EQ(game.stage, 1);
  EXPECT_EQ(game.score, 0);
}

// After a game the first attract page starts 5 s late, so it stays about 15 s.
TEST_F(StageFlowTest, FirstAttractPageAfterAGameStartsFiveSecondsLate) {
  headless::set_auto_advance(false);
  headless::set_ticks(20000);
  game.mode = GameMode::GameOver;
  game.deadline = platform::deadline_in(-6001);
  run_frames(1);
  ASSERT_EQ(game.mode, GameMode::TodaysBestPage);
  EXPECT_EQ(game.deadline, 25000);
}

// Refill at the end of MissionComplete: an intact cannon gets 20 whatever it
// held; a lost one keeps 0.
TEST_F(StageFlowTest, RefillSkipsALostCannon) {
  game.mode = GameMode::MissionComplete;
  game.deadline = platform::deadline_in(-6001);
  ground_sites[left_site].state = SiteState::Gone;
  left_cannon.ammo = 0;
  right_cannon.ammo = 3;
  run_frames(1);
  EXPECT_EQ(game.mode, GameMode::GetReady);
  EXPECT_EQ(left_cannon.ammo, 0);
  EXPECT_EQ(right_cannon.ammo, 20);
}

// The high score follows the score in the frame it is earned; an equal score
// changes nothing.
TEST_F(StageFlowTest, HighScoreFollowsTheScore) {
  game.mode = GameMode::TodaysBestPage;
  game.deadline = platform::deadline_in(1000000);
  game.hi_score = 4855;
  game.score = 4855;
  run_frames(1);
  EXPECT_EQ(game.hi_score, 4855);
  game.score = 4856;
  run_frames(1);
  EXPECT_EQ(game.hi_score, 4856);
}

}  // namespace
}  // namespace sky
