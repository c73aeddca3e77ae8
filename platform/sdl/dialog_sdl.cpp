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
SDL_Surface* outline_surface(const DialogLayout& layout) {
  SDL_Surface* shape =
      SDL_CreateRGBSurfaceWithFormat(0, layout.width, layout.height, 32, SDL_PIXELFORMAT_RGBA32);
  if (shape == nullptr) return nullptr;
  for (int y = 0; y < layout.height; ++y) {
    auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(shape->pixels) + y * shape->pitch);
    for (int x = 0; x < layout.width; ++x) {
      const bool inside = layout.outline[static_cast<std::size_t>(y * layout.width + x)] != 0;
      row[x] = SDL_MapRGBA(shape->format, 255, 255, 255, inside ? 255 : 0);
    }
  }
  return shape;
}

// The shaped window needs the OpenGL flag: creating a renderer for a window
// without it makes SDL build the window again, and the new one has no shape.
bool open_shaped(const DialogLayout& layout) {
  if (layout.outline.size() != static_cast<std::size_t>(layout.width * layout.height)) return false;
  dialog->window =
      SDL_CreateShapedWindow(layout.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                             static_cast<unsigned>(layout.width), static_cast<unsigned>(layout.height),
                             SDL_WINDOW_BORDERLESS | SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  if (dialog->window == nullptr) return false;
  dialog->renderer = SDL_CreateRenderer(dialog->window, -1, 0);
  if (dialog->renderer != nullptr) {
    dialog->texture = SDL_CreateTexture(dialog->renderer, SDL_PIXELFORMAT_RGB888,
                                        SDL_TEXTUREACCESS_STREAMING, layout.width, layout.height);
  }
  SDL_Surface* shape = outline_surface(layout);
  SDL_WindowShapeMode mode{};
  mode.mode = ShapeModeBinarizeAlpha;
  mode.parameters.binarizationCutoff = 128;
  const bool shaped = dialog->texture != nullptr && shape != nullptr &&
                      SDL_SetWindowShape(dialog->window, shape, &mode) == 0;
  SDL_FreeSurface(shape);
  return shaped;
}

bool open_rectangular(const DialogLayout& layout) {
  // A plain window surface, no renderer behind it (as the game screen).
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  dialog->window =
      SDL_CreateWindow(layout.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                       layout.width, layout.height, SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN);
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

bool dialog_open(const DialogLayout& layout) {
  if (dialog != nullptr) dialog_close();
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
  dialog = new Dialog;
  dialog->width = layout.width;
  dialog->height = layout.height;
  dialog->gadgets = layout.gadgets;
  if (!open_shaped(layout)) {
    destroy_window();
    if (!open_rectangular(layout)) {
      dialog_close();
      return false;
    }
  }
  if (SDL_Surface* icon = sdl::surface_from_picture(layout.icon_picture)) {
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
