#include "effects/basic/BasicTransform.h"

#include "media/gpu/ResourceBuffer.h"

#include "effects/EffectsTestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>

namespace {

using namespace EffectsTest;
using Box = std::array<int, 4>;

class Transform : public EffectGpuTest {
protected:
    // An 8 x 4 picture, red on its left half and blue on its right, run
    // through the effects and drawn into a 64 x 64 frame.
    Picture run(std::initializer_list<Effect::EffectBase*> effects) {
        auto image = picture(8, 4, [](UINT x, UINT) { return x < 4 ? Rgba{1, 0, 0, 1} : Rgba{0, 0, 1, 1}; });
        Media::ResourceBuffer* original = image.get();
        for (Effect::EffectBase* effect : effects) {
            std::unique_ptr<Media::ResourceBuffer> out;
            effect->filterVideo(out, lone.context, std::move(image));
            EXPECT_EQ(out.get(), original);  // handed on untouched
            image = std::move(out);
        }
        return drawWithView(lone.context, image.get(), 64, 64);
    }
    LoneObjectContext lone;
};

TEST_F(Transform, WithoutEffectsThePictureSitsAtTheCentre) {
    EXPECT_EQ(coverage(run({})), (Box{28, 30, 35, 33}));
}

TEST_F(Transform, PositionMovesAndTwoPositionsAdd) {
    Effect::BasicMove move, again;
    move.x.setValue(10, 0);
    move.y.setValue(-6, 0);
    again.x.setValue(-3, 0);
    const Picture drawn = run({&move, &again});
    EXPECT_EQ(coverage(drawn), (Box{35, 24, 42, 27}));
    EXPECT_FLOAT_EQ(lone.context.view.x, 7.0f);
    EXPECT_FLOAT_EQ(lone.context.view.z, 0.0f);
}

TEST_F(Transform, ScaleMultipliesTheWholeAndEachAxis) {
    Effect::BasicScale scale;
    scale.scale.setValue(200, 0);
    scale.y.setValue(50, 0);
    // 8 x 4 becomes 16 x 4.
    EXPECT_EQ(coverage(run({&scale})), (Box{24, 30, 39, 33}));
    EXPECT_FLOAT_EQ(lone.context.view.scaleZ, 2.0f);
    // A zero axis leaves nothing to see, though the picture passes.
    Effect::BasicScale flat;
    flat.x.setValue(0, 0);
    EXPECT_EQ(coverage(run({&flat})), (Box{-1, -1, -1, -1}));
}

TEST_F(Transform, TransparencyFadesAndTwoMultiply) {
    Effect::BasicAlpha half, again;
    half.transparency.setValue(50, 0);
    again.transparency.setValue(50, 0);
    const Picture drawn = run({&half, &again});
    MediaTest::expectNear(drawn.at(29, 31), {0.25f, 0, 0, 0.25f});
    Effect::BasicAlpha gone;
    gone.transparency.setValue(100, 0);
    run({&gone});
    EXPECT_FLOAT_EQ(lone.context.view.alpha, 0.0f);
}

TEST_F(Transform, RotationTurnsClockwiseAndIsNotWrapped) {
    Effect::BasicAngle turn;
    turn.z.setValue(90, 0);
    const Picture drawn = run({&turn});
    // Standing 4 x 8; the left (red) half is now on top.
    EXPECT_EQ(coverage(drawn), (Box{30, 28, 33, 35}));
    MediaTest::expectNear(drawn.at(31, 29), {1, 0, 0, 1});
    MediaTest::expectNear(drawn.at(31, 34), {0, 0, 1, 1});
    Effect::BasicAngle full;
    full.x.setValue(360, 0);
    run({&full});
    EXPECT_FLOAT_EQ(lone.context.view.rotationX, 360.0f);
    EXPECT_FLOAT_EQ(lone.context.view.rotationZ, 90.0f);
}

TEST_F(Transform, ItemsAreDeclaredInTheirRowOrder) {
    Effect::BasicMove move;
    ASSERT_EQ(move.items.size(), 4u);
    EXPECT_EQ(move.items[3], &move.group);
    EXPECT_EQ(move.x.group, &move.group);
    EXPECT_TRUE(move.group.linked);
    Effect::BasicScale scale;
    EXPECT_EQ(scale.items[0]->name, L"拡大率");
    EXPECT_EQ(scale.items[3]->name, L"Z");
}

}  // namespace
