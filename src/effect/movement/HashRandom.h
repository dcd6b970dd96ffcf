#pragma once
// The repeatable random sequence of rendering: a 64-bit integer hash started
// from a seed and an index, then stepped for further values. No state
// survives a frame, so any thread renders any frame alike.
#include <cstdint>

namespace Effect {

class HashRandom {
public:
    // Sets the state from a seed and an index (sign-extended to 64 bits).
    void start(std::int32_t seed, std::int32_t index);
    // Steps the state; a uniform value in [0, 1] (1 itself occurs).
    float next();

    // start(seed, index), then one next(): one number per index.
    static float value(std::int32_t seed, std::int32_t index);

    std::uint64_t state = 0;
};

}  // namespace Effect
