// The screenshot file "screen.bmp": its header, its pixels in file order, and
// F12 in the frame loop saving the last presented frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/headless.h"
#include "platform/pictures.h"
#include "shell/screenshot.h"
#include "tests/support/temp_dir.h"
#include "tests/support/world_fixture.h"

namespace sky {
namespace {

constexpr std::size_t file_size = 921654;
constexpr int picture = 99;

std::vector<std::uint8_t> file_bytes(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t field(const std::vector<std::uint8_t>& b, std::size_t at, int size) {
  std::uint32_t v = 0;
  for (int i = size - 1; i >= 0; --i) v = v << 8 | b[at + static_cast<std::size_t>(i)];
  return v;
}

// The pixel of the frame at (x, y) as the file holds it.
platform::Pixel file_pixel(const std::vector<std::uint8_t>& b, int x, int y) {
  const std::size_t at = 54 + static_cast<std::size_t>((479 - y) * 1920 + x * 3);
  return static_cast<platform::Pixel>(b[at + 2] << 16 | b[at + 1] << 8 | b[at]);
}

std::vector<platform::Pixel> frame_copy() {
  const auto frame = platform::frame_buffer();
  return {frame.begin(), frame.end()};
}

// Every pixel of the file against a frame.
void expect_file_shows(const std::vector<std::uint8_t>& b,
                       const std::vector<platform::Pixel>& frame) {
  ASSERT_EQ(b.size(), file_size);
  int wrong = 0;
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 640; ++x) {
      if (file_pixel(b, x, y) != (frame[static_cast<std::size_t>(y * 640 + x)] & 0xFFFFFF)) ++wrong;
    }
  }
  EXPECT_EQ(wrong, 0);
}

class ScreenshotTest : public testing::WorldTest {
 protected:
  testing::TempDir dir;
};

TEST_F(ScreenshotTest, HeaderIsTheFixedBitmapHeader) {
  take_screenshot();
  const auto b = file_bytes("screen.bmp");
  ASSERT_EQ(b.size(), file_size);
  EXPECT_EQ(b[0], 'B');
  EXPECT_EQ(b[1], 'M');
  struct Field {
    std::size_t at;
    int size;
    std::uint32_t value;
  };
  const Field fields[] = {{2, 4, 921654}, {6, 2, 0},    {8, 2, 0},  {10, 4, 54}, {14, 4, 40},
                          {18, 4, 640},   {22, 4, 480}, {26, 2, 1}, {28, 2, 24}, {30, 4, 0},
                          {34, 4, 0},     {38, 4, 0},   {42, 4, 0}, {46, 4, 0},  {50, 4, 0}};
  for (const Field& f : fields) EXPECT_EQ(field(b, f.at, f.size), f.value) << "offset " << f.at;
  EXPECT_FALSE(platform::picture_exists(picture));
}

// Every pixel distinct in each channel's position: catches a swapped channel,
// rows top-down, or a shifted row.
TEST_F(ScreenshotTest, PixelsAreBottomUpBlueGreenRed) {
  auto frame = platform::frame_buffer();
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 640; ++x) {
      frame[static_cast<std::size_t>(y * 640 + x)] = static_cast<platform::Pixel>(
          (x & 0xFF) << 16 | (y & 0xFF) << 8 | ((x >> 8) * 16 + (y >> 8)));
    }
  }
  frame[0] = 0x00112233;
  take_screenshot();
  const auto b = file_bytes("screen.bmp");
  ASSERT_EQ(b.size(), file_size);
  // Top-left pixel of the screen: first pixel of the last row in the file.
  const std::size_t last_row = 54 + 479 * 1920;
  EXPECT_EQ(b[last_row], 0x33);
  EXPECT_EQ(b[last_row + 1], 0x22);
  EXPECT_EQ(b[last_row + 2], 0x11);
  expect_file_shows(b, frame_copy());
}

TEST_F(ScreenshotTest, SecondShotReplacesTheFirst) {
  platform::clear_screen(0x00FF0000);
  take_screenshot();
  platform::clear_screen(0x000000FF);
  take_screenshot();
  const auto b = file_bytes("screen.bmp");
  ASSERT_EQ(b.size(), file_size);
  EXPECT_TRUE(std::all_of(b.begin() + 54, b.end(), [i = 0](std::uint8_t v) mutable {
    return v == ((i++ % 3 == 0) ? 0xFF : 0);
  }));
}

TEST_F(ScreenshotTest, FileThatCannotBeWrittenIsIgnored) {
  std::filesystem::create_directory("screen.bmp");
  take_screenshot();
  EXPECT_TRUE(std::filesystem::is_directory("screen.bmp"));
  EXPECT_FALSE(platform::picture_exists(picture));
}

// Through the frame loop: F12 found released in step 5 saves the frame that
// was presented last, before the current frame is drawn.
TEST_F(ScreenshotTest, F12ReleaseSavesTheLastPresentedFrame) {
  namespace headless = platform::headless;
  testing::run_frames(40);
  headless::set_key(platform::Key::F12, true);
  testing::run_frames(3);  // held: nothing yet
  EXPECT_FALSE(std::filesystem::exists("screen.bmp"));
  headless::set_key(platform::Key::F12, false);
  // Something the next frame would never draw, so the saved frame cannot be
  // the one drawn after the grab.
  platform::frame_buffer()[0] = 0x00ABCDEF;
  const std::vector<platform::Pixel> presented = frame_copy();
  testing::run_frames(1);
  const auto b = file_bytes("screen.bmp");
  expect_file_shows(b, presented);
  EXPECT_NE(platform::frame_buffer()[0], 0x00ABCDEFU);
  EXPECT_FALSE(platform::picture_exists(picture));
}

}  // namespace
}  // namespace sky
