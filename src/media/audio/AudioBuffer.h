#pragma once
// Sound inside the program: planar 32-bit float, a left and a right plane
// (one plane for mono). Planes are 32-byte aligned and padded to whole
// 32-byte steps. Nothing clamps the samples; nominally they are -1 to 1.
// A buffer is filled by one thread and read afterwards; it takes no lock.
#include "core/base/AlignedBuffer.h"
#include "media/audio/RawAudioBuffer.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace Media {

class AudioBuffer {
public:
    AudioBuffer() = default;
    virtual ~AudioBuffer() = default;
    AudioBuffer(AudioBuffer&&) noexcept = default;
    AudioBuffer& operator=(AudioBuffer&&) noexcept = default;

    // Sizes the planes; a mono buffer releases its right plane. The contents
    // are not cleared.
    void allocate(std::uint32_t samples, int channels);
    void clear();
    // Zeroes the samples from `from` to the end.
    void clear(std::uint32_t from);
    std::unique_ptr<AudioBuffer> clone() const;
    // Copies src[srcBegin, srcEnd) to dstIndex on, clipped to this buffer;
    // returns the index after the last sample written.
    std::uint32_t copyFrom(std::uint32_t dstIndex, const AudioBuffer& src, std::uint32_t srcBegin,
                           std::uint32_t srcEnd);
    // The right plane for channel != 0 of a stereo buffer, else the left.
    float* getChannel(int channel) const;
    // Interleaves into out's format (set by the caller); raises "audio format
    // not supported." for formats other than 16-bit PCM stereo and 32-bit
    // float stereo or mono.
    void convertTo(RawAudioBuffer& out) const;
    // min(count, 1024) band levels 0..32767 over the whole buffer; count >= 1.
    std::vector<float> getSpectrum(int count) const;
    // 1024 Fourier magnitudes (0..32767) of the last 2048-sample block.
    std::vector<float> getFourier() const;

    System::AlignedBuffer left;
    System::AlignedBuffer right;
    int channels = 0;
    std::uint32_t samples = 0;
};

}  // namespace Media
