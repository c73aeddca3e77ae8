#include "tests/game/stand_in_sprites.h"

#include <array>
#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

#include "game/asset_ids.h"
#include "platform/textured.h"

namespace sky::testing {
namespace {

using platform::Pixel;

constexpr std::array<int, 6> rock_widths = {63, 50, 49, 32, 25, 25};
constexpr std::array<int, 6> rock_heights = {55, 49, 46, 28, 25, 23};

void install(SpriteId sprite, int width, int height, const std::function<Pixel(int, int)>& paint) {
  std::vector<Pixel> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      pixels[static_cast<std::size_t>(y * width + x)] = paint(x, y);
    }
  }
  platform::picture_from_pixels(id(sprite), width, height, std::move(pixels));
}

// Inside the ellipse centred at (cx, cy) with radii rx and ry (pixel centres).
bool in_ellipse(int x, int y, double cx, double cy, double rx, double ry) {
  const double u = (x + 0.5 - cx) / rx;
  const double v = (y + 0.5 - cy) / ry;
  return u * u + v * v <= 1.0;
}

}  // namespace

int fireball_radius(int k) {
  const int step = k < 8 ? k : 16 - k;
  return 6 + 7 * step;
}

int rock_width(int kind) {
  return rock_widths[static_cast<std::size_t>(kind)];
}
int rock_height(int kind) {
  return rock_heights[static_cast<std::size_t>(kind)];
}

void install_stand_in_sprites() {
  install(SpriteId::TargetMarker, 32, 32, [](int x, int y) -> Pixel {
    const bool corner =
        (x == 8 || x == 23 || y == 8 || y == 23) && x >= 8 && x <= 23 && y >= 8 && y <= 23;
    return corner ? 0xE02020U : 0;
  });
  install(SpriteId::CannonTexture, 32, 32, [](int x, int y) -> Pixel {
    return x >= 12 && x <= 19 && y >= 2 && y <= 29 ? 0x909090U : 0;
  });
  for (int k = 0; k < 2; ++k) {
    install(static_cast<SpriteId>(id(SpriteId::ShellTexture0, k)), 32, 32,
            [k](int x, int y) -> Pixel {
              if (x >= 14 && x <= 17 && y >= 4 && y <= 25) return 0xF0F0F0U;
              if (y >= 26 && y <= 28 + k && x >= 14 && x <= 17) return 0xFFA020U;
              return 0;
            });
  }
  for (int sprite : {6, 7, 8}) platform::textured_from_picture(sprite);
  install(SpriteId::ExplosionSheet, 17 * 128, 128, [](int x, int y) -> Pixel {
    const int k = x / 128;
    const int r = fireball_radius(k);
    return in_ellipse(x % 128, y, 64, 64, r, r) ? 0xFF8020U : 0;
  });
  install(SpriteId::CityImage, 94, 87,
          [](int x, int y) -> Pixel { return in_ellipse(x, y, 47, 87, 47, 70) ? 0x80C0F0U : 0; });
  install(SpriteId::SiteFireSheet, 16 * 160, 150, [](int x, int y) -> Pixel {
    const int k = x / 160;
    const int h = 20 + 8 * (k < 9 ? k : 16 - k);
    return y >= 150 - h && (x % 160) >= 30 && (x % 160) < 130 ? 0xFF4000U : 0;
  });
  for (int kind = 0; kind < 6; ++kind) {
    const int w = rock_width(kind);
    const int h = rock_height(kind);
    install(static_cast<SpriteId>(id(SpriteId::Meteor0, kind)), w, h,
            [w, h](int x, int y) -> Pixel {
              return in_ellipse(x, y, w / 2.0, h / 2.0, w / 2.0, h / 2.0) ? 0xB07030U : 0;
            });
  }
}

}  // namespace sky::testing
