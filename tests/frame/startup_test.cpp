// Start-up in its fixed order, and its failure exits, on the headless
// platform.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "game/world.h"
#include "platform/clock.h"
#include "platform/headless.h"
#include "shell/program.h"
#include "tests/support/temp_dir.h"

namespace sky {
namespace {

namespace headless = platform::headless;
using headless::Service;

struct FailureCase {
  Service service;
  const char* message;  // nullptr: none
  bool runs;            // start-up goes on into the loop
};

TEST(StartupTest, FailuresShowTheirMessageAndEndOrGoOn) {
  const FailureCase cases[] = {
      {Service::Display, "Could Not Initialize DirectX 3D Hardware", false},
      {Service::Textured, "Could Not Initialize DirectX 3D Hardware", false},
      {Service::Keyboard, "Could Not Initialize Input Devices", false},
      {Service::Mouse, "Could Not Initialize Input Devices", false},
      {Service::OpenDisplay, nullptr, false},
      {Service::Sound, "Could Not Initialize Audio Hardware", true},
  };
  for (const FailureCase& c : cases) {
    testing::TempDir dir;
    headless::reset();
    headless::fail(c.service);
    EXPECT_EQ(start_up(), c.runs) << static_cast<int>(c.service);
    const std::vector<std::string> expected =
        c.message != nullptr ? std::vector<std::string>{c.message} : std::vector<std::string>{};
    EXPECT_EQ(headless::error_boxes(), expected);
    if (c.runs) {
      EXPECT_EQ(game.use_audio, 0);  // the game goes on without sound effects
      EXPECT_TRUE(headless::loaded_sounds().empty());
      shut_down();
    }
    // A failure exit does not write the settings file.
    if (!c.runs) {
      EXPECT_FALSE(std::filesystem::exists("Skyward.dat"));
    }
  }
}

TEST(StartupTest, OpensTheScreenAndStartsOnTheFirstAttractPage) {
  testing::TempDir dir;
  headless::reset();
  ASSERT_TRUE(start_up());
  EXPECT_TRUE(headless::display_is_open());
  EXPECT_TRUE(headless::display_full_screen());  // the default setting
  EXPECT_EQ(headless::display_title(), "SKYWARD - Perimeter Sky Watch");
  EXPECT_EQ(game.mode, GameMode::TodaysBestPage);
  EXPECT_EQ(game.hi_score, 4855);
  // The first attract page starts its timing 5 s ahead.
  EXPECT_EQ(game.deadline, platform::deadline_in(5000));
  shut_down();
}

}  // namespace
}  // namespace sky
