#include "media/audio/AudioBlockBuffer.h"

#include "core/base/Log.h"

#include <cstring>

namespace Media {

namespace {

constexpr float kScale15 = 1.0f / 32768.0f;
constexpr float kScale31 = 1.0f / 2147483648.0f;

float fromInt16(const std::uint8_t* p) {
    std::int16_t v;
    std::memcpy(&v, p, sizeof v);
    return v * kScale15;
}

// The three bytes in the top of an int32: sign and scale come for free.
float fromInt24(const std::uint8_t* p) {
    const std::uint32_t v = (std::uint32_t{p[0]} << 8) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 24);
    return static_cast<float>(static_cast<std::int32_t>(v)) * kScale31;
}

float fromFloat(const std::uint8_t* p) {
    float v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

}  // namespace

AudioBlockBuffer::AudioBlockBuffer(const System::AlignedBuffer& bytes, const AudioFormat& format) {
    const std::uint32_t byteCount = bytes.size;
    const std::uint8_t* src = bytes.data;
    const auto fill = [&](float (*read)(const std::uint8_t*), std::uint32_t sampleBytes) {
        const std::uint32_t frame = sampleBytes * format.channels;
        const std::uint32_t count = byteCount / frame;
        // Integer mono becomes stereo with equal planes; float mono stays mono.
        const bool keepMono = format.channels == 1 && read == fromFloat;
        allocate(count, keepMono ? 1 : 2);
        float* l = getChannel(0);
        float* r = getChannel(1);
        for (std::uint32_t i = 0; i < count; ++i, src += frame) {
            l[i] = read(src);
            if (!keepMono) r[i] = format.channels == 2 ? read(src + sampleBytes) : l[i];
        }
    };
    const bool monoOrStereo = format.channels == 1 || format.channels == 2;
    if (format.formatTag == 3 && format.bitsPerSample == 32 && monoOrStereo)
        fill(fromFloat, 4);
    else if (format.formatTag == 1 && format.bitsPerSample == 16 && monoOrStereo)
        fill(fromInt16, 2);
    else if (format.formatTag == 1 && format.bitsPerSample == 24 && monoOrStereo)
        fill(fromInt24, 3);
    else {
        System::Log::warn("Media::AudioBlockBuffer::AudioBlockBuffer",
                          "can not convert audio data. format=%d bit=%d channel=%d",
                          static_cast<int>(format.formatTag), static_cast<int>(format.bitsPerSample),
                          format.channels);
        allocate(0, 2);
    }
}

}  // namespace Media
