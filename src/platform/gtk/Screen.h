#pragma once
// The virtual screen (every monitor together) in screen pixels.
// User-interface thread only; an empty rectangle without a display.
#include "platform/gtk/Messages.h"

namespace Platform {

RECT virtualScreenRect();
// The screen position of a window's client area origin ((0, 0) for none).
POINT clientOrigin(WindowHandle window);

}  // namespace Platform

namespace Platform {

// The pointer in screen coordinates ((0, 0) without a display).
POINT pointerPosition();
// The height of the pointer's picture (SM_CYCURSOR).
int cursorHeight();

}  // namespace Platform
