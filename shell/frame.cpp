// One frame of the game loop. The steps run in this fixed order; a change made
// by an early step is seen by the later steps of the same frame.
#include "game/aiming.h"
#include "game/meteors.h"
#include "game/music.h"
#include "game/stage_flow.h"
#include "game/world.h"
#include "platform/clock.h"
#include "platform/display.h"
#include "platform/input.h"
#include "platform/pictures.h"
#include "platform/textured.h"
#include "platform/window.h"
#include "present/attract.h"
#include "present/mode_texts.h"
#include "present/playfield.h"
#include "present/stars.h"
#include "shell/music_binding.h"
#include "shell/program.h"
#include "shell/screenshot.h"

namespace sky {
namespace {

constexpr int cursor_max_x = 608;
constexpr int cursor_max_y = 320;

// Buttons as read at the top of the frame, used by the new-game check and
// firing later in the same frame.
platform::MouseState mouse;

// Step 1 (windowed mode): at most one event of the game window a frame.
void take_window_event() {
  if (game.full_screen != 0) return;
  if (platform::take_window_event() == platform::WindowEvent::CloseRequest) {
    game.quit_requested = 1;
  } else {
    platform::sleep_ms(1);
  }
}

// Step 2: the game clamps its own copy of the pointer position only, so after
// the pointer went past x 608 or y 320 it has to come back inside before the
// cross-hair moves again.
void read_mouse() {
  mouse = platform::mouse_read();
  game.cursor_x = mouse.x;
  game.cursor_y = mouse.y;
  if (game.cursor_y > cursor_max_y) game.cursor_y = cursor_max_y;
  if (game.cursor_x > cursor_max_x) game.cursor_x = cursor_max_x;
}

// Step 4.
void lower_cooldown() {
  game.fire_cooldown -= 1;
  if (game.fire_cooldown < 0) game.fire_cooldown = 0;
}

// The pause: nothing is read, drawn or presented until P has been pressed and
// released again; the tick count runs on, so timed phases that ran out during
// the pause end in the next frame. The loop sleeps between polls so a paused
// game does not keep a core busy.
void pause_game() {
  if (game.use_music != 0) pause_music(1);
  do {
    platform::sleep_ms(1);
    platform::keyboard_snapshot();
  } while (!platform::key_released(platform::Key::P));
  if (game.use_music != 0) pause_music(0);
}

// Step 5: one snapshot, then Escape, F12 and P in this order.
void handle_global_keys() {
  platform::keyboard_snapshot();
  if (platform::key_released(platform::Key::Escape)) game.quit_requested = 1;
  if (platform::key_released(platform::Key::F12)) take_screenshot();
  if (platform::key_released(platform::Key::P)) pause_game();
}

// Step 8.
void clear_and_draw_stars() {
  platform::clear_screen(0);
  draw_stars();
}

// Step 10: the meteor pass and, right after it, the stage-end check.
void meteors_and_stage_end() {
  if (!on_game_screen(game.mode) || meteors.empty()) return;
  stage_end_check(meteor_pass());
}

// Step 11.
void cities_and_game_over() {
  if (on_game_screen(game.mode)) city_pass();
}

// Step 12: shells, then the barrels, in one textured-sprite pass.
void shells_and_barrels() {
  if (!on_game_screen(game.mode)) return;
  platform::textured_begin();
  shell_pass();
  draw_barrels();
  platform::textured_end();
}

// Step 18: reads the mode once and runs its branch; Playing has none.
void mode_dispatch() {
  switch (game.mode) {
    case GameMode::Playing:
      break;
    case GameMode::GetReady:
      draw_get_ready_texts();
      end_get_ready_if_due();
      break;
    case GameMode::MissionComplete:
      draw_mission_complete_texts();
      end_mission_complete_if_due();
      break;
    case GameMode::GameOver:
      draw_game_over_texts();
      end_game_over_if_due();
      break;
    case GameMode::TodaysBestPage:
    case GameMode::CreditsPage:
    case GameMode::MusicCreditsPage:
    case GameMode::ThanksPage:
      attract_page();
      break;
  }
}

// Step 19.
void keep_music_alive() {
  if (on_attract_page(game.mode) && game.use_music != 0) music_keep_alive();
}

// Step 20. A close request of the full-screen window arrives with the events
// the present step takes; it ends the loop like Escape.
void present_and_pace() {
  platform::display_present();
  if (platform::display_close_requested()) game.quit_requested = 1;
  platform::pace_frame();
}

}  // namespace

void run_frame() {
  take_window_event();                  // 1
  read_mouse();                         // 2
  update_aim();                         // 3
  lower_cooldown();                     // 4
  handle_global_keys();                 // 5
  start_new_game(mouse.left);           // 6
  fire_shells(mouse.left, mouse.right); // 7
  clear_and_draw_stars();               // 8
  advance_beat();                       // 9
  meteors_and_stage_end();              // 10
  cities_and_game_over();               // 11
  shells_and_barrels();                 // 12
  draw_cross_hair();                    // 13
  site_fire_pass();                     // 14
  draw_ground();                        // 15
  explosion_pass();                     // 16
  draw_hud();                           // 17
  mode_dispatch();                      // 18
  keep_music_alive();                   // 19
  present_and_pace();                   // 20
}

}  // namespace sky
