#include "platform/gtk/WindowInput.h"

#include "platform/gtk/MessageQueue.h"
#include "platform/gtk/NativeWindow.h"
#include "platform/gtk/VirtualKeys.h"
#include "platform/gtk/WindowFrame.h"

#include <gdk/gdkx.h>
#include <gtk/gtk.h>

#include <dlfcn.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <unordered_map>

namespace Platform {

namespace {

struct InputWindow {
    WindowHandle handle = nullptr;
    GtkWidget* toplevel = nullptr;
    GtkWidget* area = nullptr;
    GtkIMContext* im = nullptr;
    bool imeOn = true;
    bool preedit = false;
    // Set while a key goes through the input method: commits then are the
    // key's own characters unless a composition ends in the same key.
    bool filtering = false;
    bool composedInFilter = false;
    std::wstring filterCommit;
    std::wstring result;
    std::wstring composition;
    // The key press being handled (for the repeat check).
    guint16 currentKeycode = 0;
    bool keyUnhandled = false;
    // Mouse tracking.
    DWORD track = 0;
    unsigned hoverTime = HOVER_DEFAULT;
    guint hoverSource = 0;
    int hoverX = 0;
    int hoverY = 0;
    WPARAM buttons = 0;
    double wheelRemainder = 0;
};

std::unordered_map<WindowHandle, std::shared_ptr<InputWindow>>& windows() {
    static std::unordered_map<WindowHandle, std::shared_ptr<InputWindow>> map;
    return map;
}

std::shared_ptr<InputWindow> find(WindowHandle handle) {
    const auto found = windows().find(handle);
    return found == windows().end() ? nullptr : found->second;
}

WindowHandle captureWindow = nullptr;
bool releasingCapture = false;
WindowHandle pickWindow = nullptr;
GdkCursor* pickCursor = nullptr;
GdkCursor* classCursor = nullptr;
bool classCursorSet = false;
std::array<bool, 256> keyDown{};

GdkDisplay* display() {
    return gdk_display_get_default();
}

GdkSeat* seat() {
    GdkDisplay* d = display();
    return d ? gdk_display_get_default_seat(d) : nullptr;
}

GdkWindow* areaWindow(const InputWindow& w) {
    return gtk_widget_get_window(w.area);
}

// Runs the window's procedure from a toolkit callback.
LRESULT send(const InputWindow& w, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    guardCallback([&] { result = sendMessage(w.handle, message, wParam, lParam); });
    return result;
}

bool alive(const InputWindow& w) {
    return find(w.handle) != nullptr;
}

void noteModifiers(guint state) {
    keyDown[VK::SHIFT] = state & GDK_SHIFT_MASK;
    keyDown[VK::CONTROL] = state & GDK_CONTROL_MASK;
    keyDown[VK::MENU] = state & GDK_MOD1_MASK;
}

WPARAM mouseKeys(guint state) {
    WPARAM flags = 0;
    if (state & GDK_BUTTON1_MASK) flags |= MK_LBUTTON;
    if (state & GDK_BUTTON3_MASK) flags |= MK_RBUTTON;
    if (state & GDK_BUTTON2_MASK) flags |= MK_MBUTTON;
    if (state & GDK_SHIFT_MASK) flags |= MK_SHIFT;
    if (state & GDK_CONTROL_MASK) flags |= MK_CONTROL;
    return flags;
}

LPARAM clientPoint(double x, double y) {
    return MAKELPARAM(int(std::floor(x)), int(std::floor(y)));
}

std::wstring fromUtf8(const char* text) {
    std::wstring out;
    if (!text) return out;
    for (const char* p = text; *p; p = g_utf8_next_char(p)) out.push_back(wchar_t(g_utf8_get_char(p)));
    return out;
}

void sendUnits(const InputWindow& w, UINT message, const std::wstring& text, LPARAM lParam) {
    for (const wchar_t c : text) {
        const auto code = char32_t(c);
        if (code < 0x10000) {
            send(w, message, code, lParam);
        } else {
            const char32_t v = code - 0x10000;
            send(w, message, 0xD800 + (v >> 10), lParam);
            send(w, message, 0xDC00 + (v & 0x3FF), lParam);
        }
        if (!alive(w)) return;
    }
}

// ---- hover and leave tracking

void stopHoverTimer(InputWindow& w) {
    if (w.hoverSource) g_source_remove(w.hoverSource);
    w.hoverSource = 0;
}

gboolean onHoverTimer(gpointer data) {
    auto* w = static_cast<InputWindow*>(data);
    w->hoverSource = 0;
    if (!(w->track & TME_HOVER)) return G_SOURCE_REMOVE;
    w->track &= ~TME_HOVER;
    const std::shared_ptr<InputWindow> keep = find(w->handle);
    if (keep) send(*keep, WM_MOUSEHOVER, keep->buttons, MAKELPARAM(keep->hoverX, keep->hoverY));
    return G_SOURCE_REMOVE;
}

void startHoverTimer(InputWindow& w, int x, int y) {
    stopHoverTimer(w);
    w.hoverX = x;
    w.hoverY = y;
    w.hoverSource = g_timeout_add(w.hoverTime, onHoverTimer, &w);
}

// ---- mouse

bool pointerInClient(const InputWindow& w, int& x, int& y) {
    GdkWindow* target = areaWindow(w);
    GdkSeat* s = seat();
    if (!target || !s) return false;
    gdk_window_get_device_position(target, gdk_seat_get_pointer(s), &x, &y, nullptr);
    return true;
}

gboolean onButtonPress(GtkWidget*, GdkEventButton* event, gpointer data) {
    // GDK's own double and triple clicks: the router detects them itself.
    if (event->type != GDK_BUTTON_PRESS) return TRUE;
    const std::shared_ptr<InputWindow> w = find(static_cast<WindowHandle>(data));
    if (!w) return TRUE;
    UINT message = 0;
    WPARAM bit = 0;
    switch (event->button) {
    case 1: message = WM_LBUTTONDOWN; bit = MK_LBUTTON; break;
    case 2: message = WM_MBUTTONDOWN; bit = MK_MBUTTON; break;
    case 3: message = WM_RBUTTONDOWN; bit = MK_RBUTTON; break;
    default: return TRUE;
    }
    noteModifiers(event->state);
    if (!isWindowActive(w->handle)) {
        const LRESULT answer = send(*w, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(w->handle),
                                    MAKELPARAM(HTCLIENT, int(message)));
        if (!alive(*w)) return TRUE;
        if (answer != MA_NOACTIVATE && answer != MA_NOACTIVATEANDEAT) setFocus(w->handle);
        if (answer == MA_ACTIVATEANDEAT || answer == MA_NOACTIVATEANDEAT) return TRUE;
    }
    w->buttons = mouseKeys(event->state) | bit;
    send(*w, message, w->buttons, clientPoint(event->x, event->y));
    return TRUE;
}

gboolean onButtonRelease(GtkWidget*, GdkEventButton* event, gpointer data) {
    const std::shared_ptr<InputWindow> w = find(static_cast<WindowHandle>(data));
    if (!w) return TRUE;
    UINT message = 0;
    WPARAM bit = 0;
    switch (event->button) {
    case 1: message = WM_LBUTTONUP; bit = MK_LBUTTON; break;
    case 2: message = WM_MBUTTONUP; bit = MK_MBUTTON; break;
    case 3: message = WM_RBUTTONUP; bit = MK_RBUTTON; break;
    default: return TRUE;
    }
    noteModifiers(event->state);
    w->buttons = mouseKeys(event->state) & ~bit;
    send(*w, message, w->buttons, clientPoint(event->x, event->y));
    return TRUE;
}

gboolean onMotion(GtkWidget*, GdkEventMotion* event, gpointer data) {
    const std::shared_ptr<InputWindow> w = find(static_cast<WindowHandle>(data));
    if (!w) return TRUE;
    noteModifiers(event->state);
    w->buttons = mouseKeys(event->state);
    const int x = int(std::floor(event->x));
    const int y = int(std::floor(event->y));
    if ((w->track & TME_HOVER) && (std::abs(x - w->hoverX) > 2 || std::abs(y - w->hoverY) > 2))
        startHoverTimer(*w, x, y);
    send(*w, WM_MOUSEMOVE, w->buttons, MAKELPARAM(x, y));
    return TRUE;
}

gboolean onScroll(GtkWidget*, GdkEventScroll* event, gpointer data) {
    const std::shared_ptr<InputWindow> w = find(static_cast<WindowHandle>(data));
    if (!w) return TRUE;
    noteModifiers(event->state);
    UINT message = WM_MOUSEWHEEL;
    int delta = 0;
    switch (event->direction) {
    case GDK_SCROLL_UP: delta = 120; break;
    case GDK_SCROLL_DOWN: delta = -120; break;
    case GDK_SCROLL_LEFT: message = WM_MOUSEHWHEEL; delta = -120; break;
    case GDK_SCROLL_RIGHT: message = WM_MOUSEHWHEEL; delta = 120; break;
    case GDK_SCROLL_SMOOTH: {
        // Smooth deltas are whole notches at 1.0; the rest carries over.
        w->wheelRemainder += -event->delta_y * 120.0;
        delta = int(w->wheelRemainder);
        w->wheelRemainder -= delta;
        if (delta == 0) return TRUE;
        break;
    }
    }
    const WPARAM wParam = (WPARAM(std::uint16_t(std::int16_t(delta))) << 16) | mouseKeys(event->state);
    send(*w, message, wParam, clientPoint(event->x_root, event->y_root));
    return TRUE;
}

gboolean onCrossing(GtkWidget*, GdkEventCrossing* event, gpointer data) {
    const std::shared_ptr<InputWindow> w = find(static_cast<WindowHandle>(data));
    if (!w || event->type != GDK_LEAVE_NOTIFY) return TRUE;
    if (event->mode != GDK_CROSSING_NORMAL || event->detail == GDK_NOTIFY_INFERIOR) return TRUE;
    if (!(w->track & TME_LEAVE)) return TRUE;
    w->track = 0;
    stopHoverTimer(*w);
    send(*w, WM_MOUSELEAVE, 0, 0);
    return TRUE;
}

gboolean onGrabBroken(GtkWidget*, GdkEventGrabBroken*, gpointer data) {
    const auto handle = static_cast<WindowHandle>(data);
    if (releasingCapture || captureWindow != handle) return FALSE;
    captureWindow = nullptr;
    if (const std::shared_ptr<InputWindow> w = find(handle)) send(*w, WM_CAPTURECHANGED, 0, 0);
    return FALSE;
}

// ---- keyboard

int controlCharacter(int key, guint state, guint keyval) {
    switch (key) {
    case VK::BACK: return 0x08;
    case VK::TAB: return 0x09;
    case VK::RETURN: return 0x0D;
    case VK::ESCAPE: return 0x1B;
    default: break;
    }
    if (state & GDK_CONTROL_MASK) {
        if (key >= 'A' && key <= 'Z') return key - 'A' + 1;
        if (key == VK::OEM_4) return 0x1B;
        if (key == VK::OEM_5) return 0x1C;
        if (key == VK::OEM_6) return 0x1D;
        return 0;
    }
    const gunichar c = gdk_keyval_to_unicode(keyval);
    return c >= 0x20 && c != 0x7F ? int(c) : 0;
}

LPARAM keyParam(guint16 hardwareKeycode, bool previous, bool release) {
    LPARAM value = 1 | (LPARAM((hardwareKeycode - 8) & 0xFF) << 16);
    if (previous) value |= LPARAM(1) << 30;
    if (release) value |= LPARAM(1) << 31;
    return value;
}

int virtualKeyOf(GdkEventKey* event) {
    guint base = 0;
    gdk_keymap_translate_keyboard_state(gdk_keymap_get_for_display(display()),
                                        event->hardware_keycode, GdkModifierType(0), event->group,
                                        &base, nullptr, nullptr, nullptr);
    return virtualKeyFromKeyval(event->keyval, base);
}

gboolean onKeyPress(GtkWidget*, GdkEventKey* event, gpointer data) {
    const std::shared_ptr<InputWindow> w = find(static_cast<WindowHandle>(data));
    if (!w) return FALSE;
    noteModifiers(event->state);
    const int key = virtualKeyOf(event);
    const bool previous = key > 0 && key < 256 && keyDown[size_t(key)];
    if (key > 0 && key < 256) keyDown[size_t(key)] = true;
    const bool ctrl = event->state & GDK_CONTROL_MASK;
    const bool alt = (event->state & GDK_MOD1_MASK) || key == VK::MENU;
    const bool system = (alt && !ctrl) || key == VK::F10;
    const LPARAM lParam = keyParam(event->hardware_keycode, previous, false);
    w->currentKeycode = event->hardware_keycode;
    w->keyUnhandled = false;

    if (!system && w->imeOn && w->im) {
        w->filtering = true;
        w->composedInFilter = false;
        w->filterCommit.clear();
        const bool filtered = gtk_im_context_filter_keypress(w->im, event);
        w->filtering = false;
        if (filtered) {
            const std::wstring typed = w->filterCommit;
            w->filterCommit.clear();
            if (!typed.empty() && !w->preedit && !w->composedInFilter) {
                // A plain key the input method passed on as its character.
                send(*w, WM_KEYDOWN, WPARAM(key), lParam);
                if (alive(*w)) sendUnits(*w, WM_CHAR, typed, lParam);
            } else if (typed.empty()) {
                send(*w, WM_KEYDOWN, VK::PROCESSKEY, lParam);
            }
            w->currentKeycode = 0;
            return TRUE;
        }
    }
    if (key == 0) return FALSE;
    send(*w, system ? WM_SYSKEYDOWN : WM_KEYDOWN, WPARAM(key), lParam);
    if (!alive(*w)) return TRUE;
    w->currentKeycode = 0;
    const int character = controlCharacter(key, event->state & ~GDK_MOD1_MASK, event->keyval);
    if (character) send(*w, system ? WM_SYSCHAR : WM_CHAR, WPARAM(character), lParam);
    // An unhandled system key goes on to the toolkit (menu mnemonics, F10).
    return alive(*w) && w->keyUnhandled ? FALSE : TRUE;
}

gboolean onKeyRelease(GtkWidget*, GdkEventKey* event, gpointer data) {
    const std::shared_ptr<InputWindow> w = find(static_cast<WindowHandle>(data));
    if (!w) return FALSE;
    if (w->imeOn && w->im) gtk_im_context_filter_keypress(w->im, event);
    const int key = virtualKeyOf(event);
    if (key > 0 && key < 256) keyDown[size_t(key)] = false;
    noteModifiers(event->state);
    if (key == VK::SHIFT) keyDown[VK::SHIFT] = false;
    if (key == VK::CONTROL) keyDown[VK::CONTROL] = false;
    if (key == VK::MENU) keyDown[VK::MENU] = false;
    if (key == 0) return FALSE;
    const bool ctrl = event->state & GDK_CONTROL_MASK;
    const bool alt = (event->state & GDK_MOD1_MASK) || key == VK::MENU;
    const bool system = (alt && !ctrl) || key == VK::F10;
    w->keyUnhandled = false;
    send(*w, system ? WM_SYSKEYUP : WM_KEYUP, WPARAM(key),
         keyParam(event->hardware_keycode, true, true));
    return alive(*w) && w->keyUnhandled ? FALSE : TRUE;
}

gboolean onFocusIn(GtkWidget*, GdkEventFocus*, gpointer data) {
    const std::shared_ptr<InputWindow> w = find(static_cast<WindowHandle>(data));
    if (!w) return FALSE;
    if (w->imeOn && w->im) gtk_im_context_focus_in(w->im);
    send(*w, WM_ACTIVATE, WA_ACTIVE, 0);
    if (alive(*w)) send(*w, WM_SETFOCUS, 0, 0);
    return FALSE;
}

gboolean onFocusOut(GtkWidget*, GdkEventFocus*, gpointer data) {
    const std::shared_ptr<InputWindow> w = find(static_cast<WindowHandle>(data));
    if (!w) return FALSE;
    if (w->im) gtk_im_context_focus_out(w->im);
    // Keys released elsewhere are never seen: nothing stays held.
    keyDown.fill(false);
    send(*w, WM_KILLFOCUS, 0, 0);
    if (alive(*w)) send(*w, WM_ACTIVATE, WA_INACTIVE, 0);
    return FALSE;
}

// ---- input method

void onPreeditStart(GtkIMContext*, gpointer data) {
    const std::shared_ptr<InputWindow> w = find(static_cast<WindowHandle>(data));
    if (!w || w->preedit) return;
    w->preedit = true;
    send(*w, WM_IME_STARTCOMPOSITION, 0, 0);
}

void onPreeditChanged(GtkIMContext* context, gpointer data) {
    const std::shared_ptr<InputWindow> w = find(static_cast<WindowHandle>(data));
    if (!w || !w->preedit) return;
    gchar* text = nullptr;
    gtk_im_context_get_preedit_string(context, &text, nullptr, nullptr);
    w->composition = fromUtf8(text);
    g_free(text);
    send(*w, WM_IME_COMPOSITION, 0, GCS_COMPSTR | GCS_CURSORPOS);
}

void onPreeditEnd(GtkIMContext*, gpointer data) {
    const std::shared_ptr<InputWindow> w = find(static_cast<WindowHandle>(data));
    if (!w || !w->preedit) return;
    w->preedit = false;
    w->composition.clear();
    if (w->filtering) w->composedInFilter = true;
    send(*w, WM_IME_ENDCOMPOSITION, 0, 0);
}

void onCommit(GtkIMContext*, gchar* text, gpointer data) {
    const std::shared_ptr<InputWindow> w = find(static_cast<WindowHandle>(data));
    if (!w) return;
    const std::wstring committed = fromUtf8(text);
    if (committed.empty()) return;
    if (!w->preedit && !w->composedInFilter) {
        if (w->filtering) {
            w->filterCommit += committed;
        } else {
            // A character the input method sent on its own.
            sendUnits(*w, WM_CHAR, committed, 1);
        }
        return;
    }
    w->result = committed;
    send(*w, WM_IME_COMPOSITION, 0, GCS_RESULTSTR);
    if (const std::shared_ptr<InputWindow> still = find(w->handle)) still->result.clear();
}

void onRealize(GtkWidget* area, gpointer data) {
    const std::shared_ptr<InputWindow> w = find(static_cast<WindowHandle>(data));
    if (!w) return;
    if (w->im) gtk_im_context_set_client_window(w->im, gtk_widget_get_window(area));
    if (classCursorSet) gdk_window_set_cursor(gtk_widget_get_window(area), classCursor);
}

// ---- cursors

struct CursorName {
    int id;
    const char* name;
    GdkCursorType fallback;
};

constexpr CursorName systemCursors[] = {
    {IDC_ARROW, "default", GDK_LEFT_PTR},
    {IDC_IBEAM, "text", GDK_XTERM},
    {IDC_WAIT, "wait", GDK_WATCH},
    {IDC_SIZEWE, "ew-resize", GDK_SB_H_DOUBLE_ARROW},
    {IDC_SIZENS, "ns-resize", GDK_SB_V_DOUBLE_ARROW},
    {IDC_SIZEALL, "move", GDK_FLEUR},
    {IDC_NO, "not-allowed", GDK_X_CURSOR},
    {IDC_HAND, "pointer", GDK_HAND2},
    {IDC_APPSTARTING, "progress", GDK_WATCH},
    {32652, "row-resize", GDK_SB_V_DOUBLE_ARROW},
    {32653, "col-resize", GDK_SB_H_DOUBLE_ARROW},
    {32657, "w-resize", GDK_LEFT_SIDE},
    {32658, "e-resize", GDK_RIGHT_SIDE},
};

const CursorName* systemCursor(int id) {
    for (const CursorName& entry : systemCursors)
        if (entry.id == id) return &entry;
    return nullptr;
}

// Gives the X cursor a name that XFixes reports (what the pointer shows).
void nameCursor(GdkCursor* cursor, const std::string& name) {
    GdkDisplay* d = display();
    if (!cursor || !GDK_IS_X11_DISPLAY(d)) return;
    using SetName = void (*)(Display*, Cursor, const char*);
    static SetName setName = [] {
        void* library = dlopen("libXfixes.so.3", RTLD_LAZY | RTLD_LOCAL);
        return library ? reinterpret_cast<SetName>(dlsym(library, "XFixesSetCursorName")) : nullptr;
    }();
    if (setName) setName(GDK_DISPLAY_XDISPLAY(d), gdk_x11_cursor_get_xcursor(cursor), name.c_str());
}

// A filled double triangle pointing both ways along one axis.
cairo_surface_t* drawDoubleTriangle(bool horizontal) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 32, 32);
    cairo_t* cr = cairo_create(surface);
    if (!horizontal) {
        cairo_translate(cr, 16, 16);
        cairo_rotate(cr, G_PI / 2);
        cairo_translate(cr, -16, -16);
    }
    cairo_move_to(cr, 3, 16);
    cairo_line_to(cr, 12, 8);
    cairo_line_to(cr, 12, 24);
    cairo_close_path(cr);
    cairo_move_to(cr, 29, 16);
    cairo_line_to(cr, 20, 8);
    cairo_line_to(cr, 20, 24);
    cairo_close_path(cr);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_set_line_width(cr, 2);
    cairo_stroke_preserve(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_fill(cr);
    cairo_destroy(cr);
    return surface;
}

// A pipette: the tip at the lower left is the hot spot.
cairo_surface_t* drawPipette() {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 32, 32);
    cairo_t* cr = cairo_create(surface);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, 2, 29);
    cairo_line_to(cr, 18, 13);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_set_line_width(cr, 5);
    cairo_stroke_preserve(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    cairo_arc(cr, 23, 8, 6, 0, 2 * G_PI);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_fill_preserve(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_destroy(cr);
    return surface;
}

}  // namespace

// ---- capture, focus, keys, pointer

bool grabPointer(WindowHandle window, GdkCursor* cursor) {
    const std::shared_ptr<InputWindow> w = find(window);
    GdkWindow* target = w ? areaWindow(*w) : nullptr;
    if (!target || !seat()) return false;
    // A screen pick holds the keyboard too: without a window manager the
    // focus follows the pointer, and leaving the window would deactivate it
    // and end the pick before the click.
    const GdkSeatCapabilities what = pickWindow ? GDK_SEAT_CAPABILITY_ALL : GDK_SEAT_CAPABILITY_ALL_POINTING;
    return gdk_seat_grab(seat(), target, what, FALSE, cursor, nullptr, nullptr, nullptr) == GDK_GRAB_SUCCESS;
}

void ungrabPointer() {
    releasingCapture = true;
    if (seat()) gdk_seat_ungrab(seat());
    releasingCapture = false;
    // A running pick keeps the pointer.
    if (pickWindow) grabPointer(pickWindow, pickCursor);
}

void setCapture(WindowHandle window) {
    const std::shared_ptr<InputWindow> w = find(window);
    if (!w || captureWindow == window) return;
    if (captureWindow) releaseCapture();
    if (!areaWindow(*w) || !seat()) return;
    captureWindow = window;
    grabPointer(window, pickWindow ? pickCursor : nullptr);
}

void releaseCapture() {
    if (!captureWindow) return;
    const WindowHandle old = captureWindow;
    captureWindow = nullptr;
    ungrabPointer();
    if (const std::shared_ptr<InputWindow> w = find(old)) send(*w, WM_CAPTURECHANGED, 0, 0);
}

void beginScreenPick(WindowHandle window, GdkCursor* cursor) {
    if (!find(window)) return;
    pickWindow = window;
    pickCursor = cursor;
    grabPointer(window, cursor);
}

void endScreenPick() {
    if (!pickWindow) return;
    pickWindow = nullptr;
    pickCursor = nullptr;
    if (captureWindow)
        grabPointer(captureWindow, nullptr);
    else
        ungrabPointer();
}

WindowHandle getCapture() {
    return captureWindow;
}

bool isWindowActive(WindowHandle window) {
    const std::shared_ptr<InputWindow> w = find(window);
    return w && gtk_window_is_active(GTK_WINDOW(w->toplevel));
}

WindowHandle getFocus() {
    for (const auto& [handle, w] : windows())
        if (gtk_window_is_active(GTK_WINDOW(w->toplevel))) return handle;
    return nullptr;
}

void setFocus(WindowHandle window) {
    const std::shared_ptr<InputWindow> w = find(window);
    if (!w) return;
    GdkWindow* top = gtk_widget_get_window(w->toplevel);
    if (!top || gtk_window_is_active(GTK_WINDOW(w->toplevel))) return;
    gdk_window_raise(top);
    gdk_window_focus(top, GDK_CURRENT_TIME);
}

short getKeyState(int virtualKey) {
    if (virtualKey <= 0 || virtualKey >= 256) return 0;
    return keyDown[size_t(virtualKey)] ? short(0x8000) : 0;
}

bool isKeyDownQueued(WindowHandle window, WPARAM) {
    const std::shared_ptr<InputWindow> w = find(window);
    GdkDisplay* d = display();
    if (!w || !d || w->currentKeycode == 0) return false;
    GdkWindow* top = gtk_widget_get_window(w->toplevel);
    const auto repeats = [&](const GdkEvent* e) {
        return e && e->type == GDK_KEY_PRESS && e->key.window == top &&
               e->key.hardware_keycode == w->currentKeycode;
    };
    // GDK translates display events one at a time: look at the next one,
    // fetching it when none is waiting, and give it back.
    if (GdkEvent* next = gdk_display_peek_event(d)) {
        const bool queued = repeats(next);
        gdk_event_free(next);
        return queued;
    }
    GdkEvent* next = gdk_display_get_event(d);
    if (!next) return false;
    const bool queued = repeats(next);
    gdk_display_put_event(d, next);
    gdk_event_free(next);
    return queued;
}

POINT getCursorPos() {
    POINT point;
    if (GdkSeat* s = seat()) gdk_device_get_position(gdk_seat_get_pointer(s), nullptr, &point.x, &point.y);
    return point;
}

void setCursorPos(int x, int y) {
    GdkSeat* s = seat();
    if (!s) return;
    GdkDevice* pointer = gdk_seat_get_pointer(s);
    GdkScreen* screen = nullptr;
    gdk_device_get_position(pointer, &screen, nullptr, nullptr);
    if (screen) gdk_device_warp(pointer, screen, x, y);
}

POINT screenToClient(WindowHandle window, POINT point) {
    const std::shared_ptr<InputWindow> w = find(window);
    GdkWindow* target = w ? areaWindow(*w) : nullptr;
    if (!target) return point;
    int x = 0;
    int y = 0;
    gdk_window_get_origin(target, &x, &y);
    return {point.x - x, point.y - y};
}

bool getScreenPixel(int x, int y, std::uint8_t rgb[3]) {
    GdkWindow* root = gdk_get_default_root_window();
    if (!root) return false;
    GdkPixbuf* pixel = gdk_pixbuf_get_from_window(root, x, y, 1, 1);
    if (!pixel) return false;
    const guchar* p = gdk_pixbuf_read_pixels(pixel);
    rgb[0] = p[0];
    rgb[1] = p[1];
    rgb[2] = p[2];
    g_object_unref(pixel);
    return true;
}

// ---- cursors

std::string cursorName(int id, bool system) {
    if (system) {
        const CursorName* entry = systemCursor(id);
        return entry ? entry->name : "";
    }
    if (id == 129 || id == 130 || id == 143) return "movane2-" + std::to_string(id);
    return "";
}

GdkCursor* loadCursor(int id, bool system) {
    GdkDisplay* d = display();
    if (!d) return nullptr;
    GdkCursor* cursor = nullptr;
    if (system) {
        const CursorName* entry = systemCursor(id);
        if (!entry) return nullptr;
        cursor = gdk_cursor_new_from_name(d, entry->name);
        if (!cursor) cursor = gdk_cursor_new_for_display(d, entry->fallback);
    } else {
        cairo_surface_t* image = nullptr;
        double hotX = 16;
        double hotY = 16;
        switch (id) {
        case 129: image = drawDoubleTriangle(true); break;
        case 143: image = drawDoubleTriangle(false); break;
        case 130: image = drawPipette(); hotX = 2; hotY = 29; break;
        default: return nullptr;
        }
        cursor = gdk_cursor_new_from_surface(d, image, hotX, hotY);
        cairo_surface_destroy(image);
    }
    nameCursor(cursor, cursorName(id, system));
    return cursor;
}

void setClassCursor(GdkCursor* cursor) {
    GdkDisplay* d = display();
    if (!d) return;
    static GdkCursor* blank = nullptr;
    if (!cursor) {
        if (!blank) blank = gdk_cursor_new_for_display(d, GDK_BLANK_CURSOR);
        cursor = blank;
    }
    classCursor = cursor;
    classCursorSet = true;
    for (const auto& [handle, w] : windows())
        if (GdkWindow* target = areaWindow(*w)) gdk_window_set_cursor(target, cursor);
}

void trackMouseEvent(WindowHandle window, DWORD flags, unsigned hoverTime) {
    const std::shared_ptr<InputWindow> w = find(window);
    if (!w) return;
    if (flags & TME_CANCEL) {
        w->track &= ~(flags & (TME_HOVER | TME_LEAVE));
        if (!(w->track & TME_HOVER)) stopHoverTimer(*w);
        return;
    }
    w->track |= flags & (TME_HOVER | TME_LEAVE);
    if (flags & TME_HOVER) {
        w->hoverTime = hoverTime;
        int x = 0;
        int y = 0;
        pointerInClient(*w, x, y);
        startHoverTimer(*w, x, y);
    }
}

// ---- input method

void associateIme(WindowHandle window, bool on) {
    const std::shared_ptr<InputWindow> w = find(window);
    if (!w || !w->im || w->imeOn == on) return;
    w->imeOn = on;
    if (on) {
        if (gtk_window_is_active(GTK_WINDOW(w->toplevel))) gtk_im_context_focus_in(w->im);
    } else {
        gtk_im_context_reset(w->im);
        gtk_im_context_focus_out(w->im);
    }
}

std::wstring imeResultString(WindowHandle window) {
    const std::shared_ptr<InputWindow> w = find(window);
    return w ? w->result : std::wstring();
}

std::wstring imeCompositionString(WindowHandle window) {
    const std::shared_ptr<InputWindow> w = find(window);
    return w ? w->composition : std::wstring();
}

void setImeCaretRect(WindowHandle window, const RECT& rect) {
    const std::shared_ptr<InputWindow> w = find(window);
    if (!w || !w->im) return;
    const GdkRectangle area = {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
    gtk_im_context_set_cursor_location(w->im, &area);
}

GtkIMContext* imeContext(WindowHandle window) {
    const std::shared_ptr<InputWindow> w = find(window);
    return w ? w->im : nullptr;
}

// ---- window attachment

void attachWindowInput(WindowHandle window) {
    GtkWindow* top = toolkitWindow(window);
    GtkWidget* area = toolkitArea(window);
    if (!top || !area) return;
    auto w = std::make_shared<InputWindow>();
    w->handle = window;
    w->toplevel = GTK_WIDGET(top);
    w->area = area;
    w->im = gtk_im_multicontext_new();
    windows()[window] = w;
    gtk_widget_add_events(area, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK |
                                    GDK_POINTER_MOTION_MASK | GDK_SCROLL_MASK |
                                    GDK_ENTER_NOTIFY_MASK | GDK_LEAVE_NOTIFY_MASK);
    g_signal_connect(area, "button-press-event", G_CALLBACK(onButtonPress), window);
    g_signal_connect(area, "button-release-event", G_CALLBACK(onButtonRelease), window);
    g_signal_connect(area, "motion-notify-event", G_CALLBACK(onMotion), window);
    g_signal_connect(area, "scroll-event", G_CALLBACK(onScroll), window);
    g_signal_connect(area, "leave-notify-event", G_CALLBACK(onCrossing), window);
    g_signal_connect(area, "grab-broken-event", G_CALLBACK(onGrabBroken), window);
    g_signal_connect(area, "realize", G_CALLBACK(onRealize), window);
    g_signal_connect(w->toplevel, "key-press-event", G_CALLBACK(onKeyPress), window);
    g_signal_connect(w->toplevel, "key-release-event", G_CALLBACK(onKeyRelease), window);
    g_signal_connect(w->toplevel, "focus-in-event", G_CALLBACK(onFocusIn), window);
    g_signal_connect(w->toplevel, "focus-out-event", G_CALLBACK(onFocusOut), window);
    g_signal_connect(w->im, "preedit-start", G_CALLBACK(onPreeditStart), window);
    g_signal_connect(w->im, "preedit-changed", G_CALLBACK(onPreeditChanged), window);
    g_signal_connect(w->im, "preedit-end", G_CALLBACK(onPreeditEnd), window);
    g_signal_connect(w->im, "commit", G_CALLBACK(onCommit), window);
}

void detachWindowInput(WindowHandle window) {
    const std::shared_ptr<InputWindow> w = find(window);
    if (!w) return;
    if (pickWindow == window) {
        pickWindow = nullptr;
        pickCursor = nullptr;
    }
    if (captureWindow == window) {
        captureWindow = nullptr;
        ungrabPointer();
    }
    stopHoverTimer(*w);
    g_signal_handlers_disconnect_by_data(w->area, window);
    g_signal_handlers_disconnect_by_data(w->toplevel, window);
    if (w->im) {
        g_signal_handlers_disconnect_by_data(w->im, window);
        gtk_im_context_set_client_window(w->im, nullptr);
        g_object_unref(w->im);
        w->im = nullptr;
    }
    windows().erase(window);
}

LRESULT defaultInputProc(WindowHandle window, UINT message, WPARAM wParam, LPARAM lParam) {
    const std::shared_ptr<InputWindow> w = find(window);
    if (!w) return 0;
    switch (message) {
    case WM_MOUSEACTIVATE:
        return MA_ACTIVATE;
    case WM_RBUTTONUP: {
        // An unhandled right click asks for the context menu.
        const POINT at = clientToScreen(window, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return sendMessage(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window),
                           MAKELPARAM(at.x, at.y));
    }
    case WM_KEYUP:
        if (wParam == WPARAM(VK::APPS))
            return sendMessage(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), -1);
        return 0;
    case WM_SYSKEYDOWN:
        if (wParam == WPARAM(VK::F10) && getKeyState(VK::SHIFT) < 0)
            return sendMessage(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), -1);
        w->keyUnhandled = true;
        return 0;
    case WM_SYSKEYUP:
    case WM_SYSCHAR:
        w->keyUnhandled = true;
        return 0;
    case WM_IME_COMPOSITION:
        if (lParam & GCS_RESULTSTR) sendUnits(*w, WM_IME_CHAR, w->result, 1);
        return 0;
    default:
        return 0;
    }
}

}  // namespace Platform
