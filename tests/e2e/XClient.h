#pragma once
// A tiny X11 client for end-to-end tests: what a window manager does to the
// program's windows and the command-line tools cannot (xdotool's
// "windowclose" destroys the window instead of asking it to close).
#include <string>

namespace E2E {

// Sends the WM_DELETE_WINDOW client message to a window, as a window
// manager's close button does. False when the display or the protocol
// cannot be reached.
bool sendDeleteWindow(const std::string& display, unsigned long window);

// Runs a command with DISPLAY set; its standard output, errors dropped.
std::string onDisplay(const std::string& display, const std::string& command);
// The first window that `xdotool search <search>` finds within about ten
// seconds, 0 when none comes.
unsigned long waitForWindow(const std::string& display, const std::string& search);

}  // namespace E2E
