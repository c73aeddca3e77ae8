// The tracker-music player: one module at a time, rendered by libxmp into the
// sound device through SDL_mixer's music hook. SDL_mixer counts the opens of
// the device, so the game's sound effects open the same device once more and
// mix their sounds over the music.
//
// The audio callback runs on SDL's audio thread. It touches the libxmp context
// only while the state is Playing, and only under the player's lock; the entry
// points leave Playing under that lock before they touch the context
// themselves, so loading, starting and unloading never race with rendering.
// (SDL_LockAudio cannot serve here: SDL_mixer opens its device by number, and
// SDL_LockAudio only locks the device of the old single-device interface.)
#include <SDL.h>
#include <SDL_mixer.h>
#include <xmp.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <mutex>
#include <vector>

#include "modplayer/bassmod.h"

namespace {

constexpr int chunk_size = 1024;  // samples per buffer, as the sound effects ask
constexpr unsigned default_rate = 44100;

enum class State { Empty, Loaded, Playing, Paused, Stopped };

// Only trivially destructible members: the unload destructor below may run
// before or after the library's C++ globals are torn down.
struct Player {
  std::mutex lock;
  bool ready = false;  // device opened, context made, hook installed
  xmp_context context = nullptr;
  State state = State::Empty;  // written under lock, read by the callback
  bool started = false;        // libxmp's player runs for the loaded module
  int channels = 2;            // of the device, as SDL_mixer reports it
};

constinit Player player;

State current_state() {
  std::lock_guard guard(player.lock);
  return player.state;
}

void set_state(State state) {
  std::lock_guard guard(player.lock);
  player.state = state;
}

// Renders into a device that is not stereo: stereo frames in small pieces,
// folded to mono or spread over the first two channels.
int render_spread(Sint16* out, int frames, int channels) {
  std::array<Sint16, 512> stereo{};
  constexpr int piece = static_cast<int>(stereo.size()) / 2;
  while (frames > 0) {
    const int n = frames < piece ? frames : piece;
    const int result =
        xmp_play_buffer(player.context, stereo.data(), n * 2 * static_cast<int>(sizeof(Sint16)), 0);
    if (result != 0) return result;
    for (int i = 0; i < n; ++i) {
      const int left = stereo[static_cast<std::size_t>(2 * i)];
      const int right = stereo[static_cast<std::size_t>(2 * i + 1)];
      if (channels == 1) {
        out[0] = static_cast<Sint16>((left + right) / 2);
      } else {
        out[0] = static_cast<Sint16>(left);
        out[1] = static_cast<Sint16>(right);
        for (int c = 2; c < channels; ++c) out[c] = 0;
      }
      out += channels;
    }
    frames -= n;
  }
  return 0;
}

// SDL_mixer hands the hook a buffer already filled with silence; the sound
// effects are mixed on top of what it leaves there.
void render(void* /*unused*/, Uint8* stream, int length) {
  std::lock_guard guard(player.lock);
  if (player.state != State::Playing) return;
  int result = 0;
  if (player.channels == 2) {
    result = xmp_play_buffer(player.context, stream, length, 0);
  } else {
    const int frame_bytes = player.channels * static_cast<int>(sizeof(Sint16));
    result =
        render_spread(reinterpret_cast<Sint16*>(stream), length / frame_bytes, player.channels);
  }
  // With a loop count of 0 libxmp repeats the module for ever, so this is a
  // failure of the player: the music ends and is reported as not playing.
  if (result != 0) {
    std::memset(stream, 0, static_cast<std::size_t>(length));
    player.state = State::Stopped;
  }
}

// The module is unloaded; the callback sees Empty before the context changes.
void free_module() {
  const State was = current_state();
  if (was == State::Empty) return;
  set_state(State::Empty);
  if (player.started) xmp_end_player(player.context);
  player.started = false;
  xmp_release_module(player.context);
}

bool read_part(const char* name, unsigned offset, unsigned length, std::vector<char>& bytes) {
  std::ifstream file(name, std::ios::binary | std::ios::ate);
  if (!file) return false;
  const std::streamoff size = file.tellg();
  if (size < 0 || static_cast<std::uint64_t>(offset) >= static_cast<std::uint64_t>(size)) {
    return false;
  }
  const std::streamoff left = size - offset;
  const std::streamoff count = length == 0 || length > left ? left : length;
  bytes.resize(static_cast<std::size_t>(count));
  file.seekg(offset);
  return static_cast<bool>(file.read(bytes.data(), count));
}

bool load(int mem, const void* file, unsigned offset, unsigned length) {
  if (file == nullptr) return false;
  if (mem != 0) {
    if (length == 0) return false;  // a module in memory needs its size
    const char* start = static_cast<const char*>(file) + offset;
    return xmp_load_module_from_memory(player.context, start, length) == 0;
  }
  const char* name = static_cast<const char*>(file);
  if (offset == 0 && length == 0) return xmp_load_module(player.context, name) == 0;
  std::vector<char> bytes;
  if (!read_part(name, offset, length, bytes)) return false;
  return xmp_load_module_from_memory(player.context, bytes.data(),
                                     static_cast<long>(bytes.size())) == 0;
}

void close_device() {
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

// The game unloads the library at the end without stopping the music first:
// the hook must not be left pointing into unloaded code, and the library gives
// back its own open of the device (the sound effects may still hold theirs).
// Mix_HookMusic takes the device's lock, so no callback is running once it
// returns.
__attribute__((destructor)) void unload() {
  if (!player.ready) return;
  Mix_HookMusic(nullptr, nullptr);
  free_module();
  xmp_free_context(player.context);
  player.context = nullptr;
  player.ready = false;
  close_device();
}

}  // namespace

extern "C" {

int BASSMOD_Init(int /*device*/, unsigned freq, unsigned /*flags*/) {
  if (player.ready) return 1;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return 0;
  const int rate = static_cast<int>(freq == 0 ? default_rate : freq);
  if (Mix_OpenAudio(rate, AUDIO_S16SYS, 2, chunk_size) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return 0;
  }
  player.context = xmp_create_context();
  if (player.context == nullptr) {
    close_device();
    return 0;
  }
  player.state = State::Empty;
  player.started = false;
  player.ready = true;
  Mix_HookMusic(render, nullptr);
  return 1;
}

int BASSMOD_MusicLoad(int mem, const void* file, unsigned offset, unsigned length,
                      unsigned /*flags*/) {
  if (!player.ready) return 0;
  free_module();
  if (!load(mem, file, offset, length)) return 0;
  set_state(State::Loaded);
  return 1;
}

int BASSMOD_MusicPlayEx(unsigned pos, int /*flags*/, int /*reset*/) {
  if (!player.ready || current_state() == State::Empty) return 0;
  set_state(State::Loaded);
  if (player.started) xmp_end_player(player.context);
  player.started = false;

  int rate = 0;
  Uint16 format = 0;
  int channels = 0;
  if (Mix_QuerySpec(&rate, &format, &channels) == 0 || format != AUDIO_S16SYS || channels < 1) {
    return 0;
  }
  if (xmp_start_player(player.context, rate, 0) != 0) return 0;
  player.started = true;
  if (pos != 0 && xmp_set_position(player.context, static_cast<int>(pos)) < 0) return 0;
  std::lock_guard guard(player.lock);
  player.channels = channels;
  player.state = State::Playing;
  return 1;
}

int BASSMOD_MusicStop(void) {
  std::lock_guard guard(player.lock);
  if (player.state == State::Empty) return 0;
  if (player.state == State::Playing || player.state == State::Paused) {
    player.state = State::Stopped;
  }
  return 1;
}

void BASSMOD_MusicFree(void) {
  if (player.ready) free_module();
}

unsigned BASSMOD_MusicIsActive(void) {
  std::lock_guard guard(player.lock);
  switch (player.state) {
    case State::Playing:
      return 1;
    case State::Paused:
      return 3;
    default:
      return 0;
  }
}

int BASSMOD_MusicPause(void) {
  std::lock_guard guard(player.lock);
  if (player.state != State::Playing) return 0;
  player.state = State::Paused;
  return 1;
}

int BASSMOD_MusicPlay(void) {
  {
    std::lock_guard guard(player.lock);
    if (player.state == State::Empty) return 0;
    if (player.state == State::Playing) return 1;
    if ((player.state == State::Paused || player.state == State::Stopped) && player.started) {
      player.state = State::Playing;
      return 1;
    }
  }
  return BASSMOD_MusicPlayEx(0, 0, 1);
}

}  // extern "C"
