// Reading the text of the settings file: finding a group and the integer value
// of a key in it. Pure text work, shared by the settings file and its fuzz
// target.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace sky {

// Where the keys of the first group line "[name]" start (the line after it),
// or nullopt when no group line matches. A group line has "[" in its very
// first column; its name runs to the first "]" or to the end of the line
// (a carriage return before the line feed included) and must equal name with
// ASCII letters compared case-blind.
std::optional<std::size_t> find_group(std::string_view text, std::string_view name);

// The value of key in the group whose keys start at position from, or
// fallback when the key is empty or does not come before the next group line
// or the end of the text. Leading spaces (not tabs) are skipped, ";" starts a
// comment line, spaces around "=" are allowed, the first matching line wins,
// and a value without digits reads as 0.
std::int32_t find_integer(std::string_view text, std::size_t from, std::string_view key,
                          std::int32_t fallback);

// A decimal integer with an optional sign at the start of text, up to the
// first character that is not a digit; 0 without digits. Values beyond 32
// bits wrap around modulo 2^32, as the 32-bit arithmetic the file was made
// for did; parsing is defined for any length.
std::int32_t parse_integer(std::string_view text);

}  // namespace sky
