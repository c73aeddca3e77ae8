#include "present/mode_texts.h"

#include <string>
#include <string_view>

#include "game/world.h"
#include "present/font.h"

namespace sky {
namespace {

constexpr int advance = 20;
constexpr int bonus_x = 164;

void centred(int y, std::string_view text) {
  draw_message(0, y, message_font.glyph_w, message_font.glyph_h, advance, text, true);
}

void at(int x, int y, std::string_view text) {
  draw_message(x, y, message_font.glyph_w, message_font.glyph_h, advance, text, false);
}

}  // namespace

void draw_get_ready_texts() {
  centred(150, "GET READY");
  centred(200, "STAGE " + std::to_string(game.stage));
}

// The bonus lines are worked out afresh every frame from the live values, so
// the city line drops if a city falls while the page is shown (the points were
// already added when the stage ended).
void draw_mission_complete_texts() {
  centred(110, "MISSION COMPLETE");
  centred(160, "BONUS");
  at(bonus_x, 200,
     "CITY x " + std::to_string(game.city_bonus) + " = " +
         std::to_string(game.cities_upright * game.city_bonus));
  at(bonus_x, 230,
     "AMMO x  " + std::to_string(game.ammo_bonus) + " = " +
         std::to_string((left_cannon.ammo + right_cannon.ammo) * game.ammo_bonus));
}

void draw_game_over_texts() {
  centred(200, "GAME OVER");
}

}  // namespace sky
