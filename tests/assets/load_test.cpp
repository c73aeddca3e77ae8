// load_assets and load_program_icon on the headless platform, with the
// pictures and sounds compiled into this build.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "assets/embedded.h"
#include "game/asset_ids.h"
#include "game/world.h"
#include "platform/headless.h"
#include "platform/pictures.h"
#include "platform/textured.h"
#include "present/assets.h"
#include "present/font.h"
#include "tests/support/world_fixture.h"

namespace {

using sky::testing::WorldTest;

bool all_embedded(const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    if (assets::find(name).empty()) return false;
  }
  return true;
}

const std::vector<std::string> sound_files = {"sounds/00.wav", "sounds/01.wav", "sounds/02.wav",
                                              "sounds/03.wav"};

class LoadAssetsTest : public WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    for (sky::SpriteFont* font : {&sky::digit_font, &sky::letter_font, &sky::message_font}) {
      font->glyph_w = 0;
      font->glyph_h = 0;
    }
  }
};

TEST_F(LoadAssetsTest, SoundsLoadFireExplosionWaveClearedSiteHitInThatOrder) {
  if (!all_embedded(sound_files)) GTEST_SKIP() << "sounds not made yet";
  sky::game.use_audio = 1;
  sky::load_assets();
  const auto& loads = platform::headless::loaded_sounds();
  ASSERT_EQ(loads.size(), 4U);
  const int order[] = {1, 0, 2, 3};
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(loads[i].id, order[i]) << "load " << i;
    const std::string name = "sounds/0" + std::to_string(order[i]) + ".wav";
    EXPECT_EQ(loads[i].bytes, assets::find(name).size()) << "the whole file image of " << name;
  }
}

TEST_F(LoadAssetsTest, NoSoundIsLoadedWithSoundEffectsOff) {
  sky::game.use_audio = 0;
  sky::load_assets();
  EXPECT_TRUE(platform::headless::loaded_sounds().empty());
}

TEST_F(LoadAssetsTest, FontGlyphSizesComeFromTheSheets) {
  if (!all_embedded({"sprites/00.png", "sprites/01.png", "sprites/02.png"})) {
    GTEST_SKIP() << "font sheets not made yet";
  }
  sky::load_assets();
  EXPECT_EQ(sky::digit_font.glyph_w, 22);
  EXPECT_EQ(sky::digit_font.glyph_h, 44);
  EXPECT_EQ(sky::letter_font.glyph_w, 25);
  EXPECT_EQ(sky::letter_font.glyph_h, 30);
  EXPECT_EQ(sky::message_font.glyph_w, 22);
  EXPECT_EQ(sky::message_font.glyph_h, 20);
}

TEST_F(LoadAssetsTest, EveryEmbeddedSpriteBecomesAPictureOfItsNumber) {
  sky::load_assets();
  for (int n = 0; n <= sky::id(sky::SpriteId::Meteor5); ++n) {
    const std::string digits = std::string(n < 10 ? "0" : "") + std::to_string(n);
    const bool bmp = n >= 6 && n <= 8;
    const std::string name = "sprites/" + digits + (bmp ? ".bmp" : ".png");
    EXPECT_EQ(platform::picture_exists(n), !assets::find(name).empty()) << name;
  }
  EXPECT_FALSE(platform::picture_exists(sky::id(sky::SpriteId::ScreenGrab)));
}

// Each textured sprite, drawn unturned and opaque on a white screen, shows
// the picture of its number pixel for pixel.
TEST_F(LoadAssetsTest, TexturedSpritesAreRegisteredFromPictures6To8) {
  if (!all_embedded({"sprites/06.bmp", "sprites/07.bmp", "sprites/08.bmp"})) {
    GTEST_SKIP() << "textures not made yet";
  }
  sky::load_assets();
  for (const int n : {6, 7, 8}) {
    ASSERT_TRUE(platform::picture_exists(n));
    constexpr platform::Pixel white = 0xFFFFFF;
    platform::clear_screen(white);
    platform::textured_begin();
    platform::textured_draw(n, 100, 100, 0, 255);
    platform::textured_end();
    const auto source = platform::picture_pixels(n);
    const auto screen = platform::frame_buffer();
    int shown = 0;
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x) {
        const platform::Pixel texel = source[static_cast<std::size_t>(y * 32 + x)];
        const platform::Pixel drawn = screen[static_cast<std::size_t>((100 + y) * 640 + 100 + x)];
        EXPECT_EQ(drawn, texel == 0 ? white : texel) << "sprite " << n << " at " << x << ", " << y;
        if (texel != 0) ++shown;
      }
    }
    EXPECT_GT(shown, 0) << "sprite " << n << " shows nothing";
  }
}

TEST_F(LoadAssetsTest, ProgramIconIsPicture98) {
  if (assets::find("icon.png").empty()) {
    EXPECT_EQ(sky::load_program_icon(), -1);
    return;
  }
  EXPECT_EQ(sky::load_program_icon(), 98);
  EXPECT_EQ(platform::picture_width(98), 32);
  EXPECT_EQ(platform::picture_height(98), 32);
}

}  // namespace
