#pragma once
// An interleaved block of sound in a file format (16-bit integer PCM or
// 32-bit float), filled from planar float by Media::AudioBuffer::convertTo.
// The caller sets the format fields; convertTo sets the count and the bytes.
#include "core/base/AlignedBuffer.h"

#include <cstdint>

namespace Media {

struct RawAudioBuffer {
    System::AlignedBuffer data;     // size = sampleCount x blockAlign bytes
    int sampleCount = 0;            // sample frames
    int blockAlign = 0;             // bytes per sample frame
    std::uint32_t format = 0;       // 1 = integer PCM, 3 = IEEE float
    std::uint32_t bitsPerSample = 0;
    std::uint32_t channels = 0;
};

}  // namespace Media
