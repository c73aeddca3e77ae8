// The game screen on SDL, presented through the window's surface in both
// modes. Windowed mode shows the 640x480 picture 1:1; full-screen mode covers
// the desktop and scales the picture to fit with its aspect kept (black
// bars). Only the parts of the picture that changed since the last frame are
// copied and sent to the screen, which keeps presenting 76 frames a second
// cheap: the twinkling starfield of the attract pages changes a few tiles.
#include <SDL.h>

#include <vector>

#include "platform/common/frame_diff.h"
#include "platform/display.h"
#include "platform/pictures.h"
#include "platform/sdl/sdl_internal.h"
#include "platform/textured.h"

namespace platform {
namespace {

// A full present now and then repairs anything the desktop may have drawn
// over the window without telling us.
constexpr int frames_between_full_presents = 76;

struct Screen {
  SDL_Window* window = nullptr;
  bool full_screen = false;
  bool close_requested = false;
  SDL_Rect viewport{0, 0, screen_width, screen_height};
  std::vector<int> column_of;  // picture column for each viewport column
  std::vector<int> row_of;     // picture row for each viewport row
  FrameDiff diff;
  std::vector<SDL_Rect> update_rects;
  int frames_since_full = 0;
};

Screen* screen = nullptr;

// Lays the largest 4:3 rectangle that fits the surface in its middle.
void fit_viewport(const SDL_Surface* surface) {
  int vw = surface->w;
  int vh = surface->w * screen_height / screen_width;
  if (vh > surface->h) {
    vh = surface->h;
    vw = surface->h * screen_width / screen_height;
  }
  screen->viewport = SDL_Rect{(surface->w - vw) / 2, (surface->h - vh) / 2, vw, vh};
  screen->column_of.resize(static_cast<std::size_t>(vw));
  screen->row_of.resize(static_cast<std::size_t>(vh));
  for (int x = 0; x < vw; ++x) screen->column_of[static_cast<std::size_t>(x)] = x * screen_width / vw;
  for (int y = 0; y < vh; ++y) screen->row_of[static_cast<std::size_t>(y)] = y * screen_height / vh;
}

SDL_Surface* window_surface() {
  SDL_Surface* surface = SDL_GetWindowSurface(screen->window);
  if (surface == nullptr) return nullptr;
  // The scaling tables are built on the first present too: a 640x480 window
  // already matches the starting viewport.
  if (screen->row_of.empty() || surface->w != screen->viewport.w + 2 * screen->viewport.x ||
      surface->h != screen->viewport.h + 2 * screen->viewport.y) {
    fit_viewport(surface);
    SDL_FillRect(surface, nullptr, 0);
    screen->diff.invalidate();
  }
  return surface;
}

// First viewport column (or row) that shows picture column (row) p.
int first_shown(int p, int picture_size, int viewport_size) {
  return (p * viewport_size + picture_size - 1) / picture_size;
}

// Copies picture rectangle r into the surface, scaled into the viewport, and
// returns the surface rectangle it covers.
SDL_Rect copy_scaled(SDL_Surface* surface, const Rect& r) {
  const SDL_Rect& v = screen->viewport;
  const int x0 = first_shown(r.x, screen_width, v.w);
  const int x1 = first_shown(r.x + r.w, screen_width, v.w);
  const int y0 = first_shown(r.y, screen_height, v.h);
  const int y1 = first_shown(r.y + r.h, screen_height, v.h);
  const auto frame = frame_buffer();
  const bool direct = surface->format->BytesPerPixel == 4 && surface->format->Rmask == 0xFF0000U &&
                      surface->format->Gmask == 0x00FF00U && surface->format->Bmask == 0x0000FFU;
  for (int y = y0; y < y1; ++y) {
    const Pixel* src = &frame[static_cast<std::size_t>(screen->row_of[static_cast<std::size_t>(y)] *
                                                       screen_width)];
    auto* dst = reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) +
                                          static_cast<std::ptrdiff_t>(y + v.y) * surface->pitch) +
                v.x;
    for (int x = x0; x < x1; ++x) {
      const Pixel p = src[screen->column_of[static_cast<std::size_t>(x)]];
      dst[x] = direct ? p
                      : SDL_MapRGB(surface->format, static_cast<Uint8>(p >> 16),
                                   static_cast<Uint8>(p >> 8), static_cast<Uint8>(p));
    }
  }
  return SDL_Rect{v.x + x0, v.y + y0, x1 - x0, y1 - y0};
}

void take_full_screen_events() {
  SDL_PumpEvents();
  SDL_Event event;
  while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_QUIT, SDL_SYSWMEVENT) > 0) {
    if (event.type == SDL_QUIT ||
        (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE)) {
      screen->close_requested = true;
    }
    if (event.type == SDL_WINDOWEVENT) sdl::note_window_event(event.window.event);
  }
}

}  // namespace

namespace sdl {

SDL_Window* game_window() { return screen != nullptr ? screen->window : nullptr; }
bool full_screen() { return screen != nullptr && screen->full_screen; }

void note_window_event(Uint8 event) {
  if (screen == nullptr) return;
  switch (event) {
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      screen->diff.invalidate();
      break;
    default:
      break;
  }
}

void window_to_picture(int wx, int wy, int& px, int& py) {
  px = wx;
  py = wy;
  if (!full_screen() || screen->viewport.w <= 0 || screen->viewport.h <= 0) return;
  px = (wx - screen->viewport.x) * screen_width / screen->viewport.w;
  py = (wy - screen->viewport.y) * screen_height / screen->viewport.h;
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
  // The window surface is a plain shared-memory image: no OpenGL renderer
  // behind it, which would cost tens of megabytes and a software rasteriser
  // on machines without a graphics driver.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
}

// Textured sprites are drawn in software into the frame buffer; they need
// nothing beyond the display itself.
bool textured_init() { return SDL_WasInit(SDL_INIT_VIDEO) != 0; }

bool display_open(bool full_screen, const std::string& title, int icon_picture) {
  delete screen;
  screen = new Screen;
  screen->full_screen = full_screen;
  // No exclusive mode switch and no vsync: motion is counted in frames, so the
  // game paces itself at 76 frames a second whatever the display's refresh.
  const Uint32 flags = full_screen ? SDL_WINDOW_FULLSCREEN_DESKTOP : SDL_WINDOW_SHOWN;
  screen->window = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                    screen_width, screen_height, flags);
  if (screen->window == nullptr) return false;
  if (SDL_Surface* icon = sdl::surface_from_picture(icon_picture)) {
    SDL_SetWindowIcon(screen->window, icon);
    SDL_FreeSurface(icon);
  }
  // The system pointer is hidden over the game; the cross-hair replaces it.
  SDL_ShowCursor(SDL_DISABLE);
  return window_surface() != nullptr;
}

void display_present() {
  if (screen == nullptr || screen->window == nullptr) return;
  if (screen->full_screen) {
    take_full_screen_events();
    // While another program covers the full-screen game nothing is shown.
    if ((SDL_GetWindowFlags(screen->window) & SDL_WINDOW_MINIMIZED) != 0) return;
  }
  if (++screen->frames_since_full >= frames_between_full_presents) {
    screen->frames_since_full = 0;
    screen->diff.invalidate();
  }
  SDL_Surface* surface = window_surface();
  if (surface == nullptr) return;
  const auto& changed = screen->diff.update(frame_buffer());
  if (!changed.empty()) {
    if (SDL_MUSTLOCK(surface)) SDL_LockSurface(surface);
    screen->update_rects.clear();
    for (const Rect& r : changed) screen->update_rects.push_back(copy_scaled(surface, r));
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    SDL_UpdateWindowSurfaceRects(screen->window, screen->update_rects.data(),
                                 static_cast<int>(screen->update_rects.size()));
  }
  sdl::drop_unused_events();
}

bool display_close_requested() { return screen != nullptr && screen->close_requested; }

void display_close_window() {
  if (screen == nullptr || screen->full_screen || screen->window == nullptr) return;
  SDL_DestroyWindow(screen->window);
  screen->window = nullptr;
}

void display_shutdown() {
  if (screen != nullptr && screen->window != nullptr) SDL_DestroyWindow(screen->window);
  delete screen;
  screen = nullptr;
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

}  // namespace platform
