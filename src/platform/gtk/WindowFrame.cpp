#include "platform/gtk/WindowFrame.h"

#include "platform/gtk/NativeWindow.h"

#include <gdk/gdkkeysyms.h>
#include <gdk/gdkx.h>
#include <gtk/gtk.h>

#include <vector>

namespace Platform {

namespace {

struct SystemMenuItem {
    UINT id;
    std::string text;
};

struct SystemMenu {
    WindowHandle window;
    std::vector<SystemMenuItem> items;
};

constexpr const char* kMenuKey = "movane2-system-menu";

SystemMenu* systemMenu(GtkWindow* toplevel) {
    return static_cast<SystemMenu*>(g_object_get_data(G_OBJECT(toplevel), kMenuKey));
}

gboolean onKeyPress(GtkWidget*, GdkEventKey* event, gpointer data) {
    const auto* menu = static_cast<SystemMenu*>(data);
    const bool alt = event->state & GDK_MOD1_MASK;
    if (!alt || event->keyval != GDK_KEY_space) return FALSE;
    return showSystemMenu(menu->window) ? TRUE : FALSE;
}

void onItemActivate(GtkMenuItem* item, gpointer data) {
    auto* window = static_cast<WindowHandle>(data);
    const auto id = static_cast<UINT>(GPOINTER_TO_UINT(g_object_get_data(G_OBJECT(item), "movane2-id")));
    // After the menu has gone: the command may destroy the window.
    struct Command {
        WindowHandle window;
        UINT id;
    };
    g_idle_add(
        [](gpointer p) -> gboolean {
            auto* command = static_cast<Command*>(p);
            if (isWindow(command->window)) sendMessage(command->window, WM_SYSCOMMAND, command->id, 0);
            delete command;
            return G_SOURCE_REMOVE;
        },
        new Command{window, id});
}

// The hint window managers read for a dark frame.
void askForDarkFrame(GtkWidget* toplevel) {
    GdkWindow* gdk = gtk_widget_get_window(toplevel);
    if (!gdk || !GDK_IS_X11_WINDOW(gdk)) return;
    static char dark[] = "dark";  // the call takes a mutable string
    gdk_x11_window_set_theme_variant(gdk, dark);
}

}  // namespace

POINT clientToScreen(WindowHandle window, POINT point) {
    // The client area is the drawing area (a menu bar may lie above it).
    GtkWidget* area = toolkitArea(window);
    GdkWindow* gdk = area ? gtk_widget_get_window(area) : nullptr;
    if (!gdk) return point;
    int x = 0;
    int y = 0;
    gdk_window_get_origin(gdk, &x, &y);
    return {point.x + x, point.y + y};
}

void setCaptionlessDarkFrame(WindowHandle window) {
    GtkWindow* toplevel = toolkitWindow(window);
    if (!toplevel) return;
    gtk_widget_realize(GTK_WIDGET(toplevel));
    GdkWindow* gdk = gtk_widget_get_window(GTK_WIDGET(toplevel));
    if (!gdk) return;
    gdk_window_set_decorations(gdk, static_cast<GdkWMDecoration>(GDK_DECOR_BORDER | GDK_DECOR_RESIZEH));
    // The toolkit writes the theme's variant whenever the window's style is
    // computed (first when it is shown): ours goes over it each time.
    askForDarkFrame(GTK_WIDGET(toplevel));
    g_signal_connect_after(toplevel, "style-updated", G_CALLBACK(askForDarkFrame), nullptr);
    g_signal_connect_after(toplevel, "map", G_CALLBACK(askForDarkFrame), nullptr);
}

void insertSystemMenuItem(WindowHandle window, int position, UINT id, const std::string& text) {
    GtkWindow* toplevel = toolkitWindow(window);
    if (!toplevel) return;
    SystemMenu* menu = systemMenu(toplevel);
    if (!menu) {
        menu = new SystemMenu{window, {}};
        g_object_set_data_full(G_OBJECT(toplevel), kMenuKey, menu,
                               [](gpointer p) { delete static_cast<SystemMenu*>(p); });
        g_signal_connect(toplevel, "key-press-event", G_CALLBACK(onKeyPress), menu);
    }
    const auto at = position < 0 || position > static_cast<int>(menu->items.size())
                        ? menu->items.end()
                        : menu->items.begin() + position;
    menu->items.insert(at, SystemMenuItem{id, text});
}

bool showSystemMenu(WindowHandle window) {
    GtkWindow* toplevel = toolkitWindow(window);
    SystemMenu* menu = toplevel ? systemMenu(toplevel) : nullptr;
    if (!menu || menu->items.empty()) return false;
    GtkWidget* popup = gtk_menu_new();
    for (const SystemMenuItem& entry : menu->items) {
        GtkWidget* item = entry.id == 0 ? gtk_separator_menu_item_new() : gtk_menu_item_new_with_label(entry.text.c_str());
        if (entry.id != 0) {
            g_object_set_data(G_OBJECT(item), "movane2-id", GUINT_TO_POINTER(entry.id));
            g_signal_connect(item, "activate", G_CALLBACK(onItemActivate), window);
        }
        gtk_menu_shell_append(GTK_MENU_SHELL(popup), item);
    }
    gtk_widget_show_all(popup);
    gtk_menu_attach_to_widget(GTK_MENU(popup), GTK_WIDGET(toplevel), nullptr);
    g_signal_connect(popup, "deactivate", G_CALLBACK(+[](GtkMenuShell* shell, gpointer) {
                         g_idle_add(
                             [](gpointer p) -> gboolean {
                                 gtk_widget_destroy(GTK_WIDGET(p));
                                 return G_SOURCE_REMOVE;
                             },
                             shell);
                     }),
                     nullptr);
    gtk_menu_popup_at_pointer(GTK_MENU(popup), nullptr);
    return true;
}

}  // namespace Platform
