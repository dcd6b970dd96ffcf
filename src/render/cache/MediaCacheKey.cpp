#include "render/cache/MediaCacheKey.h"

namespace Cache {

namespace {

constexpr std::uint64_t kOffset = 14695981039346656037ull;
constexpr std::uint64_t kPrime = 1099511628211ull;

void mix(std::uint64_t& hash, std::uint8_t byte) {
    hash ^= byte;
    hash *= kPrime;
}

void mixUnit(std::uint64_t& hash, std::uint32_t unit) {
    mix(hash, static_cast<std::uint8_t>(unit & 0xFF));
    mix(hash, static_cast<std::uint8_t>((unit >> 8) & 0xFF));
}

}  // namespace

std::uint64_t hashMediaCacheKey(const MediaCacheKey& key) {
    std::uint64_t numberHash = kOffset;
    const auto number = static_cast<std::uint64_t>(static_cast<std::int64_t>(key.number));
    for (int i = 0; i < 8; ++i) mix(numberHash, static_cast<std::uint8_t>((number >> (8 * i)) & 0xFF));

    std::uint64_t nameHash = kOffset;
    for (const wchar_t c : key.name) {
        const auto code = static_cast<std::uint32_t>(c);
        if (code >= 0x10000 && code <= 0x10FFFF) {
            const std::uint32_t v = code - 0x10000;
            mixUnit(nameHash, 0xD800 + (v >> 10));
            mixUnit(nameHash, 0xDC00 + (v & 0x3FF));
        } else {
            mixUnit(nameHash, code);
        }
    }
    return numberHash ^ nameHash;
}

}  // namespace Cache
