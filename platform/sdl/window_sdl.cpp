// Desktop windows on SDL: message boxes, the game window's events and the
// program directory.
#include <SDL.h>
#include <unistd.h>

#include <string>

#include "platform/sdl/sdl_internal.h"
#include "platform/window.h"

namespace platform {

bool windows_init() {
  // Keep the desktop's screen saver and compositor settings as they are.
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  return SDL_Init(SDL_INIT_EVENTS | SDL_INIT_TIMER) == 0;
}

void windows_shutdown() { SDL_Quit(); }

void error_box(std::string_view text) {
  const std::string message(text);
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Error", message.c_str(), nullptr);
}

WindowEvent take_window_event() {
  SDL_PumpEvents();
  SDL_Event event;
  if (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_QUIT, SDL_SYSWMEVENT) <= 0) {
    return WindowEvent::None;
  }
  if (event.type == SDL_QUIT ||
      (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE)) {
    return WindowEvent::CloseRequest;
  }
  if (event.type == SDL_WINDOWEVENT) sdl::note_window_event(event.window.event);
  return WindowEvent::Other;
}

std::string program_directory() {
  char* base = SDL_GetBasePath();
  if (base == nullptr) return "./";
  std::string dir(base);
  SDL_free(base);
  if (dir.empty() || dir.back() != '/') dir += '/';
  return dir;
}

bool enter_program_directory() { return chdir(program_directory().c_str()) == 0; }

namespace sdl {

void drop_unused_events() {
  // Text input, joysticks, touch, clipboard, drag and drop, audio devices,
  // sensors and render resets: nothing reads them.
  SDL_FlushEvents(SDL_TEXTEDITING, SDL_TEXTINPUT);
  SDL_FlushEvents(SDL_KEYMAPCHANGED, SDL_KEYMAPCHANGED);
  SDL_FlushEvents(SDL_JOYAXISMOTION, SDL_LASTEVENT);
}

}  // namespace sdl
}  // namespace platform
