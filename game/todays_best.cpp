#include "game/todays_best.h"

namespace sky {

std::string pad_left(std::string_view text, int, std::string_view) { return std::string(text); }
std::int32_t todays_best_insert(std::int32_t score, std::int32_t hi_score) {
  return score > hi_score ? score : hi_score;
}

}  // namespace sky
