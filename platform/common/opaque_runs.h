// The visible (non-black) pixels of a picture as runs per row. Drawing copies
// whole runs and the hit test intersects runs, so the black around a fireball
// or a rock costs nothing.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/pictures.h"

namespace platform {

struct Run {
  std::int32_t from;  // first column of the run
  std::int32_t to;    // one past its last column
};

class OpaqueRuns {
 public:
  void build(std::span<const Pixel> pixels, int width, int height);
  // The runs of a row that reach into columns [from, to), in order.
  std::span<const Run> in_row(int row, int from, int to) const;

 private:
  std::vector<std::uint32_t> row_start_;  // index of each row's first run; one more at the end
  std::vector<Run> runs_;
};

// True when some column lies in a run of a and in a run of b; each list is
// given in its own columns and moved by its shift onto a common axis, and
// only columns in [from, to) of that axis count.
bool runs_meet(std::span<const Run> a, int shift_a, std::span<const Run> b, int shift_b, int from,
               int to);

}  // namespace platform
