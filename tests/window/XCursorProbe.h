#pragma once
// X11 reads for window tests, kept apart: Xlib's `Window` type clashes with
// the program's namespace of that name.
#include <string>

typedef struct _GtkWidget GtkWidget;

namespace WindowTest {

// The name of the cursor the pointer shows now (XFixes), empty when none.
std::string shownCursorName();
// The server's key repeat: the first repeat after delay ms, then one every
// interval ms. False when it cannot be set.
bool setKeyRepeat(unsigned delay, unsigned interval);
// The X window id of a realized toplevel.
unsigned long windowId(GtkWidget* toplevel);

}  // namespace WindowTest
