#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "platform/common/frame_diff.h"

namespace {

using platform::FrameDiff;
using platform::Pixel;
using platform::Rect;

bool covered(const std::vector<Rect>& rects, int x, int y) {
  for (const Rect& r : rects) {
    if (x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h) return true;
  }
  return false;
}

// Every changed pixel lies in a reported rectangle, rectangles stay on the
// screen and do not overlap, and an unchanged frame reports nothing.
TEST(FrameDiffTest, ReportsEveryChangedPixelAndNothingElse) {
  FrameDiff diff;
  std::vector<Pixel> frame(640 * 480, 0);
  ASSERT_EQ(diff.update(frame).size(), 1U);  // the first frame is whole
  std::mt19937 rng(7);
  for (int round = 0; round < 50; ++round) {
    std::vector<std::pair<int, int>> changed;
    const int n = static_cast<int>(rng() % 40);
    for (int i = 0; i < n; ++i) {
      const int x = static_cast<int>(rng() % 640);
      const int y = static_cast<int>(rng() % 480);
      frame[static_cast<std::size_t>(y * 640 + x)] = static_cast<Pixel>(0x10000 * (round + 1) + i + 1);
      changed.emplace_back(x, y);
    }
    const std::vector<Rect> rects = diff.update(frame);
    std::vector<int> cover(640 * 480, 0);
    for (const Rect& r : rects) {
      ASSERT_GE(r.x, 0);
      ASSERT_GE(r.y, 0);
      ASSERT_LE(r.x + r.w, 640);
      ASSERT_LE(r.y + r.h, 480);
      for (int y = r.y; y < r.y + r.h; ++y) {
        for (int x = r.x; x < r.x + r.w; ++x) ++cover[static_cast<std::size_t>(y * 640 + x)];
      }
    }
    for (auto [x, y] : changed) EXPECT_TRUE(covered(rects, x, y)) << x << "," << y;
    for (int c : cover) ASSERT_LE(c, 1);
    EXPECT_TRUE(diff.update(frame).empty());
  }
  diff.invalidate();
  EXPECT_EQ(diff.update(frame).size(), 1U);
}

}  // namespace
