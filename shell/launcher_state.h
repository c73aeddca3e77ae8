// The launcher dialog's layout and what its gadgets do with the pointer: the
// three check boxes, the start button with its tooltip, and the close request.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/dialog.h"

namespace sky {

constexpr int launcher_width = 310;
constexpr int launcher_height = 205;
constexpr std::string_view launcher_title = "Game Settings";
constexpr std::string_view start_tooltip = "Click Here to Start Game !";
// How long the pointer rests on the start button before its tooltip shows.
constexpr std::uint32_t tooltip_delay_ms = 500;

// Gadgets 0 to 2 are the check boxes (full screen, sound effects, music),
// gadget 3 the start button.
constexpr int box_count = 3;
constexpr int start_button = 3;
constexpr std::array<platform::DialogRect, 4> gadget_rects{{
    {55, 81, 15, 15},
    {55, 104, 15, 15},
    {55, 127, 15, 15},
    {231, 69, 52, 76},
}};

// The gadget at a point of the dialog, or -1.
int gadget_at(int x, int y);

struct Tooltip {
  int x = 0;  // top-left of the pointer position it was shown for
  int y = 0;
};

class LauncherState {
 public:
  explicit LauncherState(std::array<bool, box_count> checked) : checked_(checked) {}

  // Takes one event at tick now_ms; true when the face looks different.
  bool handle(const platform::DialogEvent& event, std::uint32_t now_ms);
  // How long the next wait may last: until the tooltip is due, or -1.
  int wait_ms(std::uint32_t now_ms) const;

  bool finished() const { return finished_; }
  const std::array<bool, box_count>& checked() const { return checked_; }
  // The gadget drawn pressed: held down with the pointer on it, else -1.
  int shown_pressed() const { return pressed_ >= 0 && pressed_inside_ ? pressed_ : -1; }
  // Where the pointer rested when the tooltip came up, when it shows.
  const std::optional<Tooltip>& tooltip() const { return tooltip_; }

 private:
  bool on_press(int x, int y);
  bool on_release(int x, int y);
  bool on_motion(int x, int y, std::uint32_t now_ms);
  bool hide_tooltip();

  std::array<bool, box_count> checked_;
  bool finished_ = false;
  int pressed_ = -1;  // gadget the held button went down on
  bool pressed_inside_ = false;
  int pointer_x_ = 0;
  int pointer_y_ = 0;
  std::optional<std::uint32_t> resting_since_;  // pointer resting on the start button
  std::optional<Tooltip> tooltip_;
};

}  // namespace sky
