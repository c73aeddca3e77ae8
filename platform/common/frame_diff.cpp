#include "platform/common/frame_diff.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace platform {

FrameDiff::FrameDiff() : last_(static_cast<std::size_t>(screen_width * screen_height), 0) {
  for (auto* v : {&rects_, &open_, &runs_, &next_}) v->reserve(tiles_x * tiles_y);
}

// Compares one tile and copies it into the remembered frame when it differs.
bool FrameDiff::tile_changed(std::span<const Pixel> frame, int tx, int ty) {
  bool changed = false;
  const std::size_t bytes = tile_w * sizeof(Pixel);
  for (int row = ty * tile_h; row < (ty + 1) * tile_h; ++row) {
    const std::size_t at = static_cast<std::size_t>(row * screen_width + tx * tile_w);
    if (changed || std::memcmp(&frame[at], &last_[at], bytes) != 0) {
      std::memcpy(&last_[at], &frame[at], bytes);
      changed = true;
    }
  }
  return changed;
}

const std::vector<Rect>& FrameDiff::update(std::span<const Pixel> frame) {
  rects_.clear();
  if (frame.size() != last_.size()) return rects_;
  if (whole_) {
    std::copy(frame.begin(), frame.end(), last_.begin());
    rects_.push_back({0, 0, screen_width, screen_height});
    whole_ = false;
    return rects_;
  }
  // Runs of changed tiles along each tile row; a run with the same columns as
  // one in the row above extends that rectangle downwards.
  open_.clear();
  for (int ty = 0; ty < tiles_y; ++ty) {
    runs_.clear();
    for (int tx = 0; tx < tiles_x; ++tx) {
      if (!tile_changed(frame, tx, ty)) continue;
      if (!runs_.empty() && runs_.back().x + runs_.back().w == tx * tile_w) {
        runs_.back().w += tile_w;
      } else {
        runs_.push_back({tx * tile_w, ty * tile_h, tile_w, tile_h});
      }
    }
    next_.clear();
    for (Rect run : runs_) {
      auto above = std::find_if(open_.begin(), open_.end(), [&](const Rect& r) {
        return r.x == run.x && r.w == run.w && r.y + r.h == run.y;
      });
      if (above != open_.end()) {
        run.y = above->y;
        run.h += above->h;
        open_.erase(above);
      }
      next_.push_back(run);
    }
    rects_.insert(rects_.end(), open_.begin(), open_.end());
    std::swap(open_, next_);
  }
  rects_.insert(rects_.end(), open_.begin(), open_.end());
  return rects_;
}

}  // namespace platform
