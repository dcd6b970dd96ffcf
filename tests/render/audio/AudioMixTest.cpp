// Mixing an object's sound into the frame's buffer: gains per side, mono
// and stereo in either place, a source shorter than the target, group
// gains, and the sound output's volume and linear pan.
#include "AudioTestSupport.h"

#include "effect/registry/BuiltinEffectHooks.h"
#include "render/audio/AudioEffects.h"
#include "render/audio/OutputAudioEffect.h"
#include "render/output/MovieOutput.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using AudioTest::plane;
using AudioTest::planes;
using V = std::vector<float>;

struct MixCase {
    const char* name;
    std::vector<V> target;
    std::vector<V> source;
    float left, right;
    std::vector<V> expected;  // every sample of the target after the mix
};

TEST(AudioMixTest, AddsEachSideScaledByItsGainAndNothingPastTheShorterBuffer) {
    const MixCase cases[] = {
        {"stereo into stereo", {{1, 1, 1}, {2, 2, 2}}, {{0.5f, -0.5f, 0.25f}, {1, 2, 3}}, 2.0f, 0.5f,
         {{2, 0, 1.5f}, {2.5f, 3, 3.5f}}},
        {"mono source feeds both sides", {{0, 0}, {0, 0}}, {{0.5f, -1}}, 1.0f, 0.25f,
         {{0.5f, -1}, {0.125f, -0.25f}}},
        {"mono target takes both sides", {{1, 1}}, {{0.5f, 0.5f}, {0.25f, -0.25f}}, 2.0f, 4.0f,
         {{1 + 1 + 1, 1 + 1 - 1}}},
        // 11 samples: one whole group of 8 and 3 more; the target's 4 later
        // samples keep their values although the source's padding is 99.
        {"short source, partial group",
         {{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 7, 7, 7, 7}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 7, 7, 7, 7}},
         {V(11, 1.0f), V(11, -1.0f)}, 0.5f, 0.5f,
         {{.5f, .5f, .5f, .5f, .5f, .5f, .5f, .5f, .5f, .5f, .5f, 7, 7, 7, 7},
          {-.5f, -.5f, -.5f, -.5f, -.5f, -.5f, -.5f, -.5f, -.5f, -.5f, -.5f, 7, 7, 7, 7}}},
        {"source longer than target", {{0, 0, 0}, {0, 0, 0}}, {V(20, 1.0f), V(20, 1.0f)}, 1.0f, 1.0f,
         {{1, 1, 1}, {1, 1, 1}}},
        {"no clipping", {{0.9f}, {0.9f}}, {{0.9f}, {-0.9f}}, 10.0f, 10.0f, {{9.9f}, {-8.1f}}},
    };
    for (const MixCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto target = planes(c.target, 55.0f);
        auto source = planes(c.source);
        Render::AudioObjectContext context;
        context.leftGain = c.left;
        context.rightGain = c.right;
        Effect::OutputAudioEffect::mixAudio(context, *target, *source);
        for (int ch = 0; ch < target->channels; ++ch) {
            const V got = plane(*target, ch);
            ASSERT_EQ(got.size(), c.expected[static_cast<std::size_t>(ch)].size());
            for (std::size_t i = 0; i < got.size(); ++i)
                EXPECT_FLOAT_EQ(got[i], c.expected[static_cast<std::size_t>(ch)][i]) << "channel " << ch << " " << i;
        }
        // The target's own padding is not written either.
        const std::uint32_t n = target->samples;
        EXPECT_EQ(target->left.as<float>()[n], 55.0f);
    }
}

TEST(AudioMixTest, OneRoundingPerSampleWhateverTheProcessor) {
    // 1 + 2^-23 times itself loses its last bit when rounded before the
    // add; a fused multiply-add keeps it.
    const float x = 1.0f + std::ldexp(1.0f, -23);
    auto target = planes({{-1.0f}, {0.0f}});
    auto source = planes({{x}, {0.0f}});
    Render::AudioObjectContext context;
    context.leftGain = x;
    Effect::OutputAudioEffect::mixAudio(context, *target, *source);
    EXPECT_EQ(plane(*target, 0)[0], std::fma(x, x, -1.0f));
    EXPECT_EQ(plane(*target, 0)[0], std::ldexp(1.0f, -22) + std::ldexp(1.0f, -46));
}

class AudioOutputTest : public ::testing::Test, public AudioTest::SoundScene {
protected:
    // The output's mix of a source into a fresh silent stereo target.
    std::vector<V> play(const Edit::ObjectPointer& object, const std::vector<V>& source,
                        const Edit::ObjectPointer& group = nullptr) {
        auto target = planes({V(source.front().size(), 0.0f), V(source.front().size(), 0.0f)});
        Render::AudioObjectContext context;
        context.scene = &scene;
        context.layer = object->layer;
        context.setObject(object);
        context.groupAudioControl = group;
        std::unique_ptr<Media::AudioBuffer> audio = planes(source);
        outputOf(object).outputAudio(context, *target, audio);
        return {plane(*target, 0), plane(*target, 1)};
    }
};

TEST_F(AudioOutputTest, VolumeAndLinearPan) {
    struct Case {
        double volume, pan;
        float left, right;  // the mix of a full-scale source on each side
    } cases[] = {
        {100, 0, 1.0f, 1.0f},    {50, 100, 0.0f, 0.5f},  {50, -100, 0.5f, 0.0f},
        {100, 25, 0.75f, 1.0f},  {100, -50, 1.0f, 0.5f}, {1000, 0, 10.0f, 10.0f},
        {0, 0, 0.0f, 0.0f},
    };
    Edit::ObjectPointer object = placeSound(0, 0, 99, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "volume " << c.volume << " pan " << c.pan);
        outputOf(object).volume.setValue(c.volume, 0);
        outputOf(object).pan.setValue(c.pan, 0);
        const auto mixed = play(object, {V(9, 1.0f), V(9, 1.0f)});
        for (float s : mixed[0]) EXPECT_FLOAT_EQ(s, c.left);
        for (float s : mixed[1]) EXPECT_FLOAT_EQ(s, c.right);
    }
}

TEST_F(AudioOutputTest, TheInnermostGroupControlsGainsScaleTheMix) {
    Edit::ObjectPointer object = placeSound(2, 0, 99, nullptr);
    Edit::ObjectPointer group = placeGroup(0, 0, 99, 0.5f, 0.5f);
    auto& gains = dynamic_cast<AudioTest::GroupAudio&>(*group->effectList[0]);
    gains.leftGain = 0.25f;  // as left by two nested controls at 50 %
    gains.rightGain = 0.5f;
    outputOf(object).volume.setValue(50, 0);
    const auto mixed = play(object, {{0.8f, -0.8f}, {0.8f, 0.4f}}, group);
    EXPECT_EQ(mixed[0], (V{0.1f, -0.1f}));
    EXPECT_EQ(mixed[1], (V{0.2f, 0.1f}));
}

TEST_F(AudioOutputTest, TwoObjectsOnOneFrameAddUp) {
    Edit::ObjectPointer first = placeSound(0, 0, 99, nullptr);
    Edit::ObjectPointer second = placeSound(1, 0, 99, nullptr);
    outputOf(second).pan.setValue(100, 0);
    auto target = planes({V(4, 0.0f), V(4, 0.0f)});
    for (const auto& object : {first, second}) {
        Render::AudioObjectContext context;
        context.scene = &scene;
        context.setObject(object);
        std::unique_ptr<Media::AudioBuffer> audio = planes({{0.25f, 0.25f, 0.25f, 0.25f}});
        outputOf(object).outputAudio(context, *target, audio);
    }
    EXPECT_EQ(plane(*target, 0), V(4, 0.25f));
    EXPECT_EQ(plane(*target, 1), V(4, 0.5f));
}

// The built-in table's row of the sound output reaches its class once the
// rendering installs it, and a new sound object gets it as its output.
TEST(AudioOutputRegistrationTest, TheRowRegistersTheSoundOutput) {
    struct Uninstall {
        ~Uninstall() { Effect::installBuiltinEffect(12, nullptr); }
    } uninstall;
    Render::installAudioEffects();
    RegistryTest::Environment env;
    Effect::EffectService service;
    const Effect::EffectDefine& define = service.findEffect(L"音声再生");
    EXPECT_EQ(define.order, 20);
    EXPECT_NE(dynamic_cast<Effect::AudioOutput*>(define.prototype.get()), nullptr);
    EXPECT_EQ(define.prototype->effectType, Effect::EffectKind::Output);
    EXPECT_EQ(define.prototype->mediaType, Effect::MediaKind::Audio);
    EXPECT_EQ(define.prototype->items.size(), 2u);
}

}  // namespace

namespace {

// The video playback output's sound: its volume, then the common mix with
// the group's gains; it has no pan.
TEST_F(AudioOutputTest, TheMovieOutputPlaysAtItsVolume) {
    Effect::MovieOutput movie;
    movie.volume.setValue(250, 0);
    Edit::ObjectPointer object = placeSound(0, 0, 99, nullptr);
    Render::AudioObjectContext context;
    context.scene = &scene;
    context.setObject(object);
    context.rightGain = 0.5f;  // as a filter before the output may leave it
    auto target = planes({V(3, 1.0f), V(3, 0.0f)});
    std::unique_ptr<Media::AudioBuffer> audio = planes({{0.5f, -0.25f, 0.0f}});
    movie.outputAudio(context, *target, audio);
    EXPECT_EQ(plane(*target, 0), (V{2.25f, 0.375f, 1.0f}));
    EXPECT_EQ(plane(*target, 1), (V{0.625f, -0.3125f, 0.0f}));
}

}  // namespace
