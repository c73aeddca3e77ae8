// The small reader and writer of the settings file: one file at a time, read
// whole into memory, or written anew.
#pragma once

#include <sys/types.h>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace sky {

// Each opening makes the program directory the current directory first, so
// relative names are resolved there. Opening or creating closes whatever was
// open before.

// Reads the whole file into memory. False when it does not exist, is not a
// plain file or cannot be read.
bool settings_open(const std::string& name);

// Starts writing the file anew. The old file stays untouched until
// settings_close() has written the new one completely: the text goes to a
// temporary file beside it, which then replaces the old one in one step. False
// when the temporary file cannot be created.
bool settings_create(const std::string& name);

// Reading: finds the group and remembers where its keys start (true when
// found). Writing: writes the group line "[name]" (true). False with nothing
// open.
bool settings_select_group(std::string_view name);

// The value of key in the selected group, or fallback.
std::int32_t settings_read_integer(std::string_view key, std::int32_t fallback);

// Writes "key = value"; does nothing when no file is open for writing or the
// key is empty.
void settings_write_integer(std::string_view key, std::int32_t value);

// Ends reading or writing; harmless when nothing is open. After writing,
// true when the new file is in place; on any failure the old file stays as
// it was and the temporary file is removed.
bool settings_close();

// The system call that writes the new file's bytes, exchangeable so tests can
// make a write fail part of the way through. nullptr restores ::write.
using SettingsWriteCall = ssize_t (*)(int fd, const void* data, std::size_t size);
void set_settings_write_call(SettingsWriteCall call);

}  // namespace sky
