#pragma once
// One block of decoded file sound turned into planar float: the audio
// cache's unit, shared between the cache and its readers.
#include "core/base/AlignedBuffer.h"
#include "media/audio/AudioBuffer.h"

#include <cstdint>

namespace Media {

// The format of a decoded block as readers and codecs deliver it.
struct AudioFormat {
    std::uint32_t formatTag = 0;  // 1 = integer PCM, 3 = IEEE float
    int sampleRate = 0;
    std::uint32_t bitsPerSample = 0;
    int channels = 0;
};

class AudioBlockBuffer : public AudioBuffer {
public:
    AudioBlockBuffer() = default;
    // Converts interleaved 16- or 24-bit PCM or 32-bit float, mono or
    // stereo (mono integer PCM becomes stereo with equal planes). Other
    // formats log a WARN line and leave an empty stereo buffer.
    AudioBlockBuffer(const System::AlignedBuffer& bytes, const AudioFormat& format);
};

}  // namespace Media
