#include "present/playfield.h"

#include <string>

#include "game/asset_ids.h"
#include "game/stage_flow.h"
#include "game/world.h"
#include "platform/pictures.h"
#include "present/font.h"

namespace sky {
namespace {

constexpr int ground_x = 0;
constexpr int ground_y = 385;
constexpr int ammo_y = 462;
constexpr int left_ammo_x = 5;
constexpr int right_ammo_x = 625;
constexpr int ammo_step = 10;

constexpr int word_advance = 20;
constexpr int digit_advance = 22;
constexpr int digit_width = 6;

// One icon per shell, from x onwards in steps of step (negative for the
// right row, which grows towards the middle).
void draw_ammo_row(const Cannon& cannon, int x, int step) {
  if (cannon.ammo <= 0 || !on_game_screen(game.mode)) return;
  for (int n = 0; n < cannon.ammo; ++n, x += step) {
    platform::draw_picture(id(SpriteId::AmmoRound), x, ammo_y);
  }
}

void draw_word(int x, int y, std::string_view word) {
  draw_letters(x, y, letter_font.glyph_w, letter_font.glyph_h, word_advance, word);
}

void draw_number(int x, int y, int value) {
  draw_digits(x, y, digit_font.glyph_w, digit_font.glyph_h, digit_advance, digit_width,
              std::to_string(value));
}

}  // namespace

void draw_cross_hair() {
  if (!shows_cross_hair(game.mode)) return;
  platform::draw_picture(id(SpriteId::CursorBright, game.blink_phase), game.cursor_x,
                         game.cursor_y);
}

void draw_ground() {
  platform::draw_picture(id(SpriteId::GroundStrip), ground_x, ground_y);
  draw_ammo_rows();
}

void draw_ammo_rows() {
  draw_ammo_row(left_cannon, left_ammo_x, ammo_step);
  draw_ammo_row(right_cannon, right_ammo_x, -ammo_step);
}

// The high-score rule runs between the two numbers, so the high score shown
// is never below the score shown in the same frame.
void draw_hud() {
  draw_word(10, 10, "SCORE");
  draw_number(130, 5, game.score);
  apply_high_score_rule();
  draw_word(410, 10, "TOP");
  draw_number(490, 5, game.hi_score);
}

}  // namespace sky
