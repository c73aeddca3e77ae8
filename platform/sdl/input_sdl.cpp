// Keyboard and mouse on SDL. Presses are latched from the event queue, so a
// tap that begins and ends between two reads still counts as down once.
#include <SDL.h>

#include <array>

#include "platform/input.h"
#include "platform/pictures.h"
#include "platform/sdl/sdl_internal.h"

namespace platform {
namespace {

constexpr std::array<SDL_Scancode, 3> scancodes = {SDL_SCANCODE_ESCAPE, SDL_SCANCODE_F12,
                                                   SDL_SCANCODE_P};

struct Keys {
  std::array<bool, 3> snapshot{};
  std::array<bool, 3> memory{};
  std::array<bool, 3> latched{};
};

struct Mouse {
  MouseState last;
  bool latched_left = false;
  bool latched_right = false;
};

Keys keys;
Mouse mouse;

int clamp(int v, int low, int high) { return v < low ? low : (v > high ? high : v); }

void take_key_events() {
  SDL_Event event;
  while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_KEYDOWN, SDL_KEYUP) > 0) {
    if (event.type != SDL_KEYDOWN) continue;
    for (std::size_t k = 0; k < scancodes.size(); ++k) {
      if (event.key.keysym.scancode == scancodes[k]) keys.latched[k] = true;
    }
  }
}

void take_mouse_events() {
  SDL_Event event;
  while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_MOUSEMOTION, SDL_MOUSEWHEEL) > 0) {
    if (event.type != SDL_MOUSEBUTTONDOWN) continue;
    if (event.button.button == SDL_BUTTON_LEFT) mouse.latched_left = true;
    if (event.button.button == SDL_BUTTON_RIGHT) mouse.latched_right = true;
  }
}

}  // namespace

bool keyboard_init() { return SDL_WasInit(SDL_INIT_VIDEO) != 0; }
bool mouse_init() { return SDL_WasInit(SDL_INIT_VIDEO) != 0; }
void input_shutdown() {}

void keyboard_snapshot() {
  SDL_PumpEvents();
  take_key_events();
  const Uint8* state = SDL_GetKeyboardState(nullptr);
  for (std::size_t k = 0; k < scancodes.size(); ++k) {
    keys.snapshot[k] = state[scancodes[k]] != 0 || keys.latched[k];
    keys.latched[k] = false;
  }
}

bool key_released(Key key) {
  const auto k = static_cast<std::size_t>(key);
  const bool released = !keys.snapshot[k] && keys.memory[k];
  keys.memory[k] = keys.snapshot[k];
  return released;
}

MouseState mouse_read() {
  SDL_PumpEvents();
  take_mouse_events();
  SDL_Window* window = sdl::game_window();
  // While the full-screen game is not the active program the mouse is not
  // read: position and buttons keep their last values.
  if (window != nullptr && sdl::full_screen() &&
      (SDL_GetWindowFlags(window) & SDL_WINDOW_INPUT_FOCUS) == 0) {
    mouse.latched_left = mouse.latched_right = false;
    return mouse.last;
  }
  int wx = 0;
  int wy = 0;
  const Uint32 buttons = SDL_GetMouseState(&wx, &wy);
  int px = 0;
  int py = 0;
  sdl::window_to_picture(wx, wy, px, py);
  MouseState state;
  state.x = clamp(px, 0, screen_width - 1);
  state.y = clamp(py, 0, screen_height - 1);
  state.left = (buttons & SDL_BUTTON_LMASK) != 0 || mouse.latched_left;
  state.right = (buttons & SDL_BUTTON_RMASK) != 0 || mouse.latched_right;
  mouse.latched_left = mouse.latched_right = false;
  mouse.last = state;
  return state;
}

}  // namespace platform
