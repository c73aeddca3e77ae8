// PNG pictures decoded from memory with libpng: 8-bit RGB, palette and grey
// images, not interlaced. libpng reports trouble through our own handlers: a
// warning is dropped, an error jumps back to the decoder, which gives up. So a
// broken file prints nothing and never stops the program.
#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "platform/image.h"

namespace platform {
namespace {

// Larger pictures than any the game draws are refused before anything is
// allocated for them.
constexpr png_uint_32 max_side = 8192;
constexpr std::size_t max_pixels = std::size_t{8} * 1024 * 1024;
constexpr png_alloc_size_t max_chunk_bytes = png_alloc_size_t{1} * 1024 * 1024;

struct Reader {
  std::span<const std::uint8_t> file;
  std::size_t pos = 0;
};

// Everything the decoder builds lives here, owned by the caller, so the jump
// out of libpng on an error skips no destructor.
struct Decoding {
  png_uint_32 width = 0;
  png_uint_32 height = 0;
  int colour_type = 0;
  std::vector<png_byte> row;
  std::vector<Pixel> pixels;
};

[[noreturn]] void on_error(png_structp png, png_const_charp /*message*/) {
  png_longjmp(png, 1);
}
void on_warning(png_structp /*png*/, png_const_charp /*message*/) {}

void read_bytes(png_structp png, png_bytep out, png_size_t count) {
  auto* reader = static_cast<Reader*>(png_get_io_ptr(png));
  if (count > reader->file.size() - reader->pos) png_error(png, "truncated");
  const std::span<const std::uint8_t> part = reader->file.subspan(reader->pos, count);
  std::copy(part.begin(), part.end(), out);
  reader->pos += count;
}

Pixel rgb(png_byte r, png_byte g, png_byte b) {
  return (Pixel{r} << 16) | (Pixel{g} << 8) | Pixel{b};
}

// One decoded row into pixels. False for a palette index past the palette.
bool convert_row(png_structp png, png_infop info, Decoding& d, png_uint_32 y) {
  const std::size_t base = static_cast<std::size_t>(y) * d.width;
  png_colorp palette = nullptr;
  int palette_size = 0;
  if (d.colour_type == PNG_COLOR_TYPE_PALETTE) png_get_PLTE(png, info, &palette, &palette_size);
  for (std::size_t x = 0; x < d.width; ++x) {
    Pixel p = 0;
    if (d.colour_type == PNG_COLOR_TYPE_RGB) {
      p = rgb(d.row[3 * x], d.row[3 * x + 1], d.row[3 * x + 2]);
    } else if (d.colour_type == PNG_COLOR_TYPE_GRAY) {
      p = rgb(d.row[x], d.row[x], d.row[x]);
    } else if (d.row[x] < palette_size) {
      const png_color& c = palette[d.row[x]];
      p = rgb(c.red, c.green, c.blue);
    } else {
      return false;
    }
    d.pixels[base + x] = p;
  }
  return true;
}

// Runs libpng over the file. Returns false when libpng reported an error or
// the picture is of a kind the game does not use. No object with a destructor
// may live in this frame: an error jumps straight back to the setjmp.
bool run_decoder(png_structp png, png_infop info, Decoding& d) {
  if (setjmp(png_jmpbuf(png)) != 0) return false;
  // Faults that libpng would otherwise only warn about mean a broken file too.
  png_set_benign_errors(png, 0);
  png_set_user_limits(png, max_side, max_side);
  png_set_chunk_malloc_max(png, max_chunk_bytes);
  png_read_info(png, info);
  int bit_depth = 0;
  int interlace = 0;
  png_get_IHDR(png, info, &d.width, &d.height, &bit_depth, &d.colour_type, &interlace, nullptr,
               nullptr);
  const bool known_kind = d.colour_type == PNG_COLOR_TYPE_RGB ||
                          d.colour_type == PNG_COLOR_TYPE_PALETTE ||
                          d.colour_type == PNG_COLOR_TYPE_GRAY;
  if (!known_kind || bit_depth != 8 || interlace != PNG_INTERLACE_NONE) return false;
  if (d.width == 0 || d.height == 0 || d.width > max_side || d.height > max_side ||
      static_cast<std::size_t>(d.width) * d.height > max_pixels) {
    return false;
  }
  if (d.colour_type == PNG_COLOR_TYPE_PALETTE && !png_get_valid(png, info, PNG_INFO_PLTE)) {
    return false;
  }
  d.row.resize(png_get_rowbytes(png, info));
  d.pixels.resize(static_cast<std::size_t>(d.width) * d.height);
  for (png_uint_32 y = 0; y < d.height; ++y) {
    png_read_row(png, d.row.data(), nullptr);
    if (!convert_row(png, info, d, y)) return false;
  }
  // Reading on to the end chunk makes a cut-off file fail as a whole.
  png_read_end(png, nullptr);
  return true;
}

}  // namespace

std::optional<Image> decode_png(std::span<const std::uint8_t> file) {
  constexpr std::size_t signature_bytes = 8;
  if (file.size() < signature_bytes || png_sig_cmp(file.data(), 0, signature_bytes) != 0) {
    return std::nullopt;
  }
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, on_error, on_warning);
  if (png == nullptr) return std::nullopt;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return std::nullopt;
  }
  Reader reader{file, 0};
  png_set_read_fn(png, &reader, read_bytes);
  Decoding decoding;
  const bool ok = run_decoder(png, info, decoding);
  png_destroy_read_struct(&png, &info, nullptr);
  if (!ok) return std::nullopt;
  return Image{static_cast<int>(decoding.width), static_cast<int>(decoding.height),
               std::move(decoding.pixels)};
}

}  // namespace platform
