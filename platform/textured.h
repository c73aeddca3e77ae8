// Textured sprites: 32x32 pictures drawn into the frame buffer rotated about
// their centre by whole degrees, black transparent, with an alpha value.
#pragma once

namespace platform {

// Initialises the service (tested together with the display at start-up).
bool textured_init();

// Registers the loaded picture id as the textured sprite of the same number.
bool textured_from_picture(int id);

void textured_begin();
// Draws textured sprite id with its unrotated top-left corner at (x, y),
// turned clockwise by degrees about its centre (radians = degrees * 0.0175),
// blended with alpha (255 = opaque).
void textured_draw(int id, int x, int y, int degrees, int alpha);
void textured_end();

}  // namespace platform
