#include "game/todays_best.h"

#include <cstddef>

#include "game/world.h"

namespace sky {
namespace {

constexpr int digits = 6;

// Text order with the character codes read as unsigned bytes; equal texts do
// not rank above each other and a text that runs out first ranks below.
bool ranks_above(const std::string& t, const std::string& e) {
  const std::size_t n = t.size() < e.size() ? t.size() : e.size();
  for (std::size_t i = 0; i < n; ++i) {
    const auto a = static_cast<unsigned char>(t[i]);
    const auto b = static_cast<unsigned char>(e[i]);
    if (a != b) return a > b;
  }
  return t.size() > e.size();
}

}  // namespace

std::string pad_left(std::string_view text, int width, std::string_view fill) {
  if (width <= 0) return {};
  const auto w = static_cast<std::size_t>(width);
  if (text.size() >= w) return std::string(text.substr(0, w));
  // Without a fill character there is nothing to pad with.
  if (fill.empty()) return std::string(text);
  std::string out(w - text.size(), fill.front());
  out += text;
  return out;
}

std::int32_t todays_best_insert(std::int32_t score, std::int32_t hi_score) {
  // A score of seven digits or more keeps its first six: 1234567 enters as
  // "123456", compared and shown that way.
  const std::string t = pad_left(std::to_string(score), digits, "0");
  if (ranks_above(t, todays_best[0])) {
    todays_best[2] = todays_best[1];
    todays_best[1] = todays_best[0];
    todays_best[0] = t;
  } else if (ranks_above(t, todays_best[1])) {
    todays_best[2] = todays_best[1];
    todays_best[1] = t;
  } else if (ranks_above(t, todays_best[2])) {
    todays_best[2] = t;
  }
  return score > hi_score ? score : hi_score;
}

}  // namespace sky
