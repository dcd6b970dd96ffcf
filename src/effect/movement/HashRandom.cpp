#include "effect/movement/HashRandom.h"

namespace Effect {

namespace {

constexpr std::uint64_t K1 = 0x137bd137bd137bd1ull;
constexpr std::uint64_t K2 = 0x37bd137bd137bd13ull;
constexpr std::uint64_t K3 = 0x7bd137bd137bd137ull;
constexpr std::uint64_t K4 = 0xbd137bd137bd137bull;

std::uint64_t extend(std::int32_t value) {
    return static_cast<std::uint64_t>(static_cast<std::int64_t>(value));
}

}  // namespace

void HashRandom::start(std::int32_t seed, std::int32_t index) {
    const std::uint64_t s = extend(seed);
    const std::uint64_t i = extend(index);
    std::uint64_t x = i * 97553u + s * 135829u;
    x = (x ^ (x << 17) ^ K1) + s;
    x = (x ^ (x >> 19) ^ K2) + i;
    x = (x ^ (x << 41) ^ K3) + s;
    x = (x ^ (x >> 47) ^ K4) + i;
    state = x;
}

float HashRandom::next() {
    std::uint64_t x = state;
    x = x * 97555u - (x / 135829u) * 135829u;
    x = x ^ (x << 17) ^ K1;
    x = x ^ (x >> 19) ^ K2;
    x = x ^ (x << 41) ^ K3;
    x = x ^ (x >> 47) ^ K4;
    state = x;
    // Single precision on purpose: residues near 2^32 round up to 1.0.
    return static_cast<float>(x % 4294967297ull) * (1.0f / 4294967296.0f);
}

float HashRandom::value(std::int32_t seed, std::int32_t index) {
    HashRandom random;
    random.start(seed, index);
    return random.next();
}

}  // namespace Effect
