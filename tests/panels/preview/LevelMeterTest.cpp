// The levels the preview measures from a rendered block and how the meter
// stands them on its bars: dB of peak and RMS, positions, markers and the
// coloured segments.
#include "panels/preview/LevelMeterControl.h"
#include "panels/preview/LevelMeterValues.h"

#include "media/audio/AudioBuffer.h"
#include "window/WindowControlOwner.h"
#include "window/controls/ControlPaint.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using namespace Component;

Media::AudioBuffer block(int channels, std::uint32_t n, float (*left)(std::uint32_t),
                         float (*right)(std::uint32_t) = nullptr) {
    Media::AudioBuffer buffer;
    buffer.allocate(n, channels);
    for (std::uint32_t i = 0; i < n; ++i) {
        buffer.getChannel(0)[i] = left(i);
        if (channels == 2) buffer.getChannel(1)[i] = right ? right(i) : left(i);
    }
    return buffer;
}

LevelMeterValues measured(const Media::AudioBuffer& buffer) {
    LevelMeterValues values;
    values.frame = 17;
    measureBlockLevels(buffer, values);
    return values;
}

constexpr double kPi = 3.14159265358979323846;

TEST(LevelMeterValues, SilenceAFullScaleSineAndAHalfScaleSide) {
    const LevelMeterValues silent = measured(block(2, 1470, [](std::uint32_t) { return 0.0f; }));
    for (const ChannelLevel& c : {silent.left, silent.right}) {
        EXPECT_EQ(c.falling, -60.0f);
        EXPECT_EQ(c.rms, -60.0f);
        EXPECT_EQ(c.held, -60.0f);
        EXPECT_EQ(c.unused, -60.0f);
    }
    EXPECT_EQ(silent.frame, 17);  // the frame is not the block's to change

    // 1470 samples: 10 whole periods of a sine of amplitude 1 on the left,
    // a constant -0.5 on the right.
    const LevelMeterValues sine = measured(block(
        2, 1470, [](std::uint32_t i) { return static_cast<float>(std::sin(2 * kPi * i / 147.0)); },
        [](std::uint32_t) { return -0.5f; }));
    EXPECT_NEAR(sine.left.falling, 0.0, 0.01);
    EXPECT_NEAR(sine.left.rms, -3.0103, 0.01);
    EXPECT_EQ(sine.left.held, sine.left.falling);
    EXPECT_EQ(sine.left.unused, sine.left.rms);
    // A side of only negative samples has a real peak: its magnitude.
    EXPECT_NEAR(sine.right.falling, -6.0206, 0.001);
    EXPECT_NEAR(sine.right.rms, -6.0206, 0.001);
}

TEST(LevelMeterValues, AMonoBlockShowsOnBothSidesAndNonFiniteSamplesAreSilence) {
    const LevelMeterValues mono = measured(block(1, 100, [](std::uint32_t) { return 0.1f; }));
    EXPECT_NEAR(mono.left.falling, -20.0, 0.001);
    EXPECT_EQ(mono.right.falling, mono.left.falling);
    EXPECT_EQ(mono.right.rms, mono.left.rms);

    const LevelMeterValues broken = measured(block(2, 64, [](std::uint32_t i) {
        return i % 2 ? std::numeric_limits<float>::quiet_NaN() : std::numeric_limits<float>::infinity();
    }));
    EXPECT_EQ(broken.left.falling, -60.0f);
    EXPECT_EQ(broken.left.rms, -60.0f);

    LevelMeterValues empty = measured(Media::AudioBuffer{});
    EXPECT_EQ(empty.left.falling, -60.0f);
    EXPECT_EQ(empty.right.rms, -60.0f);
}

TEST(LevelMeterValues, LevelsStandAboveTheBottomInProportion) {
    struct Case {
        float db;
        int height, pixels;
    };
    const Case cases[] = {{-20, 300, 200}, {-3, 300, 285}, {-60, 300, 0}, {-75, 300, 0},
                          {0, 300, 300},   {45, 300, 300}, {-59.5f, 300, 3}};
    for (const Case& c : cases) EXPECT_EQ(levelPixels(c.db, c.height), c.pixels) << c.db;
}

class LevelMeterControlTest : public ::testing::Test {
protected:
    void size(int w, int h) {
        rect = {0, 0, w, h};
        owner.updateLayout();
    }
    Window::Rect rect{0, 0, 36, 300};
    Window::WindowControlOwner owner{nullptr, nullptr, nullptr, 200, &rect, &rect};
    LevelMeterControl meter{owner, 0, 0, 0, 0, nullptr};
};

TEST_F(LevelMeterControlTest, GeometryFollowsTheSizeAndTheThresholds) {
    size(36, 300);
    EXPECT_EQ(meter.barWidth, 15);
    EXPECT_EQ(meter.leftX, 2);
    EXPECT_EQ(meter.rightX, 19);
    EXPECT_EQ(meter.markerThickness, 3);
    EXPECT_EQ(meter.yellowLine, 200);  // -20 dB
    EXPECT_EQ(meter.redLine, 285);     // -3 dB
    size(36, 1000);
    EXPECT_EQ(meter.markerThickness, 5);
    size(4, 0);
    EXPECT_EQ(meter.barWidth, 1);
    EXPECT_EQ(meter.meterHeight, 1);
}

TEST_F(LevelMeterControlTest, TheBarIsLitUpToThePeakInItsColours) {
    size(36, 300);
    using B = Resource::ColorBrushList;
    using S = LevelMeterControl::Segment;
    const auto same = [](const std::vector<S>& a, std::vector<S> b) {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i)
            if (a[i].brush != b[i].brush || a[i].top != b[i].top || a[i].bottom != b[i].bottom) return false;
        return true;
    };
    // Silence: nothing lit.
    EXPECT_TRUE(same(meter.barSegments(0), {{B::LevelMeterGreen0, 0, 0},
                                            {B::LevelMeterGreen1, 200, 0},
                                            {B::LevelMeterYellow1, 285, 200},
                                            {B::LevelMeterRed1, 300, 285}}));
    // -10 dB (250 px): green and part of yellow lit.
    EXPECT_TRUE(same(meter.barSegments(250), {{B::LevelMeterGreen0, 200, 0},
                                              {B::LevelMeterYellow0, 250, 200},
                                              {B::LevelMeterYellow1, 285, 250},
                                              {B::LevelMeterRed1, 300, 250 + 35}}));
    // Full scale: every segment lit, the top one red.
    EXPECT_TRUE(same(meter.barSegments(300), {{B::LevelMeterGreen0, 200, 0},
                                              {B::LevelMeterYellow0, 285, 200},
                                              {B::LevelMeterRed0, 300, 285},
                                              {B::LevelMeterRed1, 300, 300}}));
}

TEST_F(LevelMeterControlTest, ResetSilencesEveryLevelButKeepsTheFrame) {
    LevelMeterValues loud;
    loud.frame = 9;
    setChannelLevel(loud.left, 1.0f, 0.5f);
    setChannelLevel(loud.right, 1.0f, 0.5f);
    meter.setValues(loud);
    EXPECT_EQ(meter.values.left.falling, 0.0f);
    meter.reset();
    EXPECT_EQ(meter.values.frame, 9);
    EXPECT_EQ(meter.values.left.falling, -60.0f);
    EXPECT_EQ(meter.values.right.rms, -60.0f);
}

}  // namespace
