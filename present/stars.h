// The twinkling starfield behind every frame.
#pragma once

namespace sky {

void make_stars();
void draw_stars();

}  // namespace sky
