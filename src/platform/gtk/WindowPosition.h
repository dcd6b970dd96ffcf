#pragma once
// Where a program window stands on the screen, and moving it there: what a
// title bar does when it is dragged (the toolkit places the frame; without
// a window manager the window itself). Calls on a handle that is no window
// do nothing. User-interface thread only.
#include "platform/gtk/Messages.h"

namespace Platform {

// The top-left corner of the window's frame in screen coordinates; false
// when the handle is no window.
bool getWindowPosition(WindowHandle window, POINT& position);
void setWindowPosition(WindowHandle window, int x, int y);

}  // namespace Platform
