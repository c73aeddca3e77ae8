#include "present/stars.h"

#include <cmath>
#include <cstdint>

#include "game/world.h"
#include "platform/pictures.h"
#include "platform/random.h"

namespace sky {
namespace {

constexpr int star_count = 100;
// One phase step is released every twinkle_period visits of a star. As 100
// stars leave a remainder of 7 when divided by 31, the step falls on a
// different star every frame and each star steps once every 31 frames.
constexpr int twinkle_period = 31;
constexpr std::int32_t last_phase = 3;

std::uint32_t packed(int red, int green, int blue) {
  return static_cast<std::uint32_t>(red) + 256U * static_cast<std::uint32_t>(green) +
         65536U * static_cast<std::uint32_t>(blue);
}

// Each channel is drawn in its own statement: the order of the random draws
// (red, green, blue) is part of what a seed gives.
std::uint32_t random_colour(int red_from, int red_span, int green_from, int green_span,
                            int blue_from, int blue_span) {
  const int red = red_from + platform::random(red_span);
  const int green = green_from + platform::random(green_span);
  const int blue = blue_from + platform::random(blue_span);
  return packed(red, green, blue);
}

std::uint32_t colour_of(const Star& star) {
  switch (star.phase) {
    case 1:
      return star.colour1;
    case 2:
      return star.colour2;
    case 3:
      return star.colour3;
    default:
      return 0;  // a dark star is still plotted, black on black
  }
}

int pixel_of(float coordinate) {
  return static_cast<int>(std::lrint(coordinate));
}

}  // namespace

void make_stars() {
  for (int n = 0; n < star_count; ++n) {
    Star& star = stars.append();
    star.x = static_cast<float>(platform::random(639));
    star.y = static_cast<float>(platform::random(479));
    star.colour1 = random_colour(0, 100, 0, 100, 200, 50);
    star.colour2 = packed(255, 255, 255);
    star.colour3 = random_colour(100, 100, 100, 100, 150, 100);
    star.phase = platform::random(3);
  }
}

void draw_stars() {
  platform::begin_plot();
  for (Star& star : stars) {
    game.twinkle_counter += 1;
    if (game.twinkle_counter >= twinkle_period) {
      game.twinkle_counter = 0;
      star.phase += 1;
      if (star.phase > last_phase) star.phase = 0;
    }
    platform::plot(pixel_of(star.x), pixel_of(star.y), colour_of(star));
  }
  platform::end_plot();
}

}  // namespace sky
