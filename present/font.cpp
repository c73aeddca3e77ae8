#include "present/font.h"

#include <string>

#include "game/todays_best.h"
#include "platform/pictures.h"

namespace sky {

SpriteFont digit_font{SpriteId::DigitFont, 48, 10};
SpriteFont letter_font{SpriteId::LetterFont, 65, 26};
SpriteFont message_font{SpriteId::MessageFont, 48, 42};

namespace {

constexpr int screen_centre_x = 320;

// The letters a to z become A to Z; every other byte stays as it is.
std::string upper_cased(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

// Draws text glyph by glyph from the font's sheet, the pen moving on by
// advance after every character. A character with no glyph in the sheet (a
// blank, a lower-case letter, "Z" in the message font, any code above 127)
// leaves an empty cell: its clip rectangle would lie outside the sheet.
void draw_glyphs(const SpriteFont& font, int x, int y, int glyph_w, int glyph_h, int advance,
                 std::string_view text) {
  const int sheet = id(font.sprite);
  int pen = 0;
  for (const char c : text) {
    const int g = static_cast<unsigned char>(c) - font.first_code;
    if (g >= 0 && g < font.glyph_count) {
      platform::set_clip(sheet, g * glyph_w, 0, glyph_w, glyph_h);
      platform::draw_picture(sheet, x + pen, y);
    }
    pen += advance;
  }
}

}  // namespace

void draw_digits(int x, int y, int glyph_w, int glyph_h, int advance, int width,
                 std::string_view text) {
  draw_glyphs(digit_font, x, y, glyph_w, glyph_h, advance, pad_left(text, width, "0"));
}

void draw_letters(int x, int y, int glyph_w, int glyph_h, int advance, std::string_view text) {
  draw_glyphs(letter_font, x, y, glyph_w, glyph_h, advance, upper_cased(text));
}

void draw_message(int x, int y, int glyph_w, int glyph_h, int advance, std::string_view text,
                  bool centred) {
  if (centred) x = screen_centre_x - (advance / 2) * static_cast<int>(text.size());
  draw_glyphs(message_font, x, y, glyph_w, glyph_h, advance, upper_cased(text));
}

}  // namespace sky
