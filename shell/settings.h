// The settings file "Skyward.dat" beside the program: the high score and the
// three launcher choices.
#pragma once

namespace sky {

// Reads game.hi_score, full_screen, use_audio and use_music (defaults 4855, 1,
// 1, 1 for whatever is missing). Never fails.
void read_settings();
// Writes the four values; a file that cannot be written is left as it was.
void write_settings();

}  // namespace sky
