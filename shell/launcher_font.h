// A small built-in bitmap font for the launcher's tooltip: 5 x 7 pixel
// capitals and digits, lower case with descenders in an eighth row.
#pragma once

#include <string_view>

#include "shell/launcher_canvas.h"

namespace sky {

constexpr int glyph_height = 8;  // the cell height, descender row included
constexpr int glyph_advance = 6;

// Width in pixels of text drawn with draw_text (no space after the last glyph).
int text_width(std::string_view text);

// Draws text with the top of its cells at (x, y). Characters the font does not
// have are drawn as spaces.
void draw_text(Canvas& canvas, int x, int y, std::string_view text, platform::Pixel colour);

}  // namespace sky
