// Sound effects: short WAVE sounds, one voice each.
#pragma once

#include <cstdint>
#include <span>

namespace platform {

// Opens the sound device (44100 Hz, 16-bit, stereo). False when it fails.
bool sound_init();
void sound_shutdown();

// Loads a RIFF WAVE file image as sound id; false when it cannot be decoded.
bool sound_load(int id, std::span<const std::uint8_t> wave_file);
// Plays sound id once from its start; a sound still playing restarts.
void sound_play(int id);

}  // namespace platform
