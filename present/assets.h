// Loading the embedded pictures and sounds.
#pragma once

namespace sky {

// Loads every sprite in its fixed order (setting the three fonts' glyph
// sizes), registers the textured sprites, and loads the sounds when
// game.use_audio is on.
void load_assets();

// Decodes the program icon as a picture (before the screen opens, for the
// window and the launcher); returns its picture number, or -1 without one.
int load_program_icon();

}  // namespace sky
