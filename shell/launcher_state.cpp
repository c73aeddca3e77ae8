#include "shell/launcher_state.h"

namespace sky {

int gadget_at(int x, int y) {
  for (std::size_t i = 0; i < gadget_rects.size(); ++i) {
    if (gadget_rects[i].contains(x, y)) return static_cast<int>(i);
  }
  return -1;
}

// A gadget acts like a desktop button: it goes down on the press and acts on
// the release only when the pointer is still on it, so a press can be taken
// back by moving away before letting go.
bool LauncherState::handle(const platform::DialogEvent& event, std::uint32_t now_ms) {
  bool changed = false;
  if (resting_since_ && now_ms - *resting_since_ >= tooltip_delay_ms) {
    tooltip_ = Tooltip{pointer_x_, pointer_y_};
    resting_since_.reset();
    changed = true;
  }
  switch (event.kind) {
    case platform::DialogEventKind::Close:
      finished_ = true;
      break;
    case platform::DialogEventKind::Press:
      changed = on_press(event.x, event.y) || changed;
      break;
    case platform::DialogEventKind::Release:
      changed = on_release(event.x, event.y) || changed;
      break;
    case platform::DialogEventKind::Motion:
      changed = on_motion(event.x, event.y, now_ms) || changed;
      break;
    case platform::DialogEventKind::Leave:
      resting_since_.reset();
      if (pressed_inside_) changed = true;
      pressed_inside_ = false;
      changed = hide_tooltip() || changed;
      break;
    case platform::DialogEventKind::Redraw:
      changed = true;
      break;
    case platform::DialogEventKind::Timeout:
    case platform::DialogEventKind::Other:
      break;
  }
  return changed;
}

int LauncherState::wait_ms(std::uint32_t now_ms) const {
  if (!resting_since_) return -1;
  const std::uint32_t rested = now_ms - *resting_since_;
  return rested >= tooltip_delay_ms ? 0 : static_cast<int>(tooltip_delay_ms - rested);
}

bool LauncherState::on_press(int x, int y) {
  pointer_x_ = x;
  pointer_y_ = y;
  resting_since_.reset();
  const bool changed = hide_tooltip();
  const int gadget = gadget_at(x, y);
  if (gadget < 0) return changed;
  pressed_ = gadget;
  pressed_inside_ = true;
  return true;
}

bool LauncherState::on_release(int x, int y) {
  if (pressed_ < 0) return false;
  const int gadget = pressed_;
  pressed_ = -1;
  pressed_inside_ = false;
  if (gadget_at(x, y) == gadget) {
    if (gadget == start_button) {
      finished_ = true;
    } else {
      checked_[static_cast<std::size_t>(gadget)] = !checked_[static_cast<std::size_t>(gadget)];
    }
  }
  return true;
}

// The tooltip waits for the pointer to rest on the start button: every move
// there starts the wait again. Once shown it stays while the pointer is on
// the button.
bool LauncherState::on_motion(int x, int y, std::uint32_t now_ms) {
  pointer_x_ = x;
  pointer_y_ = y;
  const int gadget = gadget_at(x, y);
  bool changed = false;
  if (pressed_ >= 0) {
    const bool inside = gadget == pressed_;
    changed = inside != pressed_inside_;
    pressed_inside_ = inside;
  }
  if (gadget != start_button) {
    resting_since_.reset();
    return hide_tooltip() || changed;
  }
  if (!tooltip_ && pressed_ < 0) resting_since_ = now_ms;
  return changed;
}

bool LauncherState::hide_tooltip() {
  const bool shown = tooltip_.has_value();
  tooltip_.reset();
  return shown;
}

}  // namespace sky
