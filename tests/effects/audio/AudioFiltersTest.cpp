// The three sound filters: gains and pan, fade ramps and the mono mix, each
// against values worked out by hand, and once through the real audio walk.
#include "effects/audio/AudioFadeFilter.h"
#include "effects/audio/AudioMonoFilter.h"
#include "effects/audio/AudioVolume.h"

#include "media/audio/AudioBuffer.h"
#include "render/audio/AudioObjectContext.h"

#include "effect/EffectTestSupport.h"
#include "render/audio/AudioWalkFixture.h"

#include <gtest/gtest.h>

namespace {

// Number items need the movements installed.
class AudioFilterTest : public ::testing::Test {
protected:
    AudioFilterTest() { EffectTest::Movements::install(); }
};

using AudioTest::plane;
using AudioTest::planes;

struct Gains {
    float left, right;
};

Gains volumeGains(double volume, double pan) {
    Effect::AudioVolume filter;
    filter.volume.setValue(volume, 0);
    filter.pan.setValue(pan, 0);
    Render::AudioObjectContext context;
    Effect::ObjectFrames frames;
    frames.end = 9;
    context.setObjectFrames(frames);
    auto block = planes({{0.5f}, {0.25f}});
    Media::AudioBuffer* original = block.get();
    std::unique_ptr<Media::AudioBuffer> out;
    filter.filterAudio(out, context, std::move(block));
    EXPECT_EQ(out.get(), original);
    EXPECT_EQ(plane(*out, 0), std::vector<float>{0.5f});  // samples untouched
    EXPECT_EQ(plane(*out, 1), std::vector<float>{0.25f});
    return {context.leftGain, context.rightGain};
}

TEST_F(AudioFilterTest, VolumeVolumeScalesBothGainsAndPanLowersTheFarSide) {
    struct Case {
        double volume, pan;
        Gains expected;
    } cases[] = {
        {50, 50, {0.25f, 0.5f}},
        {100, -100, {1.0f, 0.0f}},
        {100, 100, {0.0f, 1.0f}},
        {200, 0, {2.0f, 2.0f}},
        {0, 30, {0.0f, 0.0f}},
        {100, -25, {1.0f, 0.75f}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.volume << " / " << c.pan);
        const Gains gains = volumeGains(c.volume, c.pan);
        EXPECT_FLOAT_EQ(gains.left, c.expected.left);
        EXPECT_FLOAT_EQ(gains.right, c.expected.right);
    }
}

TEST_F(AudioFilterTest, FadeRampsAtThirtyFramesASecond) {
    const double d = 1.0 / 30.0;
    struct Case {
        const char* what;
        float in, out;
        int frame, end;
        float begin, finish;
    } cases[] = {
        {"first frame of a half-second fade in", 0.5f, 0.0f, 0, 99, 0.0f, 1.0f / 15},
        {"last frame of the fade in", 0.5f, 0.0f, 14, 99, 14.0f / 15, 1.0f},
        {"after the fade in", 0.5f, 0.0f, 15, 99, 1.0f, 1.0f},
        {"last frame fades to silence", 0.0f, 0.5f, 29, 29, 0.0f, 0.0f},
        {"the frame before it", 0.0f, 0.5f, 28, 29, 1.0f / 15, 0.0f},
        {"before the fade out", 0.0f, 0.5f, 14, 29, 1.0f, 1.0f},
        // Both longer than the object: frame 7 of 0..9 is at 7/30..8/30 of
        // the fade in and at 2/30..1/30 of the fade out, the lower.
        {"two fades over a short object", 1.0f, 1.0f, 7, 9, 2.0f / 30, 1.0f / 30},
        {"no fades", 0.0f, 0.0f, 0, 9, 1.0f, 1.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const double seconds = c.frame * d;
        const double left = c.end * d - seconds;
        const auto ramp = Effect::AudioFadeFilter::rampAt(c.in, c.out, seconds, left, d);
        EXPECT_NEAR(ramp.begin, c.begin, 1e-6);
        EXPECT_NEAR(ramp.end, c.finish, 1e-6);
    }
    // Frame 3 of 0..9 with both fades of one second: in gives 0.1..0.1333,
    // out gives 0.2..0.1667; each end takes the lower.
    const auto both = Effect::AudioFadeFilter::rampAt(1.0f, 1.0f, 3 * d, 6 * d, d);
    EXPECT_NEAR(both.begin, 0.1f, 1e-6);
    EXPECT_NEAR(both.end, 4.0f / 30, 1e-6);
}

class AudioFadeSamples : public AudioFilterTest {
protected:
    // Runs the filter on a block of ones at the frame of an object 0..end of
    // a 30 fps scene.
    std::unique_ptr<Media::AudioBuffer> run(Effect::AudioFadeFilter& filter, int frame, int end,
                                            std::unique_ptr<Media::AudioBuffer> block) {
        scene.videoRate = 30;
        scene.videoScale = 1;
        frames.start = 0;
        frames.end = end;
        Render::AudioObjectContext context;
        context.scene = &scene;
        context.setObjectFrames(frames);
        context.frame = frame;
        context.time = frame;
        context.updateSectionPosition();
        std::unique_ptr<Media::AudioBuffer> out;
        filter.filterAudio(out, context, std::move(block));
        return out;
    }
    Edit::Scene scene{1, 0};
    Effect::ObjectFrames frames;
};

TEST_F(AudioFadeSamples, EachSampleTakesItsPlaceOnTheRamp) {
    Effect::AudioFadeFilter filter;
    filter.fadeOut.setValue(0, 0);
    // 16 samples at frame 0: sample k is multiplied by k / 15 / 16.
    auto out = run(filter, 0, 99, planes({std::vector<float>(16, 1.0f), std::vector<float>(16, 2.0f)}));
    for (int k = 0; k < 16; ++k) {
        const float gain = 0.0f + static_cast<float>(k) * ((1.0f / 15) / 16.0f);
        EXPECT_FLOAT_EQ(plane(*out, 0)[k], gain) << k;
        EXPECT_FLOAT_EQ(plane(*out, 1)[k], 2.0f * gain) << k;
    }
    // Past the fades the samples are untouched, to the bit.
    auto later = run(filter, 20, 99, planes({{0.3f, -0.7f}, {0.1f, 0.9f}}));
    EXPECT_EQ(plane(*later, 0), (std::vector<float>{0.3f, -0.7f}));
    EXPECT_EQ(plane(*later, 1), (std::vector<float>{0.1f, 0.9f}));
}

TEST_F(AudioFadeSamples, AOneChannelBlockIsRampedOnce) {
    Effect::AudioFadeFilter filter;
    filter.fadeIn.setValue(0, 0);
    // Frame 28 of 0..29: 1/15 down to 0 over 4 samples.
    auto out = run(filter, 28, 29, planes({{1.0f, 1.0f, 1.0f, 1.0f}}));
    ASSERT_EQ(out->channels, 1);
    const float begin = 1.0f / 15;
    const float step = (0.0f - begin) / 4.0f;
    for (int k = 0; k < 4; ++k) EXPECT_FLOAT_EQ(plane(*out, 0)[k], begin + static_cast<float>(k) * step) << k;
}

TEST_F(AudioFilterTest, MonoBothSidesCarryTheWeightedSum) {
    struct Case {
        double ratio;
        float left, right;  // of L = 0.5, R = 0.25
    } cases[] = {
        {0, 0.75f, 0.75f},      // not halved
        {100, 0.25f, 0.25f},    // R only
        {-100, 0.5f, 0.5f},     // L only
        {50, 0.5f, 0.5f},       // 0.5 x 0.5 + 0.25
        {-50, 0.625f, 0.625f},  // 0.5 + 0.5 x 0.25
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ratio);
        Effect::AudioMonoFilter filter;
        filter.ratio.setValue(c.ratio, 0);
        Render::AudioObjectContext context;
        Effect::ObjectFrames frames;
        context.setObjectFrames(frames);
        std::unique_ptr<Media::AudioBuffer> out;
        filter.filterAudio(out, context, planes({{0.5f, 0.5f}, {0.25f, 0.25f}}));
        EXPECT_EQ(plane(*out, 0), (std::vector<float>{c.left, c.left}));
        EXPECT_EQ(plane(*out, 1), (std::vector<float>{c.right, c.right}));
    }
    // A one-channel block is left as it is instead of doubled.
    Effect::AudioMonoFilter filter;
    Render::AudioObjectContext context;
    Effect::ObjectFrames frames;
    context.setObjectFrames(frames);
    std::unique_ptr<Media::AudioBuffer> out;
    filter.filterAudio(out, context, planes({{0.5f, -0.25f}}));
    EXPECT_EQ(plane(*out, 0), (std::vector<float>{0.5f, -0.25f}));
}

class AudioFiltersWalkTest : public ::testing::Test, public AudioTest::AudioWalkFixture {
protected:
    template <class Kind>
    void registerReal() {
        if (!service.createEffect(Kind::Name)) service.registerEffect<Kind>();
    }
    bool real = [this] {
        registerReal<Effect::AudioVolume>();
        registerReal<Effect::AudioMonoFilter>();
        registerReal<Effect::AudioFadeFilter>();
        return true;
    }();
};

// 音量調整 50 / 左右 50 then モノラル化 at 100 on the object's chain: both
// sides carry R, the left at a quarter and the right at a half.
TEST_F(AudioFiltersWalkTest, FiltersOnTheChainChangeTheMixSampleExactly) {
    scene().videoRate = 30;
    scene().videoScale = 1;
    scene().audioRate = 48000;
    Edit::ObjectPointer object = placeSignal(0, 0, 9);
    auto& volume = dynamic_cast<Effect::AudioVolume&>(
        *object->addEffect(Effect::AudioVolume::Name, 0, object->effectList[0].get()));
    volume.volume.setValue(50, 0);
    volume.pan.setValue(50, 0);
    auto& mono = dynamic_cast<Effect::AudioMonoFilter&>(
        *object->addEffect(Effect::AudioMonoFilter::Name, 0, &volume));
    mono.ratio.setValue(100, 0);
    for (int f : {0, 5, 9}) {
        SCOPED_TRACE(f);
        auto mix = render(f);
        ASSERT_EQ(mix[0].size(), 1600u);
        const std::int64_t first = 1600 * f;
        for (std::size_t n = 0; n < mix[0].size(); ++n) {
            const float r = AudioTest::signalRight(first + static_cast<std::int64_t>(n));
            ASSERT_EQ(mix[0][n], r * 0.25f) << n;
            ASSERT_EQ(mix[1][n], r * 0.5f) << n;
        }
    }
}

}  // namespace
