#include "window/SlowClipboardOwner.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <dlfcn.h>

namespace WindowTest {

namespace {

// libX11 is loaded at run time: the program talks to X only through the
// toolkit and does not link it.
struct Xlib {
    void* library = dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
    template <class F>
    F get(const char* name) const {
        return library ? reinterpret_cast<F>(dlsym(library, name)) : nullptr;
    }
#define MOVANE2_XLIB(name) decltype(&X##name) x##name = get<decltype(&X##name)>("X" #name)
    MOVANE2_XLIB(OpenDisplay);
    MOVANE2_XLIB(CloseDisplay);
    MOVANE2_XLIB(DefaultRootWindow);
    MOVANE2_XLIB(CreateSimpleWindow);
    MOVANE2_XLIB(DestroyWindow);
    MOVANE2_XLIB(InternAtom);
    MOVANE2_XLIB(SetSelectionOwner);
    MOVANE2_XLIB(GetSelectionOwner);
    MOVANE2_XLIB(Pending);
    MOVANE2_XLIB(NextEvent);
    MOVANE2_XLIB(ChangeProperty);
    MOVANE2_XLIB(SendEvent);
    MOVANE2_XLIB(Sync);
#undef MOVANE2_XLIB
    bool ok() const {
        return xOpenDisplay && xCloseDisplay && xDefaultRootWindow && xCreateSimpleWindow && xDestroyWindow &&
               xInternAtom && xSetSelectionOwner && xGetSelectionOwner && xPending && xNextEvent && xChangeProperty &&
               xSendEvent && xSync;
    }
};

}  // namespace

SlowClipboardOwner::SlowClipboardOwner(std::string display, std::string text, std::chrono::milliseconds delay)
    : display_(std::move(display)), text_(std::move(text)), delay_(delay), thread_([this] { serve(); }) {}

SlowClipboardOwner::~SlowClipboardOwner() {
    stop_ = true;
    thread_.join();
}

bool SlowClipboardOwner::waitOwning() {
    while (state_ == 0) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    return state_ == 1;
}

void SlowClipboardOwner::serve() {
    static const Xlib x;
    Display* display = x.ok() ? x.xOpenDisplay(display_.c_str()) : nullptr;
    if (!display) {
        state_ = -1;
        return;
    }
    const Window window = x.xCreateSimpleWindow(display, x.xDefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    const Atom clipboard = x.xInternAtom(display, "CLIPBOARD", False);
    const Atom targets = x.xInternAtom(display, "TARGETS", False);
    const Atom utf8 = x.xInternAtom(display, "UTF8_STRING", False);
    x.xSetSelectionOwner(display, clipboard, window, CurrentTime);
    x.xSync(display, False);
    state_ = x.xGetSelectionOwner(display, clipboard) == window ? 1 : -1;
    while (!stop_) {
        if (!x.xPending(display)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            continue;
        }
        XEvent event;
        x.xNextEvent(display, &event);
        if (event.type != SelectionRequest) continue;
        ++requests_;
        std::this_thread::sleep_for(delay_);
        while (held_ && !stop_) std::this_thread::sleep_for(std::chrono::milliseconds(2));
        const XSelectionRequestEvent& request = event.xselectionrequest;
        const Atom property = request.property != None ? request.property : request.target;
        XEvent reply{};
        reply.xselection.type = SelectionNotify;
        reply.xselection.display = display;
        reply.xselection.requestor = request.requestor;
        reply.xselection.selection = request.selection;
        reply.xselection.target = request.target;
        reply.xselection.time = request.time;
        reply.xselection.property = None;
        if (request.target == targets) {
            Atom offered[] = {targets, utf8};
            x.xChangeProperty(display, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                             reinterpret_cast<unsigned char*>(offered), 2);
            reply.xselection.property = property;
        } else if (request.target == utf8) {
            x.xChangeProperty(display, request.requestor, property, utf8, 8, PropModeReplace,
                             reinterpret_cast<const unsigned char*>(text_.data()), static_cast<int>(text_.size()));
            reply.xselection.property = property;
        }
        x.xSendEvent(display, request.requestor, False, 0, &reply);
        x.xSync(display, False);
    }
    x.xDestroyWindow(display, window);
    x.xCloseDisplay(display);
}

}  // namespace WindowTest
