#pragma once
// The free places of a bounded queue. Without a maximum the semaphore is
// unbounded: acquire returns at once and release does nothing. A release
// that would raise the count above the maximum is refused as a whole, as
// the system's semaphores refuse it. Any thread.
#include <condition_variable>
#include <mutex>

namespace Sync {

class Semaphore {
public:
    Semaphore() = default;
    Semaphore(const Semaphore&) = delete;
    Semaphore& operator=(const Semaphore&) = delete;

    // Bounds the semaphore to n places, all free. Nothing when it is
    // bounded already or n is 0; a negative n raises "CreateSemaphore".
    void setMax(int n);
    // 0 while unbounded.
    int getMax() const;
    bool isBounded() const { return getMax() != 0; }

    // Takes one place, waiting without a time limit while none is free.
    void acquire();
    // Gives back count places; the result is ignored, as the callers do.
    void release(int count);
    // Free places (the maximum while unbounded is 0).
    int getCount() const;

private:
    mutable std::mutex mutex_;
    std::condition_variable freed_;
    int max_ = 0;
    int count_ = 0;
};

}  // namespace Sync
