// Start-up and shut-down, each in its fixed order.
#include "game/music.h"
#include "game/world.h"
#include "platform/clock.h"
#include "platform/display.h"
#include "platform/input.h"
#include "platform/random.h"
#include "platform/sound.h"
#include "platform/textured.h"
#include "platform/window.h"
#include "present/assets.h"
#include "present/stars.h"
#include "shell/launcher.h"
#include "shell/music_binding.h"
#include "shell/program.h"
#include "shell/settings.h"

namespace sky {
namespace {

constexpr int requested_frame_rate = 75;

void end_services() {
  platform::input_shutdown();
  platform::sound_shutdown();
  platform::display_shutdown();
  platform::windows_shutdown();
}

bool failure_exit(const char* message) {
  if (message != nullptr) platform::error_box(message);
  end_services();
  return false;
}

}  // namespace

bool start_up() {
  zero_world();
  platform::windows_init();
  platform::random_seed(platform::ticks_ms());
  read_settings();
  run_launcher();
  if (game.use_music != 0) bind_music();
  if (!platform::display_init() || !platform::textured_init()) {
    return failure_exit("Could Not Initialize DirectX 3D Hardware");
  }
  if (!platform::keyboard_init() || !platform::mouse_init()) {
    return failure_exit("Could Not Initialize Input Devices");
  }
  if (game.use_audio != 0 && !platform::sound_init()) {
    platform::error_box("Could Not Initialize Audio Hardware");
    game.use_audio = 0;
  }
  initialise_world();
  game.cursor_x = 288;
  game.cursor_y = 100;
  make_stars();
  if (!platform::display_open(game.full_screen != 0, game.screen_title, load_program_icon())) {
    return failure_exit(nullptr);
  }
  platform::pacing_set_rate(requested_frame_rate);
  load_assets();
  if (game.use_music != 0) {
    stop_music();
    play_music("intro.xm");
  }
  game.deadline = platform::deadline_in(5000);
  game.quit_requested = 0;
  return true;
}

void shut_down() {
  write_settings();
  platform::display_close_window();
  if (game.use_music != 0) release_music();
  end_services();
}

int run_program() {
  if (start_up()) {
    while (game.quit_requested == 0) run_frame();
    shut_down();
  }
  return 0;
}

}  // namespace sky
