// Every picture and sound compiled into the program, checked against the
// formats and sizes the loaders and the drawing code rely on. A file not made
// yet is skipped; one that exists is checked in full.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "assets/embedded.h"
#include "platform/image.h"

namespace {

using Bytes = std::span<const std::uint8_t>;

std::uint32_t be32(Bytes b, std::size_t at) {
  return (std::uint32_t{b[at]} << 24) | (std::uint32_t{b[at + 1]} << 16) |
         (std::uint32_t{b[at + 2]} << 8) | std::uint32_t{b[at + 3]};
}

std::uint32_t le16(Bytes b, std::size_t at) {
  return std::uint32_t{b[at]} | (std::uint32_t{b[at + 1]} << 8);
}

std::uint32_t le32(Bytes b, std::size_t at) {
  return le16(b, at) | (le16(b, at + 2) << 16);
}

std::string tag(Bytes b, std::size_t at) {
  return at + 4 <= b.size() ? std::string(b.begin() + static_cast<std::ptrdiff_t>(at),
                                          b.begin() + static_cast<std::ptrdiff_t>(at + 4))
                            : std::string();
}

// The names of a PNG's chunks in file order (stops at a chunk that does not fit).
std::vector<std::string> png_chunks(Bytes file) {
  std::vector<std::string> names;
  std::size_t at = 8;
  while (at + 12 <= file.size()) {
    const std::uint32_t length = be32(file, at);
    names.push_back(tag(file, at + 4));
    if (length > file.size() - at - 12) break;
    at += 12 + length;
  }
  return names;
}

enum class Kind { PngRgb, PngPalette, PngGreyOrPalette, Bmp };

struct PictureCase {
  const char* name;
  Kind kind;
  int width;
  int height;
};

const PictureCase picture_cases[] = {
    {"sprites/00.png", Kind::PngRgb, 650, 30},
    {"sprites/01.png", Kind::PngRgb, 220, 44},
    {"sprites/02.png", Kind::PngRgb, 924, 20},
    {"sprites/03.png", Kind::PngPalette, 32, 32},
    {"sprites/04.png", Kind::PngPalette, 32, 32},
    {"sprites/05.png", Kind::PngPalette, 32, 32},
    {"sprites/06.bmp", Kind::Bmp, 32, 32},
    {"sprites/07.bmp", Kind::Bmp, 32, 32},
    {"sprites/08.bmp", Kind::Bmp, 32, 32},
    {"sprites/09.png", Kind::PngRgb, 640, 95},
    {"sprites/10.png", Kind::PngPalette, 2176, 128},
    {"sprites/11.png", Kind::PngRgb, 94, 87},
    {"sprites/12.png", Kind::PngPalette, 390, 85},
    {"sprites/13.png", Kind::PngPalette, 390, 85},
    {"sprites/14.png", Kind::PngPalette, 390, 85},
    {"sprites/15.png", Kind::PngPalette, 2560, 150},
    {"sprites/16.png", Kind::PngPalette, 10, 15},
    {"sprites/17.png", Kind::PngPalette, 63, 55},
    {"sprites/18.png", Kind::PngPalette, 50, 49},
    {"sprites/19.png", Kind::PngPalette, 49, 46},
    {"sprites/20.png", Kind::PngPalette, 32, 28},
    {"sprites/21.png", Kind::PngPalette, 25, 25},
    {"sprites/22.png", Kind::PngPalette, 25, 23},
    {"launcher/button.png", Kind::PngPalette, 61, 90},
    {"launcher/backdrop.png", Kind::PngPalette, 310, 205},
    // The window outline is a plain black-and-white shape.
    {"launcher/mask.png", Kind::PngGreyOrPalette, 310, 205},
    {"icon.png", Kind::PngPalette, 32, 32},
};

void PrintTo(const PictureCase& c, std::ostream* out) {
  *out << c.name;
}

class PictureFile : public ::testing::TestWithParam<PictureCase> {};

void check_png_layout(Bytes file, const PictureCase& c) {
  ASSERT_GE(file.size(), 33U);
  ASSERT_EQ(tag(file, 12), "IHDR");
  EXPECT_EQ(be32(file, 16), static_cast<std::uint32_t>(c.width));
  EXPECT_EQ(be32(file, 20), static_cast<std::uint32_t>(c.height));
  EXPECT_EQ(file[24], 8) << "bit depth";
  const int colour_type = file[25];
  switch (c.kind) {
    case Kind::PngRgb:
      EXPECT_EQ(colour_type, 2);
      break;
    case Kind::PngPalette:
      EXPECT_EQ(colour_type, 3);
      break;
    default:
      EXPECT_TRUE(colour_type == 0 || colour_type == 3) << "colour type " << colour_type;
      break;
  }
  EXPECT_EQ(file[28], 0) << "interlaced";
  const auto chunks = png_chunks(file);
  ASSERT_FALSE(chunks.empty());
  EXPECT_EQ(chunks.back(), "IEND");
  for (const std::string& chunk : chunks) EXPECT_NE(chunk, "tRNS");
}

void check_bmp_layout(Bytes file) {
  ASSERT_GE(file.size(), 54U);
  EXPECT_EQ(tag(file, 0).substr(0, 2), "BM");
  EXPECT_EQ(le32(file, 18), 32U) << "width";
  EXPECT_EQ(le32(file, 22), 32U) << "height, stored bottom-up";
  EXPECT_EQ(le16(file, 28), 24U) << "bits per pixel";
  EXPECT_EQ(le32(file, 30), 0U) << "compression";
}

TEST_P(PictureFile, HasTheFormatAndSizeOfTheCatalogue) {
  const PictureCase& c = GetParam();
  const Bytes file = assets::find(c.name);
  if (file.empty()) GTEST_SKIP() << c.name << " not made yet";
  if (c.kind == Kind::Bmp) {
    check_bmp_layout(file);
  } else {
    check_png_layout(file, c);
  }
  const auto image = c.kind == Kind::Bmp ? platform::decode_bmp(file) : platform::decode_png(file);
  ASSERT_TRUE(image.has_value()) << c.name << " does not decode";
  EXPECT_EQ(image->width, c.width);
  EXPECT_EQ(image->height, c.height);
}

INSTANTIATE_TEST_SUITE_P(Catalogue, PictureFile, ::testing::ValuesIn(picture_cases),
                         [](const auto& info) {
                           std::string name = info.param.name;
                           for (char& ch : name) {
                             if (ch == '/' || ch == '.') ch = '_';
                           }
                           return name;
                         });

struct SoundCase {
  const char* name;
  std::uint32_t data_bytes;
};

const SoundCase sound_cases[] = {
    {"sounds/00.wav", 6334},
    {"sounds/01.wav", 5217},
    {"sounds/02.wav", 28916},
    {"sounds/03.wav", 24709},
};

void PrintTo(const SoundCase& c, std::ostream* out) {
  *out << c.name;
}

class SoundFile : public ::testing::TestWithParam<SoundCase> {};

TEST_P(SoundFile, IsEightBitMonoPcmWithFmtAndDataInOrder) {
  const SoundCase& c = GetParam();
  const Bytes file = assets::find(c.name);
  if (file.empty()) GTEST_SKIP() << c.name << " not made yet";
  ASSERT_GE(file.size(), 44U);
  EXPECT_EQ(tag(file, 0), "RIFF");
  EXPECT_EQ(le32(file, 4), file.size() - 8) << "RIFF size";
  EXPECT_EQ(tag(file, 8), "WAVE");
  ASSERT_EQ(tag(file, 12), "fmt ") << "the format chunk must follow the WAVE tag";
  const std::uint32_t fmt_size = le32(file, 16);
  ASSERT_GE(fmt_size, 16U);
  EXPECT_EQ(le16(file, 20), 1U) << "PCM";
  EXPECT_EQ(le16(file, 22), 1U) << "channels";
  EXPECT_EQ(le32(file, 24), 11025U) << "samples per second";
  EXPECT_EQ(le16(file, 34), 8U) << "bits per sample";
  const std::size_t data_at = 20 + fmt_size;
  ASSERT_LE(data_at + 8, file.size());
  ASSERT_EQ(tag(file, data_at), "data") << "the data chunk must follow the format chunk";
  EXPECT_EQ(le32(file, data_at + 4), c.data_bytes);
  EXPECT_LE(data_at + 8 + c.data_bytes, file.size());
}

INSTANTIATE_TEST_SUITE_P(Catalogue, SoundFile, ::testing::ValuesIn(sound_cases),
                         [](const auto& info) {
                           return "sound_" + std::string(info.param.name).substr(7, 2);
                         });

// The decoded picture, or a skip when the file is not there yet.
std::optional<platform::Image> picture(const char* name) {
  const Bytes file = assets::find(name);
  if (file.empty()) return std::nullopt;
  return platform::decode_png(file);
}

bool has_visible_pixel(const platform::Image& image, int left, int width) {
  for (int y = 0; y < image.height; ++y) {
    for (int x = left; x < left + width; ++x) {
      if (image.pixels[static_cast<std::size_t>(y * image.width + x)] != 0) return true;
    }
  }
  return false;
}

struct FontCase {
  const char* name;
  int glyphs;
};

void PrintTo(const FontCase& c, std::ostream* out) {
  *out << c.name;
}

class FontSheet : public ::testing::TestWithParam<FontCase> {};

TEST_P(FontSheet, EveryGlyphCellShowsSomething) {
  const FontCase& c = GetParam();
  if (assets::find(c.name).empty()) GTEST_SKIP() << c.name << " not made yet";
  const auto sheet = picture(c.name);
  ASSERT_TRUE(sheet.has_value());
  const int cell = sheet->width / c.glyphs;
  for (int g = 0; g < c.glyphs; ++g) {
    EXPECT_TRUE(has_visible_pixel(*sheet, g * cell, cell))
        << c.name << " glyph " << g << " is empty";
  }
}

INSTANTIATE_TEST_SUITE_P(Catalogue, FontSheet,
                         ::testing::Values(FontCase{"sprites/00.png", 26},
                                           FontCase{"sprites/01.png", 10},
                                           FontCase{"sprites/02.png", 42}),
                         [](const auto& info) {
                           return "sheet_" + std::string(info.param.name).substr(8, 2);
                         });

TEST(CataloguePictures, AmmunitionIconHasNoBlackPixel) {
  if (assets::find("sprites/16.png").empty()) GTEST_SKIP() << "not made yet";
  const auto icon = picture("sprites/16.png");
  ASSERT_TRUE(icon.has_value());
  for (std::size_t i = 0; i < icon->pixels.size(); ++i) {
    EXPECT_NE(icon->pixels[i], 0U) << "black at x " << i % 10 << ", y " << i / 10;
  }
}

TEST(CataloguePictures, ExplosionRunsBackwardsAfterItsMiddleFrame) {
  if (assets::find("sprites/10.png").empty()) GTEST_SKIP() << "not made yet";
  const auto sheet = picture("sprites/10.png");
  ASSERT_TRUE(sheet.has_value());
  constexpr int frame = 128;
  ASSERT_EQ(sheet->width, 17 * frame);
  for (int k = 0; k < 8; ++k) {
    int differing = 0;
    for (int y = 0; y < frame; ++y) {
      for (int x = 0; x < frame; ++x) {
        const auto row = static_cast<std::size_t>(y * sheet->width);
        if (sheet->pixels[row + static_cast<std::size_t>(k * frame + x)] !=
            sheet->pixels[row + static_cast<std::size_t>((16 - k) * frame + x)]) {
          ++differing;
        }
      }
    }
    EXPECT_EQ(differing, 0) << "frame " << 16 - k << " differs from frame " << k;
  }
}

}  // namespace
