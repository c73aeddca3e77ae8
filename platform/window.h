// Windows of the desktop: message boxes, the game window's events and the
// program directory.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// The windowing service that cannot fail in practice (SDL's event system).
bool windows_init();
void windows_shutdown();

// A modal message box titled "Error" with the error icon and one OK button.
void error_box(std::string_view text);

enum class WindowEvent { None, CloseRequest, Other };
// Takes at most one pending event of the game window.
WindowEvent take_window_event();

// Directory of the program file, ending with a path separator.
std::string program_directory();
// Makes the program directory the current directory; false when it fails.
bool enter_program_directory();

}  // namespace platform
