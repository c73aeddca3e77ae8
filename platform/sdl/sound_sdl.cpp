// Sound effects on SDL_mixer: one dedicated channel per sound, so playing a
// sound that still plays cuts it and starts it again, and different sounds mix.
#include <SDL.h>
#include <SDL_mixer.h>

#include <array>

#include "platform/sound.h"

namespace platform {
namespace {

constexpr int sound_slots = 8;
// The effects are mastered close to full scale; at a little over half volume
// a shot, an explosion and the music together stay clear of clipping.
constexpr int effect_volume = 72;  // of MIX_MAX_VOLUME (128)
std::array<Mix_Chunk*, sound_slots> chunks{};
bool open = false;

}  // namespace

bool sound_init() {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  // 44100 Hz, 16-bit, stereo: the music library opens the same device with
  // the same format, and SDL_mixer counts the opens.
  if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  Mix_AllocateChannels(sound_slots);
  Mix_Volume(-1, effect_volume);
  open = true;
  return true;
}

void sound_shutdown() {
  if (!open) return;
  Mix_HaltChannel(-1);
  for (Mix_Chunk*& chunk : chunks) {
    if (chunk != nullptr) Mix_FreeChunk(chunk);
    chunk = nullptr;
  }
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  open = false;
}

bool sound_load(int id, std::span<const std::uint8_t> wave_file) {
  if (!open || id < 0 || id >= sound_slots || wave_file.empty()) return false;
  SDL_RWops* rw = SDL_RWFromConstMem(wave_file.data(), static_cast<int>(wave_file.size()));
  if (rw == nullptr) return false;
  Mix_Chunk* chunk = Mix_LoadWAV_RW(rw, 1);
  if (chunk == nullptr) return false;
  if (chunks[static_cast<std::size_t>(id)] != nullptr) Mix_FreeChunk(chunks[static_cast<std::size_t>(id)]);
  chunks[static_cast<std::size_t>(id)] = chunk;
  return true;
}

void sound_play(int id) {
  if (!open || id < 0 || id >= sound_slots) return;
  Mix_Chunk* chunk = chunks[static_cast<std::size_t>(id)];
  if (chunk == nullptr) return;
  // Each sound has its own channel; playing on a busy channel restarts it.
  Mix_PlayChannel(id, chunk, 0);
}

}  // namespace platform
