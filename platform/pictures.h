// Pictures and the frame buffer: a 640x480 32-bit software screen, numbered
// pictures held as decoded pixels, colour-keyed drawing, the per-pixel hit
// test and direct pixel plotting. This part is plain memory work shared by
// every display backend; the backend only shows the finished frame.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace platform {

constexpr int screen_width = 640;
constexpr int screen_height = 480;

// Pixels are 0x00RRGGBB. Black (0) is transparent in every colour-keyed draw.
using Pixel = std::uint32_t;

struct ClipRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// Stores a picture under number id (replacing an earlier one). Pixels are
// row-major, width * height of them. Pixels so dark that a 16-bit screen would
// turn them black (each channel below 8) become black here too, so
// transparency does not depend on the display mode.
void picture_from_pixels(int id, int width, int height, std::vector<Pixel> pixels);
bool picture_exists(int id);
int picture_width(int id);
int picture_height(int id);
// Row-major pixels of the whole picture (empty when it does not exist).
std::span<const Pixel> picture_pixels(int id);
void free_picture(int id);
void free_all_pictures();

// Sets the clip rectangle: a rectangle reaching past the right or bottom edge
// is cut at that edge; a negative left or top, or nothing left after the cut,
// makes draws show nothing. A picture never given one is used whole.
void set_clip(int id, int left, int top, int width, int height);
ClipRect clip_of(int id);

// Draws the clip rectangle of picture id with its top-left at (x, y), skipping
// black pixels, cut at the screen edges.
void draw_picture(int id, int x, int y);

// True when pictures a at (xa, ya) and b at (xb, yb), each as its clip
// rectangle stands, share a pixel that is not black in either.
bool pixel_hit(int a, int xa, int ya, int b, int xb, int yb);

// Copies a rectangle of the frame buffer into a new picture under number id.
void grab_screen(int id, int x, int y, int width, int height);

// The frame buffer.
void clear_screen(Pixel colour);
// Direct pixel drawing: plot() writes one pixel of a packed colour
// (red + 256 * green + 65536 * blue) and checks no coordinates.
void begin_plot();
void plot(int x, int y, std::uint32_t packed_rgb);
void end_plot();
std::span<Pixel> frame_buffer();

}  // namespace platform
