#pragma once
// The frame of a program window beyond NativeWindow.h: screen coordinates,
// the captionless frame of a floating panel, and the window's system menu.
// A toolkit window has no system menu of its own: items inserted here form
// a small menu that Alt+Space opens over the window (as the system opens
// its menu there); choosing an item sends WM_SYSCOMMAND with the item's id
// to the window's procedure. Calls on a handle that is no window do
// nothing. User-interface thread only.
#include "platform/gtk/Messages.h"

#include <string>

namespace Platform {

inline constexpr UINT WM_SYSCOMMAND = 0x0112;

// A point of the window's client area in screen coordinates.
POINT clientToScreen(WindowHandle window, POINT point);

// Takes the caption away but keeps the frame for moving and sizing, and
// asks for the dark variant of the frame.
void setCaptionlessDarkFrame(WindowHandle window);

// Inserts an item (id 0: a separator) at the position of the system menu.
void insertSystemMenuItem(WindowHandle window, int position, UINT id, const std::string& text);
// Opens the system menu at the pointer; returns at once (the choice
// arrives as WM_SYSCOMMAND). False when the window has no items.
bool showSystemMenu(WindowHandle window);

}  // namespace Platform
