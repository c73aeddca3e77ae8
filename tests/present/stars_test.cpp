// The starfield: creation from the random numbers and the shared twinkle.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "game/world.h"
#include "platform/headless.h"
#include "platform/pictures.h"
#include "present/stars.h"
#include "tests/present/sheets.h"
#include "tests/support/world_fixture.h"

namespace sky {
namespace {

using testing::pixel_at;

constexpr std::uint32_t packed(int r, int g, int b) {
  return static_cast<std::uint32_t>(r + 256 * g + 65536 * b);
}

// A packed colour as the frame buffer holds it (0xRRGGBB).
platform::Pixel on_screen(std::uint32_t packed_rgb) {
  return ((packed_rgb & 0xFFU) << 16) | (packed_rgb & 0xFF00U) | ((packed_rgb >> 16) & 0xFFU);
}

std::uint32_t shown_colour(const Star& s) {
  switch (s.phase) {
    case 1:
      return s.colour1;
    case 2:
      return s.colour2;
    case 3:
      return s.colour3;
    default:
      return 0;
  }
}

using StarsTest = testing::WorldTest;

// Every value comes from the random numbers in a fixed order: x, y, the blue
// colour's red, green and blue, the pale colour's red, green and blue, phase.
TEST_F(StarsTest, MakeStarsDrawsItsRandomNumbersInOrder) {
  platform::headless::script_random(
      {639, 479, 10, 20, 30, 40, 50, 60, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  make_stars();
  ASSERT_EQ(stars.size(), 100U);
  const Star& first = stars[0];
  EXPECT_EQ(first.x, 639.0F);
  EXPECT_EQ(first.y, 479.0F);
  EXPECT_EQ(first.colour1, packed(10, 20, 230));
  EXPECT_EQ(first.colour2, packed(255, 255, 255));
  EXPECT_EQ(first.colour3, packed(140, 150, 210));
  EXPECT_EQ(first.phase, 3);
  const Star& second = stars[1];
  EXPECT_EQ(second.x, 0.0F);
  EXPECT_EQ(second.colour1, packed(0, 0, 200));
  EXPECT_EQ(second.colour3, packed(100, 100, 150));
  EXPECT_EQ(second.phase, 0);
}

TEST_F(StarsTest, EveryStarLiesOnTheScreenWithColoursInTheirRanges) {
  make_stars();
  ASSERT_EQ(stars.size(), 100U);
  std::vector<int> phases(4, 0);
  for (const Star& s : stars) {
    EXPECT_GE(s.x, 0.0F);
    EXPECT_LE(s.x, 639.0F);
    EXPECT_GE(s.y, 0.0F);
    EXPECT_LE(s.y, 479.0F);
    EXPECT_EQ(s.x, static_cast<float>(static_cast<int>(s.x)));
    EXPECT_EQ(s.y, static_cast<float>(static_cast<int>(s.y)));
    const auto channel = [](std::uint32_t c, int shift) {
      return static_cast<int>((c >> shift) & 0xFFU);
    };
    EXPECT_LE(channel(s.colour1, 0), 100);
    EXPECT_LE(channel(s.colour1, 8), 100);
    EXPECT_GE(channel(s.colour1, 16), 200);
    EXPECT_LE(channel(s.colour1, 16), 250);
    EXPECT_EQ(s.colour2, packed(255, 255, 255));
    EXPECT_GE(channel(s.colour3, 0), 100);
    EXPECT_LE(channel(s.colour3, 0), 200);
    EXPECT_GE(channel(s.colour3, 8), 100);
    EXPECT_LE(channel(s.colour3, 8), 200);
    EXPECT_GE(channel(s.colour3, 16), 150);
    EXPECT_LE(channel(s.colour3, 16), 250);
    ASSERT_GE(s.phase, 0);
    ASSERT_LE(s.phase, 3);
    ++phases[static_cast<std::size_t>(s.phase)];
  }
  // Every starting phase occurs (a generator stuck on one value would not).
  for (int count : phases) EXPECT_GT(count, 0);
}

class TwinkleTest : public testing::WorldTest {
 protected:
  // 100 stars in a row, all on their first colour, each in its own colour.
  void SetUp() override {
    WorldTest::SetUp();
    for (int i = 0; i < 100; ++i) {
      Star& s = stars.append();
      s.x = static_cast<float>(100 + 4 * i);
      s.y = 240.0F;
      s.colour1 = packed(i + 10, 0, 200);
      s.colour2 = packed(255, 255, 255);
      s.colour3 = packed(150, i + 10, 200);
      s.phase = 1;
    }
  }
  std::vector<int> stepped_stars() {
    std::vector<int> stepped;
    for (int i = 0; i < 100; ++i) {
      if (stars[static_cast<std::size_t>(i)].phase != phase_before_[static_cast<std::size_t>(i)]) {
        stepped.push_back(i);
      }
    }
    return stepped;
  }
  void draw_one_frame() {
    phase_before_.clear();
    for (const Star& s : stars) phase_before_.push_back(s.phase);
    platform::clear_screen(0);
    draw_stars();
  }
  std::vector<int> phase_before_;
};

// The counter is shared by all stars: the 31st, 62nd and 93rd visit of the
// first frame step on, and the 7 visits left over carry into the next frame.
TEST_F(TwinkleTest, StepsFallOnEveryThirtyFirstVisit) {
  draw_one_frame();
  EXPECT_EQ(stepped_stars(), (std::vector<int>{30, 61, 92}));
  EXPECT_EQ(game.twinkle_counter, 7);
  for (int i = 0; i < 100; ++i) {
    const Star& s = stars[static_cast<std::size_t>(i)];
    EXPECT_EQ(pixel_at(100 + 4 * i, 240), on_screen(shown_colour(s))) << "star " << i;
    EXPECT_EQ(pixel_at(101 + 4 * i, 240), 0U) << "star " << i;
  }
  draw_one_frame();
  EXPECT_EQ(stepped_stars(), (std::vector<int>{23, 54, 85}));
}

// Every star steps exactly once in any 31 frames, and phase 3 wraps to 0 (a
// dark star is still plotted, in black).
TEST_F(TwinkleTest, EachStarStepsOnceEveryThirtyOneFrames) {
  stars[30].phase = 3;
  std::vector<int> steps(100, 0);
  for (int frame = 0; frame < 31; ++frame) {
    draw_one_frame();
    for (int i : stepped_stars()) ++steps[static_cast<std::size_t>(i)];
    if (frame == 0) {
      EXPECT_EQ(stars[30].phase, 0);
      EXPECT_EQ(pixel_at(100 + 4 * 30, 240), 0U);
    }
  }
  for (int i = 0; i < 100; ++i) EXPECT_EQ(steps[static_cast<std::size_t>(i)], 1) << "star " << i;
}

// In a whole frame the stars lie under everything else: a star under the hills
// is covered by them.
TEST_F(TwinkleTest, StarsAreTheBottomLayerOfTheFrame) {
  testing::install_screen_sprites();
  stars[0].x = 320.0F;
  stars[0].y = 300.0F;
  stars[1].x = 320.0F;
  stars[1].y = 450.0F;
  testing::run_frames(1);
  EXPECT_EQ(pixel_at(320, 300), on_screen(stars[0].colour1));
  EXPECT_EQ(testing::sprite_at(320, 450), id(SpriteId::GroundStrip));
}

}  // namespace
}  // namespace sky
