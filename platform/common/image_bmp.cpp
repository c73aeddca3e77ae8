// Uncompressed 24-bit BMP pictures decoded from memory, rows stored bottom-up
// (a positive height) or top-down (a negative one). Every size and offset is
// checked against the length of the file before a byte is read.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/image.h"

namespace platform {
namespace {

constexpr std::size_t file_header_bytes = 14;
constexpr std::uint32_t info_header_bytes = 40;  // the smallest header with these fields
constexpr std::int64_t max_side = 8192;
constexpr std::int64_t max_pixels = std::int64_t{8} * 1024 * 1024;

std::uint32_t u16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8);
}

std::uint32_t u32(std::span<const std::uint8_t> b, std::size_t at) {
  return u16(b, at) | (u16(b, at + 2) << 16);
}

std::int64_t s32(std::span<const std::uint8_t> b, std::size_t at) {
  const std::uint32_t v = u32(b, at);
  return v >= 0x80000000U ? static_cast<std::int64_t>(v) - 0x100000000LL
                          : static_cast<std::int64_t>(v);
}

}  // namespace

std::optional<Image> decode_bmp(std::span<const std::uint8_t> file) {
  if (file.size() < file_header_bytes + info_header_bytes) return std::nullopt;
  if (file[0] != 'B' || file[1] != 'M') return std::nullopt;
  const std::uint32_t pixel_offset = u32(file, 10);
  const std::uint32_t header_size = u32(file, 14);
  const std::int64_t width = s32(file, 18);
  const std::int64_t signed_height = s32(file, 22);
  const std::uint32_t planes = u16(file, 26);
  const std::uint32_t bits = u16(file, 28);
  const std::uint32_t compression = u32(file, 30);

  if (header_size < info_header_bytes || header_size > file.size() - file_header_bytes) {
    return std::nullopt;
  }
  if (planes != 1 || bits != 24 || compression != 0) return std::nullopt;
  const bool top_down = signed_height < 0;
  const std::int64_t height = top_down ? -signed_height : signed_height;
  if (width <= 0 || height <= 0 || width > max_side || height > max_side ||
      width * height > max_pixels) {
    return std::nullopt;
  }
  // Rows are padded to whole 4-byte words; the last row may lack its padding.
  const std::int64_t row_bytes = width * 3;
  const std::int64_t stride = (row_bytes + 3) / 4 * 4;
  const std::int64_t needed = stride * (height - 1) + row_bytes;
  if (pixel_offset < file_header_bytes + header_size ||
      static_cast<std::int64_t>(pixel_offset) + needed > static_cast<std::int64_t>(file.size())) {
    return std::nullopt;
  }

  Image image;
  image.width = static_cast<int>(width);
  image.height = static_cast<int>(height);
  image.pixels.resize(static_cast<std::size_t>(width * height));
  for (std::int64_t y = 0; y < height; ++y) {
    const std::int64_t stored_row = top_down ? y : height - 1 - y;
    const auto row = file.subspan(static_cast<std::size_t>(pixel_offset + stored_row * stride),
                                  static_cast<std::size_t>(row_bytes));
    for (std::int64_t x = 0; x < width; ++x) {
      const auto at = static_cast<std::size_t>(x * 3);
      // Stored blue, green, red.
      image.pixels[static_cast<std::size_t>(y * width + x)] =
          (Pixel{row[at + 2]} << 16) | (Pixel{row[at + 1]} << 8) | Pixel{row[at]};
    }
  }
  return image;
}

}  // namespace platform
