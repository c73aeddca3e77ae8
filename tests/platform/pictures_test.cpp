#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "platform/headless.h"
#include "platform/pictures.h"
#include "platform/textured.h"

namespace {

using platform::Pixel;

constexpr Pixel red = 0xFF0000;
constexpr Pixel white = 0xFFFFFF;

// A w x h picture; '#' is red, '.' black.
void make_picture(int id, int w, int h, const char* rows) {
  std::vector<Pixel> px;
  for (const char* c = rows; *c != '\0'; ++c) px.push_back(*c == '#' ? red : 0);
  platform::picture_from_pixels(id, w, h, std::move(px));
}

Pixel at(int x, int y) { return platform::frame_buffer()[static_cast<std::size_t>(y * 640 + x)]; }

class PicturesTest : public ::testing::Test {
 protected:
  void SetUp() override { platform::headless::reset(); }
};

TEST_F(PicturesTest, ColourKeyedDrawSkipsBlackAndCutsAtTheScreenEdges) {
  make_picture(1, 3, 2,
               "#.#"
               ".#.");
  platform::clear_screen(white);
  platform::draw_picture(1, 10, 20);
  EXPECT_EQ(at(10, 20), red);
  EXPECT_EQ(at(11, 20), white);  // black is transparent
  EXPECT_EQ(at(11, 21), red);
  platform::draw_picture(1, 638, 479);  // cut at the right and bottom edges
  EXPECT_EQ(at(638, 479), red);
  platform::draw_picture(1, -2, -1);  // only (0, 0) of the picture's (2, 1) lands
  EXPECT_EQ(at(0, 0), white);
  platform::draw_picture(1, -1, -1);
  EXPECT_EQ(at(0, 0), red);
  platform::draw_picture(1, 640, 0);  // wholly off screen: nothing, no crash
  platform::draw_picture(1, -3, 0);
}

TEST_F(PicturesTest, ClipRectangleSelectsAFrameAndIsCutAtThePictureEdge) {
  // Three frames of 2x1: frame 0 red, frame 1 black, frame 2 red.
  make_picture(2, 6, 1, "##..##");
  platform::clear_screen(white);
  platform::set_clip(2, 2, 0, 2, 1);
  platform::draw_picture(2, 0, 0);
  EXPECT_EQ(at(0, 0), white);
  platform::set_clip(2, 4, 0, 5, 1);  // reaches past the right edge: cut to 2
  EXPECT_EQ(platform::clip_of(2).width, 2);
  platform::set_clip(2, 6, 0, 2, 1);  // one frame past the strip: width 0
  EXPECT_EQ(platform::clip_of(2).width, 0);
  platform::draw_picture(2, 0, 0);
  EXPECT_EQ(at(0, 0), white);
  platform::set_clip(2, -2, 0, 2, 1);  // negative left: shows nothing
  platform::draw_picture(2, 0, 0);
  EXPECT_EQ(at(0, 0), white);
}

TEST_F(PicturesTest, PixelHitNeedsOverlappingVisiblePixels) {
  make_picture(1, 2, 2,
               "#."
               "..");
  make_picture(2, 2, 2,
               ".."
               ".#");
  struct Case {
    int xa, ya, xb, yb;
    bool hit;
  };
  const Case cases[] = {
      {0, 0, 0, 0, false},    // boxes overlap, visible pixels do not
      {1, 1, 0, 0, true},     // A's pixel lands on B's pixel
      {10, 10, 0, 0, false},  // boxes apart
      {2, 1, 0, 0, false},    // boxes touch edge to edge only
  };
  for (const Case& c : cases) {
    EXPECT_EQ(platform::pixel_hit(1, c.xa, c.ya, 2, c.xb, c.yb), c.hit)
        << c.xa << "," << c.ya << " vs " << c.xb << "," << c.yb;
  }
}

TEST_F(PicturesTest, PixelHitUsesClipRectanglesAndWidthZeroNeverHits) {
  make_picture(1, 1, 1, "#");
  make_picture(2, 4, 1, "#..#");
  platform::set_clip(2, 3, 0, 1, 1);  // only the last pixel, placed at xb
  EXPECT_TRUE(platform::pixel_hit(1, 5, 0, 2, 5, 0));
  platform::set_clip(2, 1, 0, 2, 1);  // the black middle
  EXPECT_FALSE(platform::pixel_hit(1, 5, 0, 2, 5, 0));
  platform::set_clip(2, 4, 0, 1, 1);  // width 0 after the cut
  EXPECT_FALSE(platform::pixel_hit(1, 0, 0, 2, 0, 0));
  EXPECT_FALSE(platform::pixel_hit(1, 0, 0, 77, 0, 0));  // missing picture
}

TEST_F(PicturesTest, NearBlackPixelsAreTransparentLikeOnA16BitScreen) {
  platform::picture_from_pixels(3, 2, 1, {0x040404, 0x080000});
  platform::clear_screen(white);
  platform::draw_picture(3, 0, 0);
  EXPECT_EQ(at(0, 0), white);
  EXPECT_EQ(at(1, 0), 0x080000U);
}

TEST_F(PicturesTest, PlotPacksRedGreenBlueAndGrabCopiesTheScreen) {
  platform::clear_screen(0);
  platform::begin_plot();
  platform::plot(3, 4, 10 + 256 * 20 + 65536 * 30);
  platform::end_plot();
  EXPECT_EQ(at(3, 4), 0x0A141EU);
  platform::grab_screen(99, 0, 0, 640, 480);
  ASSERT_EQ(platform::picture_width(99), 640);
  EXPECT_EQ(platform::picture_pixels(99)[4 * 640 + 3], 0x0A141EU);
  platform::free_picture(99);
  EXPECT_FALSE(platform::picture_exists(99));
}

// An arrow of one column pointing up: turned 90 degrees it points right.
TEST_F(PicturesTest, TexturedSpritesTurnClockwiseAboutTheirCentre) {
  std::vector<Pixel> px(32 * 32, 0);
  for (int y = 2; y < 16; ++y) px[static_cast<std::size_t>(y * 32 + 16)] = red;
  platform::picture_from_pixels(6, 32, 32, px);
  ASSERT_TRUE(platform::textured_from_picture(6));
  platform::clear_screen(0);
  platform::textured_begin();
  platform::textured_draw(6, 100, 100, 0, 255);
  platform::textured_end();
  EXPECT_EQ(at(116, 104), red);  // upright: above the centre
  platform::clear_screen(0);
  platform::textured_draw(6, 100, 100, 90, 255);
  EXPECT_EQ(at(116, 104), 0U);
  EXPECT_EQ(at(127, 115) | at(127, 116) | at(127, 117), red);  // now right of the centre
  platform::clear_screen(0);
  platform::textured_draw(6, 100, 100, 0, 128);  // half transparent over black
  const Pixel half = at(116, 104);
  EXPECT_GT(half >> 16, 100U);
  EXPECT_LT(half >> 16, 160U);
}

}  // namespace

namespace {

// Plain per-pixel versions of the colour-keyed draw and the hit test, to
// check the fast ones against on random pictures and clip rectangles.
struct Reference {
  int w, h;
  std::vector<Pixel> px;
  platform::ClipRect clip;
};

void reference_draw(const Reference& r, int x, int y, std::vector<Pixel>& screen) {
  const auto& c = r.clip;
  if (c.left < 0 || c.top < 0 || c.width <= 0 || c.height <= 0) return;
  for (int j = 0; j < c.height; ++j) {
    for (int i = 0; i < c.width; ++i) {
      const int sx = x + i;
      const int sy = y + j;
      if (sx < 0 || sy < 0 || sx >= 640 || sy >= 480) continue;
      const Pixel p = r.px[static_cast<std::size_t>((c.top + j) * r.w + c.left + i)];
      if (p != 0) screen[static_cast<std::size_t>(sy * 640 + sx)] = p;
    }
  }
}

bool reference_hit(const Reference& a, int xa, int ya, const Reference& b, int xb, int yb) {
  for (int j = 0; j < a.clip.height; ++j) {
    for (int i = 0; i < a.clip.width; ++i) {
      const int sx = xa + i - xb;
      const int sy = ya + j - yb;
      if (sx < 0 || sy < 0 || sx >= b.clip.width || sy >= b.clip.height) continue;
      if (a.px[static_cast<std::size_t>((a.clip.top + j) * a.w + a.clip.left + i)] != 0 &&
          b.px[static_cast<std::size_t>((b.clip.top + sy) * b.w + b.clip.left + sx)] != 0) {
        return true;
      }
    }
  }
  return false;
}

Reference random_picture(std::mt19937& rng, int id) {
  Reference r;
  r.w = 1 + static_cast<int>(rng() % 70);
  r.h = 1 + static_cast<int>(rng() % 40);
  // Visible pixels out of 16: none, a sprinkle, a quarter, half, all.
  constexpr unsigned densities[] = {0, 1, 4, 8, 16};
  const unsigned density = densities[rng() % 5];
  for (int i = 0; i < r.w * r.h; ++i) {
    r.px.push_back(rng() % 16 < density ? (0x100000U | (rng() & 0xFFFFU)) : 0U);
  }
  platform::picture_from_pixels(id, r.w, r.h, r.px);
  const int left = static_cast<int>(rng() % static_cast<unsigned>(r.w));
  const int top = static_cast<int>(rng() % static_cast<unsigned>(r.h));
  platform::set_clip(id, left, top, 1 + static_cast<int>(rng() % 80), 1 + static_cast<int>(rng() % 50));
  r.clip = platform::clip_of(id);
  return r;
}

TEST_F(PicturesTest, FastDrawAndHitAgreeWithThePlainPixelRules) {
  std::mt19937 rng(2026);
  std::vector<Pixel> expected(640 * 480, 0);
  platform::clear_screen(0);
  int hits = 0;
  for (int round = 0; round < 2000; ++round) {
    const Reference a = random_picture(rng, 1);
    const Reference b = random_picture(rng, 2);
    const int xa = static_cast<int>(rng() % 700) - 60;
    const int ya = static_cast<int>(rng() % 540) - 40;
    const int xb = xa + static_cast<int>(rng() % 40) - 20;
    const int yb = ya + static_cast<int>(rng() % 24) - 12;
    const bool hit = reference_hit(a, xa, ya, b, xb, yb);
    ASSERT_EQ(platform::pixel_hit(1, xa, ya, 2, xb, yb), hit) << "round " << round;
    hits += hit ? 1 : 0;
    platform::draw_picture(1, xa, ya);
    reference_draw(a, xa, ya, expected);
  }
  EXPECT_GT(hits, 200);  // both outcomes are well represented
  EXPECT_LT(hits, 1800);
  const auto screen = platform::frame_buffer();
  ASSERT_TRUE(std::equal(screen.begin(), screen.end(), expected.begin()));
}

}  // namespace
