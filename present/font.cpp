#include "present/font.h"

namespace sky {

SpriteFont digit_font{SpriteId::DigitFont, 48, 10};
SpriteFont letter_font{SpriteId::LetterFont, 65, 26};
SpriteFont message_font{SpriteId::MessageFont, 48, 42};

void draw_digits(int, int, int, int, int, int, std::string_view) {}
void draw_letters(int, int, int, int, int, std::string_view) {}
void draw_message(int, int, int, int, int, std::string_view, bool) {}

}  // namespace sky
