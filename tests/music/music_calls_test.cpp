// The calls the game makes into the music library, seen through a stand-in
// library that records them, over whole frames on the headless platform: the
// binding and its failures, the cues of a game, the keep-alive on the attract
// pages, the pause and the unload at shut-down.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "game/world.h"
#include "platform/headless.h"
#include "shell/program.h"
#include "tests/support/temp_dir.h"
#include "tests/support/world_fixture.h"

namespace sky {
namespace {

namespace headless = platform::headless;
using Calls = std::vector<std::string>;

const std::string init_call = "Init -1 44100 0";
const Calls stop_calls = {"MusicStop", "MusicFree"};
const Calls play_intro = {"MusicLoad 0 intro.xm 0 0 1", "MusicPlayEx 0 1 1"};
const Calls play_game = {"MusicLoad 0 game.xm 0 0 1", "MusicPlayEx 0 1 1"};

Calls joined(std::initializer_list<Calls> parts) {
  Calls all;
  for (const Calls& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

std::string file_text(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

class MusicCallsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    headless::reset();
    setenv("SKYWARD_MUSIC_LOG", dir_.file("calls.log").c_str(), 1);
  }
  void TearDown() override { unsetenv("SKYWARD_MUSIC_LOG"); }

  // Puts a library beside the program under the name the game looks for.
  void install_library(const char* built) {
    std::filesystem::copy_file(built, dir_.file("libbassmod.so"));
  }
  void add_file(const std::string& name, const std::string& text = "") {
    std::ofstream(dir_.file(name), std::ios::binary) << text;
  }

  // The calls recorded since the previous take.
  Calls take_calls() {
    std::istringstream lines(file_text(dir_.file("calls.log")));
    Calls all;
    for (std::string line; std::getline(lines, line);) all.push_back(line);
    Calls recent(all.begin() + static_cast<std::ptrdiff_t>(taken_), all.end());
    taken_ = all.size();
    return recent;
  }

  // Start-up with the recording library and both modules present.
  void start_with_music() {
    install_library(FAKE_RECORDING_LIBRARY);
    add_file("intro.xm");
    add_file("game.xm");
    ASSERT_TRUE(start_up());
    ASSERT_EQ(game.use_music, 1);
    take_calls();
  }

  // A left click on the attract page, released in the following frame.
  void start_game() {
    headless::set_mouse(300, 200, true, false);
    run_frame();
    headless::set_mouse(300, 200, false, false);
  }

  testing::TempDir dir_;
  std::size_t taken_ = 0;
};

TEST_F(MusicCallsTest, StartUpBindsAndStartsTheIntroThenTheAttractPagesOnlyAsk) {
  install_library(FAKE_RECORDING_LIBRARY);
  add_file("intro.xm");
  ASSERT_TRUE(start_up());
  EXPECT_EQ(game.use_music, 1);
  EXPECT_TRUE(headless::error_boxes().empty());
  EXPECT_EQ(take_calls(), joined({{init_call}, stop_calls, play_intro}));
  testing::run_frames(3);
  EXPECT_EQ(take_calls(), Calls(3, "MusicIsActive"));
  shut_down();
}

TEST_F(MusicCallsTest, MissingIntroIsTriedAgainInEveryAttractFrame) {
  install_library(FAKE_RECORDING_LIBRARY);
  ASSERT_TRUE(start_up());
  take_calls();
  const Calls retry = joined({{"MusicIsActive"}, stop_calls, play_intro});
  testing::run_frames(3);
  EXPECT_EQ(take_calls(), joined({retry, retry, retry}));
  EXPECT_EQ(game.mode, GameMode::TodaysBestPage);
  // Once the module is there it loads, and the next frames only ask.
  add_file("intro.xm");
  testing::run_frames(3);
  EXPECT_EQ(take_calls(), joined({retry, {"MusicIsActive", "MusicIsActive"}}));
  shut_down();
}

TEST_F(MusicCallsTest, NewGameSwitchesToTheGameMusicAndTheGameDoesNotAsk) {
  start_with_music();
  start_game();
  EXPECT_EQ(game.mode, GameMode::GetReady);
  EXPECT_EQ(take_calls(), joined({stop_calls, play_game}));
  // A button still held in GetReady starts nothing; no keep-alive in a game.
  headless::set_mouse(300, 200, true, false);
  testing::run_frames(5);
  EXPECT_TRUE(take_calls().empty());
  shut_down();
}

TEST_F(MusicCallsTest, GameMusicStartsAgainOnlyWhenStageTenToFiftyInTensIsReached) {
  struct Case {
    int new_stage;
    bool restarts;
  };
  const Case cases[] = {{2, false}, {9, false}, {10, true}, {11, false}, {20, true},
                        {30, true}, {40, true}, {50, true}, {51, false}, {60, false}};
  start_with_music();
  start_game();
  take_calls();
  for (const Case& c : cases) {
    // Play with a wave of one meteor that is already gone: the stage ends.
    game.mode = GameMode::Playing;
    game.stage = c.new_stage - 1;
    game.wave_size = 1;
    meteors.clear();
    meteors.append().alive = 0;
    run_frame();
    ASSERT_EQ(game.mode, GameMode::MissionComplete) << c.new_stage;
    ASSERT_EQ(game.stage, c.new_stage);
    EXPECT_EQ(take_calls(), c.restarts ? joined({stop_calls, play_game}) : Calls{})
        << "stage " << c.new_stage;
  }
  shut_down();
}

TEST_F(MusicCallsTest, LostGameIsSilentThenTheIntroReturnsWithTheAttractPages) {
  start_with_music();
  start_game();
  take_calls();
  game.mode = GameMode::Playing;
  meteors.clear();
  for (City& city : cities) city.upright = 0;
  run_frame();
  ASSERT_EQ(game.mode, GameMode::GameOver);
  EXPECT_EQ(take_calls(), stop_calls);
  testing::run_frames(10);
  EXPECT_TRUE(take_calls().empty());
  // The end of GAME OVER: intro music, and the keep-alive of the first
  // attract page in that same frame.
  headless::advance_ms(6001);
  run_frame();
  ASSERT_EQ(game.mode, GameMode::TodaysBestPage);
  EXPECT_EQ(take_calls(), joined({stop_calls, play_intro, {"MusicIsActive"}}));
  shut_down();
}

TEST_F(MusicCallsTest, PKeyPausesTheMusicAndTheSecondPressResumesIt) {
  start_with_music();
  // Down in the first frame's snapshot, up in the second's: the pause starts
  // there and its own polls see the second press and release.
  headless::script_key_presses(platform::Key::P, {true, false, true, false});
  run_frame();
  EXPECT_EQ(take_calls(), Calls{"MusicIsActive"});
  run_frame();
  EXPECT_EQ(take_calls(), (Calls{"MusicPause", "MusicPlay", "MusicIsActive"}));
  shut_down();
}

TEST_F(MusicCallsTest, ShutDownUnloadsTheLibraryWithoutStoppingFirst) {
  start_with_music();
  start_game();
  take_calls();
  shut_down();
  EXPECT_EQ(take_calls(), Calls{"unload"});
  EXPECT_NE(file_text(dir_.file("Skyward.dat")).find("UseMusic = 1"), std::string::npos);
}

// Every cue of the game, one after the other: a new game, stage 10 reached,
// the game lost, the end of GAME OVER, a pause and attract frames.
void run_every_cue() {
  headless::set_mouse(300, 200, true, false);
  run_frame();
  headless::set_mouse(300, 200, false, false);
  game.mode = GameMode::Playing;
  game.wave_size = 1;
  game.stage = 9;
  meteors.append().alive = 0;
  run_frame();
  ASSERT_EQ(game.stage, 10);
  game.mode = GameMode::Playing;
  for (City& city : cities) city.upright = 0;
  run_frame();
  ASSERT_EQ(game.mode, GameMode::GameOver);
  headless::advance_ms(6001);
  headless::script_key_presses(platform::Key::P, {true, false, true, false});
  testing::run_frames(3);
  ASSERT_EQ(game.mode, GameMode::TodaysBestPage);
}

TEST_F(MusicCallsTest, MusicSwitchedOffInTheSettingsLoadsNothing) {
  install_library(FAKE_RECORDING_LIBRARY);
  add_file("intro.xm");
  add_file("Skyward.dat",
           "[Game Data]\r\nHiScore = 4855\r\nFullScreen = 1\r\nUseAudio = 1\r\nUseMusic = 0\r\n");
  ASSERT_TRUE(start_up());
  ASSERT_EQ(game.use_music, 0);
  run_every_cue();
  shut_down();
  // The library was never even loaded: it would have recorded its unload.
  EXPECT_FALSE(std::filesystem::exists(dir_.file("calls.log")));
}

// The switch is tested at every call site, whatever the state of the binding.
TEST_F(MusicCallsTest, EveryCueTestsTheMusicSwitch) {
  start_with_music();
  game.use_music = 0;
  run_every_cue();
  shut_down();
  EXPECT_TRUE(take_calls().empty());
}

struct BindingFailure {
  const char* library;  // nullptr: no library at all
  const char* message;  // nullptr: none
  Calls calls;          // everything the library ever sees
};

TEST_F(MusicCallsTest, FailedBindingSwitchesMusicOffForTheRunAndInTheSettings) {
  const BindingFailure cases[] = {
      {nullptr, nullptr, {}},
      {FAKE_MISSING_ENTRY_LIBRARY, "Could not Initialize MOD Engine", {}},
      {FAKE_INIT_FAILS_LIBRARY, "Cannot Initialize MOD Engine", {init_call}},
  };
  for (const BindingFailure& c : cases) {
    testing::TempDir dir;
    setenv("SKYWARD_MUSIC_LOG", dir.file("calls.log").c_str(), 1);
    headless::reset();
    if (c.library != nullptr) std::filesystem::copy_file(c.library, dir.file("libbassmod.so"));
    std::ofstream(dir.file("intro.xm")) << "";
    ASSERT_TRUE(start_up());
    EXPECT_EQ(game.use_music, 0);
    const Calls boxes = c.message != nullptr ? Calls{c.message} : Calls{};
    EXPECT_EQ(headless::error_boxes(), boxes);
    start_game();
    headless::script_key_presses(platform::Key::P, {true, false, true, false});
    testing::run_frames(3);
    shut_down();
    // The library stays loaded and is never called again, not even released.
    std::istringstream lines(file_text(dir.file("calls.log")));
    Calls seen;
    for (std::string line; std::getline(lines, line);) seen.push_back(line);
    EXPECT_EQ(seen, c.calls) << (c.library != nullptr ? c.library : "no library");
    EXPECT_NE(file_text(dir.file("Skyward.dat")).find("UseMusic = 0"), std::string::npos);
  }
}

}  // namespace
}  // namespace sky
