#include "media/audio/WaveformBuffer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Media {

namespace {

std::uint8_t level(float v) {
    const float scaled = std::trunc((v + 1.0f) * 128.0f);
    if (!(scaled > 0.0f)) return 0;
    return static_cast<std::uint8_t>(std::min(scaled, 255.0f));
}

}  // namespace

WaveformBuffer::WaveformBuffer(int entries) : count(std::max(entries, 0)) {
    data.allocMemory(static_cast<std::uint32_t>(count) * 2);
    if (count) std::memset(data.data, 0, data.size);
}

void WaveformBuffer::setBlock(const AudioBuffer* audio, int n) {
    if (n < 0 || static_cast<std::int64_t>(n + 1) * entriesPerBlock > count) return;
    std::uint8_t* out = data.data + static_cast<std::size_t>(n) * entriesPerBlock * 2;
    if (!audio) {
        std::memset(out, 0, entriesPerBlock * 2);
        return;
    }
    // 64-bit products: long tracks must not wrap the range bounds.
    const std::uint64_t total = audio->samples;
    const int planes = audio->channels == 2 ? 2 : 1;
    for (int i = 1; i <= entriesPerBlock; ++i) {
        const auto begin = static_cast<std::uint32_t>((total * (i - 1)) >> 7);
        const auto end = static_cast<std::uint32_t>((total * i) >> 7);
        float lo = 0.0f;
        float hi = 0.0f;
        for (int p = 0; p < planes; ++p) {
            const float* plane = audio->getChannel(p);
            for (std::uint32_t s = begin; s < end; ++s) {
                lo = std::min(lo, plane[s]);
                hi = std::max(hi, plane[s]);
            }
        }
        out[(i - 1) * 2] = level(lo);
        out[(i - 1) * 2 + 1] = level(hi);
    }
}

}  // namespace Media
