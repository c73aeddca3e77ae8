// The launcher dialog shown before the game opens.
#pragma once

namespace sky {

// Lets the player choose full screen, sound effects and music; on return each
// of game.full_screen, use_audio and use_music is 1 or 0. When the dialog
// cannot be shown the values stand as they were.
void run_launcher();

}  // namespace sky
