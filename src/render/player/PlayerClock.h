#pragma once
// The player's high-resolution clock: a counter and its frequency, as a
// performance counter gives them, and the pause of a busy wait. Tests hand
// the player a clock of their own that moves only when told to.
#include <cstdint>

namespace Render {

class PlayerClock {
public:
    virtual ~PlayerClock() = default;

    // Any thread.
    virtual std::int64_t counter() const = 0;
    virtual std::int64_t frequency() const = 0;
    // One step of a busy wait for the counter to move on.
    virtual void pause() = 0;
};

// The monotonic clock of the system, in nanoseconds.
class SteadyPlayerClock final : public PlayerClock {
public:
    std::int64_t counter() const override;
    std::int64_t frequency() const override { return 1000000000; }
    void pause() override;
};

}  // namespace Render
