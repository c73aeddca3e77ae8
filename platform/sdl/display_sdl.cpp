// The game screen on SDL. Windowed mode copies the frame buffer to the
// window's surface (the cheapest path: no scaling, one copy). Full-screen mode
// uses a desktop-size window and a renderer with a streaming texture, which
// scales the 640x480 picture to fit with its aspect kept (black bars).
#include <SDL.h>

#include "platform/display.h"
#include "platform/pictures.h"
#include "platform/sdl/sdl_internal.h"
#include "platform/textured.h"

namespace platform {
namespace {

struct Screen {
  SDL_Window* window = nullptr;
  SDL_Renderer* renderer = nullptr;
  SDL_Texture* texture = nullptr;
  SDL_Surface* frame = nullptr;  // wraps the frame buffer
  bool full_screen = false;
  bool close_requested = false;
  SDL_Rect viewport{0, 0, screen_width, screen_height};
};

Screen screen;

void update_viewport() {
  int w = screen_width;
  int h = screen_height;
  if (screen.full_screen && screen.renderer != nullptr) {
    SDL_GetRendererOutputSize(screen.renderer, &w, &h);
  }
  // The largest 4:3 rectangle that fits, centred.
  int vw = w;
  int vh = w * screen_height / screen_width;
  if (vh > h) {
    vh = h;
    vw = h * screen_width / screen_height;
  }
  screen.viewport = SDL_Rect{(w - vw) / 2, (h - vh) / 2, vw, vh};
}

bool open_full_screen(const std::string& title) {
  screen.window = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                   screen_width, screen_height, SDL_WINDOW_FULLSCREEN_DESKTOP);
  if (screen.window == nullptr) return false;
  // No vsync: motion is counted in frames, so the game paces itself at 76
  // frames a second whatever the display's refresh.
  screen.renderer = SDL_CreateRenderer(screen.window, -1, 0);
  if (screen.renderer == nullptr) return false;
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
  screen.texture = SDL_CreateTexture(screen.renderer, SDL_PIXELFORMAT_RGB888,
                                     SDL_TEXTUREACCESS_STREAMING, screen_width, screen_height);
  if (screen.texture == nullptr) return false;
  SDL_ShowCursor(SDL_DISABLE);
  update_viewport();
  return true;
}

bool open_window(const std::string& title) {
  screen.window = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                   screen_width, screen_height, SDL_WINDOW_SHOWN);
  if (screen.window == nullptr) return false;
  SDL_SetWindowResizable(screen.window, SDL_FALSE);
  // The pointer is hidden while it is over the game window.
  SDL_ShowCursor(SDL_DISABLE);
  return SDL_GetWindowSurface(screen.window) != nullptr;
}

void take_full_screen_events() {
  SDL_PumpEvents();
  SDL_Event event;
  while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_QUIT, SDL_SYSWMEVENT) > 0) {
    if (event.type == SDL_QUIT ||
        (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE)) {
      screen.close_requested = true;
    }
    if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
      update_viewport();
    }
  }
}

void present_window() {
  SDL_Surface* target = SDL_GetWindowSurface(screen.window);
  if (target == nullptr) return;
  SDL_BlitSurface(screen.frame, nullptr, target, nullptr);
  SDL_UpdateWindowSurface(screen.window);
}

void present_full_screen() {
  SDL_UpdateTexture(screen.texture, nullptr, frame_buffer().data(), screen_width * 4);
  SDL_SetRenderDrawColor(screen.renderer, 0, 0, 0, 255);
  SDL_RenderClear(screen.renderer);
  SDL_RenderCopy(screen.renderer, screen.texture, nullptr, &screen.viewport);
  SDL_RenderPresent(screen.renderer);
}

}  // namespace

namespace sdl {

SDL_Window* game_window() { return screen.window; }
bool full_screen() { return screen.full_screen; }

void window_to_picture(int wx, int wy, int& px, int& py) {
  if (!screen.full_screen || screen.viewport.w <= 0 || screen.viewport.h <= 0) {
    px = wx;
    py = wy;
    return;
  }
  // With a high-DPI renderer the window and output sizes differ.
  int ww = 0;
  int wh = 0;
  int ow = 0;
  int oh = 0;
  SDL_GetWindowSize(screen.window, &ww, &wh);
  SDL_GetRendererOutputSize(screen.renderer, &ow, &oh);
  const long ox = ww > 0 ? static_cast<long>(wx) * ow / ww : wx;
  const long oy = wh > 0 ? static_cast<long>(wy) * oh / wh : wy;
  px = static_cast<int>((ox - screen.viewport.x) * screen_width / screen.viewport.w);
  py = static_cast<int>((oy - screen.viewport.y) * screen_height / screen.viewport.h);
}

SDL_Surface* surface_from_picture(int id) {
  const auto pixels = picture_pixels(id);
  if (pixels.empty()) return nullptr;
  const int w = picture_width(id);
  const int h = picture_height(id);
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_RGB888);
  if (surface == nullptr) return nullptr;
  for (int y = 0; y < h; ++y) {
    auto* row = static_cast<Uint8*>(surface->pixels) + static_cast<std::ptrdiff_t>(y) * surface->pitch;
    SDL_memcpy(row, &pixels[static_cast<std::size_t>(y * w)], static_cast<std::size_t>(w) * 4);
  }
  return surface;
}

}  // namespace sdl

bool display_init() {
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
}

// Textured sprites are drawn in software into the frame buffer; nothing to
// set up beyond the display itself.
bool textured_init() { return SDL_WasInit(SDL_INIT_VIDEO) != 0; }

bool display_open(bool full_screen, const std::string& title, int icon_picture) {
  screen.full_screen = full_screen;
  const bool opened = full_screen ? open_full_screen(title) : open_window(title);
  if (!opened) return false;
  if (SDL_Surface* icon = sdl::surface_from_picture(icon_picture)) {
    SDL_SetWindowIcon(screen.window, icon);
    SDL_FreeSurface(icon);
  }
  screen.frame = SDL_CreateRGBSurfaceWithFormatFrom(frame_buffer().data(), screen_width,
                                                    screen_height, 32, screen_width * 4,
                                                    SDL_PIXELFORMAT_RGB888);
  return screen.frame != nullptr;
}

void display_present() {
  if (screen.window == nullptr) return;
  if (screen.full_screen) {
    take_full_screen_events();
    // While another program has the focus nothing is shown; the loop runs on.
    if ((SDL_GetWindowFlags(screen.window) & SDL_WINDOW_MINIMIZED) != 0) return;
    present_full_screen();
  } else {
    present_window();
  }
  sdl::drop_unused_events();
}

bool display_close_requested() { return screen.close_requested; }

void display_close_window() {
  if (screen.full_screen) return;
  if (screen.frame != nullptr) SDL_FreeSurface(screen.frame);
  screen.frame = nullptr;
  if (screen.window != nullptr) SDL_DestroyWindow(screen.window);
  screen.window = nullptr;
}

void display_shutdown() {
  if (screen.frame != nullptr) SDL_FreeSurface(screen.frame);
  if (screen.texture != nullptr) SDL_DestroyTexture(screen.texture);
  if (screen.renderer != nullptr) SDL_DestroyRenderer(screen.renderer);
  if (screen.window != nullptr) SDL_DestroyWindow(screen.window);
  screen = Screen{};
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

}  // namespace platform
