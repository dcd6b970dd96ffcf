#pragma once
// A repeating window timer whose callback runs on the user-interface thread
// at every tick until it is cleared (tooltips, the automatic backup). All
// timers share one map from id to callback. A callback may clear or re-set
// its own timer. Set, clear and destroy on the user-interface thread only.
#include <cstdint>
#include <functional>

namespace System {

class Timer {
public:
    Timer() = default;
    // Clears the timer, so that no callback outlives its owner.
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    // Starts the timer, or restarts a running one with the new period and
    // callback (its id stays). Periods below 10 ms count as 10 ms.
    void set(int elapse, std::function<void()> callback);
    // Stops the timer and forgets its callback; nothing when it is not set.
    void clear();
    bool isSet() const { return id != 0; }

    // The procedure of every timer: runs the callback of the id; an id
    // without callback is ignored.
    static void timerProc(std::uintptr_t id);

    std::uintptr_t id = 0;  // 0 while not set
    // The period of the last set, and how often it was set (tests look).
    int period = 0;
    unsigned setCount = 0;
};

}  // namespace System
