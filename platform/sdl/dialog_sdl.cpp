// The dialog window on SDL. Where the video driver can shape windows the
// dialog is a shaped window drawn through a renderer; elsewhere it is a
// rectangular borderless window drawn through its surface. Presses on the
// face away from the gadgets move the window (the desktop drags it, as by a
// title bar).
#include <SDL.h>
#include <SDL_shape.h>

#include <vector>

#include "platform/dialog.h"
#include "platform/sdl/sdl_internal.h"

namespace platform {
namespace {

struct Dialog {
  SDL_Window* window = nullptr;
  SDL_Renderer* renderer = nullptr;  // shaped window only
  SDL_Texture* texture = nullptr;
  int width = 0;
  int height = 0;
  std::vector<DialogRect> gadgets;
};

Dialog* dialog = nullptr;

SDL_HitTestResult SDLCALL hit_test(SDL_Window* /*window*/, const SDL_Point* point, void* /*data*/) {
  if (dialog == nullptr) return SDL_HITTEST_NORMAL;
  for (const DialogRect& r : dialog->gadgets) {
    if (r.contains(point->x, point->y)) return SDL_HITTEST_NORMAL;
  }
  return SDL_HITTEST_DRAGGABLE;
}

SDL_Point desktop_centre_for(int width, int height) {
  SDL_Rect desktop{0, 0, width, height};
  SDL_GetDisplayBounds(0, &desktop);
  return {desktop.x + (desktop.w - width) / 2, desktop.y + (desktop.h - height) / 2};
}

// The outline as a surface whose alpha is opaque inside.
SDL_Surface* outline_surface(const DialogSpec& spec) {
  SDL_Surface* shape =
      SDL_CreateRGBSurfaceWithFormat(0, spec.width, spec.height, 32, SDL_PIXELFORMAT_RGBA32);
  if (shape == nullptr) return nullptr;
  for (int y = 0; y < spec.height; ++y) {
    auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(shape->pixels) + y * shape->pitch);
    for (int x = 0; x < spec.width; ++x) {
      const bool inside = spec.outline[static_cast<std::size_t>(y * spec.width + x)] != 0;
      row[x] = SDL_MapRGBA(shape->format, 255, 255, 255, inside ? 255 : 0);
    }
  }
  return shape;
}

// The shaped window needs the OpenGL flag: creating a renderer for a window
// without it makes SDL build the window again, and the new one has no shape.
bool open_shaped(const DialogSpec& spec) {
  if (spec.outline.size() != static_cast<std::size_t>(spec.width * spec.height)) return false;
  dialog->window =
      SDL_CreateShapedWindow(spec.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                             static_cast<unsigned>(spec.width), static_cast<unsigned>(spec.height),
                             SDL_WINDOW_BORDERLESS | SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  if (dialog->window == nullptr) return false;
  dialog->renderer = SDL_CreateRenderer(dialog->window, -1, 0);
  if (dialog->renderer != nullptr) {
    dialog->texture = SDL_CreateTexture(dialog->renderer, SDL_PIXELFORMAT_RGB888,
                                        SDL_TEXTUREACCESS_STREAMING, spec.width, spec.height);
  }
  SDL_Surface* shape = outline_surface(spec);
  SDL_WindowShapeMode mode{};
  mode.mode = ShapeModeBinarizeAlpha;
  mode.parameters.binarizationCutoff = 128;
  const bool shaped = dialog->texture != nullptr && shape != nullptr &&
                      SDL_SetWindowShape(dialog->window, shape, &mode) == 0;
  SDL_FreeSurface(shape);
  return shaped;
}

bool open_rectangular(const DialogSpec& spec) {
  // A plain window surface, no renderer behind it (as the game screen).
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  dialog->window =
      SDL_CreateWindow(spec.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                       spec.width, spec.height, SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN);
  return dialog->window != nullptr;
}

void destroy_window() {
  if (dialog->texture != nullptr) SDL_DestroyTexture(dialog->texture);
  if (dialog->renderer != nullptr) SDL_DestroyRenderer(dialog->renderer);
  if (dialog->window != nullptr) SDL_DestroyWindow(dialog->window);
  dialog->texture = nullptr;
  dialog->renderer = nullptr;
  dialog->window = nullptr;
}

void present_on_surface(std::span<const Pixel> pixels) {
  SDL_Surface* target = SDL_GetWindowSurface(dialog->window);
  if (target == nullptr) return;
  SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
      const_cast<Pixel*>(pixels.data()), dialog->width, dialog->height, 32, dialog->width * 4,
      SDL_PIXELFORMAT_RGB888);
  if (source == nullptr) return;
  SDL_BlitSurface(source, nullptr, target, nullptr);
  SDL_FreeSurface(source);
  SDL_UpdateWindowSurface(dialog->window);
}

bool is_dialog_window(Uint32 window_id) {
  return dialog != nullptr && dialog->window != nullptr &&
         window_id == SDL_GetWindowID(dialog->window);
}

DialogEvent translate(const SDL_Event& e) {
  switch (e.type) {
    case SDL_QUIT:
      return {DialogEventKind::Close};
    case SDL_WINDOWEVENT:
      if (!is_dialog_window(e.window.windowID)) break;
      switch (e.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
          return {DialogEventKind::Close};
        case SDL_WINDOWEVENT_LEAVE:
          return {DialogEventKind::Leave};
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_EXPOSED:
          return {DialogEventKind::Redraw};
        default:
          break;
      }
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      if (e.button.button != SDL_BUTTON_LEFT || !is_dialog_window(e.button.windowID)) break;
      return {e.type == SDL_MOUSEBUTTONDOWN ? DialogEventKind::Press : DialogEventKind::Release,
              e.button.x, e.button.y};
    case SDL_MOUSEMOTION:
      if (!is_dialog_window(e.motion.windowID)) break;
      return {DialogEventKind::Motion, e.motion.x, e.motion.y};
    default:
      break;
  }
  return {DialogEventKind::Other};
}

}  // namespace

bool dialog_open(const DialogSpec& spec) {
  if (dialog != nullptr) dialog_close();
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
  dialog = new Dialog;
  dialog->width = spec.width;
  dialog->height = spec.height;
  dialog->gadgets = spec.gadgets;
  if (!open_shaped(spec)) {
    destroy_window();
    if (!open_rectangular(spec)) {
      dialog_close();
      return false;
    }
  }
  if (SDL_Surface* icon = sdl::surface_from_picture(spec.icon_picture)) {
    SDL_SetWindowIcon(dialog->window, icon);
    SDL_FreeSurface(icon);
  }
  SDL_SetWindowHitTest(dialog->window, hit_test, nullptr);
  return true;
}

void dialog_show() {
  if (dialog == nullptr || dialog->window == nullptr) return;
  SDL_ShowWindow(dialog->window);
  // A shaped window is placed while still hidden, and SDL then keeps a wrong
  // idea of where it stands; the desktop's drag starts from that idea and
  // the window jumps. Placing it again once shown sets it right.
  const SDL_Point centre = desktop_centre_for(dialog->width, dialog->height);
  SDL_SetWindowPosition(dialog->window, centre.x, centre.y);
}

void dialog_present(std::span<const Pixel> pixels) {
  if (dialog == nullptr || dialog->window == nullptr) return;
  if (pixels.size() != static_cast<std::size_t>(dialog->width * dialog->height)) return;
  if (dialog->renderer == nullptr) {
    present_on_surface(pixels);
    return;
  }
  SDL_UpdateTexture(dialog->texture, nullptr, pixels.data(), dialog->width * 4);
  SDL_RenderClear(dialog->renderer);
  SDL_RenderCopy(dialog->renderer, dialog->texture, nullptr, nullptr);
  SDL_RenderPresent(dialog->renderer);
}

DialogEvent dialog_wait(int timeout_ms) {
  if (dialog == nullptr) return {DialogEventKind::Close};
  SDL_Event event;
  if (timeout_ms >= 0) {
    return SDL_WaitEventTimeout(&event, timeout_ms) != 0 ? translate(event)
                                                         : DialogEvent{DialogEventKind::Timeout};
  }
  // A wait that fails would fail again: the dialog ends rather than spin.
  return SDL_WaitEvent(&event) != 0 ? translate(event) : DialogEvent{DialogEventKind::Close};
}

void dialog_close() {
  if (dialog == nullptr) return;
  destroy_window();
  delete dialog;
  dialog = nullptr;
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  // The dialog's events, its last-window quit among them, must not reach the
  // game's event reads.
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}

}  // namespace platform
