// The real music library, loaded as the game loads it, playing into SDL's
// dummy sound device. A post-mix effect taps every buffer the device takes, so
// the tests hear what the library renders: music while it plays, silence while
// it is paused, stopped, unloaded or after a failed load.
#include <SDL.h>
#include <SDL_mixer.h>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "modplayer/bassmod.h"
#include "tests/music/xm_writer.h"
#include "tests/support/temp_dir.h"

namespace sky {
namespace {

constexpr int loud_peak = 500;

struct Heard {
  int buffers = 0;
  int loud = 0;    // peak at least loud_peak
  int silent = 0;  // every sample 0
};

std::mutex heard_lock;
Heard heard_so_far;

void tap(int /*channel*/, void* stream, int length, void* /*unused*/) {
  const auto* samples = static_cast<const Sint16*>(stream);
  int peak = 0;
  for (int i = 0; i < length / 2; ++i) peak = std::max(peak, std::abs(int{samples[i]}));
  std::lock_guard guard(heard_lock);
  heard_so_far.buffers += 1;
  if (peak >= loud_peak) heard_so_far.loud += 1;
  if (peak == 0) heard_so_far.silent += 1;
}

Heard heard_now() {
  std::lock_guard guard(heard_lock);
  return heard_so_far;
}

void wait_buffers(int count) {
  const int target = heard_now().buffers + count;
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (heard_now().buffers < target) {
    ASSERT_LT(std::chrono::steady_clock::now(), give_up) << "the sound device stopped";
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

// What the next count buffers hold. Two buffers pass first: one that was being
// mixed when the caller changed the music may still carry the old sound.
Heard listen(int count = 12) {
  wait_buffers(2);
  const Heard before = heard_now();
  wait_buffers(count);
  const Heard after = heard_now();
  return {after.buffers - before.buffers, after.loud - before.loud, after.silent - before.silent};
}

bool all_loud(const Heard& h) {
  return h.buffers > 0 && h.loud == h.buffers;
}
bool all_silent(const Heard& h) {
  return h.buffers > 0 && h.silent == h.buffers;
}

class PlayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    handle_ = dlopen(BASSMOD_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle_, nullptr) << dlerror();
    look_up(init, "BASSMOD_Init");
    look_up(load, "BASSMOD_MusicLoad");
    look_up(play_ex, "BASSMOD_MusicPlayEx");
    look_up(stop, "BASSMOD_MusicStop");
    look_up(free_music, "BASSMOD_MusicFree");
    look_up(is_active, "BASSMOD_MusicIsActive");
    look_up(pause, "BASSMOD_MusicPause");
    look_up(play, "BASSMOD_MusicPlay");
    ASSERT_NE(init(-1, 44100, 0), 0);
    // The sound effects open the same device afterwards, as the game does.
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0);
    ASSERT_EQ(Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024), 0) << Mix_GetError();
    ASSERT_NE(Mix_RegisterEffect(MIX_CHANNEL_POST, tap, nullptr, nullptr), 0);
    testing::write_file(module_, testing::tiny_xm());
  }

  void TearDown() override {
    unload();
    Mix_UnregisterAllEffects(MIX_CHANNEL_POST);
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }

  template <class Function>
  void look_up(Function& function, const char* name) {
    function = reinterpret_cast<Function>(dlsym(handle_, name));
    ASSERT_NE(function, nullptr) << name;
  }

  void unload() {
    if (handle_ != nullptr) dlclose(handle_);
    handle_ = nullptr;
  }

  int load_file(const std::string& path) { return load(0, path.c_str(), 0, 0, 1); }

  decltype(&BASSMOD_Init) init = nullptr;
  decltype(&BASSMOD_MusicLoad) load = nullptr;
  decltype(&BASSMOD_MusicPlayEx) play_ex = nullptr;
  decltype(&BASSMOD_MusicStop) stop = nullptr;
  decltype(&BASSMOD_MusicFree) free_music = nullptr;
  decltype(&BASSMOD_MusicIsActive) is_active = nullptr;
  decltype(&BASSMOD_MusicPause) pause = nullptr;
  decltype(&BASSMOD_MusicPlay) play = nullptr;

  testing::TempDir dir_;
  std::string module_ = dir_.file("tune.xm");
  void* handle_ = nullptr;
};

TEST_F(PlayerTest, PlaysPausesResumesAndStops) {
  ASSERT_NE(load_file(module_), 0);
  EXPECT_EQ(is_active(), 0u);  // loaded, not started
  EXPECT_TRUE(all_silent(listen()));
  ASSERT_NE(play_ex(0, 1, 1), 0);
  EXPECT_EQ(is_active(), 1u);
  EXPECT_TRUE(all_loud(listen()));
  EXPECT_NE(pause(), 0);
  EXPECT_EQ(is_active(), 3u);
  EXPECT_TRUE(all_silent(listen()));
  EXPECT_NE(play(), 0);
  EXPECT_EQ(is_active(), 1u);
  EXPECT_TRUE(all_loud(listen()));
  EXPECT_NE(stop(), 0);
  EXPECT_EQ(is_active(), 0u);
  EXPECT_TRUE(all_silent(listen()));
  // Started again from the beginning after a stop.
  ASSERT_NE(play_ex(0, 1, 1), 0);
  EXPECT_TRUE(all_loud(listen()));
  free_music();
  EXPECT_EQ(is_active(), 0u);
  EXPECT_TRUE(all_silent(listen()));
}

TEST_F(PlayerTest, ModuleRepeatsByItselfAtItsEnd) {
  // Four rows of one tick at the fastest tempo: about 40 ms of music, so the
  // listening below spans many repeats.
  testing::write_file(module_, testing::tiny_xm({.rows = 4, .speed = 1, .tempo = 255}));
  ASSERT_NE(load_file(module_), 0);
  ASSERT_NE(play_ex(0, 1, 1), 0);
  EXPECT_TRUE(all_loud(listen(40)));
  EXPECT_EQ(is_active(), 1u);
}

TEST_F(PlayerTest, CallsWithNothingLoadedDoNothing) {
  EXPECT_EQ(stop(), 0);
  free_music();
  EXPECT_EQ(pause(), 0);
  EXPECT_EQ(play(), 0);
  EXPECT_EQ(play_ex(0, 1, 1), 0);
  EXPECT_EQ(is_active(), 0u);
  EXPECT_TRUE(all_silent(listen()));
}

TEST_F(PlayerTest, FailedLoadLeavesNothingLoadedEvenAfterAPlayingModule) {
  const std::string text_file = dir_.file("notes.txt");
  testing::write_file(text_file, {'n', 'o', 't', ' ', 'm', 'u', 's', 'i', 'c', '\n'});
  const std::vector<std::uint8_t> bytes = testing::tiny_xm();
  struct Case {
    const char* what;
    int mem;
    const void* file;
    unsigned offset;
    unsigned length;
  };
  const std::string missing = dir_.file("missing.xm");
  const Case cases[] = {
      {"missing file", 0, missing.c_str(), 0, 0},
      {"not a module", 0, text_file.c_str(), 0, 0},
      {"a directory", 0, dir_.path().c_str(), 0, 0},
      {"no name", 0, nullptr, 0, 0},
      {"offset past the end", 0, module_.c_str(), 100000, 0},
      {"part cut short", 0, module_.c_str(), 0, 100},
      {"memory without a length", 1, bytes.data(), 0, 0},
  };
  for (const Case& c : cases) {
    ASSERT_NE(load_file(module_), 0);
    ASSERT_NE(play_ex(0, 1, 1), 0);
    EXPECT_EQ(load(c.mem, c.file, c.offset, c.length, 1), 0) << c.what;
    EXPECT_EQ(is_active(), 0u) << c.what;
    EXPECT_EQ(play_ex(0, 1, 1), 0) << c.what;
    EXPECT_EQ(play(), 0) << c.what;
    EXPECT_TRUE(all_silent(listen(4))) << c.what;
  }
}

TEST_F(PlayerTest, LoadsFromMemoryAndFromPartOfAFile) {
  const std::vector<std::uint8_t> bytes = testing::tiny_xm();
  // The module with 100 bytes before it and 50 after.
  std::vector<std::uint8_t> padded(100 + bytes.size() + 50, 0x55);
  std::copy(bytes.begin(), bytes.end(), padded.begin() + 100);
  const std::string padded_file = dir_.file("padded.bin");
  testing::write_file(padded_file, padded);
  const auto length = static_cast<unsigned>(bytes.size());
  EXPECT_NE(load(1, bytes.data(), 0, length, 0), 0);
  EXPECT_NE(play_ex(0, 0, 1), 0);
  EXPECT_TRUE(all_loud(listen()));
  EXPECT_NE(load(1, padded.data(), 100, length, 0), 0);
  EXPECT_NE(play_ex(0, 0, 1), 0);
  EXPECT_TRUE(all_loud(listen()));
  EXPECT_NE(load(0, padded_file.c_str(), 100, length, 0), 0);
  EXPECT_NE(play_ex(0, 0, 1), 0);
  EXPECT_TRUE(all_loud(listen()));
}

TEST_F(PlayerTest, StartsOnlyAtAPositionTheSongHas) {
  ASSERT_NE(load_file(module_), 0);
  EXPECT_EQ(play_ex(1, 1, 1), 0);  // the song has one order
  EXPECT_EQ(is_active(), 0u);
  EXPECT_NE(play_ex(0, 1, 1), 0);
  EXPECT_EQ(is_active(), 1u);
}

// The game unloads the library without stopping the music first.
TEST_F(PlayerTest, UnloadingWhilePlayingEndsTheMusicAndGivesBackItsOpenDevice) {
  EXPECT_NE(init(-1, 44100, 0), 0);  // already ready: no second open
  ASSERT_NE(load_file(module_), 0);
  ASSERT_NE(play_ex(0, 1, 1), 0);
  ASSERT_TRUE(all_loud(listen()));
  unload();
  // The sound effects' open keeps the device running, now silent.
  int rate = 0;
  Uint16 format = 0;
  int channels = 0;
  EXPECT_NE(Mix_QuerySpec(&rate, &format, &channels), 0);
  EXPECT_TRUE(all_silent(listen()));
  Mix_UnregisterAllEffects(MIX_CHANNEL_POST);
  Mix_CloseAudio();
  EXPECT_EQ(Mix_QuerySpec(&rate, &format, &channels), 0);     // no open left behind
  ASSERT_EQ(Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024), 0);  // for TearDown
}

}  // namespace
}  // namespace sky
