// Drawing the launcher dialog's face: the background picture, the three check
// boxes, the start button and its tooltip.
#pragma once

#include <optional>

#include "platform/dialog.h"
#include "platform/image.h"
#include "shell/launcher_canvas.h"
#include "shell/launcher_state.h"

namespace sky {

struct LauncherArt {
  std::optional<platform::Image> backdrop;  // the whole face, 310 x 205
  std::optional<platform::Image> button;    // the start button's picture, 61 x 90
};

// Where the tooltip box goes for a pointer resting at the tooltip's point:
// below the pointer, kept inside the dialog.
platform::DialogRect tooltip_box(const Tooltip& tooltip);

void draw_launcher(Canvas& canvas, const LauncherArt& art, const LauncherState& state);

}  // namespace sky
