#pragma once
// One light of a frame, as the lighting pass reads it: 48 bytes in the
// packing of its constant block.
#include <cstddef>
#include <cstdint>

namespace Media {

struct LightSource {
    // Record types.
    static constexpr std::int32_t Ambient = 0;
    static constexpr std::int32_t Light = 1;
    static constexpr std::int32_t ShadowLight = 2;

    std::int32_t type;
    float pos[3];  // towards the light
    float col[4];
    float range;
    float depth;
    float dummy[2];
};
static_assert(sizeof(LightSource) == 48 && offsetof(LightSource, pos) == 4 &&
              offsetof(LightSource, col) == 16 && offsetof(LightSource, range) == 32 &&
              offsetof(LightSource, depth) == 36 && offsetof(LightSource, dummy) == 40);

}  // namespace Media
