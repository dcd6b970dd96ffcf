#include "platform/gtk/NativeWindow.h"

#include "platform/gtk/MessageQueue.h"
#include "platform/gtk/Toolkit.h"
#include "platform/gtk/WindowInput.h"

#include <gtk/gtk.h>

#include <cerrno>
#include <mutex>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace Platform {

class NativeWindow {
public:
    std::string className;
    WindowProc procedure = nullptr;
    void* userData = nullptr;
    GtkWidget* window = nullptr;
    GtkWidget* area = nullptr;
    // The requested client size until the first allocation reports the real one.
    int clientWidth = 0;
    int clientHeight = 0;
    bool sized = false;
    // The placement last reported by WM_WINDOWPOSCHANGED.
    int x = 0;
    int y = 0;
    int placedWidth = 0;
    int placedHeight = 0;
    bool zoomed = false;
    bool iconic = false;
    bool destroying = false;
};

namespace {

std::unordered_map<std::string, WindowProc>& classes() {
    static std::unordered_map<std::string, WindowProc> map;
    return map;
}

// Live windows; posting threads check a handle here before queuing.
std::mutex liveMutex;
std::unordered_set<NativeWindow*> liveWindows;

LRESULT deliver(NativeWindow* w, UINT message, WPARAM wParam, LPARAM lParam) {
    return w->procedure(w, message, wParam, lParam);
}

// Signals run inside guardCallback: their C callers cannot unwind.
LRESULT deliverGuarded(NativeWindow* w, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    guardCallback([&] { result = deliver(w, message, wParam, lParam); });
    return result;
}

void sendPlacement(NativeWindow* w, UINT flags) {
    WINDOWPOS pos;
    pos.hwnd = w;
    pos.x = w->x;
    pos.y = w->y;
    pos.cx = w->placedWidth;
    pos.cy = w->placedHeight;
    pos.flags = flags;
    deliverGuarded(w, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
}

gboolean onDelete(GtkWidget*, GdkEvent*, gpointer data) {
    deliverGuarded(static_cast<NativeWindow*>(data), WM_CLOSE, 0, 0);
    return TRUE;  // the procedure decides whether the window goes
}

gboolean onDraw(GtkWidget*, cairo_t* cr, gpointer data) {
    deliverGuarded(static_cast<NativeWindow*>(data), WM_PAINT, 0, reinterpret_cast<LPARAM>(cr));
    return TRUE;
}

void reportSize(NativeWindow* w, int width, int height) {
    if (w->sized && width == w->clientWidth && height == w->clientHeight) return;
    w->sized = true;
    w->clientWidth = width;
    w->clientHeight = height;
    const WPARAM kind = w->iconic ? SIZE_MINIMIZED : w->zoomed ? SIZE_MAXIMIZED : SIZE_RESTORED;
    deliverGuarded(w, WM_SIZE, kind, MAKELPARAM(width, height));
}

void onSizeAllocate(GtkWidget*, GdkRectangle* allocation, gpointer data) {
    reportSize(static_cast<NativeWindow*>(data), allocation->width, allocation->height);
}

gboolean onConfigure(GtkWidget* widget, GdkEventConfigure* event, gpointer data) {
    auto* w = static_cast<NativeWindow*>(data);
    int x = 0;
    int y = 0;
    gtk_window_get_position(GTK_WINDOW(widget), &x, &y);
    UINT flags = 0;
    if (x == w->x && y == w->y) flags |= SWP_NOMOVE;
    if (event->width == w->placedWidth && event->height == w->placedHeight) flags |= SWP_NOSIZE;
    if (flags == (SWP_NOMOVE | SWP_NOSIZE)) return FALSE;
    w->x = x;
    w->y = y;
    w->placedWidth = event->width;
    w->placedHeight = event->height;
    sendPlacement(w, flags);
    return FALSE;
}

gboolean onWindowState(GtkWidget*, GdkEventWindowState* event, gpointer data) {
    auto* w = static_cast<NativeWindow*>(data);
    const bool zoomed = event->new_window_state & GDK_WINDOW_STATE_MAXIMIZED;
    const bool iconic = event->new_window_state & GDK_WINDOW_STATE_ICONIFIED;
    if (zoomed == w->zoomed && iconic == w->iconic) return FALSE;
    w->zoomed = zoomed;
    w->iconic = iconic;
    sendPlacement(w, SWP_NOMOVE | SWP_NOSIZE);
    return FALSE;
}

NativeWindow* live(WindowHandle handle) {
    return isWindow(handle) ? handle : nullptr;
}

}  // namespace

bool registerClass(const char* className, WindowProc procedure) {
    if (!className || !*className || !procedure) {
        errno = EINVAL;
        return false;
    }
    if (!classes().emplace(className, procedure).second) {
        errno = EEXIST;
        return false;
    }
    return true;
}

bool unregisterClass(const char* className) {
    if (!className || classes().erase(className) == 0) {
        errno = ENOENT;
        return false;
    }
    return true;
}

WindowHandle createWindow(const char* className, const std::string& caption, int x, int y,
                          int width, int height, WindowHandle owner) {
    if (!toolkitReady()) {
        errno = ENXIO;
        return nullptr;
    }
    const auto found = className ? classes().find(className) : classes().end();
    if (found == classes().end()) {
        errno = ENOENT;
        return nullptr;
    }
    auto* w = new NativeWindow;
    w->className = className;
    w->procedure = found->second;
    w->x = x;
    w->y = y;
    w->clientWidth = w->placedWidth = width;
    w->clientHeight = w->placedHeight = height;
    w->window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    g_object_ref_sink(w->window);
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    gtk_window_set_wmclass(GTK_WINDOW(w->window), className, className);
    G_GNUC_END_IGNORE_DEPRECATIONS
    gtk_window_set_title(GTK_WINDOW(w->window), caption.c_str());
    gtk_window_move(GTK_WINDOW(w->window), x, y);
    gtk_window_set_default_size(GTK_WINDOW(w->window), width, height);
    if (GtkWindow* parent = toolkitWindow(owner))
        gtk_window_set_transient_for(GTK_WINDOW(w->window), parent);
    w->area = gtk_drawing_area_new();
    gtk_container_add(GTK_CONTAINER(w->window), w->area);
    g_signal_connect(w->window, "delete-event", G_CALLBACK(onDelete), w);
    g_signal_connect(w->window, "configure-event", G_CALLBACK(onConfigure), w);
    g_signal_connect(w->window, "window-state-event", G_CALLBACK(onWindowState), w);
    g_signal_connect(w->area, "draw", G_CALLBACK(onDraw), w);
    g_signal_connect(w->area, "size-allocate", G_CALLBACK(onSizeAllocate), w);
    {
        std::lock_guard lock(liveMutex);
        liveWindows.insert(w);
    }
    attachWindowInput(w);

    MINMAXINFO limits{};
    deliver(w, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    if (limits.ptMinTrackSize.x > 0 || limits.ptMinTrackSize.y > 0) {
        GdkGeometry geometry{};
        geometry.min_width = limits.ptMinTrackSize.x;
        geometry.min_height = limits.ptMinTrackSize.y;
        gtk_window_set_geometry_hints(GTK_WINDOW(w->window), nullptr, &geometry, GDK_HINT_MIN_SIZE);
    }
    if (deliver(w, WM_CREATE, 0, 0) == -1) {
        destroyWindow(w);
        errno = ECANCELED;
        return nullptr;
    }
    return w;
}

bool destroyWindow(WindowHandle handle) {
    NativeWindow* w = live(handle);
    if (!w || w->destroying) {
        errno = EINVAL;
        return false;
    }
    w->destroying = true;
    // The window goes even when its procedure fails on the way.
    deliverGuarded(w, WM_DESTROY, 0, 0);
    deliverGuarded(w, WM_NCDESTROY, 0, 0);
    detachWindowInput(w);
    {
        std::lock_guard lock(liveMutex);
        liveWindows.erase(w);
    }
    g_signal_handlers_disconnect_by_data(w->window, w);
    g_signal_handlers_disconnect_by_data(w->area, w);
    gtk_widget_destroy(w->window);
    g_object_unref(w->window);
    delete w;
    return true;
}

bool isWindow(WindowHandle window) {
    if (!window) return false;
    std::lock_guard lock(liveMutex);
    return liveWindows.count(window) != 0;
}

void setWindowUserData(WindowHandle window, void* data) {
    if (NativeWindow* w = live(window)) w->userData = data;
}

void* getWindowUserData(WindowHandle window) {
    NativeWindow* w = live(window);
    return w ? w->userData : nullptr;
}

LRESULT sendMessage(WindowHandle window, UINT message, WPARAM wParam, LPARAM lParam) {
    NativeWindow* w = live(window);
    return w ? deliver(w, message, wParam, lParam) : 0;
}

LRESULT defWindowProc(WindowHandle window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        destroyWindow(window);
        return 0;
    }
    return defaultInputProc(window, message, wParam, lParam);
}

void showWindow(WindowHandle window, int command) {
    NativeWindow* w = live(window);
    if (!w) return;
    switch (command) {
    case SW_HIDE:
        gtk_widget_hide(w->window);
        break;
    case SW_MAXIMIZE:
        gtk_window_maximize(GTK_WINDOW(w->window));
        gtk_widget_show_all(w->window);
        break;
    default:
        gtk_widget_show_all(w->window);
        break;
    }
    if (command != SW_HIDE) reportSize(w, w->clientWidth, w->clientHeight);
}

bool isWindowVisible(WindowHandle window) {
    NativeWindow* w = live(window);
    return w && gtk_widget_get_visible(w->window);
}

bool isZoomed(WindowHandle window) {
    NativeWindow* w = live(window);
    return w && w->zoomed;
}

bool isIconic(WindowHandle window) {
    NativeWindow* w = live(window);
    return w && w->iconic;
}

bool isWindowEnabled(WindowHandle window) {
    NativeWindow* w = live(window);
    return w && gtk_widget_get_sensitive(w->window);
}

bool enableWindow(WindowHandle window, bool enable) {
    NativeWindow* w = live(window);
    if (!w) return false;
    const bool wasDisabled = !gtk_widget_get_sensitive(w->window);
    gtk_widget_set_sensitive(w->window, enable);
    return wasDisabled;
}

void setForegroundWindow(WindowHandle window) {
    if (NativeWindow* w = live(window)) gtk_window_present(GTK_WINDOW(w->window));
}

RECT getClientRect(WindowHandle window) {
    RECT rect;
    if (NativeWindow* w = live(window)) {
        rect.right = w->clientWidth;
        rect.bottom = w->clientHeight;
    }
    return rect;
}

void invalidateRect(WindowHandle window, const RECT* rect) {
    NativeWindow* w = live(window);
    if (!w) return;
    if (rect)
        gtk_widget_queue_draw_area(w->area, rect->left, rect->top, rect->right - rect->left,
                                   rect->bottom - rect->top);
    else
        gtk_widget_queue_draw(w->area);
}

void updateWindow(WindowHandle window) {
    NativeWindow* w = live(window);
    GdkWindow* target = w ? gtk_widget_get_window(w->window) : nullptr;
    if (!target || !gdk_window_is_viewable(target)) return;
    // The client area may sit below a menu bar.
    int x = 0;
    int y = 0;
    gtk_widget_translate_coordinates(w->area, w->window, 0, 0, &x, &y);
    const cairo_rectangle_int_t whole = {x, y, w->clientWidth, w->clientHeight};
    cairo_region_t* region = cairo_region_create_rectangle(&whole);
    GdkDrawingContext* context = gdk_window_begin_draw_frame(target, region);
    cairo_t* cr = gdk_drawing_context_get_cairo_context(context);
    cairo_translate(cr, x, y);
    deliverGuarded(w, WM_PAINT, 0, reinterpret_cast<LPARAM>(cr));
    gdk_window_end_draw_frame(target, context);
    cairo_region_destroy(region);
}

std::string getWindowText(WindowHandle window) {
    NativeWindow* w = live(window);
    const char* title = w ? gtk_window_get_title(GTK_WINDOW(w->window)) : nullptr;
    return title ? title : "";
}

void setWindowText(WindowHandle window, const std::string& text) {
    if (NativeWindow* w = live(window)) gtk_window_set_title(GTK_WINDOW(w->window), text.c_str());
}

GtkWindow* toolkitWindow(WindowHandle window) {
    NativeWindow* w = live(window);
    return w ? GTK_WINDOW(w->window) : nullptr;
}

GtkWidget* toolkitArea(WindowHandle window) {
    NativeWindow* w = live(window);
    return w ? w->area : nullptr;
}

}  // namespace Platform
