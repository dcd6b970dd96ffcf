// The group audio control and the time control: gains and the remapped
// frame worked out by hand, then both through the real audio walk.
#include "effects/control/GroupAudioControl.h"
#include "effects/control/TimeControl.h"

#include "effect/movement/MovementBase.h"
#include "effect/registry/BuiltinEffectHooks.h"
#include "effect/registry/EffectService.h"
#include "render/audio/AudioObjectContext.h"

#include "effect/EffectTestSupport.h"
#include "effects/EffectsTestSupport.h"
#include "render/audio/AudioWalkFixture.h"

#include <gtest/gtest.h>

namespace {

class ControlEffectTest : public ::testing::Test {
protected:
    ControlEffectTest() { EffectTest::Movements::install(); }
};

TEST_F(ControlEffectTest, GroupAudioGainsFromVolumeAndPanTimesTheEnclosingGroup) {
    struct Case {
        double volume, pan;
        float left, right;
    } cases[] = {
        {100, 0, 1.0f, 1.0f},  {200, 50, 1.0f, 2.0f}, {100, 100, 0.0f, 1.0f},
        {100, -100, 1.0f, 0.0f}, {50, -50, 0.5f, 0.25f}, {0, 0, 0.0f, 0.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.volume << " / " << c.pan);
        Effect::GroupAudioControl group;
        group.volume.setValue(c.volume, 0);
        group.pan.setValue(c.pan, 0);
        Render::AudioObjectContext context;
        Effect::ObjectFrames frames;
        context.setObjectFrames(frames);
        group.controlAudio(context);
        EXPECT_FLOAT_EQ(group.leftGain, c.left);
        EXPECT_FLOAT_EQ(group.rightGain, c.right);
    }
}

class TimeControlTest : public ControlEffectTest {
protected:
    // The time control object covers frames 10 to 20 (length 10).
    double mapped(Effect::TimeControl& control, int frame, int repeat, int drop) {
        frames.start = 10;
        frames.end = 20;
        Render::AudioObjectContext context;
        context.setObjectFrames(frames);
        context.frame = frame;
        context.time = frame;
        context.updateSectionPosition();
        return control.mappedFrame(context, repeat, drop);
    }
    Effect::ObjectFrames frames;
};

TEST_F(TimeControlTest, ANewControlMapsEveryFrameToItself) {
    Effect::TimeControl control;
    control.initialize();
    ASSERT_EQ(control.position.values.size(), 2u);
    for (int f = 10; f <= 20; ++f) EXPECT_DOUBLE_EQ(mapped(control, f, 1, 1), f) << f;
}

TEST_F(TimeControlTest, PositionRepeatAndDrop) {
    Effect::TimeControl control;
    control.initialize();
    // 繰り返し 2: k = 2q mod 11.
    struct Case {
        int frame, repeat, drop;
        double expected;
    } cases[] = {
        {13, 2, 1, 16},  // k = 6
        {15, 2, 1, 20},  // k = 10
        {16, 2, 1, 11},  // k = 12 mod 11 = 1
        {20, 2, 1, 19},  // k = 20 mod 11 = 9
        {10, 3, 1, 10},
        // コマ落ち 3: the frame changes every third frame.
        {11, 1, 3, 10}, {12, 1, 3, 10}, {13, 1, 3, 13}, {15, 1, 3, 13}, {16, 1, 3, 16},
        // Both: q = 3, k = 6.
        {14, 2, 3, 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "frame " << c.frame << " x" << c.repeat << " /" << c.drop);
        EXPECT_DOUBLE_EQ(mapped(control, c.frame, c.repeat, c.drop), c.expected);
    }
    // A constant 50: the middle of the object's range the whole time.
    Effect::TimeControl middle;
    middle.position.setValue(50, 0);
    for (int f = 10; f <= 20; ++f) EXPECT_DOUBLE_EQ(mapped(middle, f, 1, 1), 15.0) << f;
}

TEST_F(TimeControlTest, AOneFrameObjectShowsItsOnlyFrame) {
    Effect::TimeControl control;
    control.initialize();
    frames.start = 7;
    frames.end = 7;
    Render::AudioObjectContext context;
    context.setObjectFrames(frames);
    context.frame = 7;
    context.time = 7;
    context.updateSectionPosition();
    EXPECT_DOUBLE_EQ(control.mappedFrame(context, 5, 4), 7.0);
}

// The program's own controls in the walk: their rows are installed before
// the fixture's registry is made, so its stand-ins stay out.
struct Installed {
    Installed() {
        Effect::installBuiltinEffect(18, &Effect::registerBuiltinEffect<Effect::GroupAudioControl>);
        Effect::installBuiltinEffect(20, &Effect::registerBuiltinEffect<Effect::TimeControl>);
    }
    ~Installed() {
        Effect::installBuiltinEffect(18, nullptr);
        Effect::installBuiltinEffect(20, nullptr);
    }
};

class ControlWalkTest : public ::testing::Test, public Installed, public AudioTest::AudioWalkFixture {
protected:
    Edit::ObjectPointer place(const wchar_t* name, int layer, int start, int end) {
        Edit::ObjectPointer object = scene().createObject(name, layer, start, end);
        scene().updateLayerObject();
        return object;
    }
};

TEST_F(ControlWalkTest, TwoNestedGroupsAtHalfGiveAQuarterAndTheLayerRangeHolds) {
    scene().videoRate = 30;
    scene().videoScale = 1;
    scene().audioRate = 48000;
    Edit::ObjectPointer outer = place(Effect::GroupAudioControl::Name, 0, 0, 9);
    Edit::ObjectPointer inner = place(Effect::GroupAudioControl::Name, 1, 0, 9);
    ASSERT_NE(dynamic_cast<Effect::GroupAudioControl*>(outer->effectList[0].get()), nullptr);
    ASSERT_TRUE(outer->layerRangeControl);
    dynamic_cast<Effect::GroupAudioControl&>(*outer->effectList[0]).volume.setValue(50, 0);
    auto& innerGroup = dynamic_cast<Effect::GroupAudioControl&>(*inner->effectList[0]);
    innerGroup.volume.setValue(50, 0);
    innerGroup.layerRange.value = 1;  // only layer 2
    placeSignal(2, 0, 9);
    placeSignal(3, 0, 9);
    auto mix = render(4);
    ASSERT_EQ(mix[0].size(), 1600u);
    for (std::size_t n = 0; n < mix[0].size(); ++n) {
        const std::int64_t i = 1600 * 4 + static_cast<std::int64_t>(n);
        // Layer 2 at a quarter, layer 3 only in the outer group at a half.
        ASSERT_EQ(mix[0][n], AudioTest::signalLeft(i) * 0.25f + AudioTest::signalLeft(i) * 0.5f) << n;
        ASSERT_EQ(mix[1][n], AudioTest::signalRight(i) * 0.25f + AudioTest::signalRight(i) * 0.5f) << n;
    }
}

TEST_F(ControlWalkTest, ATimeControlAtAConstantFiftyPlaysTheMiddleFrameThroughout) {
    scene().videoRate = 30;
    scene().videoScale = 1;
    scene().audioRate = 48000;
    Edit::ObjectPointer time = place(Effect::TimeControl::Name, 0, 0, 10);
    auto& control = dynamic_cast<Effect::TimeControl&>(*time->effectList[0]);
    control.position.setMovement(*Effect::DefaultMovement::noMove);
    control.position.setValue(50, 0);
    placeSignal(1, 0, 100);
    for (int f : {0, 3, 10}) {
        SCOPED_TRACE(f);
        auto mix = render(f);
        ASSERT_EQ(mix[0].size(), 1600u);
        // Frame 5's sound, wherever the cursor is inside the control.
        for (std::size_t n = 0; n < mix[0].size(); ++n) {
            const std::int64_t i = 1600 * 5 + static_cast<std::int64_t>(n);
            ASSERT_EQ(mix[0][n], AudioTest::signalLeft(i)) << n;
            ASSERT_EQ(mix[1][n], AudioTest::signalRight(i)) << n;
        }
    }
    // Past the control the layer plays its own time again.
    auto after = render(11);
    EXPECT_EQ(after[0][0], AudioTest::signalLeft(1600 * 11));
}

}  // namespace
