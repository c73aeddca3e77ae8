// Textured sprites drawn in software into the frame buffer: rotated about the
// picture centre, black transparent, alpha-blended.
#include <array>
#include <cmath>

#include "platform/pictures.h"
#include "platform/textured.h"

namespace platform {
namespace {

constexpr int texture_size = 32;
constexpr int texture_slots = 100;
// Degrees become radians with this factor, the same one the game uses for
// motion, so a shell's nose points exactly along its flight.
constexpr float degrees_to_radians = 0.0175F;

struct Texture {
  bool exists = false;
  std::array<Pixel, texture_size * texture_size> pixels{};
};

std::array<Texture, texture_slots>& textures() {
  static std::array<Texture, texture_slots> instance;
  return instance;
}

Pixel blend(Pixel src, Pixel dst, int alpha) {
  if (alpha >= 255) return src;
  const auto mix = [alpha](Pixel s, Pixel d) {
    return (s * static_cast<Pixel>(alpha) + d * static_cast<Pixel>(255 - alpha)) / 255U;
  };
  const Pixel r = mix((src >> 16) & 0xFFU, (dst >> 16) & 0xFFU);
  const Pixel g = mix((src >> 8) & 0xFFU, (dst >> 8) & 0xFFU);
  const Pixel b = mix(src & 0xFFU, dst & 0xFFU);
  return (r << 16) | (g << 8) | b;
}

}  // namespace

bool textured_from_picture(int id) {
  if (id < 0 || id >= texture_slots) return false;
  if (picture_width(id) != texture_size || picture_height(id) != texture_size) return false;
  Texture& texture = textures()[static_cast<std::size_t>(id)];
  const auto pixels = picture_pixels(id);
  std::copy(pixels.begin(), pixels.end(), texture.pixels.begin());
  texture.exists = true;
  return true;
}

void textured_begin() {}
void textured_end() {}

void textured_draw(int id, int x, int y, int degrees, int alpha) {
  if (id < 0 || id >= texture_slots || alpha <= 0) return;
  const Texture& texture = textures()[static_cast<std::size_t>(id)];
  if (!texture.exists) return;
  const float radians = static_cast<float>(degrees) * degrees_to_radians;
  const float c = std::cos(radians);
  const float s = std::sin(radians);
  const float half = texture_size / 2.0F;
  const float centre_x = static_cast<float>(x) + half;
  const float centre_y = static_cast<float>(y) + half;
  // A turned 32x32 square stays within 23 pixels of its centre.
  constexpr int reach = 23;
  auto screen = frame_buffer();
  for (int sy = y + 16 - reach; sy < y + 16 + reach; ++sy) {
    if (sy < 0 || sy >= screen_height) continue;
    for (int sx = x + 16 - reach; sx < x + 16 + reach; ++sx) {
      if (sx < 0 || sx >= screen_width) continue;
      // Turn the screen pixel's centre back by the angle to find the texel.
      const float dx = static_cast<float>(sx) + 0.5F - centre_x;
      const float dy = static_cast<float>(sy) + 0.5F - centre_y;
      const float u = half + dx * c + dy * s;
      const float v = half - dx * s + dy * c;
      if (u < 0.0F || v < 0.0F || u >= texture_size || v >= texture_size) continue;
      const Pixel texel = texture.pixels[static_cast<std::size_t>(static_cast<int>(v) * texture_size +
                                                                  static_cast<int>(u))];
      if (texel == 0) continue;
      Pixel& dst = screen[static_cast<std::size_t>(sy * screen_width + sx)];
      dst = blend(texel, dst, alpha);
    }
  }
}

}  // namespace platform
