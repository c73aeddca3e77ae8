// The program: start-up, the frame loop and shut-down.
#pragma once

namespace sky {

// Runs the start-up in its fixed order. On a failure exit (display, input or
// screen) the error has been shown and the services ended; returns false.
bool start_up();
// One frame, every step in its fixed order, presented and paced.
void run_frame();
// Writes the settings and ends every service.
void shut_down();
// The whole run; always returns exit code 0.
int run_program();

}  // namespace sky
