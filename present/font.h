// Text drawn from the three glyph sheets.
#pragma once

#include <cstdint>
#include <string_view>

#include "game/asset_ids.h"

namespace sky {

struct SpriteFont {
  SpriteId sprite;
  int first_code;
  int glyph_count;
  int glyph_w = 0;  // set when the sheet is loaded: sheet width / glyph_count
  int glyph_h = 0;  // the sheet height
};

extern SpriteFont digit_font;
extern SpriteFont letter_font;
extern SpriteFont message_font;

// text padded with "0" to width characters, in the digit font.
void draw_digits(int x, int y, int glyph_w, int glyph_h, int advance, int width,
                 std::string_view text);
// text upper-cased, in the letter font.
void draw_letters(int x, int y, int glyph_w, int glyph_h, int advance, std::string_view text);
// text upper-cased, in the message font; centred ignores x and centres the
// text on the 640-pixel screen.
void draw_message(int x, int y, int glyph_w, int glyph_h, int advance, std::string_view text,
                  bool centred);

}  // namespace sky
