// The picture the launcher draws its face into before the window shows it.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/pictures.h"

namespace sky {

struct Canvas {
  int width = 0;
  int height = 0;
  std::vector<platform::Pixel> pixels;  // row-major 0x00RRGGBB

  Canvas(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w * h), 0) {}

  // Writes one pixel; positions outside the canvas are ignored.
  void set(int x, int y, platform::Pixel colour) {
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    pixels[static_cast<std::size_t>(y * width + x)] = colour;
  }
  platform::Pixel at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }

  void fill(int x, int y, int w, int h, platform::Pixel colour) {
    for (int row = y; row < y + h; ++row) {
      for (int col = x; col < x + w; ++col) set(col, row, colour);
    }
  }
};

}  // namespace sky
