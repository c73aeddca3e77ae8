// One whole attract frame with the game's own pictures and a fixed starfield,
// compared pixel by pixel with a recorded frame kept in this folder.
//
// To record the frame anew after an intended change of the art or the layout:
//   SKYWARD_RECORD=1 ctest --test-dir <build> -R GoldenFrame
// then look at the new tests/present/attract_frame.png before committing it.
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "game/world.h"
#include "platform/clock.h"
#include "platform/pictures.h"
#include "platform/random.h"
#include "present/assets.h"
#include "present/stars.h"
#include "tests/support/world_fixture.h"

namespace sky {
namespace {

constexpr int width = platform::screen_width;
constexpr int height = platform::screen_height;
constexpr std::uint32_t star_seed = 20260101;
constexpr int sprite_count = 23;

const std::string golden_path =
    std::string(SKYWARD_SOURCE_DIR) + "/tests/present/attract_frame.png";

bool recording() {
  const char* value = std::getenv("SKYWARD_RECORD");
  return value != nullptr && std::string(value) == "1";
}

bool all_sprites_loaded() {
  for (int i = 0; i < sprite_count; ++i) {
    if (!platform::picture_exists(i)) return false;
  }
  return true;
}

// The frame as an 8-bit RGB PNG (libpng's simplified interface).
bool write_png(const std::string& path, std::span<const platform::Pixel> pixels) {
  std::vector<png_byte> rgb;
  rgb.reserve(pixels.size() * 3);
  for (platform::Pixel p : pixels) {
    rgb.push_back(static_cast<png_byte>((p >> 16) & 0xFFU));
    rgb.push_back(static_cast<png_byte>((p >> 8) & 0xFFU));
    rgb.push_back(static_cast<png_byte>(p & 0xFFU));
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = width;
  image.height = height;
  image.format = PNG_FORMAT_RGB;
  return png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr) != 0;
}

// A 640x480 PNG as 0xRRGGBB pixels; nullopt when it cannot be read or has
// another size.
std::optional<std::vector<platform::Pixel>> read_png(const std::string& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_file(&image, path.c_str()) == 0) return std::nullopt;
  if (image.width != width || image.height != height) {
    png_image_free(&image);
    return std::nullopt;
  }
  image.format = PNG_FORMAT_RGB;
  std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
  if (png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr) == 0) return std::nullopt;
  std::vector<platform::Pixel> pixels(static_cast<std::size_t>(width * height));
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    pixels[i] = (platform::Pixel{rgb[3 * i]} << 16) | (platform::Pixel{rgb[3 * i + 1]} << 8) |
                platform::Pixel{rgb[3 * i + 2]};
  }
  return pixels;
}

// The first attract page at rest over the hills and the stars, with the HUD of
// a finished game and a filled today's-best table.
void draw_attract_frame() {
  testing::fresh_world();
  platform::random_seed(star_seed);
  make_stars();
  load_assets();
  game.mode = GameMode::TodaysBestPage;
  game.page_scroll_y = 90;
  game.title_frame = 1;
  game.score = 1230;
  game.hi_score = 4855;
  todays_best = {"004855", "001230", "000075"};
  game.deadline = platform::deadline_in(5000);
  testing::run_frames(1);
}

TEST(GoldenFrameTest, AttractFrameMatchesTheRecordedOne) {
  const bool have_golden = std::filesystem::exists(golden_path);
  draw_attract_frame();
  if (!all_sprites_loaded()) {
    if (!have_golden && !recording()) {
      GTEST_SKIP() << "load_assets() does not load the game's pictures yet; this frame is "
                      "recorded once it does (SKYWARD_RECORD=1)";
    }
    FAIL() << "load_assets() left pictures out";
  }
  const std::span<const platform::Pixel> frame = platform::frame_buffer();
  ASSERT_EQ(game.mode, GameMode::TodaysBestPage);
  if (recording()) {
    ASSERT_TRUE(write_png(golden_path, frame)) << "cannot write " << golden_path;
    GTEST_SKIP() << "recorded " << golden_path;
  }
  ASSERT_TRUE(have_golden) << "no recorded frame at " << golden_path
                           << "; record it with SKYWARD_RECORD=1";
  const std::optional<std::vector<platform::Pixel>> golden = read_png(golden_path);
  ASSERT_TRUE(golden.has_value()) << golden_path << " is not a readable 640x480 PNG";
  int differing = 0;
  int left = width, top = height, right = -1, bottom = -1;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const auto i = static_cast<std::size_t>(y * width + x);
      if (frame[i] == (*golden)[i]) continue;
      ++differing;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  if (differing != 0) {
    const std::string actual =
        (std::filesystem::current_path() / "attract_frame_actual.png").string();
    write_png(actual, frame);
    ADD_FAILURE() << differing << " pixels differ within x " << left << ".." << right << ", y "
                  << top << ".." << bottom << "; this frame is in " << actual
                  << "\nif the change is intended, record again with SKYWARD_RECORD=1";
  }
}

}  // namespace
}  // namespace sky
