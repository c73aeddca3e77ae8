// Finding what changed between two frames, so presenting a frame sends only
// the changed parts of the picture to the screen.
#pragma once

#include <span>
#include <vector>

#include "platform/pictures.h"

namespace platform {

struct Rect {
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
};

class FrameDiff {
 public:
  FrameDiff();
  // Compares the frame with the last one given, remembers it, and returns the
  // rectangles (in picture coordinates) that differ. After invalidate() the
  // whole picture counts as changed once.
  const std::vector<Rect>& update(std::span<const Pixel> frame);
  void invalidate() { whole_ = true; }

 private:
  static constexpr int tile_w = 32;
  static constexpr int tile_h = 16;
  static constexpr int tiles_x = screen_width / tile_w;
  static constexpr int tiles_y = screen_height / tile_h;

  bool tile_changed(std::span<const Pixel> frame, int tx, int ty);

  std::vector<Pixel> last_;
  std::vector<Rect> rects_;
  // Scratch lists reused every frame: rectangles still growing downwards,
  // the runs of the current tile row, and the next row's growing ones.
  std::vector<Rect> open_;
  std::vector<Rect> runs_;
  std::vector<Rect> next_;
  bool whole_ = true;
};

}  // namespace platform
