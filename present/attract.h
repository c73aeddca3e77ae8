// The attract pages between games.
#pragma once

namespace sky {

// Draws the current attract page and moves on to the next when its time is up.
void attract_page();

}  // namespace sky
