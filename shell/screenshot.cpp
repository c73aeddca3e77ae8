#include "shell/screenshot.h"

#include <array>
#include <cstdint>
#include <fstream>
#include <span>
#include <vector>

#include "platform/pictures.h"

namespace sky {
namespace {

constexpr int grab_picture = 99;
constexpr const char* file_name = "screen.bmp";
constexpr std::uint32_t header_size = 54;

void put16(std::vector<char>& out, std::uint16_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>(v >> 8));
}

void put32(std::vector<char>& out, std::uint32_t v) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((v >> shift) & 0xFF));
}

// An uncompressed 24-bit bitmap: the 14-byte file header, the 40-byte info
// header, then the rows from the bottom one up, each pixel blue, green, red,
// each row padded to a multiple of 4 bytes.
std::vector<char> bitmap_file(int width, int height, std::span<const platform::Pixel> pixels) {
  const auto row_bytes = static_cast<std::uint32_t>((width * 3 + 3) / 4 * 4);
  const std::uint32_t size = header_size + row_bytes * static_cast<std::uint32_t>(height);
  std::vector<char> out;
  out.reserve(size);
  out.push_back('B');
  out.push_back('M');
  put32(out, size);
  put16(out, 0);
  put16(out, 0);
  put32(out, header_size);
  put32(out, 40);
  put32(out, static_cast<std::uint32_t>(width));
  put32(out, static_cast<std::uint32_t>(height));
  put16(out, 1);
  put16(out, 24);
  for (int field = 0; field < 6; ++field) put32(out, 0);  // compression .. important colours
  for (int y = height - 1; y >= 0; --y) {
    const auto row =
        pixels.subspan(static_cast<std::size_t>(y * width), static_cast<std::size_t>(width));
    // A pixel 0x00RRGGBB is stored little-endian as blue, green, red and an
    // unused byte: the first three are the bitmap's byte order.
    for (const platform::Pixel p : row) {
      out.push_back(static_cast<char>(p & 0xFF));
      out.push_back(static_cast<char>((p >> 8) & 0xFF));
      out.push_back(static_cast<char>((p >> 16) & 0xFF));
    }
    out.resize(out.size() + row_bytes - static_cast<std::uint32_t>(width) * 3, 0);
  }
  return out;
}

}  // namespace

// The frame buffer still holds the last presented frame here (the current
// frame has not been drawn yet), so that is what the file shows.
void take_screenshot() {
  platform::grab_screen(grab_picture, 0, 0, platform::screen_width, platform::screen_height);
  const int width = platform::picture_width(grab_picture);
  const int height = platform::picture_height(grab_picture);
  const auto pixels = platform::picture_pixels(grab_picture);
  if (width > 0 && height > 0 && pixels.size() == static_cast<std::size_t>(width * height)) {
    const std::vector<char> file = bitmap_file(width, height, pixels);
    // A file that cannot be written is simply not there; the game goes on.
    std::ofstream(file_name, std::ios::binary | std::ios::trunc)
        .write(file.data(), static_cast<std::streamsize>(file.size()));
  }
  platform::free_picture(grab_picture);
}

}  // namespace sky
