#include "platform/gtk/SystemParameters.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <gtk/gtk.h>
#include <unistd.h>

namespace Setting {

namespace {

// GTK's own defaults, used when no settings object exists.
constexpr int kBlinkCycle = 1200;
constexpr int kDoubleClickTime = 400;
constexpr int kDragThreshold = 8;

// The X server's default repeat (660 ms delay, 25 per second): the toolkit
// does not report the user's rate.
constexpr int kRepeatDelay = 660;
constexpr int kRepeatInterval = 40;

int intSetting(GtkSettings* settings, const char* name, int fallback) {
    if (!settings) return fallback;
    gint value = fallback;
    g_object_get(settings, name, &value, nullptr);
    return value;
}

}  // namespace

int keyRepeatDelayFromSetting(int keyboardDelay) { return (keyboardDelay * 1000 + 1000) / 4; }

int keyRepeatIntervalFromSetting(int keyboardSpeed) { return 1000 / (keyboardSpeed + 2); }

int atLeastOnePixel(int value) { return value < 2 ? 1 : value; }

int keyboardDelayFromMilliseconds(int delay) {
    return std::clamp(static_cast<int>(std::lround((delay * 4 - 1000) / 1000.0)), 0, 3);
}

int keyboardSpeedFromMilliseconds(int interval) {
    if (interval <= 0) return 31;
    return std::clamp(static_cast<int>(std::lround(1000.0 / interval - 2)), 0, 31);
}

int systemCursorHeight() {
    GdkDisplay* display = gdk_display_get_default();
    const int size = display ? static_cast<int>(gdk_display_get_default_cursor_size(display)) : 0;
    return size > 0 ? size : 32;
}

SystemParameters querySystemParameters() {
    SystemParameters p;
    p.keyboardDelay = keyboardDelayFromMilliseconds(kRepeatDelay);
    p.keyboardSpeed = keyboardSpeedFromMilliseconds(kRepeatInterval);

    GdkDisplay* display = gdk_display_get_default();
    GtkSettings* settings = display ? gtk_settings_get_default() : nullptr;
    gboolean blink = TRUE;
    if (settings) g_object_get(settings, "gtk-cursor-blink", &blink, nullptr);
    // The toolkit gives the whole on-off cycle; a caret that does not blink
    // gets the longest period instead.
    const int cycle = intSetting(settings, "gtk-cursor-blink-time", kBlinkCycle);
    p.caretBlinkTime = blink && cycle > 1 ? cycle / 2 : INT_MAX;
    p.doubleClickTime = intSetting(settings, "gtk-double-click-time", kDoubleClickTime);
    p.dragWidth = p.dragHeight = intSetting(settings, "gtk-dnd-drag-threshold", kDragThreshold);

    if (display) {
        GdkMonitor* monitor = gdk_display_get_primary_monitor(display);
        if (!monitor && gdk_display_get_n_monitors(display) > 0) monitor = gdk_display_get_monitor(display, 0);
        if (monitor) {
            GdkRectangle area{};
            gdk_monitor_get_geometry(monitor, &area);
            const int scale = gdk_monitor_get_scale_factor(monitor);
            p.screenWidth = area.width * scale;
            p.screenHeight = area.height * scale;
        }
        // The font resolution (Xft.dpi) is the desktop's text scale.
        const double resolution = gdk_screen_get_resolution(gdk_display_get_default_screen(display));
        if (resolution > 0) p.systemDpi = static_cast<int>(std::lround(resolution));
    }

    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    if (pages > 0 && pageSize > 0) p.physicalMemoryKB = static_cast<std::int64_t>(pages) * pageSize / 1024;
    return p;
}

std::string userInterfaceLanguage() {
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (!value || !*value) continue;
        std::string text = value;
        // "ja_JP.UTF-8", "ja:en" -> "ja".
        text = text.substr(0, text.find_first_of(":_.@"));
        if (!text.empty()) return text;
    }
    return "C";
}

}  // namespace Setting
