#include "present/attract.h"

#include <string>
#include <string_view>

#include "game/asset_ids.h"
#include "game/world.h"
#include "platform/clock.h"
#include "platform/pictures.h"
#include "present/font.h"

namespace sky {
namespace {

constexpr int logo_x = 125;
constexpr int slide_step = 2;
constexpr int slide_rest_y = 90;
constexpr int text_x = 160;
constexpr int advance = 20;

constexpr std::int32_t best_page_ms = 10000;
constexpr std::int32_t credit_page_ms = 6000;
// Page 4 is always entered with its deadline ahead of now (5 s after start-up
// or a game, 4 s after the last credit page), so it stays up about 15 s the
// first time and 14 s afterwards.
constexpr std::int32_t best_page_lead_ms = 4000;

// The credit lines. Every character must have a glyph in the message font
// (digits, : ; < = > ? . A to Y and the blank; there is no Z), and a line
// must fit the 640-pixel screen at 20 pixels a character.
constexpr std::string_view programmer = "The Skyward Team";
constexpr std::string_view rights_notice = "Copyright 2026";
constexpr std::string_view company = "Skyward Games";
// A music credit is the title filled with blanks to 9 characters, ": " and the
// composer, so the two colons stand one above the other.
constexpr std::string_view first_music_credit = "Starlight: Skyward Team";
constexpr std::string_view second_music_credit = "Skyfall  : Skyward Team";
constexpr std::string_view beta_tester = "The Skyward Team";
constexpr std::string_view thanked = "Python PIL NumPy";

// A line of the text block, offset pixels below the top of the logo.
void centred_line(int offset, std::string_view text) {
  draw_message(0, game.page_scroll_y + offset, message_font.glyph_w, message_font.glyph_h, advance,
               text, true);
}

void left_line(int offset, std::string_view text) {
  draw_message(text_x, game.page_scroll_y + offset, message_font.glyph_w, message_font.glyph_h,
               advance, text, false);
}

void draw_logo() {
  platform::draw_picture(id(SpriteId::TitleLogo0, game.title_frame), logo_x, game.page_scroll_y);
}

// Leaves the page once its time is up: the page is still drawn in that frame,
// the next one from the following frame on.
void next_page_after(std::int32_t page_ms, GameMode next, std::int32_t lead_ms) {
  if (!platform::phase_over(game.deadline, page_ms)) return;
  game.deadline = platform::deadline_in(lead_ms);
  game.mode = next;
}

// The block slides up from wherever it stands and rests at y 90.
void slide_block() {
  game.page_scroll_y -= slide_step;
  if (game.page_scroll_y < slide_rest_y) game.page_scroll_y = slide_rest_y;
}

void todays_best_page() {
  slide_block();
  draw_logo();
  centred_line(110, "=TODAYS BEST=");
  centred_line(150, "1st " + todays_best[0]);
  centred_line(180, "2nd " + todays_best[1]);
  centred_line(210, "3rd " + todays_best[2]);
  next_page_after(best_page_ms, GameMode::CreditsPage, 0);
}

void credits_page() {
  draw_logo();
  centred_line(110, "Programmed By");
  centred_line(150, programmer);
  centred_line(210, rights_notice);
  centred_line(240, company);
  next_page_after(credit_page_ms, GameMode::MusicCreditsPage, 0);
}

void music_credits_page() {
  draw_logo();
  centred_line(110, "Music");
  left_line(150, first_music_credit);
  left_line(180, second_music_credit);
  next_page_after(credit_page_ms, GameMode::ThanksPage, 0);
}

void thanks_page() {
  draw_logo();
  centred_line(110, "Beta Testers");
  centred_line(150, beta_tester);
  centred_line(210, "Special Thanks");
  centred_line(250, thanked);
  next_page_after(credit_page_ms, GameMode::TodaysBestPage, best_page_lead_ms);
}

}  // namespace

void attract_page() {
  switch (game.mode) {
    case GameMode::TodaysBestPage:
      todays_best_page();
      break;
    case GameMode::CreditsPage:
      credits_page();
      break;
    case GameMode::MusicCreditsPage:
      music_credits_page();
      break;
    case GameMode::ThanksPage:
      thanks_page();
      break;
    default:
      break;
  }
}

}  // namespace sky
