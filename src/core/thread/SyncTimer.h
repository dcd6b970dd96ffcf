#pragma once
// A periodic waitable timer for work that runs on the user-interface thread
// at a steady rate (the player's tick, the log view's refresh, the export
// progress). The timer only signals its handle; the owner registers the
// handle with a callback in the window service's wait-handle registry,
// whose loop runs the callback on the user-interface thread:
//
//     timer.setInterval(12);
//     window->registerWaitHandle(timer.getHandle(), [this] { tick(); });
//     ...
//     timer.clear();   // cancels and unregisters; the callback runs no more
//
// The handle is auto-reset: periods that pass while the loop is busy are
// reported once. User-interface thread only.
#include "platform/gtk/WaitSource.h"

namespace Sync {

class Timer {
public:
    // Creates the timer disarmed; failure raises "CreateWaitableTimer".
    Timer();
    // Unregisters and closes the handle.
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    // Arms (or re-arms) the timer: the first signal comes one period after
    // the call, then one every period. Failure raises "SetWaitableTimer".
    void setInterval(int milliseconds);
    // Disarms the timer and removes its handle from the wait-handle
    // registry. Clearing a disarmed or unregistered timer does nothing.
    // Failure raises "CancelWaitableTimer".
    void clear();

    Platform::WaitHandle getHandle() const { return handle_; }

private:
    void unregister() noexcept;

    Platform::WaitHandle handle_ = -1;
};

}  // namespace Sync
