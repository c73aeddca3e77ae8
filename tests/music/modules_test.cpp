// The game's two music modules, as the library's renderer reads them: each is
// an XM file that loads, comes to its end (where the player repeats it) and is
// heard for most of its length.
#include <gtest/gtest.h>
#include <xmp.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace sky {
namespace {

constexpr int rate = 44100;
constexpr int loud_peak = 500;
constexpr double longest_seconds = 600;

struct Pass {
  double seconds = 0;
  double loud_seconds = 0;  // in frames whose peak reaches loud_peak
  bool ended = false;
};

// Renders the module once through, up to where it would start again.
Pass render_once(xmp_context context) {
  Pass pass;
  xmp_frame_info info{};
  while (pass.seconds < longest_seconds && xmp_play_frame(context) == 0) {
    xmp_get_frame_info(context, &info);
    if (info.loop_count > 0) {
      pass.ended = true;
      break;
    }
    const auto* samples = static_cast<const std::int16_t*>(info.buffer);
    int peak = 0;
    for (int i = 0; i < info.buffer_size / 2; ++i) peak = std::max(peak, std::abs(int{samples[i]}));
    const double seconds = info.buffer_size / 4.0 / rate;
    pass.seconds += seconds;
    if (peak >= loud_peak) pass.loud_seconds += seconds;
  }
  return pass;
}

class ModuleTest : public ::testing::TestWithParam<const char*> {};

TEST_P(ModuleTest, LoadsAndIsHeardForMostOfItsLength) {
  const std::filesystem::path path =
      std::filesystem::path(SKYWARD_SOURCE_DIR) / "assets" / "music" / GetParam();
  if (!std::filesystem::exists(path)) GTEST_SKIP() << path << " is not there yet";
  std::ifstream file(path, std::ios::binary);
  std::string magic(17, '\0');
  file.read(magic.data(), 17);
  EXPECT_EQ(magic, "Extended Module: ");

  xmp_context context = xmp_create_context();
  ASSERT_EQ(xmp_load_module(context, path.c_str()), 0);
  ASSERT_EQ(xmp_start_player(context, rate, 0), 0);
  const Pass pass = render_once(context);
  xmp_end_player(context);
  xmp_release_module(context);
  xmp_free_context(context);

  EXPECT_TRUE(pass.ended) << "no end within " << longest_seconds << " s";
  EXPECT_GT(pass.seconds, 10.0);
  EXPECT_GT(pass.loud_seconds, pass.seconds / 2) << pass.loud_seconds << " of " << pass.seconds;
}

INSTANTIATE_TEST_SUITE_P(
    Modules, ModuleTest, ::testing::Values("intro.xm", "game.xm"), [](const auto& info) {
      return std::string(info.param).substr(0, std::string(info.param).find('.'));
    });

}  // namespace
}  // namespace sky
