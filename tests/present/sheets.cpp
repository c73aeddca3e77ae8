#include "tests/present/sheets.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <utility>
#include <vector>

namespace sky::testing {

platform::Pixel cell_colour(int sprite, int cell) {
  return 0x800000U | (static_cast<platform::Pixel>(sprite & 0xFF) << 8) |
         static_cast<platform::Pixel>(cell & 0xFF);
}

void install_sheet(SpriteId sprite, int width, int height, int cells) {
  const int cell_w = width / cells;
  std::vector<platform::Pixel> pixels(static_cast<std::size_t>(width * height));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      pixels[static_cast<std::size_t>(y * width + x)] = cell_colour(id(sprite), x / cell_w);
    }
  }
  platform::picture_from_pixels(id(sprite), width, height, std::move(pixels));
}

namespace {

void install_font(SpriteFont& font, int width, int height) {
  install_sheet(font.sprite, width, height, font.glyph_count);
  font.glyph_w = width / font.glyph_count;
  font.glyph_h = height;
}

}  // namespace

void install_font_sheets() {
  install_font(digit_font, 220, 44);
  install_font(letter_font, 650, 30);
  install_font(message_font, 924, 20);
}

void install_screen_sprites() {
  install_font_sheets();
  install_sheet(SpriteId::CursorBright, 32, 32);
  install_sheet(SpriteId::CursorDim, 32, 32);
  install_sheet(SpriteId::GroundStrip, 640, 95);
  install_sheet(SpriteId::AmmoRound, 10, 15);
  install_sheet(SpriteId::TitleLogo0, 390, 85);
  install_sheet(SpriteId::TitleLogo1, 390, 85);
  install_sheet(SpriteId::TitleLogo2, 390, 85);
}

platform::Pixel pixel_at(int x, int y) {
  if (x < 0 || y < 0 || x >= platform::screen_width || y >= platform::screen_height) return 0;
  return platform::frame_buffer()[static_cast<std::size_t>(y * platform::screen_width + x)];
}

int sprite_at(int x, int y) {
  const platform::Pixel p = pixel_at(x, y);
  if (p == 0) return -1;
  return static_cast<int>((p >> 8) & 0xFFU);
}

bool region_black(int x, int y, int width, int height) {
  for (int row = y; row < y + height; ++row) {
    for (int col = x; col < x + width; ++col) {
      if (pixel_at(col, row) != 0) return false;
    }
  }
  return true;
}

std::string read_text(const SpriteFont& font, int x, int y, int advance, int n) {
  std::string text;
  for (int i = 0; i < n; ++i) {
    const platform::Pixel p = pixel_at(x + i * advance + font.glyph_w / 2, y + font.glyph_h / 2);
    if (p == 0) {
      text += ' ';
    } else if (((p >> 8) & 0xFFU) == static_cast<platform::Pixel>(id(font.sprite))) {
      text += static_cast<char>(font.first_code + static_cast<int>(p & 0xFFU));
    } else {
      text += '?';
    }
  }
  return text;
}

std::string read_message(int x, int y, int n) {
  return read_text(message_font, x, y, 20, n);
}

void expect_only_lines(const std::vector<Line>& lines, int y_from, int y_to) {
  const int w = platform::screen_width;
  std::vector<bool> lit(static_cast<std::size_t>(w * platform::screen_height), false);
  for (const Line& line : lines) {
    const int n = static_cast<int>(line.text.size());
    const int end = line.x + 20 * n + 2;  // the last glyph is 22 pixels wide
    EXPECT_LE(end, w) << line.text << " runs off the screen";
    EXPECT_EQ(read_message(line.x, line.y, n), line.text) << "at " << line.x << "," << line.y;
    for (int y = line.y; y < line.y + 20; ++y) {
      for (int x = line.x; x < end && x < w; ++x) lit[static_cast<std::size_t>(y * w + x)] = true;
    }
  }
  int stray = 0;
  for (int y = y_from; y < y_to; ++y) {
    for (int x = 0; x < w; ++x) {
      if (!lit[static_cast<std::size_t>(y * w + x)] && pixel_at(x, y) != 0) ++stray;
    }
  }
  EXPECT_EQ(stray, 0) << "pixels lit outside the lines";
}

}  // namespace sky::testing
