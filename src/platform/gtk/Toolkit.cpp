#include "platform/gtk/Toolkit.h"

#include "core/base/Exception.h"
#include "core/base/Log.h"
#include "core/base/Process.h"
#include "platform/gtk/MessageQueue.h"

#include <glib-unix.h>
#include <gtk/gtk.h>

#include <csignal>

#include <cstdlib>
#include <iterator>
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

// The toolkit's own handlers, which the loop hears through.
constexpr int kEndSignals[] = {SIGTERM, SIGINT, SIGHUP};
struct sigaction toolkitHandlers[std::size(kEndSignals)];

// Also tells long work on the user-interface thread, which keeps the loop
// from running, then hands on to the toolkit.
void noteTermination(int signal, siginfo_t* info, void* context) {
    System::Process::terminationRequested = true;
    for (std::size_t i = 0; i < std::size(kEndSignals); ++i) {
        if (kEndSignals[i] != signal) continue;
        const struct sigaction& next = toolkitHandlers[i];
        if (next.sa_flags & SA_SIGINFO) {
            if (next.sa_sigaction) next.sa_sigaction(signal, info, context);
        } else if (next.sa_handler != SIG_DFL && next.sa_handler != SIG_IGN) {
            next.sa_handler(signal);
        }
    }
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
    for (std::size_t i = 0; i < std::size(kEndSignals); ++i) {
        g_unix_signal_add(kEndSignals[i], quitOnSignal, nullptr);
        struct sigaction noting {};
        noting.sa_sigaction = noteTermination;
        noting.sa_flags = SA_SIGINFO | SA_RESTART;
        sigemptyset(&noting.sa_mask);
        sigaction(kEndSignals[i], &noting, &toolkitHandlers[i]);
    }
    ready = true;
}

bool toolkitReady() { return ready; }

}  // namespace Platform
