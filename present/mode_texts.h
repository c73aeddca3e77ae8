// The texts of the timed modes of a game.
#pragma once

namespace sky {

void draw_get_ready_texts();
void draw_mission_complete_texts();
void draw_game_over_texts();

}  // namespace sky
