#pragma once
// The key of every media cache: a name (file path, track name, scene name)
// and a number (frame, block, or 0). Names compare code unit by code unit,
// case-sensitively.
#include <cstddef>
#include <cstdint>
#include <string>

namespace Cache {

struct MediaCacheKey {
    std::wstring name;
    int number = 0;

    bool operator==(const MediaCacheKey&) const = default;
};

// 64-bit FNV-1a of the number (sign-extended, little-endian bytes) XOR that
// of the name as UTF-16 little-endian code units, so that a key hashes alike
// on every platform.
std::uint64_t hashMediaCacheKey(const MediaCacheKey& key);

struct MediaCacheKeyHash {
    std::size_t operator()(const MediaCacheKey& key) const { return static_cast<std::size_t>(hashMediaCacheKey(key)); }
};

using ImageCacheKey = MediaCacheKey;
using AudioCacheKey = MediaCacheKey;
using ModelCacheKey = MediaCacheKey;
using WaveformCacheKey = MediaCacheKey;

}  // namespace Cache
