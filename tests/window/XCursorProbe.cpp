#include "window/XCursorProbe.h"

#include <X11/extensions/Xfixes.h>
#include <dlfcn.h>
#include <gdk/gdkx.h>
#include <gtk/gtk.h>

namespace WindowTest {

namespace {
void XSync_(Display* display) {
    using Sync = int (*)(Display*, int);
    static auto sync = reinterpret_cast<Sync>(dlsym(RTLD_DEFAULT, "XSync"));
    if (sync) sync(display, 0);
}
}  // namespace

std::string shownCursorName() {
    using GetImage = XFixesCursorImage* (*)(Display*);
    static auto getImage = [] {
        void* library = dlopen("libXfixes.so.3", RTLD_LAZY | RTLD_LOCAL);
        return library ? reinterpret_cast<GetImage>(dlsym(library, "XFixesGetCursorImage")) : nullptr;
    }();
    if (!getImage) return "";
    XFixesCursorImage* image = getImage(gdk_x11_display_get_xdisplay(gdk_display_get_default()));
    if (!image) return "";
    std::string name = image->name ? image->name : "";
    // The test links no Xlib of its own: free through the loaded one.
    using Free = int (*)(void*);
    static auto xFree = reinterpret_cast<Free>(dlsym(RTLD_DEFAULT, "XFree"));
    if (xFree) xFree(image);
    return name;
}

bool setKeyRepeat(unsigned delay, unsigned interval) {
    using SetRate = int (*)(Display*, unsigned, unsigned, unsigned);
    static auto setRate = reinterpret_cast<SetRate>(dlsym(RTLD_DEFAULT, "XkbSetAutoRepeatRate"));
    Display* display = gdk_x11_display_get_xdisplay(gdk_display_get_default());
    if (!setRate || !setRate(display, 0x0100 /* XkbUseCoreKbd */, delay, interval)) return false;
    XSync_(display);
    return true;
}

unsigned long windowId(GtkWidget* toplevel) {
    return gdk_x11_window_get_xid(gtk_widget_get_window(toplevel));
}

}  // namespace WindowTest
