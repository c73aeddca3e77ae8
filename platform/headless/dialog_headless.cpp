// No desktop, no dialog: opening fails, so the launcher is skipped and the
// settings read from the file stand.
#include "platform/dialog.h"

namespace platform {

bool dialog_open(const DialogLayout& /*layout*/) {
  return false;
}
void dialog_show() {}
void dialog_present(std::span<const Pixel> /*pixels*/) {}
DialogEvent dialog_wait(int /*timeout_ms*/) {
  return {DialogEventKind::Close};
}
void dialog_close() {}

}  // namespace platform
