// Text from the glyph sheets, read back from the frame buffer.
#include <gtest/gtest.h>

#include <string>

#include "platform/pictures.h"
#include "present/font.h"
#include "tests/present/sheets.h"
#include "tests/support/world_fixture.h"

namespace sky {
namespace {

using testing::read_message;
using testing::read_text;
using testing::region_black;
using testing::sprite_at;

class FontTest : public testing::WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    testing::install_font_sheets();
    platform::clear_screen(0);
  }
  static void message(int x, int y, std::string_view text, bool centred = false) {
    draw_message(x, y, message_font.glyph_w, message_font.glyph_h, 20, text, centred);
  }
};

// Centring uses 320 - (advance / 2) * n; the first cell starts exactly there
// and the text reads back upper-cased.
TEST_F(FontTest, CentredTextStartsWhereTheLengthPutsIt) {
  struct Case {
    const char* text;
    int x;
    const char* shown;
  };
  const Case cases[] = {{"GET READY", 230, "GET READY"},
                        {"=TODAYS BEST=", 190, "=TODAYS BEST="},
                        {"Music", 270, "MUSIC"},
                        {"Special Thanks", 180, "SPECIAL THANKS"}};
  for (const Case& c : cases) {
    platform::clear_screen(0);
    message(999, 100, c.text, true);
    const int n = static_cast<int>(std::string_view(c.text).size());
    EXPECT_TRUE(region_black(0, 100, c.x, 20)) << c.text;
    EXPECT_EQ(sprite_at(c.x, 100), id(SpriteId::MessageFont)) << c.text;
    EXPECT_EQ(read_message(c.x, 100, n), c.shown);
    // The last cell ends 2 pixels past its advance (22-pixel glyphs).
    const int end = c.x + 20 * n + 2;
    EXPECT_NE(sprite_at(end - 1, 100), -1) << c.text;
    EXPECT_TRUE(region_black(end, 100, 640 - end, 20)) << c.text;
  }
}

// An odd advance loses its remainder when halved: 320 - 3 * 4 = 308.
TEST_F(FontTest, CentringHalvesTheAdvanceDroppingTheRemainder) {
  draw_message(0, 50, message_font.glyph_w, message_font.glyph_h, 7, "ABCD", true);
  EXPECT_TRUE(region_black(0, 50, 308, 20));
  EXPECT_EQ(sprite_at(308, 50), id(SpriteId::MessageFont));
}

// A blank or any character without a glyph leaves one empty cell and the
// characters after it keep their places.
TEST_F(FontTest, CharactersWithoutAGlyphLeaveAnEmptyCell) {
  message(100, 40, "GET READY");
  EXPECT_TRUE(region_black(162, 40, 18, 20));  // from the end of T to the start of R
  EXPECT_EQ(read_message(100, 40, 9), "GET READY");

  message(100, 80, "AZB");
  EXPECT_EQ(read_message(100, 80, 3), "A B");
  EXPECT_TRUE(region_black(122, 80, 18, 20));

  message(100, 120, "1\xC1-@~2");  // a code above 127, a minus, the full stop cell, a tilde
  EXPECT_EQ(read_message(100, 120, 6), "1  @ 2");

  draw_letters(100, 160, letter_font.glyph_w, letter_font.glyph_h, 20, "a1 z");
  EXPECT_EQ(read_text(letter_font, 100, 160, 20, 4), "A  Z");
}

TEST_F(FontTest, MessagesAreUpperCased) {
  message(50, 60, "1st 004855");
  EXPECT_EQ(read_message(50, 60, 10), "1ST 004855");
}

// The digits are padded with "0" on the left to the width; a longer text keeps
// its first width characters; a minus sign has no glyph.
TEST_F(FontTest, DigitsArePaddedOrCutToTheWidth) {
  struct Case {
    const char* text;
    int width;
    const char* shown;
  };
  const Case cases[] = {
      {"0", 6, "000000"},   {"4855", 6, "004855"},   {"1234567", 6, "123456"},
      {"-25", 6, "000 25"}, {"987654", 6, "987654"}, {"12", 0, "      "},
      {"12", -3, "      "},
  };
  for (const Case& c : cases) {
    platform::clear_screen(0);
    draw_digits(130, 5, digit_font.glyph_w, digit_font.glyph_h, 22, c.width, c.text);
    EXPECT_EQ(read_text(digit_font, 130, 5, 22, 6), c.shown) << c.text << " width " << c.width;
    EXPECT_TRUE(region_black(130 + 22 * 6, 0, 640 - 130 - 22 * 6, 60)) << c.text;
  }
}

// Cells that reach past the screen edge are cut there; nothing wraps onto the
// next row.
TEST_F(FontTest, TextRunningOffTheScreenIsCut) {
  message(630, 100, "ABC");
  EXPECT_EQ(sprite_at(639, 100), id(SpriteId::MessageFont));
  EXPECT_TRUE(region_black(0, 100, 630, 21));
  message(-15, 300, "AB");
  EXPECT_EQ(read_message(-15, 300, 2), " B");  // A's middle lies off the screen
  EXPECT_EQ(sprite_at(0, 300), id(SpriteId::MessageFont));
}

// An empty text, a missing sheet or glyph sizes not yet set show nothing.
TEST_F(FontTest, NothingShowsForEmptyTextOrWithoutTheSheet) {
  message(0, 0, "", true);
  draw_digits(10, 100, digit_font.glyph_w, digit_font.glyph_h, 22, 0, "");
  platform::free_picture(id(SpriteId::MessageFont));
  message(100, 100, "GET READY", true);
  platform::free_all_pictures();
  testing::install_font_sheets();
  draw_letters(10, 10, 0, 0, 20, "SCORE");
  EXPECT_TRUE(region_black(0, 0, 640, 480));
}

}  // namespace
}  // namespace sky
