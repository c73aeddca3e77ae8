#include "shell/launcher.h"

#include <string_view>

#include "assets/embedded.h"
#include "game/world.h"
#include "platform/clock.h"
#include "platform/dialog.h"
#include "platform/image.h"
#include "present/assets.h"
#include "shell/launcher_face.h"
#include "shell/launcher_state.h"

namespace sky {
namespace {

std::optional<platform::Image> picture(std::string_view name) {
  return platform::decode_png(assets::find(name));
}

// The window's outline from the mask picture: white inside, black outside.
// Empty (a rectangular window) when the mask is missing.
std::vector<std::uint8_t> outline() {
  const auto mask = picture("launcher/mask.png");
  std::vector<std::uint8_t> inside;
  if (!mask || mask->width != launcher_width || mask->height != launcher_height) return inside;
  inside.reserve(mask->pixels.size());
  for (const platform::Pixel p : mask->pixels) inside.push_back(((p >> 8) & 0xFF) >= 128 ? 1 : 0);
  return inside;
}

platform::DialogLayout dialog_spec() {
  platform::DialogLayout layout;
  layout.title = std::string(launcher_title);
  layout.width = launcher_width;
  layout.height = launcher_height;
  layout.icon_picture = load_program_icon();
  layout.outline = outline();
  layout.gadgets.assign(gadget_rects.begin(), gadget_rects.end());
  return layout;
}

void show(Canvas& canvas, const LauncherArt& art, const LauncherState& state) {
  draw_launcher(canvas, art, state);
  platform::dialog_present(canvas.pixels);
}

}  // namespace

void run_launcher() {
  LauncherArt art;
  art.button = picture("launcher/button.png");
  if (!platform::dialog_open(dialog_spec())) return;
  art.backdrop = picture("launcher/backdrop.png");
  LauncherState state({game.full_screen != 0, game.use_audio != 0, game.use_music != 0});
  Canvas canvas(launcher_width, launcher_height);
  show(canvas, art, state);
  platform::dialog_show();
  while (!state.finished()) {
    const platform::DialogEvent event = platform::dialog_wait(state.wait_ms(platform::ticks_ms()));
    if (state.handle(event, platform::ticks_ms())) show(canvas, art, state);
  }
  game.full_screen = state.checked()[0] ? 1 : 0;
  game.use_audio = state.checked()[1] ? 1 : 0;
  game.use_music = state.checked()[2] ? 1 : 0;
  platform::dialog_close();
}

}  // namespace sky
