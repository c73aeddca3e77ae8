// The world model: every value of the game, global and alive for the whole
// run, and the record lists.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "game/record_list.h"
#include "platform/clock.h"

namespace sky {

using platform::Deadline;

enum class GameMode : std::int32_t {
  Playing = 0,
  GetReady = 1,
  MissionComplete = 2,
  GameOver = 3,
  TodaysBestPage = 4,
  CreditsPage = 5,
  MusicCreditsPage = 6,
  ThanksPage = 7,
};

constexpr int value(GameMode mode) { return static_cast<int>(mode); }
// Modes 0..3 show the game screen (meteors, cities, shells, barrels).
constexpr bool on_game_screen(GameMode mode) { return value(mode) < 4; }
// Modes 0..2 show the cross-hair.
constexpr bool shows_cross_hair(GameMode mode) { return value(mode) < 3; }
// Modes 4..7 are the attract pages.
constexpr bool on_attract_page(GameMode mode) { return value(mode) > 3; }

struct GameState {
  GameMode mode = GameMode::Playing;
  Deadline deadline = 0;
  std::int32_t frame_counter = 0;
  std::int32_t release_clock = 0;
  std::int32_t blink_phase = 0;
  std::int32_t title_frame = 0;
  std::int32_t twinkle_counter = 0;
  std::int32_t page_scroll_y = 0;
  std::int32_t stage = 0;
  std::int32_t score = 0;
  std::int32_t hi_score = 0;
  std::int32_t cities_upright = 0;
  std::int32_t wave_size = 0;
  std::int32_t fire_cooldown = 0;
  std::int32_t shell_speed = 0;
  std::int32_t cursor_x = 0;
  std::int32_t cursor_y = 0;
  std::int32_t prev_cursor_x = 0;
  std::int32_t prev_cursor_y = 0;
  std::int32_t city_bonus = 0;
  std::int32_t ammo_bonus = 0;
  std::int32_t shell_hit_points = 0;
  std::int32_t blast_hit_points = 0;
  std::int32_t quit_requested = 0;
  std::int32_t full_screen = 0;
  std::int32_t use_audio = 0;
  std::int32_t use_music = 0;
  std::string screen_title;
};

struct Cannon {
  float pivot_x = 0;  // top-left of the 32x32 barrel picture
  float pivot_y = 0;
  std::int32_t rotation = 0;  // degrees clockwise from straight up
  std::int32_t ammo = 0;
  std::int32_t site = 0;  // index into ground_sites
};

enum class SiteState : std::int32_t { Intact = 0, Burning = 1, Gone = 2 };

struct GroundSite {
  std::int32_t x = 0;  // top-left of the 160x150 fire picture
  std::int32_t y = 0;
  std::int32_t frame = 0;
  std::int32_t tick = 0;
  SiteState state = SiteState::Intact;
};

struct City {
  std::int32_t x = 0;  // top-left of the 94x87 city picture
  std::int32_t y = 0;
  std::int32_t upright = 0;
};

struct Meteor {
  float x = 0;
  float y = 0;
  float target_x = 0;
  float target_y = 0;
  float dx = 0;
  float dy = 0;
  float speed = 0;
  std::int32_t kind = 0;  // rock picture Meteor0 + kind
  std::int32_t release_tick = 0;
  std::int32_t launched = 0;
  std::int32_t alive = 0;
};

struct Shell {
  float x = 0;
  float y = 0;
  float target_x = 0;
  float target_y = 0;
  float dx = 0;
  float dy = 0;
  float angle = 0;  // picture rotation, degrees clockwise from up
  std::int32_t alive = 0;
};

struct Explosion {
  std::int32_t x = 0;  // top-left of the 128x128 picture
  std::int32_t y = 0;
  std::int32_t frame = 0;
  std::int32_t tick = 0;
  std::int32_t alive = 0;
};

struct Star {
  float x = 0;
  float y = 0;
  std::uint32_t colour1 = 0;  // packed red + 256 * green + 65536 * blue
  std::uint32_t colour2 = 0;
  std::uint32_t colour3 = 0;
  std::int32_t phase = 0;  // 0 dark, 1..3 the colours
};

inline constexpr int left_site = 0;
inline constexpr int right_site = 4;

extern GameState game;
extern Cannon left_cannon;
extern Cannon right_cannon;
extern std::array<GroundSite, 5> ground_sites;
extern std::array<City, 3> cities;
extern std::array<float, 12> stage_speeds;
extern std::array<std::int32_t, 11> wave_sizes;
extern std::array<std::string, 3> todays_best;
extern RecordList<Meteor> meteors;
extern RecordList<Shell> shells;
extern RecordList<Explosion> explosions;
extern RecordList<Star> stars;

// Every value back to zero and every list emptied (start-up's first step).
void zero_world();
// Start values of the world; mode starts on the first attract page.
void initialise_world();
// The 9-frame beat: every 9th frame the release clock, the blink phase and the
// title picture move on.
void advance_beat();

}  // namespace sky
