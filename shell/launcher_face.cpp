#include "shell/launcher_face.h"

#include <algorithm>

#include "shell/launcher_font.h"

namespace sky {
namespace {

using platform::DialogRect;
using platform::Pixel;

// The desktop's classic gadget colours.
constexpr Pixel white = 0xFFFFFF;
constexpr Pixel light = 0xDFDFDF;
constexpr Pixel face_grey = 0xC0C0C0;
constexpr Pixel shadow = 0x808080;
constexpr Pixel black = 0x000000;
constexpr Pixel tooltip_paper = 0xFFFFE1;

// Tooltip text sits 3 pixels from the sides and 2 from the top inside a
// 1-pixel border; the pointer's picture is about 20 pixels tall.
constexpr int tooltip_pad_x = 3;
constexpr int tooltip_pad_top = 2;
constexpr int tooltip_pad_bottom = 1;
constexpr int pointer_height = 20;
constexpr int tooltip_margin = 6;

// The tick of a checked box, 7 x 7, three pixels thick.
constexpr std::string_view tick =
    "......#"
    ".....##"
    "#...###"
    "##.###."
    "#####.."
    ".###..."
    "..#....";
constexpr int tick_size = 7;

// Top and left edges in one colour, bottom and right in the other.
void edge(Canvas& c, const DialogRect& r, Pixel top_left, Pixel bottom_right) {
  c.fill(r.x, r.y, r.width - 1, 1, top_left);
  c.fill(r.x, r.y, 1, r.height - 1, top_left);
  c.fill(r.x, r.y + r.height - 1, r.width, 1, bottom_right);
  c.fill(r.x + r.width - 1, r.y, 1, r.height, bottom_right);
}

DialogRect inset(const DialogRect& r, int by) {
  return {r.x + by, r.y + by, r.width - 2 * by, r.height - 2 * by};
}

void draw_backdrop(Canvas& c, const LauncherArt& art) {
  if (art.backdrop && art.backdrop->width == c.width && art.backdrop->height == c.height) {
    c.pixels = art.backdrop->pixels;
  } else {
    c.fill(0, 0, c.width, c.height, face_grey);
  }
}

// A sunken white well; grey while the box is held down.
void draw_box(Canvas& c, const DialogRect& r, bool checked, bool pressed) {
  edge(c, r, shadow, white);
  edge(c, inset(r, 1), black, light);
  const DialogRect face = inset(r, 2);
  c.fill(face.x, face.y, face.width, face.height, pressed ? face_grey : white);
  if (!checked) return;
  const int left = face.x + (face.width - tick_size) / 2;
  const int top = face.y + (face.height - tick_size) / 2;
  for (int i = 0; i < tick_size * tick_size; ++i) {
    if (tick[static_cast<std::size_t>(i)] == '#')
      c.set(left + i % tick_size, top + i / tick_size, black);
  }
}

// The picture centred in the button and cut at its edges; pressed, it moves a
// pixel down and right and the raised edges turn sunken.
void draw_button(Canvas& c, const DialogRect& r, const LauncherArt& art, bool pressed) {
  c.fill(r.x, r.y, r.width, r.height, face_grey);
  if (art.button && !art.button->pixels.empty()) {
    const platform::Image& image = *art.button;
    const int shift = pressed ? 1 : 0;
    const int left = r.x + (r.width - image.width) / 2 + shift;
    const int top = r.y + (r.height - image.height) / 2 + shift;
    for (int y = std::max(r.y, top); y < std::min(r.y + r.height, top + image.height); ++y) {
      for (int x = std::max(r.x, left); x < std::min(r.x + r.width, left + image.width); ++x) {
        c.set(x, y, image.pixels[static_cast<std::size_t>((y - top) * image.width + (x - left))]);
      }
    }
  }
  if (pressed) {
    edge(c, r, black, white);
    edge(c, inset(r, 1), shadow, light);
  } else {
    edge(c, r, white, black);
    edge(c, inset(r, 1), light, shadow);
  }
}

void draw_tooltip(Canvas& c, const Tooltip& tooltip) {
  const DialogRect box = tooltip_box(tooltip);
  c.fill(box.x, box.y, box.width, box.height, tooltip_paper);
  edge(c, box, black, black);
  draw_text(c, box.x + 1 + tooltip_pad_x, box.y + 1 + tooltip_pad_top, start_tooltip, black);
}

}  // namespace

DialogRect tooltip_box(const Tooltip& tooltip) {
  const int width = text_width(start_tooltip) + 2 * tooltip_pad_x + 2;
  const int height = glyph_height + tooltip_pad_top + tooltip_pad_bottom + 2;
  const int x = std::clamp(tooltip.x, tooltip_margin, launcher_width - width - tooltip_margin);
  int y = tooltip.y + pointer_height;
  if (y + height > launcher_height - tooltip_margin) y = tooltip.y - height - 4;
  return {x, y, width, height};
}

void draw_launcher(Canvas& c, const LauncherArt& art, const LauncherState& state) {
  draw_backdrop(c, art);
  for (int i = 0; i < box_count; ++i) {
    draw_box(c, gadget_rects[static_cast<std::size_t>(i)],
             state.checked()[static_cast<std::size_t>(i)], state.shown_pressed() == i);
  }
  draw_button(c, gadget_rects[start_button], art, state.shown_pressed() == start_button);
  if (state.tooltip()) draw_tooltip(c, *state.tooltip());
}

}  // namespace sky
