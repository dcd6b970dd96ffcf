// The scene change through the real walk: a red picture before the object
// and a blue one during it, each transition's picture at chosen progress
// against what it must show, worked out by hand.
#include "effects/control/SceneChange.h"
#include "effects/media/FigureLoad.h"

#include "render/cache/CacheService.h"
#include "render/service/RenderSceneSource.h"

#include "effects/EffectsTestSupport.h"
#include "effects/blur/BoxBlurReference.h"
#include "media/resource/ResourceService.h"
#include "media/LogCapture.h"
#include "render/walk/WalkFixture.h"

#include <gtest/gtest.h>

namespace {

using MediaTest::Rgba;

constexpr Rgba kRed{1, 0, 0, 1};
constexpr Rgba kBlue{0, 0, 1, 1};

TEST(SceneChangeProgress, FromOneOverTheLengthToExactlyOne) {
    EXPECT_FLOAT_EQ(Effect::SceneChange::progressAt(10, 10, 19), 0.1f);
    EXPECT_FLOAT_EQ(Effect::SceneChange::progressAt(14, 10, 19), 0.5f);
    EXPECT_EQ(Effect::SceneChange::progressAt(19, 10, 19), 1.0f);
    EXPECT_EQ(Effect::SceneChange::progressAt(25, 10, 19), 1.0f);
    EXPECT_EQ(Effect::SceneChange::progressAt(7, 7, 7), 1.0f);
}

class SceneChangeWalk : public EffectsTest::InstalledEffects, public WalkTest::WalkFixture {
protected:
    SceneChangeWalk() : WalkFixture(8, true) {
        Cache::setSceneSource(&scenes);
        scene().videoRate = 10;
        scene().videoScale = 1;
        // Red until frame 9, blue from 10; the scene change on the next
        // layer covers frames 10 to 19.
        fill(0, 0, 9, "ff0000");
        fill(0, 10, 40, "0000ff");
        Edit::ObjectPointer object = scene().createObject(Effect::SceneChange::Name, 1, 10, 19);
        scene().updateLayerObject();
        change = &dynamic_cast<Effect::SceneChange&>(*object->effectList[0]);
    }
    ~SceneChangeWalk() override { Cache::setSceneSource(nullptr); }

    // A square larger than the 64 × 36 frame.
    void fill(int layer, int start, int end, const char* colour) {
        Edit::ObjectPointer object = scene().createObject(L"図形", layer, start, end);
        scene().updateLayerObject();
        auto& figure = dynamic_cast<Effect::FigureLoad&>(*object->effectList[0]);
        figure.figure.value = 2;
        figure.size.setValue(200, 0);
        figure.color.fromString(colour);
    }
    void expectEverywhere(const std::vector<Rgba>& pixels, const Rgba& colour, float tolerance = 1.0f / 255) {
        for (int y = 0; y < 36; ++y)
            for (int x = 0; x < 64; ++x) {
                SCOPED_TRACE(testing::Message() << "(" << x << ", " << y << ")");
                MediaTest::expectNear(at(pixels, x, y), colour, tolerance);
                if (testing::Test::HasFailure()) return;
            }
    }

    System::Singleton<Cache::CacheService> cache;
    Render::RenderSceneSource scenes{worker};
    Effect::SceneChange* change = nullptr;
};

TEST_F(SceneChangeWalk, TheLastFrameOfEveryBuiltInTransitionShowsTheCurrentPicture) {
    for (int type = 0; type < Effect::SceneChange::builtinCount; ++type) {
        SCOPED_TRACE(testing::Message() << "type " << type);
        change->type.value = type;
        expectEverywhere(render(19), kBlue);
    }
}

TEST_F(SceneChangeWalk, CrossFadeMixesByProgressAndFadesPassThroughTheirColour) {
    // Frame 12: p = 0.3, before × 0.7 + current × 0.3.
    MediaTest::expectNear(at(render(12), 20, 20), {0.7f, 0, 0.3f, 1}, 2.0f / 255);
    change->type.value = 1;  // 暗転
    expectEverywhere(render(14), {0, 0, 0, 1});
    // p = 0.3: x = 0.6 of the way from red to black.
    MediaTest::expectNear(at(render(12), 5, 5), {0.4f, 0, 0, 1}, 2.0f / 255);
    change->type.value = 2;  // ホワイトアウト
    expectEverywhere(render(14), {1, 1, 1, 1});
}

TEST_F(SceneChangeWalk, SlidesAndSlicesMoveTheBeforePictureByTheWidth) {
    change->type.value = 5;  // スライド, 角度 0: before moves left by W × p
    const auto slid = render(14);
    MediaTest::expectNear(at(slid, 31, 10), kRed, 1.0f / 255);
    MediaTest::expectNear(at(slid, 32, 10), kBlue, 1.0f / 255);
    change->angle.setValue(90, 0);  // up by H × p = 18 rows
    const auto up = render(14);
    MediaTest::expectNear(at(up, 40, 17), kRed, 1.0f / 255);
    MediaTest::expectNear(at(up, 40, 18), kBlue, 1.0f / 255);

    change->type.value = 3;  // スライス, 5 bands of rows moving 32 px alternately
    change->angle.setValue(0, 0);
    const auto sliced = render(14);
    // Row band 0 (rows 0 to 7) reads x - 32: the left half is empty of
    // before; band 1 (rows 8 to 14) reads x + 32: the right half is.
    MediaTest::expectNear(at(sliced, 10, 3), kBlue, 1.0f / 255);
    MediaTest::expectNear(at(sliced, 50, 3), kRed, 1.0f / 255);
    MediaTest::expectNear(at(sliced, 10, 10), kRed, 1.0f / 255);
    MediaTest::expectNear(at(sliced, 50, 10), kBlue, 1.0f / 255);
}

TEST_F(SceneChangeWalk, RandomLinesKeepEverythingAtTheStartAndLittleAtTheEnd) {
    change->type.value = 4;
    change->divisions.setValue(36, 0);
    // p = 0.1: about a tenth of the 36 lines are gone; whole rows go.
    const auto early = render(10);
    int gone = 0;
    for (int y = 0; y < 36; ++y) {
        const bool blue = at(early, 0, y)[2] > 0.5f;
        for (int x = 1; x < 64; ++x) ASSERT_EQ(at(early, x, y)[2] > 0.5f, blue) << x << ", " << y;
        gone += blue;
    }
    EXPECT_GE(gone, 1);
    EXPECT_LE(gone, 12);
}

TEST_F(SceneChangeWalk, ASoftCircleWipeShowsTheNewPictureFromTheCentre) {
    change->type.value = Effect::SceneChange::builtinCount;  // the first wipe: ワイプ(円)
    EffectsTest::LoneObjectContext lone;
    ASSERT_EQ(change->blur.getValue(lone.context), 2.0);  // the masks' softness
    const auto pixels = render(14);
    MediaTest::expectNear(at(pixels, 32, 18), kBlue, 2.0f / 255);
    MediaTest::expectNear(at(pixels, 0, 0), kRed, 2.0f / 255);
    // Mixed, never out of the two colours, along a row from the centre.
    for (int x = 32; x < 64; ++x) {
        const Rgba c = at(pixels, x, 18);
        EXPECT_NEAR(c[0] + c[2], 1.0f, 2.0f / 255) << x;
    }
}

TEST_F(SceneChangeWalk, ASoftShapeMaskIsItsHardMaskBlurredBySoftnessKeepingTheSize) {
    // The hard circle is checked against its outline elsewhere; its soft
    // form must be that picture under the box blur worked on the CPU.
    const Resource::TransitionItem& circle = Resource::ResourceService::Get().transitionList.items().at(0);
    auto hard = circle.createMask(64, 36, 0.5f, 0, false);
    auto soft = circle.createMask(64, 36, 0.5f, 5, false);
    ASSERT_TRUE(hard && soft);
    EffectsTest::Picture sharp(64, 36);
    sharp.pixels = MediaTest::GpuTest::read(*hard);
    EffectsTest::Picture blurred(64, 36);
    blurred.pixels = MediaTest::GpuTest::read(*soft);
    const EffectsTest::Picture expected = EffectsTest::boxBlur(sharp, 5, 5, 2);
    for (int y = 0; y < 36; ++y)
        for (int x = 0; x < 64; ++x) ASSERT_NEAR(blurred.at(x, y)[3], expected.at(x, y)[3], 2e-3f) << x << ", " << y;
}

TEST_F(SceneChangeWalk, ClockAndStraightWipesCutTheirMasksWithTheClippingFilters) {
    // At p = 0.5 the new picture covers the half the cut keeps: the clock
    // hand has swept the right half from twelve o'clock, the horizontal
    // wipe has come from the left, the vertical one from the top.
    const struct {
        int wipe;
        int newX, newY, oldX, oldY;
    } cases[] = {{2, 58, 18, 5, 18}, {3, 5, 18, 58, 18}, {4, 32, 3, 32, 32}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "wipe " << c.wipe);
        change->type.value = Effect::SceneChange::builtinCount + c.wipe;
        const auto half = render(14);
        MediaTest::expectNear(at(half, c.newX, c.newY), kBlue, 2.0f / 255);
        MediaTest::expectNear(at(half, c.oldX, c.oldY), kRed, 2.0f / 255);
        // The soft edge is centred on the cut, which ends on the frame's
        // edge: a hard one finishes exactly.
        change->blur.setValue(0, 0);
        expectEverywhere(render(19), kBlue, 2.0f / 255);
        change->blur.setValue(2, 0);
    }
}

TEST_F(SceneChangeWalk, WithoutABeforePictureTheFrameIsLeftAndAWarningLogged) {
    MediaTest::LogCapture log;
    Cache::setSceneSource(nullptr);
    expectEverywhere(render(12), kBlue);
    EXPECT_GE(log.count(System::Log::WARN, "Effect::SceneChange::controlVideo", "no before frame buffer"), 1);
}

}  // namespace
