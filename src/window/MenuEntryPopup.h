#pragma once
// Shows a menu given as entries (WindowMenuEntry.h) as a popup menu at the
// pointer and runs the chosen entry's command: the popup menu call that
// panels use for their context menus. User-interface thread only.
#include "window/WindowMenuEntry.h"

namespace Window {

void showMenuEntries(Platform::WindowHandle window, const MenuEntries& entries);

}  // namespace Window
