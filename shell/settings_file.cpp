#include "shell/settings_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <optional>

#include "platform/window.h"
#include "shell/settings_text.h"

namespace sky {
namespace {

enum class Mode { Closed, Reading, Writing };

struct State {
  Mode mode = Mode::Closed;
  // Reading: the whole file. Writing: the text still to be written.
  std::string text;
  std::optional<std::size_t> group;  // where the selected group's keys start
  std::string name;                  // writing: the file to replace
  std::string temp_name;
  int fd = -1;
};

State state;
SettingsWriteCall write_call = ::write;

bool write_all(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t done = write_call(fd, data.data(), data.size());
    if (done < 0 && errno == EINTR) continue;
    if (done <= 0) return false;
    data.remove_prefix(static_cast<std::size_t>(done));
  }
  return true;
}

std::optional<std::string> read_whole(int fd) {
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  std::string text;
  std::array<char, 4096> chunk{};
  for (;;) {
    const ssize_t got = ::read(fd, chunk.data(), chunk.size());
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return std::nullopt;
    if (got == 0) return text;
    text.append(chunk.data(), static_cast<std::size_t>(got));
  }
}

// The directory part of a file name, for syncing the directory entry.
std::string directory_of(const std::string& name) {
  const std::size_t slash = name.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : name.substr(0, slash);
}

// Makes the rename durable; a failure here no longer endangers the old file.
void sync_directory(const std::string& name) {
  const int dir = ::open(directory_of(name).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) return;
  fsync(dir);
  ::close(dir);
}

bool finish_writing() {
  bool ok = write_all(state.fd, state.text) && fsync(state.fd) == 0;
  ok = ::close(state.fd) == 0 && ok;
  state.fd = -1;
  ok = ok && std::rename(state.temp_name.c_str(), state.name.c_str()) == 0;
  if (ok) {
    sync_directory(state.name);
  } else {
    ::unlink(state.temp_name.c_str());
  }
  return ok;
}

void reset() {
  state.mode = Mode::Closed;
  state.text.clear();
  state.text.shrink_to_fit();
  state.group.reset();
  state.name.clear();
  state.temp_name.clear();
  state.fd = -1;
}

}  // namespace

bool settings_open(const std::string& name) {
  settings_close();
  platform::enter_program_directory();
  const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  std::optional<std::string> text = read_whole(fd);
  ::close(fd);
  if (!text) return false;
  // The text ends at its first zero byte, as the zero-terminated copy in
  // memory always did.
  const std::size_t end = text->find('\0');
  if (end != std::string::npos) text->resize(end);
  state.mode = Mode::Reading;
  state.text = std::move(*text);
  return true;
}

bool settings_create(const std::string& name) {
  settings_close();
  platform::enter_program_directory();
  std::string temp_name = name + ".tmp";
  const int fd = ::open(temp_name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  state.mode = Mode::Writing;
  state.name = name;
  state.temp_name = std::move(temp_name);
  state.fd = fd;
  return true;
}

bool settings_select_group(std::string_view name) {
  switch (state.mode) {
    case Mode::Closed:
      return false;
    case Mode::Reading:
      state.group = find_group(state.text, name);
      return state.group.has_value();
    case Mode::Writing:
      state.text.append("[").append(name).append("]\r\n");
      return true;
  }
  return false;
}

std::int32_t settings_read_integer(std::string_view key, std::int32_t fallback) {
  if (state.mode != Mode::Reading || !state.group) return fallback;
  return find_integer(state.text, *state.group, key, fallback);
}

void settings_write_integer(std::string_view key, std::int32_t value) {
  if (state.mode != Mode::Writing || key.empty()) return;
  state.text.append(key).append(" = ").append(std::to_string(value)).append("\r\n");
}

bool settings_close() {
  const bool ok = state.mode != Mode::Writing || finish_writing();
  reset();
  return ok;
}

void set_settings_write_call(SettingsWriteCall call) {
  write_call = call != nullptr ? call : ::write;
}

}  // namespace sky
