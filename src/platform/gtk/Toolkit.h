#pragma once
// Opens the windowing toolkit (GTK 3 on its X11 backend) for the
// user-interface thread. Every window, message box and the message loop need
// it; nothing else in the program does. Call it on the user-interface thread.
namespace Platform {

// Opens the display once; later calls return at once. Throws the program's
// exception (call "gtk_init_check") when no display can be opened.
void initializeToolkit(const char* place);

// Whether initializeToolkit succeeded in this process.
bool toolkitReady();

}  // namespace Platform
