#include "core/base/Exception.h"
#include "media/audio/AudioBlockBuffer.h"
#include "media/audio/AudioBuffer.h"
#include "media/audio/WaveformBuffer.h"

#include "media/LogCapture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Media::AudioBlockBuffer;
using Media::AudioBuffer;
using Media::AudioFormat;

System::AlignedBuffer bytesOf(const std::vector<std::uint8_t>& bytes) {
    System::AlignedBuffer buffer;
    buffer.allocMemory(static_cast<std::uint32_t>(bytes.size()));
    if (!bytes.empty()) std::memcpy(buffer.data, bytes.data(), bytes.size());
    return buffer;
}

template <class T>
std::vector<std::uint8_t> raw(const std::vector<T>& values) {
    std::vector<std::uint8_t> out(values.size() * sizeof(T));
    std::memcpy(out.data(), values.data(), out.size());
    return out;
}

AudioBuffer stereo(const std::vector<float>& l, const std::vector<float>& r) {
    AudioBuffer b;
    b.allocate(static_cast<std::uint32_t>(l.size()), 2);
    std::memcpy(b.getChannel(0), l.data(), l.size() * 4);
    std::memcpy(b.getChannel(1), r.data(), r.size() * 4);
    return b;
}

AudioBuffer mono(const std::vector<float>& l) {
    AudioBuffer b;
    b.allocate(static_cast<std::uint32_t>(l.size()), 1);
    std::memcpy(b.getChannel(0), l.data(), l.size() * 4);
    return b;
}

std::vector<float> plane(const AudioBuffer& b, int channel) {
    return std::vector<float>(b.getChannel(channel), b.getChannel(channel) + b.samples);
}

TEST(AudioBlockBuffer, DecodedBlocksBecomePlanarFloat) {
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
        AudioFormat format;
        int channels;
        std::vector<float> left, right;
    };
    const Case cases[] = {
        {"16-bit stereo", raw<std::int16_t>({-32768, 16384, 1, -1}), {1, 48000, 16, 2}, 2, {-1.0f, 1.0f / 32768}, {0.5f, -1.0f / 32768}},
        {"16-bit mono doubles into both planes", raw<std::int16_t>({-32768, 16384, 32767}), {1, 44100, 16, 1}, 2,
         {-1.0f, 0.5f, 32767.0f / 32768}, {-1.0f, 0.5f, 32767.0f / 32768}},
        {"24-bit mono 00 00 80 is -1", {0x00, 0x00, 0x80, 0xFF, 0xFF, 0x7F}, {1, 48000, 24, 1}, 2,
         {-1.0f, 8388607.0f / 8388608}, {-1.0f, 8388607.0f / 8388608}},
        {"24-bit stereo", {0x00, 0x00, 0x40, 0x00, 0x00, 0xC0}, {1, 48000, 24, 2}, 2, {0.5f}, {-0.5f}},
        {"float stereo", raw<float>({0.25f, -0.75f, 1.5f, 0.0f}), {3, 48000, 32, 2}, 2, {0.25f, 1.5f}, {-0.75f, 0.0f}},
        {"float mono stays mono", raw<float>({0.25f, -2.0f}), {3, 48000, 32, 1}, 1, {0.25f, -2.0f}, {0.25f, -2.0f}},
        {"a partial frame at the end is dropped", {0x00, 0x40, 0x00, 0xC0, 0x11}, {1, 48000, 16, 2}, 2, {0.5f}, {-0.5f}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const AudioBlockBuffer block(bytesOf(c.bytes), c.format);
        EXPECT_EQ(block.channels, c.channels);
        EXPECT_EQ(block.samples, c.left.size());
        EXPECT_EQ(plane(block, 0), c.left);
        EXPECT_EQ(plane(block, 1), c.right);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block.left.data) % 32, 0u);
        EXPECT_EQ(block.left.capacity % 32, 0u);
    }
    // A 4000-byte 16-bit stereo block holds 1000 samples.
    EXPECT_EQ(AudioBlockBuffer(bytesOf(std::vector<std::uint8_t>(4000)), {1, 48000, 16, 2}).samples, 1000u);
}

TEST(AudioBlockBuffer, UnsupportedFormatsLogAndGiveAnEmptyStereoBlock) {
    const AudioFormat formats[] = {{1, 48000, 8, 1}, {1, 48000, 32, 2}, {1, 48000, 16, 6}, {2, 48000, 16, 2},
                                   {3, 48000, 64, 2}, {1, 48000, 16, 0}};
    for (const AudioFormat& f : formats) {
        MediaTest::LogCapture log;
        const AudioBlockBuffer block(bytesOf(std::vector<std::uint8_t>(96, 0x55)), f);
        EXPECT_EQ(block.samples, 0u);
        EXPECT_EQ(block.channels, 2);
        const std::string text = "can not convert audio data. format=" + std::to_string(f.formatTag) + " bit=" +
                                 std::to_string(f.bitsPerSample) + " channel=" + std::to_string(f.channels);
        EXPECT_EQ(log.count(System::Log::WARN, "Media::AudioBlockBuffer::AudioBlockBuffer", text), 1) << text;
    }
}

TEST(AudioBuffer, ConvertToInterleavesWithRoundingAndSaturation) {
    const AudioBuffer source =
        stereo({1.5f, 0.5f / 32768, 1.5f / 32768, -0.25f, -1.0f}, {-1.5f, -0.5f / 32768, 2.5f / 32768, 0.999f, NAN});

    Media::RawAudioBuffer pcm{{}, 0, 4, 1, 16, 2};
    source.convertTo(pcm);
    EXPECT_EQ(pcm.sampleCount, 5);
    EXPECT_EQ(pcm.data.size, 20u);
    EXPECT_EQ(pcm.data.capacity, 64u);
    const std::vector<std::int16_t> expected = {32767, -32768, 0, 0, 2, 2, -8192, 32735, -32768, 0};
    EXPECT_EQ(std::vector<std::int16_t>(pcm.data.as<std::int16_t>(), pcm.data.as<std::int16_t>() + 10), expected);

    Media::RawAudioBuffer f32{{}, 0, 8, 3, 32, 2};
    source.convertTo(f32);
    ASSERT_EQ(f32.data.size, 40u);
    EXPECT_EQ(f32.data.as<float>()[0], 1.5f);
    EXPECT_EQ(f32.data.as<float>()[1], -1.5f);
    EXPECT_EQ(f32.data.as<float>()[6], -0.25f);

    // Mono: stereo is mixed at half level; mono is copied, not doubled.
    Media::RawAudioBuffer m{{}, 0, 4, 3, 32, 1};
    stereo({0.5f, 1.0f}, {0.25f, -1.0f}).convertTo(m);
    EXPECT_EQ(std::vector<float>(m.data.as<float>(), m.data.as<float>() + 2), (std::vector<float>{0.375f, 0.0f}));
    mono({0.5f, -0.75f}).convertTo(m);
    EXPECT_EQ(std::vector<float>(m.data.as<float>(), m.data.as<float>() + 2), (std::vector<float>{0.5f, -0.75f}));
    EXPECT_EQ(m.sampleCount, 2);
}

TEST(AudioBuffer, ConvertToRefusesOtherFormats) {
    struct Case {
        std::uint32_t format, bits, channels;
        const char* note;
    };
    const Case cases[] = {{1, 16, 6, "format = 1, bit = 16, ch = 6"},
                          {1, 16, 1, "format = 1, bit = 16, ch = 1"},
                          {1, 24, 2, "format = 1, bit = 24, ch = 2"},
                          {3, 16, 2, "format = 3, bit = 16, ch = 2"}};
    const AudioBuffer source = stereo({0.0f}, {0.0f});
    for (const Case& c : cases) {
        Media::RawAudioBuffer out{{}, 0, 4, c.format, c.bits, c.channels};
        try {
            source.convertTo(out);
            ADD_FAILURE() << c.note;
        } catch (const System::Exception& e) {
            EXPECT_EQ(std::string(e.what()),
                      std::string("audio format not supported.\n\n[Note]\n") + c.note +
                          "\n\n[Place]\nMedia::AudioBuffer::convertTo()");
        }
    }
}

TEST(AudioBuffer, AllocateClearCloneAndCopy) {
    AudioBuffer b = stereo({1, 2, 3, 4, 5}, {6, 7, 8, 9, 10});
    EXPECT_EQ(b.left.size, 20u);
    EXPECT_EQ(b.left.capacity, 32u);
    b.clear(3);
    EXPECT_EQ(plane(b, 0), (std::vector<float>{1, 2, 3, 0, 0}));
    EXPECT_EQ(plane(b, 1), (std::vector<float>{6, 7, 8, 0, 0}));
    b.clear(9);  // past the end: nothing
    const auto copy = b.clone();
    EXPECT_EQ(copy->channels, 2);
    EXPECT_EQ(plane(*copy, 1), plane(b, 1));
    EXPECT_NE(copy->left.data, b.left.data);
    b.clear();
    EXPECT_EQ(plane(b, 1), std::vector<float>(5, 0.0f));

    // copyFrom clips to the destination and returns the next index.
    AudioBuffer dst = stereo({0, 0, 0, 0}, {0, 0, 0, 0});
    const AudioBuffer src = stereo({1, 2, 3, 4, 5}, {-1, -2, -3, -4, -5});
    EXPECT_EQ(dst.copyFrom(1, src, 1, 5), 4u);
    EXPECT_EQ(plane(dst, 0), (std::vector<float>{0, 2, 3, 4}));
    EXPECT_EQ(plane(dst, 1), (std::vector<float>{0, -2, -3, -4}));
    EXPECT_EQ(dst.copyFrom(2, src, 3, 3), 2u);
    EXPECT_EQ(dst.copyFrom(0, src, 3, 100), 2u);  // a source range past its end is cut
    EXPECT_EQ(plane(dst, 0), (std::vector<float>{4, 5, 3, 4}));
    // A mono source feeds both planes; a mono destination ends with the right copy.
    EXPECT_EQ(dst.copyFrom(0, mono({9, 9}), 0, 2), 2u);
    EXPECT_EQ(plane(dst, 1), (std::vector<float>{9, 9, -3, -4}));
    AudioBuffer monoDst = mono({0, 0});
    monoDst.copyFrom(0, src, 0, 2);
    EXPECT_EQ(plane(monoDst, 0), (std::vector<float>{-1, -2}));

    // Going mono releases the right plane; the right channel reads the left.
    b.allocate(8, 1);
    EXPECT_EQ(b.right.data, nullptr);
    EXPECT_EQ(b.getChannel(1), b.getChannel(0));
}

std::vector<float> sine(int samples, double periodsPer2048, double amplitude = 1.0) {
    std::vector<float> v(samples);
    for (int i = 0; i < samples; ++i) v[i] = static_cast<float>(amplitude * std::sin(2 * M_PI * periodsPer2048 * i / 2048));
    return v;
}

TEST(AudioBuffer, FourierOfAFullScaleSine) {
    const std::vector<float> s = sine(2048, 100);
    const std::vector<float> f = stereo(s, s).getFourier();
    ASSERT_EQ(f.size(), 1024u);
    EXPECT_EQ(f[100], 32767.0f);
    for (int k = 0; k < 1024; ++k) {
        if (k != 100) {
            EXPECT_LT(f[k], 1.0f) << k;
        }
    }

    // A mono plane counts twice: 48 x |X| with X of 2 x the sine.
    const std::vector<float> quiet = sine(2048, 100, 1.0 / 256);
    EXPECT_NEAR(mono(quiet).getFourier()[100], 48.0 * 1024 * 2 / 256, 0.5);
    EXPECT_NEAR(stereo(quiet, quiet).getFourier()[100], 48.0 * 1024 * 2 / 256, 0.5);

    // Only the last 2048-sample block counts; a short buffer repeats cyclically.
    std::vector<float> twoBlocks = sine(2048, 100, 1.0 / 256);
    const std::vector<float> second = sine(2048, 50, 1.0 / 256);
    twoBlocks.insert(twoBlocks.end(), second.begin(), second.end());
    const std::vector<float> f2 = mono(twoBlocks).getFourier();
    EXPECT_LT(f2[100], 1.0f);
    EXPECT_NEAR(f2[50], 96.0 * 4, 0.5);
    const std::vector<float> shortSine = sine(1024, 100, 1.0 / 256);  // 1024 divides 2048: cyclic repeat is exact
    EXPECT_NEAR(mono(shortSine).getFourier()[100], 96.0 * 4, 0.5);

    EXPECT_EQ(AudioBuffer().getFourier(), std::vector<float>(1024, 0.0f));
}

TEST(AudioBuffer, SpectrumBandsOfASine) {
    // The band edges that cover bin 100.
    const auto edge = [](int e) { return 256 * std::pow(e / 512.0, 9.0) + 2 * std::pow(384.0, e / 512.0); };
    int band = 0;
    while (edge(band + 1) <= 100) ++band;

    const std::vector<float> s = sine(2048, 100, 0.01);
    const std::vector<float> spectrum = stereo(s, s).getSpectrum(512);
    ASSERT_EQ(spectrum.size(), 512u);
    const auto loudest = std::max_element(spectrum.begin(), spectrum.end()) - spectrum.begin();
    EXPECT_NEAR(static_cast<double>(loudest), band, 1.0);
    EXPECT_GT(spectrum[loudest], 50.0f);
    EXPECT_EQ(spectrum[10], 0.0f);
    EXPECT_EQ(spectrum[500], 0.0f);

    // One value: the maximum of the smoothed bands 0..255. Bin 100 lies in a
    // band above 255 and is dropped; bin 10 lies below and is kept.
    ASSERT_GT(band, 255);
    EXPECT_EQ(stereo(s, s).getSpectrum(1), std::vector<float>{0.0f});
    const std::vector<float> low = sine(2048, 10, 0.01);
    const std::vector<float> one = stereo(low, low).getSpectrum(1);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_GT(one[0], 50.0f);
    const std::vector<float> lowBands = stereo(low, low).getSpectrum(512);
    EXPECT_GE(one[0], *std::max_element(lowBands.begin(), lowBands.end()));
    EXPECT_EQ(stereo(s, s).getSpectrum(2000).size(), 1024u);
    EXPECT_EQ(stereo(s, s).getSpectrum(100).size(), 100u);
    EXPECT_EQ(AudioBuffer().getSpectrum(700), std::vector<float>(700, 0.0f));
    EXPECT_EQ(stereo(std::vector<float>(4096), std::vector<float>(4096)).getSpectrum(64), std::vector<float>(64, 0.0f));
}

// An impulse has power 1 in every bin, so each band holds its own width.
// The reference follows the band steps on those widths.
std::vector<double> impulseReference(int c) {
    const auto edge = [](int e) {
        return e == 512 ? 1024.0 : 256 * std::pow(e / 512.0, 9.0) + 2 * std::pow(384.0, e / 512.0);
    };
    std::vector<double> p(512), sm(512), r(c, 0.0), y(c);
    for (int b = 0; b < 512; ++b) p[b] = std::clamp(48 * std::sqrt(edge(b + 1) - edge(b)) - 64, 0.0, 32767.0);
    for (int i = 0; i < 512; ++i) {
        const double a = i > 0 ? p[i - 1] : 0, z = i < 511 ? p[i + 1] : 0;
        sm[i] = (a + 2 * p[i] + z) / ((i > 0) + 2 + (i < 511));
    }
    for (int j = 0; j < c; ++j) {
        if (c <= 512) {
            for (int i = 0; i < 512; ++i)
                if ((256 + i * c) / 512 == j) r[j] = std::max(r[j], sm[i]);
        } else {
            const double t = j * 512.0 / c;
            const int i = static_cast<int>(t);
            r[j] = (i + 1 - t) * sm[i] + (t - i) * (i < 511 ? sm[i + 1] : 0);
        }
    }
    const int d = 2 * c;
    for (int j = 0; j < c; ++j) {
        if (d < 32) {
            y[j] = r[j];
            continue;
        }
        const int reach = d < 256 ? 1 : d / 256;
        double sum = 0, weights = 0;
        for (int k = std::max(0, j - reach); k <= std::min(c - 1, j + reach); ++k) {
            const double w = d < 256 ? (k == j ? 512 : d) : reach + 1 - std::abs(k - j);
            sum += w * r[k];
            weights += w;
        }
        y[j] = sum / weights;
    }
    return y;
}

TEST(AudioBuffer, SpectrumOfAnImpulseFollowsTheBandWidths) {
    std::vector<float> impulse(2048, 0.0f);
    impulse[0] = 1.0f;
    const AudioBuffer b = mono(impulse);
    for (int c : {1, 8, 15, 16, 100, 127, 128, 512, 700, 1024}) {
        SCOPED_TRACE(c);
        const std::vector<float> got = b.getSpectrum(c);
        const std::vector<double> want = impulseReference(c);
        ASSERT_EQ(got.size(), want.size());
        for (int j = 0; j < c; ++j) EXPECT_NEAR(got[j], want[j], 0.01 + want[j] * 1e-4) << j;
    }
}

TEST(WaveformBuffer, BlocksOfSilenceFullScaleAndNull) {
    Media::WaveformBuffer w(3 * 128);
    const AudioBuffer silence = stereo(std::vector<float>(48000), std::vector<float>(48000));
    std::vector<float> full(48000, -1.0f), other(48000, 1.0f);
    const AudioBuffer loud = stereo(full, other);
    w.setBlock(&silence, 0);
    w.setBlock(&loud, 1);
    for (int i = 0; i < 128; ++i) {
        EXPECT_EQ(w.entry(i)[0], 128);
        EXPECT_EQ(w.entry(i)[1], 128);
        EXPECT_EQ(w.entry(128 + i)[0], 0);
        EXPECT_EQ(w.entry(128 + i)[1], 255);
    }
    // A half-level positive mono block: the minimum starts at 0 (128).
    const AudioBuffer half = mono(std::vector<float>(1000, 0.5f));
    w.setBlock(&half, 2);
    EXPECT_EQ(w.entry(256)[0], 128);
    EXPECT_EQ(w.entry(256)[1], 192);
    // Fewer samples than entries: empty ranges give (128, 128).
    const AudioBuffer tiny = mono({0.5f});
    w.setBlock(&tiny, 2);
    EXPECT_EQ(w.entry(256)[1], 128);
    EXPECT_EQ(w.entry(383)[1], 192);
    w.setBlock(nullptr, 1);
    EXPECT_EQ(w.entry(128)[0], 0);
    EXPECT_EQ(w.entry(255)[1], 0);
    w.setBlock(&loud, 3);  // no room: nothing written, no overrun
    w.setBlock(&loud, -1);
}

}  // namespace
