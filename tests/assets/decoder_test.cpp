// The PNG and BMP decoders on small files made here: the kinds the game uses
// decode to the right pixels; other kinds, cut-off and garbled files give no
// picture, print nothing and do not crash.
#include <gtest/gtest.h>
#include <png.h>

#include <csetjmp>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/image.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using platform::Pixel;

// ---------------------------------------------------------------- PNG files

struct PngFormat {
  int colour_type = PNG_COLOR_TYPE_RGB;
  int bit_depth = 8;
  bool interlaced = false;
  bool with_trns = false;
  int palette_entries = 15;  // one per pixel of the test picture
};

constexpr int png_w = 5;
constexpr int png_h = 3;

// The test picture: a different colour in every pixel.
Pixel test_pixel(int x, int y) {
  return (static_cast<Pixel>(40 + 40 * x) << 16) | (static_cast<Pixel>(60 + 50 * y) << 8) |
         static_cast<Pixel>(10 * (x + y));
}

void append_bytes(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

// The raw rows of the test picture in the layout of the format's colour type and
// bit depth. Palette pictures use one palette entry per pixel.
std::vector<png_byte> raw_rows(const PngFormat& format) {
  const int channels = format.colour_type == PNG_COLOR_TYPE_RGB          ? 3
                       : format.colour_type == PNG_COLOR_TYPE_RGB_ALPHA  ? 4
                       : format.colour_type == PNG_COLOR_TYPE_GRAY_ALPHA ? 2
                                                                       : 1;
  const int sample_bytes = format.bit_depth == 16 ? 2 : 1;
  std::vector<png_byte> rows;
  for (int y = 0; y < png_h; ++y) {
    for (int x = 0; x < png_w; ++x) {
      const Pixel p = test_pixel(x, y);
      const png_byte samples[4] = {static_cast<png_byte>(p >> 16), static_cast<png_byte>(p >> 8),
                                   static_cast<png_byte>(p), 255};
      for (int c = 0; c < channels; ++c) {
        png_byte v = samples[c];
        if (format.colour_type == PNG_COLOR_TYPE_PALETTE) v = static_cast<png_byte>(y * png_w + x);
        if (format.colour_type == PNG_COLOR_TYPE_GRAY) v = samples[0];
        for (int b = 0; b < sample_bytes; ++b) rows.push_back(v);
      }
    }
  }
  return rows;
}

// Writes the test picture as a PNG file with libpng's writer.
Bytes write_png(const PngFormat& format) {
  Bytes out;
  std::vector<png_byte> rows = raw_rows(format);
  std::vector<png_color> palette;
  for (int i = 0; i < format.palette_entries; ++i) {
    const Pixel p = test_pixel(i % png_w, i / png_w);
    palette.push_back(
        {static_cast<png_byte>(p >> 16), static_cast<png_byte>(p >> 8), static_cast<png_byte>(p)});
  }
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png)) != 0) {
    png_destroy_write_struct(&png, &info);
    ADD_FAILURE() << "libpng could not write the test picture";
    return {};
  }
  png_set_write_fn(png, &out, append_bytes, nullptr);
  png_set_check_for_invalid_index(png, 0);
  png_set_IHDR(png, info, png_w, png_h, format.bit_depth, format.colour_type,
               format.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (format.colour_type == PNG_COLOR_TYPE_PALETTE) {
    png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
  }
  png_byte alpha[1] = {0};
  if (format.with_trns) png_set_tRNS(png, info, alpha, 1, nullptr);
  png_write_info(png, info);
  const std::size_t row_bytes = rows.size() / png_h;
  std::vector<png_bytep> pointers;
  for (int y = 0; y < png_h; ++y) pointers.push_back(rows.data() + y * row_bytes);
  png_write_image(png, pointers.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

Bytes valid_png() {
  return write_png({});
}

std::uint32_t crc32(const std::uint8_t* data, std::size_t n) {
  std::uint32_t crc = 0xFFFFFFFFU;
  for (std::size_t i = 0; i < n; ++i) {
    crc ^= data[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320U & (0U - (crc & 1U)));
  }
  return ~crc;
}

std::uint32_t be32(const Bytes& b, std::size_t at) {
  return (std::uint32_t{b[at]} << 24) | (std::uint32_t{b[at + 1]} << 16) |
         (std::uint32_t{b[at + 2]} << 8) | std::uint32_t{b[at + 3]};
}

// Offset of the first chunk of type name (its length field), or 0.
std::size_t find_chunk(const Bytes& file, const std::string& name) {
  std::size_t at = 8;
  while (at + 12 <= file.size()) {
    const std::uint32_t length = be32(file, at);
    if (std::string(file.begin() + static_cast<std::ptrdiff_t>(at + 4),
                    file.begin() + static_cast<std::ptrdiff_t>(at + 8)) == name) {
      return at;
    }
    at += 12 + length;
  }
  return 0;
}

// Changes one byte of a chunk's body and writes the chunk's CRC to match, so
// that only the changed value can make the decoder refuse the file.
void set_in_chunk(Bytes& file, const std::string& name, std::size_t offset, std::uint8_t value) {
  const std::size_t at = find_chunk(file, name);
  ASSERT_NE(at, 0U) << name;
  const std::uint32_t length = be32(file, at);
  file[at + 8 + offset] = value;
  const std::uint32_t crc = crc32(file.data() + at + 4, 4 + length);
  for (int i = 0; i < 4; ++i) {
    file[at + 8 + length + static_cast<std::size_t>(i)] =
        static_cast<std::uint8_t>(crc >> (24 - 8 * i));
  }
}

void remove_chunk(Bytes& file, const std::string& name) {
  const std::size_t at = find_chunk(file, name);
  ASSERT_NE(at, 0U) << name;
  const std::uint32_t length = be32(file, at);
  file.erase(file.begin() + static_cast<std::ptrdiff_t>(at),
             file.begin() + static_cast<std::ptrdiff_t>(at + 12 + length));
}

void expect_test_picture(const std::optional<platform::Image>& image, bool grey = false) {
  ASSERT_TRUE(image.has_value());
  ASSERT_EQ(image->width, png_w);
  ASSERT_EQ(image->height, png_h);
  for (int y = 0; y < png_h; ++y) {
    for (int x = 0; x < png_w; ++x) {
      Pixel want = test_pixel(x, y);
      if (grey) want = (want >> 16) * 0x010101U;
      EXPECT_EQ(image->pixels[static_cast<std::size_t>(y * png_w + x)], want) << x << ", " << y;
    }
  }
}

TEST(DecodePng, RgbPaletteAndGreyGiveTheirPixels) {
  expect_test_picture(platform::decode_png(write_png({})));
  expect_test_picture(platform::decode_png(write_png({.colour_type = PNG_COLOR_TYPE_PALETTE})));
  expect_test_picture(platform::decode_png(write_png({.colour_type = PNG_COLOR_TYPE_GRAY})), true);
}

// Transparency comes from black alone: a transparency chunk changes nothing.
TEST(DecodePng, TransparencyChunkIsIgnored) {
  expect_test_picture(
      platform::decode_png(write_png({.colour_type = PNG_COLOR_TYPE_PALETTE, .with_trns = true})));
}

struct BrokenFile {
  std::string what;
  std::function<Bytes()> make;
};

std::string case_name(const ::testing::TestParamInfo<BrokenFile>& info) {
  return info.param.what;
}
void PrintTo(const BrokenFile& file, std::ostream* out) {
  *out << file.what;
}

Bytes cut(Bytes file, std::size_t keep) {
  file.resize(std::min(keep, file.size()));
  return file;
}

const BrokenFile broken_pngs[] = {
    {"Empty", [] { return Bytes{}; }},
    {"SignatureOnly", [] { return cut(valid_png(), 8); }},
    {"CutInHeader", [] { return cut(valid_png(), 20); }},
    {"CutInImageData", [] { return cut(valid_png(), find_chunk(valid_png(), "IDAT") + 12); }},
    {"CutBeforeEnd", [] { return cut(valid_png(), valid_png().size() - 12); }},
    {"LastByteMissing", [] { return cut(valid_png(), valid_png().size() - 1); }},
    {"WrongSignature",
     [] {
       Bytes f = valid_png();
       f[1] = 'Q';
       return f;
     }},
    {"HeaderCrcWrong",
     [] {
       Bytes f = valid_png();
       f[16 + 3] ^= 1U;  // the width changed, the CRC left as it was
       return f;
     }},
    {"ImageDataCrcWrong",
     [] {
       Bytes f = valid_png();
       f[find_chunk(f, "IDAT") + 10] ^= 0x40U;
       return f;
     }},
    {"ImageDataGarbledWithGoodCrc",
     [] {
       Bytes f = valid_png();
       for (std::size_t i = 2; i < 12; ++i) set_in_chunk(f, "IDAT", i, 0xA5);
       return f;
     }},
    {"ImageDataChecksumWrong",
     [] {
       Bytes f = valid_png();
       const std::size_t last = be32(f, find_chunk(f, "IDAT")) - 1;  // of the zlib checksum
       set_in_chunk(f, "IDAT", last, f[find_chunk(f, "IDAT") + 8 + last] ^ 0xFFU);
       return f;
     }},
    {"ZeroWidth",
     [] {
       Bytes f = valid_png();
       for (std::size_t i = 0; i < 4; ++i) set_in_chunk(f, "IHDR", i, 0);
       return f;
     }},
    {"HugeSize",
     [] {
       Bytes f = valid_png();
       set_in_chunk(f, "IHDR", 1, 0x7F);  // width 8 million
       set_in_chunk(f, "IHDR", 5, 0x7F);
       return f;
     }},
    {"MoreRowsThanData",
     [] {
       Bytes f = valid_png();
       set_in_chunk(f, "IHDR", 7, 200);
       return f;
     }},
    {"PaletteMissing",
     [] {
       Bytes f = write_png({.colour_type = PNG_COLOR_TYPE_PALETTE});
       remove_chunk(f, "PLTE");
       return f;
     }},
    {"ImageDataMissing",
     [] {
       Bytes f = valid_png();
       remove_chunk(f, "IDAT");
       return f;
     }},
    {"NotAPng",
     [] {
       Bytes f(200);
       for (std::size_t i = 0; i < f.size(); ++i) f[i] = static_cast<std::uint8_t>(i * 37 + 11);
       return f;
     }},
    {"IndexPastThePalette",
     [] { return write_png({.colour_type = PNG_COLOR_TYPE_PALETTE, .palette_entries = 4}); }},
    // Valid files of kinds the game does not use.
    {"RgbWithAlpha", [] { return write_png({.colour_type = PNG_COLOR_TYPE_RGB_ALPHA}); }},
    {"GreyWithAlpha", [] { return write_png({.colour_type = PNG_COLOR_TYPE_GRAY_ALPHA}); }},
    {"SixteenBitRgb", [] { return write_png({.bit_depth = 16}); }},
    {"FourBitPalette",
     [] { return write_png({.colour_type = PNG_COLOR_TYPE_PALETTE, .bit_depth = 4}); }},
    {"Interlaced", [] { return write_png({.interlaced = true}); }},
};

class BrokenPng : public ::testing::TestWithParam<BrokenFile> {};

TEST_P(BrokenPng, GivesNoPictureAndPrintsNothing) {
  const Bytes file = GetParam().make();
  ::testing::internal::CaptureStderr();
  const auto image = platform::decode_png(file);
  const std::string printed = ::testing::internal::GetCapturedStderr();
  EXPECT_FALSE(image.has_value());
  EXPECT_EQ(printed, "");
}

INSTANTIATE_TEST_SUITE_P(DecodePng, BrokenPng, ::testing::ValuesIn(broken_pngs), case_name);

// Every prefix of a valid file: nothing decodes, nothing is printed.
TEST(DecodePng, EveryShortenedFileFailsQuietly) {
  const Bytes file = valid_png();
  ::testing::internal::CaptureStderr();
  int decoded = 0;
  for (std::size_t n = 0; n < file.size(); ++n) {
    if (platform::decode_png(cut(file, n))) ++decoded;
  }
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(decoded, 0);
}

// ---------------------------------------------------------------- BMP files

constexpr int bmp_w = 5;  // 15 bytes a row, padded to 16
constexpr int bmp_h = 3;
constexpr std::size_t bmp_stride = 16;

void put16(Bytes& b, std::size_t at, std::uint32_t v) {
  b[at] = static_cast<std::uint8_t>(v);
  b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void put32(Bytes& b, std::size_t at, std::uint32_t v) {
  put16(b, at, v);
  put16(b, at + 2, v >> 16);
}

// The test picture as a 24-bit BMP with the plain 54-byte header.
Bytes write_bmp(bool top_down = false) {
  Bytes f(54 + bmp_stride * bmp_h, 0);
  f[0] = 'B';
  f[1] = 'M';
  put32(f, 2, static_cast<std::uint32_t>(f.size()));
  put32(f, 10, 54);
  put32(f, 14, 40);
  put32(f, 18, bmp_w);
  put32(f, 22, top_down ? static_cast<std::uint32_t>(-bmp_h) : static_cast<std::uint32_t>(bmp_h));
  put16(f, 26, 1);
  put16(f, 28, 24);
  put32(f, 34, static_cast<std::uint32_t>(bmp_stride * bmp_h));
  for (int y = 0; y < bmp_h; ++y) {
    const int stored = top_down ? y : bmp_h - 1 - y;
    for (int x = 0; x < bmp_w; ++x) {
      const Pixel p = test_pixel(x, y);
      const std::size_t at =
          54 + static_cast<std::size_t>(stored) * bmp_stride + 3 * static_cast<std::size_t>(x);
      f[at] = static_cast<std::uint8_t>(p);
      f[at + 1] = static_cast<std::uint8_t>(p >> 8);
      f[at + 2] = static_cast<std::uint8_t>(p >> 16);
    }
    f[54 + static_cast<std::size_t>(stored) * bmp_stride + 15] = 0xEE;  // padding, never read
  }
  return f;
}

TEST(DecodeBmp, BottomUpAndTopDownRowsGiveThePicture) {
  expect_test_picture(platform::decode_bmp(write_bmp(false)));
  expect_test_picture(platform::decode_bmp(write_bmp(true)));
}

TEST(DecodeBmp, LastRowWithoutItsPaddingStillDecodes) {
  expect_test_picture(platform::decode_bmp(cut(write_bmp(), write_bmp().size() - 1)));
}

Bytes bmp_with(std::size_t at, std::uint32_t value, bool wide = true) {
  Bytes f = write_bmp();
  if (wide) {
    put32(f, at, value);
  } else {
    put16(f, at, value);
  }
  return f;
}

const BrokenFile broken_bmps[] = {
    {"Empty", [] { return Bytes{}; }},
    {"HeaderOnly", [] { return cut(write_bmp(), 54); }},
    {"CutInHeader", [] { return cut(write_bmp(), 30); }},
    {"LastRowShort", [] { return cut(write_bmp(), write_bmp().size() - 2); }},
    {"WrongMagic",
     [] {
       Bytes f = write_bmp();
       f[0] = 'X';
       return f;
     }},
    {"ThirtyTwoBit", [] { return bmp_with(28, 32, false); }},
    {"EightBit", [] { return bmp_with(28, 8, false); }},
    {"TwoPlanes", [] { return bmp_with(26, 2, false); }},
    {"Compressed", [] { return bmp_with(30, 1); }},
    {"ZeroWidth", [] { return bmp_with(18, 0); }},
    {"NegativeWidth", [] { return bmp_with(18, 0xFFFFFFFBU); }},
    {"ZeroHeight", [] { return bmp_with(22, 0); }},
    {"LowestHeight", [] { return bmp_with(22, 0x80000000U); }},
    {"HugeWidth", [] { return bmp_with(18, 0x7FFFFFFFU); }},
    {"TallerThanTheData", [] { return bmp_with(22, 4); }},
    {"PixelsPastTheEnd", [] { return bmp_with(10, 60); }},
    {"PixelsFarPastTheEnd", [] { return bmp_with(10, 0xFFFFFFF0U); }},
    {"PixelsInsideTheHeader", [] { return bmp_with(10, 20); }},
    {"HeaderLongerThanTheFile", [] { return bmp_with(14, 5000); }},
    {"HeaderTooShort", [] { return bmp_with(14, 12); }},
};

class BrokenBmp : public ::testing::TestWithParam<BrokenFile> {};

TEST_P(BrokenBmp, GivesNoPictureAndPrintsNothing) {
  const Bytes file = GetParam().make();
  ::testing::internal::CaptureStderr();
  const auto image = platform::decode_bmp(file);
  const std::string printed = ::testing::internal::GetCapturedStderr();
  EXPECT_FALSE(image.has_value());
  EXPECT_EQ(printed, "");
}

INSTANTIATE_TEST_SUITE_P(DecodeBmp, BrokenBmp, ::testing::ValuesIn(broken_bmps), case_name);

// A PNG handed to the BMP decoder and a BMP to the PNG decoder.
TEST(Decoders, RefuseEachOthersFiles) {
  EXPECT_FALSE(platform::decode_bmp(valid_png()).has_value());
  EXPECT_FALSE(platform::decode_png(write_bmp()).has_value());
}

}  // namespace
