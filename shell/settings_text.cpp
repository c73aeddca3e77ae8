#include "shell/settings_text.h"

namespace sky {
namespace {

struct Line {
  std::string_view text;  // without its line feed; a carriage return before it stays
  std::size_t next;       // start of the following line
};

// The line starting at pos. A line ends at a line feed; a carriage return
// directly after the line feed belongs to that ending too.
Line line_at(std::string_view text, std::size_t pos) {
  const std::size_t feed = text.find('\n', pos);
  if (feed == std::string_view::npos) return {text.substr(pos), text.size()};
  std::size_t next = feed + 1;
  if (next < text.size() && text[next] == '\r') ++next;
  return {text.substr(pos, feed - pos), next};
}

char fold(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool same_name(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (fold(a[i]) != fold(b[i])) return false;
  }
  return true;
}

bool is_group_line(std::string_view line) {
  return !line.empty() && line.front() == '[';
}

std::string_view skip_spaces(std::string_view s) {
  const std::size_t first = s.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string_view{} : s.substr(first);
}

// The value text of line when it is a key line for key, else nullopt.
std::optional<std::string_view> value_for(std::string_view line, std::string_view key) {
  line = skip_spaces(line);
  if (!line.empty() && line.front() == ';') return std::nullopt;
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  std::string_view name = line.substr(0, equals);
  const std::size_t last = name.find_last_not_of(' ');
  name = last == std::string_view::npos ? std::string_view{} : name.substr(0, last + 1);
  if (!same_name(name, key)) return std::nullopt;
  return skip_spaces(line.substr(equals + 1));
}

}  // namespace

std::optional<std::size_t> find_group(std::string_view text, std::string_view name) {
  for (std::size_t pos = 0; pos < text.size();) {
    const Line line = line_at(text, pos);
    if (is_group_line(line.text)) {
      const std::string_view inside = line.text.substr(1);
      if (same_name(inside.substr(0, inside.find(']')), name)) return line.next;
    }
    pos = line.next;
  }
  return std::nullopt;
}

std::int32_t find_integer(std::string_view text, std::size_t from, std::string_view key,
                          std::int32_t fallback) {
  if (key.empty()) return fallback;
  for (std::size_t pos = from; pos < text.size();) {
    const Line line = line_at(text, pos);
    if (is_group_line(line.text)) return fallback;
    if (const auto value = value_for(line.text, key)) return parse_integer(*value);
    pos = line.next;
  }
  return fallback;
}

std::int32_t parse_integer(std::string_view text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  std::uint32_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10U + static_cast<std::uint32_t>(text[i] - '0');
  }
  if (negative) value = 0U - value;
  return static_cast<std::int32_t>(value);
}

}  // namespace sky
