#include "e2e/XClient.h"

#include "e2e/ProgramRun.h"

#include <X11/Xlib.h>
#include <dlfcn.h>

#include <chrono>
#include <thread>

namespace E2E {

namespace {

// libX11 is loaded at run time: the program itself talks to X only
// through the toolkit and does not link it.
struct Xlib {
    void* library = dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
    template <class F>
    F get(const char* name) const {
        return library ? reinterpret_cast<F>(dlsym(library, name)) : nullptr;
    }
    decltype(&XOpenDisplay) openDisplay = get<decltype(&XOpenDisplay)>("XOpenDisplay");
    decltype(&XInternAtom) internAtom = get<decltype(&XInternAtom)>("XInternAtom");
    decltype(&XSendEvent) sendEvent = get<decltype(&XSendEvent)>("XSendEvent");
    decltype(&XSync) sync = get<decltype(&XSync)>("XSync");
    decltype(&XCloseDisplay) closeDisplay = get<decltype(&XCloseDisplay)>("XCloseDisplay");
    bool ok() const { return openDisplay && internAtom && sendEvent && sync && closeDisplay; }
};

}  // namespace

bool sendDeleteWindow(const std::string& displayName, unsigned long window) {
    static const Xlib x;
    if (!x.ok()) return false;
    Display* display = x.openDisplay(displayName.c_str());
    if (!display) return false;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = x.internAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(x.internAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    const Status sent = x.sendEvent(display, window, False, NoEventMask, &event);
    x.sync(display, False);
    x.closeDisplay(display);
    return sent != 0;
}

std::string onDisplay(const std::string& display, const std::string& command) {
    return commandOutput("DISPLAY=" + display + " " + command + " 2>/dev/null");
}

unsigned long waitForWindow(const std::string& display, const std::string& search) {
    for (int i = 0; i < 500; ++i) {
        const std::string ids = onDisplay(display, "xdotool search " + search);
        if (!ids.empty()) return std::stoul(ids);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return 0;
}

}  // namespace E2E
