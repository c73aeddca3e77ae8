#include "platform/common/opaque_runs.h"

#include <algorithm>

namespace platform {

void OpaqueRuns::build(std::span<const Pixel> pixels, int width, int height) {
  row_start_.assign(static_cast<std::size_t>(height) + 1, 0);
  runs_.clear();
  for (int y = 0; y < height; ++y) {
    row_start_[static_cast<std::size_t>(y)] = static_cast<std::uint32_t>(runs_.size());
    const Pixel* row = &pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width)];
    int x = 0;
    while (x < width) {
      while (x < width && row[x] == 0) ++x;
      const int from = x;
      while (x < width && row[x] != 0) ++x;
      if (x > from) runs_.push_back({from, x});
    }
  }
  row_start_[static_cast<std::size_t>(height)] = static_cast<std::uint32_t>(runs_.size());
}

std::span<const Run> OpaqueRuns::in_row(int row, int from, int to) const {
  if (row < 0 || static_cast<std::size_t>(row) + 1 >= row_start_.size()) return {};
  const Run* first = runs_.data() + row_start_[static_cast<std::size_t>(row)];
  const Run* last = runs_.data() + row_start_[static_cast<std::size_t>(row) + 1];
  first = std::partition_point(first, last, [from](const Run& r) { return r.to <= from; });
  const Run* end = std::partition_point(first, last, [to](const Run& r) { return r.from < to; });
  return {first, end};
}

bool runs_meet(std::span<const Run> a, int shift_a, std::span<const Run> b, int shift_b, int from,
               int to) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    const int a_from = std::max(a[i].from + shift_a, from);
    const int a_to = std::min(a[i].to + shift_a, to);
    const int b_from = std::max(b[j].from + shift_b, from);
    const int b_to = std::min(b[j].to + shift_b, to);
    if (std::max(a_from, b_from) < std::min(a_to, b_to)) return true;
    if (a[i].to + shift_a < b[j].to + shift_b) {
      ++i;
    } else {
      ++j;
    }
  }
  return false;
}

}  // namespace platform
