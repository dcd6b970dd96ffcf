// The playback level meter: peak and RMS in dB, the fall of 60 dB a second,
// the three-second hold, the 0.4-second RMS window, mono blocks and
// samples that are not numbers.
#include "render/player/LevelMeter.h"

#include "media/audio/AudioBuffer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

Media::AudioBuffer constant(float left, float right, int channels = 2, std::uint32_t samples = 1600) {
    Media::AudioBuffer buffer;
    buffer.allocate(samples, channels);
    for (std::uint32_t i = 0; i < samples; ++i) {
        buffer.getChannel(0)[i] = left;
        if (channels == 2) buffer.getChannel(1)[i] = right;
    }
    return buffer;
}

Render::LevelRecord last(const Render::LevelMeter& meter) { return meter.records().back(); }

TEST(LevelMeterTest, SilenceFullScaleAndHalfScale) {
    Render::LevelMeter meter;
    meter.reset(30, 1);
    meter.measure(0, constant(0.0f, 0.0f));
    Render::LevelRecord r = last(meter);
    EXPECT_EQ(r.frame, 0);
    EXPECT_EQ(r.left.falling, -60.0f);
    EXPECT_EQ(r.left.rms, -60.0f);
    EXPECT_EQ(r.left.held, -60.0f);
    EXPECT_EQ(r.left.unused, -60.0f);

    meter.measure(1, constant(1.0f, 0.5f));
    r = last(meter);
    EXPECT_FLOAT_EQ(r.left.falling, 0.0f);
    EXPECT_FLOAT_EQ(r.left.held, 0.0f);
    EXPECT_NEAR(r.right.falling, -6.0206f, 1e-4);  // 20 log10(0.5)
    // One loud block among 12 window entries: 20 log10(sqrt(1 / 12)).
    EXPECT_NEAR(r.left.rms, -10.7918f, 1e-3);
    for (int f = 2; f <= 12; ++f) meter.measure(f, constant(1.0f, 0.5f));
    EXPECT_NEAR(last(meter).left.rms, 0.0f, 1e-5);  // the window is full
    EXPECT_NEAR(last(meter).right.rms, -6.0206f, 1e-4);
}

TEST(LevelMeterTest, FallsTwoDecibelsAFrameAndHoldsThreeSecondsAtThirtyFrames) {
    Render::LevelMeter meter;
    meter.reset(30, 1);
    meter.measure(10, constant(1.0f, 1.0f));
    for (int f = 11; f <= 100; ++f) {
        meter.measure(f, constant(0.0f, 0.0f));
        const Render::LevelRecord r = last(meter);
        EXPECT_FLOAT_EQ(r.left.falling, std::max(-2.0f * static_cast<float>(f - 10), -60.0f)) << f;
        EXPECT_FLOAT_EQ(r.left.held, 0.0f) << f;  // frames 10..100 are within 90 of the peak
    }
    meter.measure(101, constant(0.0f, 0.0f));
    EXPECT_FLOAT_EQ(last(meter).left.held, -60.0f);  // the hold ran out
    EXPECT_EQ(last(meter).frame, 101);
}

TEST(LevelMeterTest, PeakIsTheLargestMagnitude) {
    Render::LevelMeter meter;
    meter.reset(30, 1);
    meter.measure(0, constant(-1.0f, -0.1f));
    EXPECT_FLOAT_EQ(last(meter).left.falling, 0.0f);
    EXPECT_FLOAT_EQ(last(meter).right.falling, -20.0f);
}

TEST(LevelMeterTest, SamplesThatAreNoNumbersCountAsSilence) {
    Render::LevelMeter meter;
    meter.reset(30, 1);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    meter.measure(0, constant(nan, inf));
    Render::LevelRecord r = last(meter);
    EXPECT_EQ(r.left.falling, -60.0f);
    EXPECT_EQ(r.left.rms, -60.0f);
    EXPECT_EQ(r.right.falling, -60.0f);
    EXPECT_EQ(r.right.held, -60.0f);
    Media::AudioBuffer mixed = constant(0.5f, 0.5f, 2, 4);
    mixed.getChannel(0)[1] = nan;
    meter.measure(1, mixed);
    r = last(meter);
    EXPECT_NEAR(r.left.falling, -6.0206f, 1e-4);
    // Three of four samples at 0.5: squared RMS 0.75 / 4, window of 12.
    EXPECT_NEAR(r.left.rms, 20.0 * std::log10(std::sqrt(0.75 / 4 / 12)), 1e-4);
}

TEST(LevelMeterTest, MonoBlocksGiveEqualSides) {
    Render::LevelMeter meter;
    meter.reset(30000, 1001);
    meter.measure(3, constant(0.25f, 0.0f, 1));
    const Render::LevelRecord r = last(meter);
    EXPECT_EQ(r.left.falling, r.right.falling);
    EXPECT_EQ(r.left.rms, r.right.rms);
    EXPECT_EQ(r.left.held, r.right.held);
}

TEST(LevelMeterTest, DisabledMeasuresNothingAndClearEmptiesTheQueue) {
    Render::LevelMeter meter;
    meter.reset(30, 1);
    meter.setEnabled(false);
    meter.measure(0, constant(1.0f, 1.0f));
    EXPECT_TRUE(meter.records().empty());
    meter.setEnabled(true);
    meter.measure(0, constant(1.0f, 1.0f));
    meter.measure(1, constant(1.0f, 1.0f));
    meter.measure(2, constant(1.0f, 1.0f));
    EXPECT_EQ(meter.takeUpTo(1).size(), 2u);
    EXPECT_EQ(meter.records().size(), 1u);
    meter.clear();
    EXPECT_TRUE(meter.records().empty());
    meter.measure(3, constant(0.0f, 0.0f));
    EXPECT_EQ(last(meter).left.falling, -60.0f);  // the falling level was reset
    EXPECT_EQ(last(meter).left.held, -60.0f);
}

}  // namespace
