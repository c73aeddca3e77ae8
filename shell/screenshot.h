// The screenshot file "screen.bmp".
#pragma once

namespace sky {

// Saves the frame buffer (the last presented frame) as "screen.bmp".
void take_screenshot();

}  // namespace sky
