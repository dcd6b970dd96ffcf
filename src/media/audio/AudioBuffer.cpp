#include "media/audio/AudioBuffer.h"

#include "core/base/Exception.h"
#include "media/audio/AudioFourier.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>

namespace Media {

namespace {

constexpr std::uint32_t roundUp(std::uint64_t value, std::uint32_t step, const char* place) {
    const std::uint64_t rounded = (value + step - 1) / step * step;
    if (rounded > std::numeric_limits<std::uint32_t>::max())
        throw System::makeErrorCodeException(place, 14);
    return static_cast<std::uint32_t>(rounded);
}

void sizePlane(System::AlignedBuffer& plane, std::uint32_t samples) {
    plane.allocMemory(roundUp(std::uint64_t{samples} * 4, 32, "System::AlignedBuffer::allocMemory"));
    plane.size = samples * 4;
}

void zero(const System::AlignedBuffer& plane, std::uint32_t from, std::uint32_t to) {
    if (plane.data && from < to) std::memset(plane.as<float>() + from, 0, (to - from) * sizeof(float));
}

std::int16_t toInt16(float x) {
    float v = x * 32768.0f;
    if (std::isnan(v)) return 0;
    v = std::clamp(v, -32768.0f, 32767.0f);
    return static_cast<std::int16_t>(std::lrintf(v));  // ties to even
}

float clampLevel(double v) { return static_cast<float>(std::clamp(v, 0.0, 32767.0)); }

// Mean of values[j - r .. j + r] inside 0..count-1 with weights w(|k - j|).
template <class Weight>
std::vector<float> smooth(const std::vector<float>& values, int r, Weight weight) {
    const int count = static_cast<int>(values.size());
    std::vector<float> out(values.size());
    for (int j = 0; j < count; ++j) {
        double sum = 0.0;
        double weights = 0.0;
        for (int k = std::max(0, j - r); k <= std::min(count - 1, j + r); ++k) {
            const double w = weight(std::abs(k - j));
            sum += w * values[k];
            weights += w;
        }
        out[j] = static_cast<float>(sum / weights);
    }
    return out;
}

constexpr int kBands = 512;

// Band edges in bin positions: E(0) = 2 ... E(512) = 1024.
const std::array<double, kBands + 1>& bandEdges() {
    static const std::array<double, kBands + 1> edges = [] {
        std::array<double, kBands + 1> e{};
        e[0] = 2.0;
        for (int i = 1; i <= kBands; ++i) {
            const double f = static_cast<double>(i) / kBands;
            e[i] = 256.0 * std::pow(f, 9.0) + 2.0 * std::pow(384.0, f);
        }
        e[kBands] = 1024.0;
        return e;
    }();
    return edges;
}

// Integral of the power over bin positions [a, b); bin i covers [i, i + 1).
double integrate(const float* power, double a, double b) {
    const auto bin = [power](int i) { return i < AudioFourier::bins ? static_cast<double>(power[i]) : 0.0; };
    const int first = static_cast<int>(std::floor(a));
    if (b - a < 1.0) return (b - a) * (bin(first) + (a - first) * (bin(first + 1) - bin(first)));
    const int last = static_cast<int>(std::floor(b));
    double sum = (first + 1 - a) * bin(first);
    for (int i = first + 1; i < last; ++i) sum += bin(i);
    sum += (b - last) * bin(last);
    return sum;
}

// The cyclic 2048-sample block at offset o of a plane of n samples.
void takeBlock(const float* plane, std::uint32_t n, std::uint32_t o, float* block) {
    for (int k = 0; k < AudioFourier::length; ++k) block[k] = plane[(o + k) % n];
}

}  // namespace

void AudioBuffer::allocate(std::uint32_t newSamples, int newChannels) {
    samples = newSamples;
    channels = newChannels;
    sizePlane(left, newSamples);
    if (newChannels == 2)
        sizePlane(right, newSamples);
    else
        right.freeMemory();
}

void AudioBuffer::clear() { clear(0); }

void AudioBuffer::clear(std::uint32_t from) {
    zero(left, from, samples);
    if (channels == 2) zero(right, from, samples);
}

std::unique_ptr<AudioBuffer> AudioBuffer::clone() const {
    auto copy = std::make_unique<AudioBuffer>();
    copy->allocate(samples, channels);
    if (samples) {
        std::memcpy(copy->left.data, left.data, samples * sizeof(float));
        if (channels == 2) std::memcpy(copy->right.data, right.data, samples * sizeof(float));
    }
    return copy;
}

std::uint32_t AudioBuffer::copyFrom(std::uint32_t dstIndex, const AudioBuffer& src, std::uint32_t srcBegin,
                                    std::uint32_t srcEnd) {
    // A range past the source's end would read outside its planes.
    srcEnd = std::min(srcEnd, src.samples);
    if (srcBegin >= srcEnd || dstIndex >= samples) return dstIndex;
    const std::uint32_t count = std::min(samples - dstIndex, srcEnd - srcBegin);
    std::memcpy(getChannel(0) + dstIndex, src.getChannel(0) + srcBegin, count * sizeof(float));
    std::memcpy(getChannel(1) + dstIndex, src.getChannel(1) + srcBegin, count * sizeof(float));
    return dstIndex + count;
}

float* AudioBuffer::getChannel(int channel) const {
    return channel != 0 && channels == 2 ? right.as<float>() : left.as<float>();
}

void AudioBuffer::convertTo(RawAudioBuffer& out) const {
    const std::uint32_t channelCount = out.channels;
    const bool pcm16Stereo = out.format == 1 && out.bitsPerSample == 16 && channelCount == 2;
    const bool floatStereo = out.format == 3 && out.bitsPerSample == 32 && channelCount == 2;
    const bool floatMono = out.format == 3 && out.bitsPerSample == 32 && channelCount == 1;
    if (!pcm16Stereo && !floatStereo && !floatMono)
        throw System::makeExceptionFormat("Media::AudioBuffer::convertTo", "audio format not supported.",
                                          L"format = %d, bit = %d, ch = %d", static_cast<int>(out.format),
                                          static_cast<int>(out.bitsPerSample), static_cast<int>(channelCount));
    // A block align smaller than the frame must not let the writes overrun.
    const std::uint32_t frame = channelCount * out.bitsPerSample / 8;
    const std::uint32_t align = std::max<std::uint32_t>(frame, out.blockAlign > 0 ? out.blockAlign : 0);
    const std::uint64_t bytes = std::uint64_t{samples} * align;
    out.sampleCount = static_cast<int>(samples);
    out.data.allocMemory(roundUp(bytes, 64, "System::AlignedBuffer::allocMemory"));
    out.data.size = static_cast<std::uint32_t>(bytes);

    const float* l = getChannel(0);
    const float* r = getChannel(1);
    std::uint8_t* dst = out.data.data;
    if (pcm16Stereo) {
        for (std::uint32_t i = 0; i < samples; ++i, dst += align) {
            const std::int16_t pair[2] = {toInt16(l[i]), toInt16(r[i])};
            std::memcpy(dst, pair, sizeof pair);
        }
    } else if (floatStereo) {
        for (std::uint32_t i = 0; i < samples; ++i, dst += align) {
            const float pair[2] = {l[i], r[i]};
            std::memcpy(dst, pair, sizeof pair);
        }
    } else {
        // Mono: a mono source is copied, a stereo one mixed at half level each.
        for (std::uint32_t i = 0; i < samples; ++i, dst += align) {
            const float m = channels == 2 ? (l[i] + r[i]) * 0.5f : l[i];
            std::memcpy(dst, &m, sizeof m);
        }
    }
}

std::vector<float> AudioBuffer::getSpectrum(int count) const {
    const int c = std::clamp(count, 1, 1024);
    const auto& edges = bandEdges();
    std::vector<float> peak(kBands, 0.0f);
    std::vector<float> block(AudioFourier::length);
    std::vector<float> power(AudioFourier::bins);
    for (std::uint32_t o = 0; o < samples; o += AudioFourier::length) {
        for (int channel = 0; channel < 2; ++channel) {
            takeBlock(getChannel(channel), samples, o, block.data());
            AudioFourier::power(block.data(), power.data());
            // Fill dips: a bin below both neighbours is raised to the lower one.
            const std::vector<float> before(power);
            for (int k = 1; k <= 510; ++k) {
                const float floor = std::min(before[k - 1], before[k + 1]);
                if (before[k] < floor) power[k] = floor;
            }
            for (int b = 0; b < kBands; ++b) {
                const double band = integrate(power.data(), edges[b], edges[b + 1]);
                const float v = clampLevel(48.0 * std::sqrt(band) - 64.0);
                peak[b] = std::max(peak[b], v);
            }
        }
    }
    const std::vector<float> smoothed = smooth(peak, 1, [](int d) { return d == 0 ? 2.0 : 1.0; });

    std::vector<float> resampled(c, 0.0f);
    if (c <= kBands) {
        for (int i = 0; i < kBands; ++i) {
            const int j = (256 + i * c) / 512;
            if (j < c) resampled[j] = std::max(resampled[j], smoothed[i]);
        }
    } else {
        for (int j = 0; j < c; ++j) {
            const double t = static_cast<double>(j) * kBands / c;
            const int i = static_cast<int>(t);
            const double next = i + 1 < kBands ? smoothed[i + 1] : 0.0;
            resampled[j] = static_cast<float>((i + 1 - t) * smoothed[i] + (t - i) * next);
        }
    }

    const int d = 2 * c;
    if (d < 32) return resampled;
    if (d < 256) return smooth(resampled, 1, [d](int k) { return k == 0 ? 512.0 : static_cast<double>(d); });
    const int r = d / 256;
    return smooth(resampled, r, [r](int k) { return static_cast<double>(r + 1 - k); });
}

std::vector<float> AudioBuffer::getFourier() const {
    // Left + right, a mono plane counted twice: the analysis keeps that scale.
    std::vector<float> mixed(samples);
    const float* l = getChannel(0);
    const float* r = getChannel(1);
    for (std::uint32_t i = 0; i < samples; ++i) mixed[i] = l[i] + r[i];

    std::vector<float> result(AudioFourier::bins, 0.0f);
    std::vector<float> block(AudioFourier::length);
    std::vector<float> power(AudioFourier::bins);
    for (std::uint32_t o = 0; o < samples; o += AudioFourier::length) {
        takeBlock(mixed.data(), samples, o, block.data());
        AudioFourier::power(block.data(), power.data());
        for (int k = 0; k < AudioFourier::bins; ++k) result[k] = clampLevel(48.0 * std::sqrt(power[k]));
    }
    return result;
}

}  // namespace Media
