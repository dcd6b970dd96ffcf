#pragma once
// The timeline's overview of a sound track: per one-second block 128
// entries of (minimum, maximum) level bytes, 128 meaning silence.
#include "core/base/AlignedBuffer.h"
#include "media/audio/AudioBuffer.h"

#include <cstdint>

namespace Media {

class WaveformBuffer {
public:
    static constexpr int entriesPerBlock = 128;

    // Storage for `count` entries (2 bytes each), zeroed.
    explicit WaveformBuffer(int count);

    // Writes block n from `audio`, or zero entries when audio is null;
    // nothing when the buffer has no room for block n.
    void setBlock(const AudioBuffer* audio, int n);

    const std::uint8_t* entry(int index) const { return data.data + index * 2; }

    System::AlignedBuffer data;
    int count = 0;
};

}  // namespace Media
