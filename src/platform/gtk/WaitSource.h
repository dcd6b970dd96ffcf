#pragma once
// Waits for the program's wait handles inside the message loop. A wait
// handle is a file descriptor that becomes readable when it is signalled:
// a timerfd (waitable timer) or an eventfd (event). Handles are auto-reset:
// before the owner's callback runs, the loop reads the 8-byte counter, so a
// handle fires once per signal.
// As with a system wait on handles and messages, only runMessageLoop's own
// turns wait on them: nested modal loops (message boxes) and dispatch holds
// leave them alone.
// One handle is served per turn. User-interface thread only.
#include <functional>

typedef struct _GSource GSource;

namespace Platform {

// A file descriptor standing for a Win32 waitable HANDLE.
using WaitHandle = int;

class WaitSource {
public:
    // signalled runs on the user-interface thread inside guardCallback.
    explicit WaitSource(std::function<void(WaitHandle)> signalled);
    ~WaitSource();
    WaitSource(const WaitSource&) = delete;
    WaitSource& operator=(const WaitSource&) = delete;

    // Adding a handle twice or removing an unknown one does nothing.
    void add(WaitHandle handle);
    void remove(WaitHandle handle);

    struct Source;  // the GLib source record, defined beside the code

private:
    Source* source_;
};

}  // namespace Platform
