// Apart from the program's headers: X11's own "Window" type clashes with
// the program's namespace.
#include "platform/gtk/NativeWindow.h"

#include <gdk/gdkx.h>
#include <gtk/gtk.h>

namespace PanelTest {

unsigned long xid(Platform::WindowHandle window) {
    GtkWindow* toplevel = Platform::toolkitWindow(window);
    GdkWindow* gdk = toplevel ? gtk_widget_get_window(GTK_WIDGET(toplevel)) : nullptr;
    return gdk ? gdk_x11_window_get_xid(gdk) : 0;
}

}  // namespace PanelTest

namespace PanelTest {

unsigned long xidOf(GtkWidget* toplevel) {
    GdkWindow* gdk = toplevel ? gtk_widget_get_window(toplevel) : nullptr;
    return gdk ? gdk_x11_window_get_xid(gdk) : 0;
}

}  // namespace PanelTest
