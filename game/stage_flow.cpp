#include "game/stage_flow.h"

#include <cstddef>

#include "game/asset_ids.h"
#include "game/effects.h"
#include "game/music.h"
#include "game/todays_best.h"
#include "game/waves.h"
#include "game/world.h"
#include "platform/clock.h"
#include "platform/pictures.h"

namespace sky {
namespace {

constexpr int full_load = 20;
constexpr int get_ready_ms = 4000;
constexpr int mission_complete_ms = 6000;
constexpr int game_over_ms = 6000;
constexpr int first_attract_page_delay_ms = 5000;
constexpr int largest_wave_entry = 10;

void restart_music(const char* file_name) {
  if (game.use_music == 0) return;
  stop_music();
  play_music(file_name);
}

void clear_lists() {
  shells.clear();
  explosions.clear();
  meteors.clear();
}

// The game music starts again from its beginning when stage 10, 20, 30, 40
// or 50 is reached.
bool restarts_music(int stage) {
  return stage % 10 == 0 && stage >= 10 && stage <= 50;
}

}  // namespace

void start_new_game(bool left_down) {
  if (!left_down || !on_attract_page(game.mode)) return;
  restart_music("game.xm");
  game.mode = GameMode::GetReady;
  game.stage = 1;
  game.score = 0;
  game.cities_upright = 3;
  for (City& city : cities) city.upright = 1;
  left_cannon.ammo = full_load;
  right_cannon.ammo = full_load;
  // A fire still running keeps its picture and tick: the site's next fire
  // starts from there.
  for (GroundSite& site : ground_sites) site.state = SiteState::Intact;
  game.deadline = platform::deadline_in(0);
}

void stage_end_check(int dead_count) {
  if (dead_count != game.wave_size || game.mode != GameMode::Playing) return;
  // Shells and explosions in flight stay and run on through the next pages.
  meteors.clear();
  play_effect(SoundId::WaveCleared);
  // The city count is the one made by the city pass of the previous frame:
  // a burning city that has not yet fallen still earns its points.
  game.score += game.cities_upright * game.city_bonus;
  game.score += (left_cannon.ammo + right_cannon.ammo) * game.ammo_bonus;
  game.mode = GameMode::MissionComplete;
  game.deadline = platform::deadline_in(0);
  game.stage += 1;
  if (restarts_music(game.stage)) restart_music("game.xm");
}

void city_pass() {
  game.cities_upright = 0;
  for (const City& city : cities) {
    if (city.upright == 0) continue;
    platform::draw_picture(id(SpriteId::CityImage), city.x, city.y);
    game.cities_upright += 1;
  }
  // Only a game in play is lost: a city that falls during MissionComplete or
  // GetReady ends the game in the first frame of the next stage's play.
  if (game.cities_upright == 0 && game.mode == GameMode::Playing) {
    if (game.use_music != 0) stop_music();
    game.mode = GameMode::GameOver;
    game.deadline = platform::deadline_in(0);
  }
}

void apply_high_score_rule() {
  if (game.score > game.hi_score) game.hi_score = game.score;
}

void end_get_ready_if_due() {
  if (!platform::phase_over(game.deadline, get_ready_ms)) return;
  clear_lists();
  game.release_clock = 0;
  game.mode = GameMode::Playing;
  const int entry =
      game.stage > largest_wave_entry ? largest_wave_entry : (game.stage < 1 ? 1 : game.stage);
  game.wave_size = wave_sizes[static_cast<std::size_t>(entry)];
  build_wave(game.stage);
}

void end_mission_complete_if_due() {
  if (!platform::phase_over(game.deadline, mission_complete_ms)) return;
  // A cannon that has been hit keeps 0 shells for the rest of the game.
  if (ground_sites[left_site].state == SiteState::Intact) left_cannon.ammo = full_load;
  if (ground_sites[right_site].state == SiteState::Intact) right_cannon.ammo = full_load;
  game.mode = GameMode::GetReady;
  game.deadline = platform::deadline_in(0);
}

void end_game_over_if_due() {
  if (!platform::phase_over(game.deadline, game_over_ms)) return;
  clear_lists();
  game.mode = GameMode::TodaysBestPage;
  restart_music("intro.xm");
  game.hi_score = todays_best_insert(game.score, game.hi_score);
  // The first attract page's text slides in again from the bottom.
  game.page_scroll_y = 480;
  game.deadline = platform::deadline_in(first_attract_page_delay_ms);
}

}  // namespace sky
