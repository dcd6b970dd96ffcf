#include "platform/gtk/Toolkit.h"

#include "core/Exception.h"
#include "core/Log.h"

#include <gtk/gtk.h>

#include <cstdlib>
#include <string>

namespace Platform {

namespace {
bool ready = false;
constexpr HRESULT kFail = static_cast<HRESULT>(0x80004005);  // E_FAIL
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
    ready = true;
}

bool toolkitReady() { return ready; }

}  // namespace Platform
