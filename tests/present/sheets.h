// Small synthetic pictures for the drawing tests, so they do not depend on the
// game's art: every cell of every sheet is a solid block in a colour that names
// the sprite and the cell, which a test can read back from the frame buffer.
#pragma once

#include <string>
#include <vector>

#include "game/asset_ids.h"
#include "platform/pictures.h"
#include "present/font.h"

namespace sky::testing {

// The colour of cell `cell` of sprite `sprite`: red 0x80 (never black),
// green the sprite number, blue the cell number.
platform::Pixel cell_colour(int sprite, int cell);

// Stores a solid sprite of width x height split into `cells` cells side by side.
void install_sheet(SpriteId sprite, int width, int height, int cells = 1);

// The three glyph sheets at their catalogue sizes, with the fonts' glyph sizes
// set from them as loading does.
void install_font_sheets();
// The fonts, the cross-hair, hills, ammunition icon and title logos.
void install_screen_sprites();

// The pixel of the frame buffer at (x, y).
platform::Pixel pixel_at(int x, int y);
// The sprite whose cell colour is at (x, y), or -1 for black.
int sprite_at(int x, int y);
// True when no pixel of the rectangle (cut to the screen) is lit.
bool region_black(int x, int y, int width, int height);

// Reads n cells of text in font, the first cell at (x, y), the pen moving on by
// advance: the character whose glyph fills the middle of each cell, a blank
// for an empty cell, "?" for anything else.
std::string read_text(const SpriteFont& font, int x, int y, int advance, int n);
// Reads a message-font line (advance 20) of n cells.
std::string read_message(int x, int y, int n);

// A message-font line (advance 20) with its first cell at (x, y).
struct Line {
  int x, y;
  std::string text;
};
// Expects each line to read back as its text and to fit the screen, and no
// pixel between rows y_from and y_to (exclusive) to be lit outside the lines.
void expect_only_lines(const std::vector<Line>& lines, int y_from, int y_to);

}  // namespace sky::testing
