// The music library, bound at run time: loaded by file name from the program
// directory (then through the system's library search), its eight entry points
// looked up by name. Every caller tests game.use_music first; in addition the
// entry points are forgotten when the binding fails, so the operations then do
// nothing rather than call into a library that is not ready.
#include "shell/music_binding.h"

#include <string>
#include <vector>

#include "game/music.h"
#include "game/world.h"
#include "modplayer/bassmod.h"
#include "platform/library.h"
#include "platform/window.h"

namespace sky {
namespace {

constexpr const char* library_file = "libbassmod.so";

struct EntryPoints {
  decltype(&BASSMOD_Init) init = nullptr;
  decltype(&BASSMOD_MusicFree) music_free = nullptr;
  decltype(&BASSMOD_MusicLoad) music_load = nullptr;
  decltype(&BASSMOD_MusicPlayEx) music_play_ex = nullptr;
  decltype(&BASSMOD_MusicStop) music_stop = nullptr;
  decltype(&BASSMOD_MusicIsActive) music_is_active = nullptr;
  decltype(&BASSMOD_MusicPause) music_pause = nullptr;
  decltype(&BASSMOD_MusicPlay) music_play = nullptr;
};

platform::Library* library = nullptr;
// Never destroyed: the libraries it holds stay loaded until the process ends.
auto* const earlier_libraries = new std::vector<platform::Library*>;
EntryPoints music;

template <class Function>
bool look_up(Function& function, const char* name) {
  function = reinterpret_cast<Function>(platform::library_symbol(library, name));
  return function != nullptr;
}

// All eight are looked up, in this order, whichever is missing.
bool look_up_entry_points() {
  bool found = true;
  found &= look_up(music.init, "BASSMOD_Init");
  found &= look_up(music.music_free, "BASSMOD_MusicFree");
  found &= look_up(music.music_load, "BASSMOD_MusicLoad");
  found &= look_up(music.music_play_ex, "BASSMOD_MusicPlayEx");
  found &= look_up(music.music_stop, "BASSMOD_MusicStop");
  found &= look_up(music.music_is_active, "BASSMOD_MusicIsActive");
  found &= look_up(music.music_pause, "BASSMOD_MusicPause");
  found &= look_up(music.music_play, "BASSMOD_MusicPlay");
  return found;
}

// Set only while the library is bound and ready.
bool bound() {
  return music.init != nullptr;
}

platform::Library* open_library() {
  platform::Library* found = platform::library_open(platform::program_directory() + library_file);
  if (found == nullptr) found = platform::library_open(library_file);
  return found;
}

}  // namespace

void bind_music() {
  // A library that failed to bind stays loaded until the process ends; one
  // kept from an earlier start-up in the same process (only tests start up
  // more than once) is remembered so its handle is not lost.
  if (library != nullptr) earlier_libraries->push_back(library);
  music = EntryPoints{};
  library = open_library();
  if (library == nullptr) {
    game.use_music = 0;
    return;
  }
  // A library without every entry point stays loaded but is never called.
  if (!look_up_entry_points()) {
    music = EntryPoints{};
    game.use_music = 0;
    platform::error_box("Could not Initialize MOD Engine");
    return;
  }
  if (music.init(-1, 44100, 0) == 0) {
    music = EntryPoints{};
    platform::error_box("Cannot Initialize MOD Engine");
    game.use_music = 0;
    return;
  }
  game.use_music = 1;
}

void play_music(const char* file_name) {
  if (!bound()) return;
  music.music_load(0, file_name, 0, 0, 1);
  music.music_play_ex(0, 1, 1);
}

void stop_music() {
  if (!bound()) return;
  music.music_stop();
  music.music_free();
}

void pause_music(int paused) {
  if (!bound()) return;
  if (paused != 0) {
    music.music_pause();
  } else {
    music.music_play();
  }
}

int music_keep_alive() {
  if (!bound()) return 0;
  const unsigned active = music.music_is_active();
  if (active == 0) {
    stop_music();
    play_music("intro.xm");
  }
  return static_cast<int>(active);
}

// No stop comes first: the library ends its music itself when it is unloaded.
void release_music() {
  platform::library_close(library);
  library = nullptr;
  music = EntryPoints{};
}

}  // namespace sky
