#include "game/waves.h"

#include <array>
#include <cmath>
#include <cstddef>

#include "game/aiming.h"
#include "game/world.h"
#include "platform/random.h"

namespace sky {
namespace {

constexpr float start_y = -60.0F;
constexpr float aim_y = 460.0F;
// The same degrees-to-radians factor as the shells' motion (0.0175, not
// pi/180): a slanted meteor leans 1.0027 times its exact angle.
constexpr float motion_radians_per_degree = 0.0175F;
constexpr int column_offset = 40;  // an aimed meteor falls down x = site x + 40
constexpr int fastest = 11;        // index of the top speed in stage_speeds

// S[random(range) + base].
struct SpeedDraw {
  int range = 0;
  int base = 0;
};

// How a small meteor's speed comes about once its kind is known.
enum class SmallSpeed {
  Keep,  // keeps the speed drawn before
  Draw,  // a new draw replaces it
  Top,   // takes the top speed without a draw
};

// One stage's rule. A test value v means "hit when random(v) == v"; 0 means
// the stage makes no such test (and no draw for it).
struct StageRule {
  int aim_test = 0;
  int shift = 0;
  int retarget_test = 0;
  SpeedDraw speed;
  int small_test = 0;
  int kind_range = 2;  // an ordinary kind is random(kind_range)
  SmallSpeed small_speed = SmallSpeed::Keep;
  SpeedDraw small_speed_draw;
  int release_range = 0;  // release_tick = random(release_range) + 1
};

// Stages 1 to 9; every stage beyond 9 uses the last rule.
constexpr std::array<StageRule, 9> rules = {{
    {0, 0, 0, {1, 0}, 0, 2, SmallSpeed::Keep, {}, 100},
    {0, 0, 0, {2, 0}, 0, 2, SmallSpeed::Keep, {}, 150},
    {0, 0, 0, {3, 0}, 0, 2, SmallSpeed::Keep, {}, 160},
    // random(3) can give kind 3, a small picture at the ordinary speed.
    {0, 0, 0, {3, 1}, 0, 3, SmallSpeed::Keep, {}, 175},
    {0, 0, 0, {2, 2}, 8, 2, SmallSpeed::Keep, {}, 180},
    {3, 40, 0, {3, 3}, 8, 2, SmallSpeed::Draw, {3, 4}, 185},
    {3, 40, 0, {2, 8}, 4, 2, SmallSpeed::Draw, {2, 7}, 190},
    {3, 50, 8, {2, 8}, 4, 2, SmallSpeed::Draw, {1, 9}, 195},
    {2, 50, 2, {1, 9}, 1, 2, SmallSpeed::Top, {}, 200},
}};

const StageRule& rule_for(int stage) {
  std::size_t index = stage < 1 ? 0 : static_cast<std::size_t>(stage - 1);
  if (index >= rules.size()) index = rules.size() - 1;
  return rules[index];
}

bool test(int value) {
  return value > 0 && platform::random(value) == value;
}

float speed_of(SpeedDraw draw) {
  return stage_speeds[static_cast<std::size_t>(platform::random(draw.range) + draw.base)];
}

float site_column(int site) {
  return static_cast<float>(ground_sites[static_cast<std::size_t>(site)].x + column_offset);
}

void build_meteor(Meteor& m, const StageRule& rule) {
  const int x = platform::random(580) + 10;
  m.x = static_cast<float>(x);
  m.target_x = m.x;
  // Drawn in every stage, also where no rule uses it, so the order of the
  // draws stays the same.
  const int target_site = platform::random(4);
  if (test(rule.aim_test)) {
    m.x = site_column(target_site);
    m.target_x = m.x;
  }
  // The shift applies to every meteor of site 0, aimed or not: an aimed one
  // then slants towards the left cannon's column from inside the screen.
  if (rule.shift != 0 && target_site == left_site) m.x += static_cast<float>(rule.shift);
  if (test(rule.retarget_test)) m.target_x = site_column(target_site);
  m.speed = speed_of(rule.speed);
  const bool small = test(rule.small_test);
  m.kind = small ? platform::random(2) + 3 : platform::random(rule.kind_range);
  if (m.kind > 2) {
    if (rule.small_speed == SmallSpeed::Draw) m.speed = speed_of(rule.small_speed_draw);
    if (rule.small_speed == SmallSpeed::Top) m.speed = stage_speeds[fastest];
  }
  m.release_tick = platform::random(rule.release_range) + 1;
  m.y = start_y;
  m.target_y = aim_y;
  const float a = angle_of(m.target_x - m.x, m.target_y - m.y);
  m.dx = std::sin(a * motion_radians_per_degree) * m.speed;
  m.dy = std::cos(a * motion_radians_per_degree) * m.speed;
  m.launched = 0;
  m.alive = 1;
}

}  // namespace

void build_wave(int stage) {
  const StageRule& rule = rule_for(stage);
  for (int i = 1; i <= game.wave_size; ++i) build_meteor(meteors.append(), rule);
}

}  // namespace sky
