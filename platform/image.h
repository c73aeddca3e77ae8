// Decoding picture files held in memory.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/pictures.h"

namespace platform {

struct Image {
  int width = 0;
  int height = 0;
  std::vector<Pixel> pixels;  // row-major 0x00RRGGBB
};

// An 8-bit RGB or palette PNG, not interlaced. nullopt for a broken file; a
// broken file never prints anything or stops the program.
std::optional<Image> decode_png(std::span<const std::uint8_t> file);
// An uncompressed 24-bit BMP. nullopt for anything else.
std::optional<Image> decode_bmp(std::span<const std::uint8_t> file);

}  // namespace platform
