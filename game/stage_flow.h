// The course of one game: new game, get ready, play, mission complete, game
// over, and back to the attract pages.
#pragma once

namespace sky {

// Starts a game when the left button is held on an attract page.
void start_new_game(bool left_down);
// After the meteor pass: wins the stage when every meteor of the wave is dead.
void stage_end_check(int dead_count);
// Draws and counts the upright cities; loses the game when none stands.
void city_pass();
// The all-time high score follows the score.
void apply_high_score_rule();
// The time tests of the three timed modes (their texts are drawn before).
void end_get_ready_if_due();
void end_mission_complete_if_due();
void end_game_over_if_due();

}  // namespace sky
