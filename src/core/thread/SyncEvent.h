#pragma once
// A manual-reset event: set releases every waiter and the event stays set
// until reset; it starts clear. Any thread may set, reset or wait. The
// render workers' buffers derive from it and set it when they are filled.
#include <condition_variable>
#include <mutex>

namespace Sync {

class Event {
public:
    Event() = default;
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;

    void set();
    void reset();
    // Waits without a time limit until the event is set.
    void wait();
    bool isSet() const;

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool signalled_ = false;
};

}  // namespace Sync
