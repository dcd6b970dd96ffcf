#include "platform/gtk/Screen.h"

#include "platform/gtk/NativeWindow.h"

#include <gtk/gtk.h>

#include <algorithm>

namespace Platform {

RECT virtualScreenRect() {
    RECT rect;
    GdkDisplay* display = gdk_display_get_default();
    if (!display) return rect;
    bool first = true;
    for (int i = 0; i < gdk_display_get_n_monitors(display); ++i) {
        GdkRectangle g;
        gdk_monitor_get_geometry(gdk_display_get_monitor(display, i), &g);
        if (first) {
            rect = {g.x, g.y, g.x + g.width, g.y + g.height};
            first = false;
        } else {
            rect.left = std::min(rect.left, g.x);
            rect.top = std::min(rect.top, g.y);
            rect.right = std::max(rect.right, g.x + g.width);
            rect.bottom = std::max(rect.bottom, g.y + g.height);
        }
    }
    return rect;
}

POINT clientOrigin(WindowHandle window) {
    POINT origin;
    GtkWindow* top = toolkitWindow(window);
    GtkWidget* client = top ? gtk_bin_get_child(GTK_BIN(top)) : nullptr;
    // Under a menu bar the client area is the box's drawing area.
    if (client && GTK_IS_BOX(client)) {
        GList* children = gtk_container_get_children(GTK_CONTAINER(client));
        for (GList* c = children; c; c = c->next)
            if (GTK_IS_DRAWING_AREA(c->data)) client = GTK_WIDGET(c->data);
        g_list_free(children);
    }
    GdkWindow* gdkWindow = client ? gtk_widget_get_window(client) : nullptr;
    if (!gdkWindow) return origin;
    GtkAllocation allocation;
    gtk_widget_get_allocation(client, &allocation);
    int x = 0;
    int y = 0;
    gdk_window_get_origin(gdkWindow, &x, &y);
    if (!gtk_widget_get_has_window(client)) {
        x += allocation.x;
        y += allocation.y;
    }
    origin = {x, y};
    return origin;
}

}  // namespace Platform

namespace Platform {

POINT pointerPosition() {
    POINT point;
    GdkDisplay* display = gdk_display_get_default();
    GdkSeat* seat = display ? gdk_display_get_default_seat(display) : nullptr;
    GdkDevice* pointer = seat ? gdk_seat_get_pointer(seat) : nullptr;
    if (pointer) gdk_device_get_position(pointer, nullptr, &point.x, &point.y);
    return point;
}

int cursorHeight() {
    GdkDisplay* display = gdk_display_get_default();
    return display ? static_cast<int>(gdk_display_get_default_cursor_size(display)) : 32;
}

}  // namespace Platform
