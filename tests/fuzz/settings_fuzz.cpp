// libFuzzer target for the settings reader: any bytes as the file's text.
// Besides memory and undefined-behaviour faults (found by the sanitizers) it
// checks properties every reading must keep.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "shell/settings_text.h"

namespace {

constexpr const char* keys[] = {"HiScore", "FullScreen", "UseAudio", "UseMusic", "K", "="};
constexpr std::int32_t fallback = 4855;

void check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (const char* group : {"Game Data", "", "G"}) {
    const auto start = sky::find_group(text, group);
    if (!start) continue;
    check(*start <= text.size());
    // The group line just before the keys names the group.
    check(*start > 0);
    for (const char* key : keys) {
      const std::int32_t value = sky::find_integer(text, *start, key, fallback);
      // Appending a group line cannot change a value found before it, and
      // a read is the same every time.
      const std::string longer = std::string(text) + "\n[" + group + "]\nHiScore = 1\n";
      check(sky::find_integer(longer, *start, key, fallback) == value);
      check(sky::find_integer(text, *start, key, fallback) == value);
    }
    check(sky::find_integer(text, *start, "", 7) == 7);
  }
  // Numbers: the text of a value read back is the value itself.
  const std::int32_t n = sky::parse_integer(text);
  check(sky::parse_integer(std::to_string(n)) == n);
  return 0;
}
