#include "platform/gtk/WindowPosition.h"

#include "platform/gtk/NativeWindow.h"

#include <gtk/gtk.h>

namespace Platform {

bool getWindowPosition(WindowHandle window, POINT& position) {
    GtkWindow* toplevel = toolkitWindow(window);
    if (!toplevel) return false;
    gint x = 0, y = 0;
    gtk_window_get_position(toplevel, &x, &y);
    position.x = x;
    position.y = y;
    return true;
}

void setWindowPosition(WindowHandle window, int x, int y) {
    if (GtkWindow* toplevel = toolkitWindow(window)) gtk_window_move(toplevel, x, y);
}

}  // namespace Platform
