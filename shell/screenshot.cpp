#include "shell/screenshot.h"

namespace sky {

void take_screenshot() {}

}  // namespace sky
