// Control of the headless platform used by the tests: a clock the test
// advances, scripted keys and mouse, a frame buffer without a window, a
// recording sound service, and failures on request.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/input.h"

namespace platform::headless {

enum class Service { Display, Textured, Keyboard, Mouse, Sound, OpenDisplay, Windows };

// Back to the state of a fresh process: clock at start_ms, no input, no
// failures, nothing recorded, no pictures, no sounds.
void reset(std::uint32_t start_ms = 1000);

// The clock. With auto_advance (the default) the paced frames follow a
// timeline of 1/76 s each, as the real pacing does, and a sleep of n ms
// moves the clock n ms on.
void set_ticks(std::uint32_t ms);
void advance_ms(std::uint32_t ms);
void set_auto_advance(bool on);

// Input as the next reads will see it.
void set_mouse(int x, int y, bool left, bool right);
void set_key(Key key, bool down);
// Keys held down for the next n snapshots only, then released (for a P press
// while the game polls the keyboard in its pause loop).
void script_key_presses(Key key, std::vector<bool> downs_per_snapshot);
int keyboard_snapshots();

// Random numbers: scripted values are returned first (each clamped to 0..n),
// then the seeded generator takes over.
void script_random(std::vector<int> values);

void fail(Service service, bool failing = true);

// What the program did.
struct SoundLoad {
  int id;
  std::size_t bytes;
};
const std::vector<int>& played_sounds();
void clear_played_sounds();
const std::vector<SoundLoad>& loaded_sounds();
const std::vector<std::string>& error_boxes();
int presented_frames();
bool display_is_open();
bool display_full_screen();
std::string display_title();
int sleeps();

// Requests a close of the game window (next window event / present).
void request_close();

}  // namespace platform::headless
