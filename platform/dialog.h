// A small dialog window shown before the game's screen opens: borderless,
// optionally with a non-rectangular outline, showing a picture the caller
// draws, and moved by dragging its face. One dialog at a time.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/pictures.h"

namespace platform {

struct DialogRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool contains(int px, int py) const {
    return px >= x && py >= y && px < x + width && py < y + height;
  }
};

struct DialogLayout {
  std::string title;
  int width = 0;
  int height = 0;
  int icon_picture = -1;  // picture number of the window icon, -1 for none
  // width * height flags, non-zero inside the window's outline; empty for a
  // rectangular window. Where the desktop cannot shape windows the window
  // stays rectangular.
  std::vector<std::uint8_t> outline;
  // Areas a press does not drag the window from (the gadgets); a press
  // anywhere else on the face moves the window with the pointer.
  std::vector<DialogRect> gadgets;
};

// Opens the dialog hidden and centred on the desktop; false when no window
// can be made (no desktop), and then nothing is left open.
bool dialog_open(const DialogLayout& layout);
void dialog_show();
// Shows width * height pixels (0x00RRGGBB) on the dialog's face.
void dialog_present(std::span<const Pixel> pixels);

enum class DialogEventKind {
  Timeout,  // nothing happened within the wait
  Close,    // the desktop asked the dialog to close
  Press,    // left button pressed on a gadget
  Release,  // left button released (anywhere, after a press on a gadget)
  Motion,   // the pointer moved over the dialog
  Leave,    // the pointer left the dialog
  Redraw,   // the face must be shown again
  Other,
};

struct DialogEvent {
  DialogEventKind kind = DialogEventKind::Other;
  int x = 0;  // pointer position in the dialog for Press, Release and Motion
  int y = 0;
};

// Waits for the next event of the dialog; timeout_ms < 0 waits as long as it
// takes.
DialogEvent dialog_wait(int timeout_ms);

// Closes the dialog and ends what dialog_open started.
void dialog_close();

}  // namespace platform
