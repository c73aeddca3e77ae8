#include "shell/settings.h"

#include "game/world.h"
#include "shell/settings_file.h"

namespace sky {
namespace {

constexpr const char* file_name = "Skyward.dat";
constexpr const char* group_name = "Game Data";

}  // namespace

// Whatever goes wrong (no file, no group, a key missing) leaves that value at
// its default: the reads below return the default without an open file or a
// selected group.
void read_settings() {
  settings_open(file_name);
  settings_select_group(group_name);
  game.hi_score = settings_read_integer("HiScore", 4855);
  game.full_screen = settings_read_integer("FullScreen", 1);
  game.use_audio = settings_read_integer("UseAudio", 1);
  game.use_music = settings_read_integer("UseMusic", 1);
  settings_close();
}

void write_settings() {
  if (!settings_create(file_name)) return;
  settings_select_group(group_name);
  settings_write_integer("HiScore", game.hi_score);
  settings_write_integer("FullScreen", game.full_screen);
  settings_write_integer("UseAudio", game.use_audio);
  settings_write_integer("UseMusic", game.use_music);
  settings_close();
}

}  // namespace sky
