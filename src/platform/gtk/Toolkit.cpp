#include "platform/gtk/Toolkit.h"

#include "core/base/Exception.h"
#include "core/base/Log.h"
#include "platform/gtk/MessageQueue.h"

#include <glib-unix.h>
#include <gtk/gtk.h>

#include <csignal>

#include <cstdlib>
#include <string>

namespace Platform {

namespace {
bool ready = false;
constexpr HRESULT kFail = static_cast<HRESULT>(0x80004005);  // E_FAIL

// The desktop session ends programs with SIGTERM, a terminal with SIGINT or
// SIGHUP: they end the message loop like the quit message, so shutdown runs
// in order and the settings reach the disk.
gboolean quitOnSignal(gpointer) {
    postQuitMessage(0);
    return G_SOURCE_CONTINUE;
}
}  // namespace

void initializeToolkit(const char* place) {
    if (ready) return;
    // The program's windows are X11 windows (under Wayland through XWayland):
    // plugin modules receive X11 window ids.
    gdk_set_allowed_backends("x11");
    // The process keeps LC_NUMERIC at "C"; the entry sets the locale itself.
    gtk_disable_setlocale();
    if (!gtk_init_check(nullptr, nullptr)) {
        const char* display = std::getenv("DISPLAY");
        const std::string message =
            std::string("cannot open the X11 display \"") + (display ? display : "") + "\"";
        throw System::makeHResultException("gtk_init_check", place, kFail, message.c_str());
    }
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) g_unix_signal_add(signal, quitOnSignal, nullptr);
    ready = true;
}

bool toolkitReady() { return ready; }

}  // namespace Platform
