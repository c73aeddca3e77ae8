// Software pictures and frame buffer, shared by every display backend.
#include "platform/pictures.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

#include "platform/common/opaque_runs.h"

namespace platform {
namespace {

constexpr int picture_slots = 100;

struct Picture {
  bool exists = false;
  int width = 0;
  int height = 0;
  std::vector<Pixel> pixels;
  OpaqueRuns runs;
  ClipRect clip;
};

struct Store {
  std::array<Picture, picture_slots> pictures;
  std::array<Pixel, screen_width * screen_height> screen{};
};

Store& store() {
  static Store instance;
  return instance;
}

Picture* find(int id) {
  if (id < 0 || id >= picture_slots) return nullptr;
  Picture& picture = store().pictures[static_cast<std::size_t>(id)];
  return picture.exists ? &picture : nullptr;
}

// A clip rectangle that selects at least one pixel of its picture.
bool usable(const ClipRect& clip) {
  return clip.left >= 0 && clip.top >= 0 && clip.width > 0 && clip.height > 0;
}

// Colours that a 16-bit screen, keeping the top 5 bits of each channel, turns
// into black.
bool near_black(Pixel p) {
  const Pixel r = (p >> 16) & 0xFFU;
  const Pixel g = (p >> 8) & 0xFFU;
  const Pixel b = p & 0xFFU;
  return r < 8 && g < 8 && b < 8;
}

struct Span {
  int from;
  int to;  // exclusive
};

Span overlap(int a_from, int a_len, int b_from, int b_len) {
  return {std::max(a_from, b_from), std::min(a_from + a_len, b_from + b_len)};
}

// Stores the pixels under number id, drawn whole until a clip is set.
void keep(int id, int width, int height, std::vector<Pixel> pixels) {
  Picture& picture = store().pictures[static_cast<std::size_t>(id)];
  picture.exists = true;
  picture.width = width;
  picture.height = height;
  picture.pixels = std::move(pixels);
  picture.runs.build(picture.pixels, width, height);
  picture.clip = ClipRect{0, 0, width, height};
}

}  // namespace

void picture_from_pixels(int id, int width, int height, std::vector<Pixel> pixels) {
  if (id < 0 || id >= picture_slots || width <= 0 || height <= 0) return;
  if (pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) return;
  for (Pixel& p : pixels) {
    p &= 0x00FFFFFFU;
    if (near_black(p)) p = 0;
  }
  keep(id, width, height, std::move(pixels));
}

bool picture_exists(int id) { return find(id) != nullptr; }

int picture_width(int id) {
  const Picture* p = find(id);
  return p != nullptr ? p->width : 0;
}

int picture_height(int id) {
  const Picture* p = find(id);
  return p != nullptr ? p->height : 0;
}

std::span<const Pixel> picture_pixels(int id) {
  const Picture* p = find(id);
  if (p == nullptr) return {};
  return p->pixels;
}

void free_picture(int id) {
  if (Picture* p = find(id)) *p = Picture{};
}

void free_all_pictures() {
  for (Picture& p : store().pictures) p = Picture{};
}

void set_clip(int id, int left, int top, int width, int height) {
  Picture* p = find(id);
  if (p == nullptr) return;
  if (left + width > p->width) width = p->width - left;
  if (top + height > p->height) height = p->height - top;
  p->clip = ClipRect{left, top, width, height};
}

ClipRect clip_of(int id) {
  const Picture* p = find(id);
  return p != nullptr ? p->clip : ClipRect{};
}

void draw_picture(int id, int x, int y) {
  const Picture* p = find(id);
  if (p == nullptr || !usable(p->clip)) return;
  const ClipRect& c = p->clip;
  const Span cols = overlap(x, c.width, 0, screen_width);
  const Span rows = overlap(y, c.height, 0, screen_height);
  if (cols.from >= cols.to || rows.from >= rows.to) return;
  auto& screen = store().screen;
  // Picture columns [lo, hi) land on the screen, moved by shift.
  const int shift = x - c.left;
  const int lo = cols.from - shift;
  const int hi = cols.to - shift;
  for (int sy = rows.from; sy < rows.to; ++sy) {
    const int row = c.top + sy - y;
    const Pixel* src = &p->pixels[static_cast<std::size_t>(row) * static_cast<std::size_t>(p->width)];
    Pixel* dst = &screen[static_cast<std::size_t>(sy * screen_width)];
    for (const Run& run : p->runs.in_row(row, lo, hi)) {
      const int from = std::max(run.from, lo);
      const int to = std::min(run.to, hi);
      std::memcpy(dst + from + shift, src + from, static_cast<std::size_t>(to - from) * sizeof(Pixel));
    }
  }
}

bool pixel_hit(int a, int xa, int ya, int b, int xb, int yb) {
  const Picture* pa = find(a);
  const Picture* pb = find(b);
  if (pa == nullptr || pb == nullptr || !usable(pa->clip) || !usable(pb->clip)) return false;
  const ClipRect& ca = pa->clip;
  const ClipRect& cb = pb->clip;
  // Bounding boxes first: most pairs are far apart.
  const Span cols = overlap(xa, ca.width, xb, cb.width);
  const Span rows = overlap(ya, ca.height, yb, cb.height);
  if (cols.from >= cols.to || rows.from >= rows.to) return false;
  // Screen column = picture column + shift.
  const int shift_a = xa - ca.left;
  const int shift_b = xb - cb.left;
  for (int y = rows.from; y < rows.to; ++y) {
    const auto runs_a = pa->runs.in_row(ca.top + y - ya, cols.from - shift_a, cols.to - shift_a);
    if (runs_a.empty()) continue;
    const auto runs_b = pb->runs.in_row(cb.top + y - yb, cols.from - shift_b, cols.to - shift_b);
    if (runs_meet(runs_a, shift_a, runs_b, shift_b, cols.from, cols.to)) return true;
  }
  return false;
}

void grab_screen(int id, int x, int y, int width, int height) {
  if (width <= 0 || height <= 0) return;
  std::vector<Pixel> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
  const auto& screen = store().screen;
  for (int row = 0; row < height; ++row) {
    for (int col = 0; col < width; ++col) {
      const int sx = x + col;
      const int sy = y + row;
      if (sx < 0 || sy < 0 || sx >= screen_width || sy >= screen_height) continue;
      pixels[static_cast<std::size_t>(row * width + col)] =
          screen[static_cast<std::size_t>(sy * screen_width + sx)];
    }
  }
  // Stored as taken: the grab keeps dark pixels as they are.
  if (id < 0 || id >= picture_slots) return;
  keep(id, width, height, std::move(pixels));
}

void clear_screen(Pixel colour) { store().screen.fill(colour & 0x00FFFFFFU); }

void begin_plot() {}

void plot(int x, int y, std::uint32_t packed_rgb) {
  // The stars always lie on the screen; the test only keeps a stray
  // coordinate from writing outside the buffer.
  if (x < 0 || y < 0 || x >= screen_width || y >= screen_height) return;
  const std::uint32_t r = packed_rgb & 0xFFU;
  const std::uint32_t g = (packed_rgb >> 8) & 0xFFU;
  const std::uint32_t b = (packed_rgb >> 16) & 0xFFU;
  store().screen[static_cast<std::size_t>(y * screen_width + x)] = (r << 16) | (g << 8) | b;
}

void end_plot() {}

std::span<Pixel> frame_buffer() { return store().screen; }

}  // namespace platform
