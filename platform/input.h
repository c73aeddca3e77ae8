// Keyboard and mouse.
#pragma once

namespace platform {

enum class Key { Escape, F12, P };

bool keyboard_init();
bool mouse_init();
void input_shutdown();

// Takes one snapshot of all keys.
void keyboard_snapshot();
// True when the last snapshot finds the key up and the previous test of the
// same key had found it down. Each key's memory changes only when it is tested.
bool key_released(Key key);

struct MouseState {
  int x = 0;  // 0..639 in the 640x480 picture
  int y = 0;  // 0..479
  bool left = false;
  bool right = false;
};
// Reads the pointer as a position in the 640x480 picture and the buttons as
// held. A press that began and ended since the previous read counts as held
// for this read, so a quick click is never lost.
MouseState mouse_read();

}  // namespace platform
