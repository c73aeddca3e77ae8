// The SDL sound service with SDL's silent "dummy" audio driver: WAVE file
// images in the layout of the game's sounds load from memory, every sound
// plays on a voice of its own, and playing a sound that still plays cuts it
// off and starts it again.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "assets/embedded.h"
#include "platform/sound.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// A WAVE file of the game's layout: "fmt " right after "WAVE", "data" right
// after it, PCM, mono, 8-bit unsigned, 11025 Hz, holding a quiet square wave.
Bytes wave_file(std::uint32_t samples) {
  Bytes b(44 + samples);
  std::size_t at = 0;
  const auto tag = [&](std::string_view t) {
    for (const char c : t) b[at++] = static_cast<std::uint8_t>(c);
  };
  const auto num = [&](std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) b[at++] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  tag("RIFF");
  num(36 + samples, 4);
  tag("WAVEfmt ");
  num(16, 4);
  num(1, 2);      // PCM
  num(1, 2);      // mono
  num(11025, 4);  // samples per second
  num(11025, 4);  // bytes per second
  num(1, 2);      // bytes per sample frame
  num(8, 2);      // bits per sample
  tag("data");
  num(samples, 4);
  for (std::uint32_t i = 0; i < samples; ++i) b[at++] = (i / 25) % 2 == 0 ? 112 : 144;
  return b;
}

// Long enough that nothing ends by itself while a test runs.
constexpr std::uint32_t ten_seconds = 10 * 11025;

std::array<std::atomic<int>, 8> finished{};

void note_finished(int channel) {
  if (channel >= 0 && channel < static_cast<int>(finished.size()))
    ++finished[static_cast<std::size_t>(channel)];
}

class SdlSound : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { setenv("SDL_AUDIODRIVER", "dummy", 0); }

  void SetUp() override {
    ASSERT_TRUE(platform::sound_init());
    for (auto& n : finished) n = 0;
    Mix_ChannelFinished(note_finished);
  }

  void TearDown() override {
    Mix_ChannelFinished(nullptr);
    platform::sound_shutdown();
  }
};

TEST_F(SdlSound, LoadsWaveImagesAndRefusesWhatIsNotOne) {
  const Bytes good = wave_file(1000);
  EXPECT_TRUE(platform::sound_load(0, good));
  EXPECT_FALSE(platform::sound_load(1, {}));
  EXPECT_FALSE(platform::sound_load(1, std::span(good).first(30)));
  Bytes garbled = good;
  garbled[8] = 'X';  // no WAVE tag
  EXPECT_FALSE(platform::sound_load(1, garbled));
  EXPECT_FALSE(platform::sound_load(-1, good));
  EXPECT_FALSE(platform::sound_load(100, good));
}

TEST_F(SdlSound, EveryEmbeddedEffectLoads) {
  for (int n = 0; n < 4; ++n) {
    const std::string name = "sounds/0" + std::to_string(n) + ".wav";
    const auto file = assets::find(name);
    if (file.empty()) continue;  // not made yet
    EXPECT_TRUE(platform::sound_load(n, file)) << name;
  }
}

TEST_F(SdlSound, PlayingASoundThatStillPlaysRestartsItOnItsOwnVoice) {
  ASSERT_TRUE(platform::sound_load(1, wave_file(ten_seconds)));
  platform::sound_play(1);
  EXPECT_EQ(Mix_Playing(1), 1);
  EXPECT_EQ(finished[1], 0);
  platform::sound_play(1);
  EXPECT_EQ(finished[1], 1) << "the first play is cut off";
  EXPECT_EQ(Mix_Playing(1), 1) << "and the sound plays again";
  EXPECT_EQ(Mix_Playing(-1), 1) << "never twice at once";
}

TEST_F(SdlSound, DifferentSoundsPlayTogether) {
  ASSERT_TRUE(platform::sound_load(0, wave_file(ten_seconds)));
  ASSERT_TRUE(platform::sound_load(3, wave_file(ten_seconds)));
  platform::sound_play(0);
  platform::sound_play(3);
  EXPECT_EQ(Mix_Playing(0), 1);
  EXPECT_EQ(Mix_Playing(3), 1);
  EXPECT_EQ(Mix_Playing(-1), 2);
  EXPECT_EQ(finished[0] + finished[3], 0);
}

TEST_F(SdlSound, SoundsNeverLoadedPlayNothing) {
  platform::sound_play(2);
  platform::sound_play(-1);
  platform::sound_play(100);
  EXPECT_EQ(Mix_Playing(-1), 0);
}

}  // namespace
