// Small valid XM modules built in memory for the player tests: one instrument
// with a looped square-wave sample, one pattern that strikes a note on its
// first row and holds it to the end.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sky::testing {

struct TinyXm {
  int rows = 16;    // rows of the one pattern
  int speed = 6;    // ticks per row
  int tempo = 125;  // beats per minute
};

std::vector<std::uint8_t> tiny_xm(const TinyXm& shape = {});
void write_file(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace sky::testing
