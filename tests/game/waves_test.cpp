// Building the waves: the order and ranges of the random draws of every stage
// rule, with scripted random values.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "game/waves.h"
#include "game/world.h"
#include "platform/clock.h"
#include "platform/headless.h"
#include "platform/random.h"
#include "tests/support/world_fixture.h"

namespace sky {
namespace {

namespace headless = platform::headless;
using testing::WorldTest;

constexpr int sentinel = 12345;

// The heading of a meteor aimed from x to target_x over the 520 pixels from
// y -60 to y 460, turned with 0.0175 per degree instead of pi/180.
void expect_heading(const Meteor& m) {
  const double exact = std::atan((m.target_x - m.x) / 520.0);
  const double lean = exact * (180.0 / M_PI) * 0.0175;
  EXPECT_NEAR(m.dx, std::sin(lean) * m.speed, 1e-5);
  EXPECT_NEAR(m.dy, std::cos(lean) * m.speed, 1e-5);
}

struct WaveCase {
  const char* what;
  int stage;
  std::vector<int> draws;  // every draw the meteor makes, in order
  float x, target_x, speed;
  int kind, release_tick;
};

// Each case scripts exactly the draws its rule makes: a sentinel after them
// must be the next value drawn.
TEST_F(WorldTest, EachStageRuleDrawsInItsOrder) {
  const float* s = stage_speeds.data();
  const WaveCase cases[] = {
      // stage 1..4: x, site, speed, kind, release
      {"1 low ends", 1, {0, 3, 0, 0, 0}, 10, 10, s[0], 0, 1},
      {"1 high ends", 1, {580, 0, 1, 2, 100}, 590, 590, s[1], 2, 101},
      {"2", 2, {5, 4, 2, 1, 150}, 15, 15, s[2], 1, 151},
      {"3", 3, {7, 1, 3, 0, 160}, 17, 17, s[3], 0, 161},
      {"4 kind 3 keeps its speed", 4, {20, 2, 3, 3, 175}, 30, 30, s[4], 3, 176},
      {"4 lowest speed", 4, {20, 2, 0, 0, 0}, 30, 30, s[1], 0, 1},
      // stage 5: x, site, speed, small test, kind, release
      {"5 small", 5, {90, 0, 0, 8, 2, 180}, 100, 100, s[2], 5, 181},
      {"5 not small", 5, {90, 0, 2, 7, 2, 0}, 100, 100, s[4], 2, 1},
      // stage 6 and 7: x, site, aim, speed, small, kind, [small speed], release
      {"6 aimed at city 1", 6, {100, 2, 3, 0, 0, 1, 0}, 279, 279, s[3], 1, 1},
      {"6 aimed at site 0: shifted", 6, {100, 0, 3, 3, 0, 0, 185}, 5, -35, s[6], 0, 186},
      {"6 site 0 unaimed: shifted", 6, {100, 0, 2, 0, 0, 0, 0}, 150, 110, s[3], 0, 1},
      {"6 small one step faster", 6, {200, 1, 0, 0, 8, 0, 3, 9}, 210, 210, s[7], 3, 10},
      {"7 small slower", 7, {200, 4, 3, 2, 4, 1, 0, 190}, 581, 581, s[7], 4, 191},
      {"7 large", 7, {200, 4, 0, 0, 3, 2, 5}, 210, 210, s[8], 2, 6},
      // stage 8: x, site, aim, retarget, speed, small, kind, [small speed], release
      {"8 retargeted", 8, {200, 3, 0, 8, 0, 0, 2, 195}, 210, 508, s[8], 2, 196},
      {"8 site 0 shifted 50", 8, {0, 0, 0, 0, 1, 0, 1, 0}, 60, 10, s[9], 1, 1},
      {"8 aimed at site 0", 8, {0, 0, 3, 0, 2, 4, 2, 1, 3}, 15, -35, s[10], 5, 4},
      // stage 9 on: small ones take the top speed without a draw
      {"9 aimed, retargeted, small", 9, {300, 4, 2, 2, 0, 1, 0, 200}, 581, 581, s[11], 3, 201},
      {"9 retargeted from a random x", 9, {300, 2, 0, 2, 1, 0, 1, 0}, 310, 279, s[10], 1, 1},
      {"9 site 0 unaimed", 9, {580, 0, 1, 1, 0, 0, 0, 0}, 640, 590, s[9], 0, 1},
      {"12 uses the rule of 9", 12, {300, 1, 2, 0, 1, 1, 2, 7}, 63, 63, s[11], 5, 8},
  };
  for (const WaveCase& c : cases) {
    SCOPED_TRACE(c.what);
    meteors.clear();
    game.wave_size = 1;
    std::vector<int> script = c.draws;
    script.push_back(sentinel);
    headless::script_random(script);
    build_wave(c.stage);
    EXPECT_EQ(platform::random(100000), sentinel) << "wrong number of draws";
    ASSERT_EQ(meteors.size(), 1U);
    const Meteor& m = meteors[0];
    EXPECT_EQ(m.x, c.x);
    EXPECT_EQ(m.y, -60.0F);
    EXPECT_EQ(m.target_x, c.target_x);
    EXPECT_EQ(m.target_y, 460.0F);
    EXPECT_EQ(m.speed, c.speed);
    EXPECT_EQ(m.kind, c.kind);
    EXPECT_EQ(m.release_tick, c.release_tick);
    EXPECT_EQ(m.launched, 0);
    EXPECT_EQ(m.alive, 1);
    if (c.x == c.target_x) {
      EXPECT_EQ(m.dx, 0.0F);
      EXPECT_EQ(m.dy, m.speed);
    } else {
      expect_heading(m);
    }
  }
}

// Over many meteors from the seeded generator every stage stays inside its
// ranges: start points, release ticks, kinds and speeds.
TEST_F(WorldTest, WavesStayWithinTheirRanges) {
  struct Range {
    int stage;
    float max_x;
    int max_release;
    std::set<float> large_speeds, small_speeds;
    bool has_small;
  };
  const float* s = stage_speeds.data();
  const Range ranges[] = {
      {1, 590, 101, {s[0], s[1]}, {}, false},
      {3, 590, 161, {s[0], s[1], s[2], s[3]}, {}, false},
      {4, 590, 176, {s[1], s[2], s[3], s[4]}, {s[1], s[2], s[3], s[4]}, true},
      {5, 590, 181, {s[2], s[3], s[4]}, {s[2], s[3], s[4]}, true},
      {6, 630, 186, {s[3], s[4], s[5], s[6]}, {s[4], s[5], s[6], s[7]}, true},
      {7, 630, 191, {s[8], s[9], s[10]}, {s[7], s[8], s[9]}, true},
      {8, 640, 196, {s[8], s[9], s[10]}, {s[9], s[10]}, true},
      {9, 640, 201, {s[9], s[10]}, {s[11]}, true},
      {30, 640, 201, {s[9], s[10]}, {s[11]}, true},
  };
  platform::random_seed(7);
  for (const Range& r : ranges) {
    SCOPED_TRACE("stage " + std::to_string(r.stage));
    meteors.clear();
    game.wave_size = 3000;
    build_wave(r.stage);
    ASSERT_EQ(meteors.size(), 3000U);
    int small = 0;
    for (const Meteor& m : meteors) {
      ASSERT_GE(m.x, r.stage >= 6 ? 5.0F : 10.0F);
      ASSERT_LE(m.x, r.max_x);
      ASSERT_GE(m.release_tick, 1);
      ASSERT_LE(m.release_tick, r.max_release);
      ASSERT_GE(m.kind, 0);
      ASSERT_LE(m.kind, 5);
      const bool is_small = m.kind > 2;
      small += is_small;
      ASSERT_TRUE((is_small ? r.small_speeds : r.large_speeds).count(m.speed) == 1)
          << "speed " << m.speed << " kind " << m.kind;
    }
    EXPECT_EQ(small > 0, r.has_small);
    // From stage 9 on about half of the meteors are small.
    if (r.stage >= 9) {
      EXPECT_GT(small, 1300);
      EXPECT_LT(small, 1700);
    }
  }
}

}  // namespace
}  // namespace sky
