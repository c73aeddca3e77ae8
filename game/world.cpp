#include "game/world.h"

namespace sky {

GameState game;
Cannon left_cannon;
Cannon right_cannon;
std::array<GroundSite, 5> ground_sites;
std::array<City, 3> cities;
std::array<float, 12> stage_speeds;
std::array<std::int32_t, 11> wave_sizes;
std::array<std::string, 3> todays_best;
RecordList<Meteor> meteors;
RecordList<Shell> shells;
RecordList<Explosion> explosions;
RecordList<Star> stars;

void zero_world() {
  game = GameState{};
  left_cannon = Cannon{};
  right_cannon = Cannon{};
  ground_sites = {};
  cities = {};
  stage_speeds = {};
  wave_sizes = {};
  todays_best = {};
  meteors.clear();
  shells.clear();
  explosions.clear();
  stars.clear();
}

void initialise_world() {
  game.screen_title = "SKYWARD - Perimeter Sky Watch";
  game.shell_speed = 3;
  left_cannon.pivot_x = -7.0F;
  left_cannon.pivot_y = 375.0F;
  left_cannon.site = left_site;
  right_cannon.pivot_x = 613.0F;
  right_cannon.pivot_y = 383.0F;
  right_cannon.site = right_site;
  game.stage = 1;
  game.mode = GameMode::TodaysBestPage;
  game.page_scroll_y = 480;
  game.city_bonus = 75;
  game.ammo_bonus = 5;
  game.shell_hit_points = 10;
  game.blast_hit_points = 5;
  todays_best = {"000000", "000000", "000000"};
  stage_speeds = {0.5F, 0.6F, 0.7F, 0.8F, 0.9F, 1.0F, 1.2F, 1.4F, 1.6F, 2.0F, 2.2F, 2.5F};
  wave_sizes = {0, 20, 23, 26, 30, 35, 40, 44, 48, 50, 55};
  meteors.clear();
  shells.clear();
  explosions.clear();
  ground_sites = {GroundSite{-75, 265}, GroundSite{23, 313}, GroundSite{239, 292},
                  GroundSite{468, 274}, GroundSite{541, 265}};
  cities = {City{59, 382, 1}, City{271, 359, 1}, City{493, 356, 1}};
  stars.clear();
  // Room for the largest wave and a busy sky, so play rarely allocates.
  meteors.reserve(64);
  shells.reserve(64);
  explosions.reserve(256);
  stars.reserve(100);
}

void advance_beat() {
  game.frame_counter += 1;
  if (game.frame_counter > 8) {
    game.frame_counter = 0;
    game.release_clock += 1;
    game.blink_phase += 1;
    if (game.blink_phase > 1) game.blink_phase = 0;
    game.title_frame += 1;
    if (game.title_frame > 2) game.title_frame = 0;
  }
}

}  // namespace sky
