// The day's three best scores, kept in memory only.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace sky {

// Text padded on the left to width characters with the first character of
// fill; a longer text keeps its first width characters; width <= 0 gives "".
std::string pad_left(std::string_view text, int width, std::string_view fill);

// Enters score into todays_best and returns the larger of score and hi_score.
std::int32_t todays_best_insert(std::int32_t score, std::int32_t hi_score);

}  // namespace sky
