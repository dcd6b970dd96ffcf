// The group control through the real walk and the program's standard
// drawing: a red square at defaults, collapsed, pushed back in depth and
// turned, against pixel positions worked out by hand; and the flat flag of
// nested groups.
#include "effects/control/GroupControl.h"
#include "effects/media/FigureLoad.h"

#include "effects/EffectsTestSupport.h"
#include "render/walk/WalkFixture.h"

#include <gtest/gtest.h>

namespace {

class GroupControlWalk : public EffectsTest::InstalledEffects, public WalkTest::WalkFixture {
protected:
    GroupControlWalk() : WalkFixture(8, true) {
        scene().videoRate = 10;
        scene().videoScale = 1;
    }
    // A red filled square of the size at the frame centre on the layer.
    void placeSquare(int layer, int size) {
        Edit::ObjectPointer object = scene().createObject(L"図形", layer, 0, 20);
        scene().updateLayerObject();
        auto& figure = dynamic_cast<Effect::FigureLoad&>(*object->effectList[0]);
        figure.figure.value = 2;
        figure.size.setValue(size, 0);
        figure.color.fromString("ff0000");
    }
    Effect::GroupControl& placeGroup(int layer) {
        auto& group = placeControl<Effect::GroupControl>(layer, 0, 20);
        EXPECT_TRUE(objectAt(layer, 0)->layerRangeControl);
        return group;
    }
    float alpha(const std::vector<MediaTest::Rgba>& pixels, int x, int y) { return at(pixels, x, y)[3]; }
};

TEST_F(GroupControlWalk, AtItsDefaultsTheGroupLeavesTheFrameAsItWas) {
    placeSquare(1, 8);
    const std::vector<MediaTest::Rgba> alone = render(3);
    Effect::GroupControl& group = placeGroup(0);
    EXPECT_EQ(render(3), alone);
    EXPECT_TRUE(group.snapAllowed);
}

TEST_F(GroupControlWalk, ScaleZeroCollapsesTheGroupAndPositionMovesIt) {
    placeSquare(1, 8);
    Effect::GroupControl& group = placeGroup(0);
    group.scale.setValue(0, 0);
    for (const MediaTest::Rgba& pixel : render(3)) ASSERT_EQ(pixel[3], 0.0f);
    // Back to 100 % and 10 px right: columns 38 to 45 (the frame centre is 32).
    group.scale.setValue(100, 0);
    group.x.setValue(10, 0);
    const auto pixels = render(3);
    MediaTest::expectNear(at(pixels, 38, 18), {1, 0, 0, 1});
    MediaTest::expectNear(at(pixels, 45, 18), {1, 0, 0, 1});
    EXPECT_EQ(alpha(pixels, 37, 18), 0.0f);
    EXPECT_EQ(alpha(pixels, 46, 18), 0.0f);
    EXPECT_TRUE(group.snapAllowed);  // a move alone keeps the group flat
}

TEST_F(GroupControlWalk, DepthShrinksTheGroupTowardsItsPosition) {
    placeSquare(1, 16);
    Effect::GroupControl& group = placeGroup(0);
    group.z.setValue(100, 0);
    const auto pixels = render(3);
    // 16 × 1024 / 1124 = 14.58 px about x = 32: from 24.71 to 39.29. The
    // pixel centres 25.5 to 38.5 lie inside, 24.5 and 39.5 outside (at full
    // size the square covers columns 24 to 39).
    EXPECT_NEAR(alpha(pixels, 25, 18), 1.0f, 0.01f);
    EXPECT_NEAR(alpha(pixels, 38, 18), 1.0f, 0.01f);
    EXPECT_EQ(alpha(pixels, 24, 18), 0.0f);
    EXPECT_EQ(alpha(pixels, 39, 18), 0.0f);
    EXPECT_NEAR(alpha(pixels, 32, 11), 1.0f, 0.01f);  // rows likewise: 10.71 to 25.29
    EXPECT_EQ(alpha(pixels, 32, 10), 0.0f);
    EXPECT_FALSE(group.snapAllowed);
}

TEST_F(GroupControlWalk, AGroupInsideATurnedGroupTurnsWithItAndIsNotFlat) {
    placeSquare(2, 8);
    Effect::GroupControl& outer = placeGroup(0);
    Effect::GroupControl& inner = placeGroup(1);
    outer.rotationZ.setValue(90, 0);
    inner.x.setValue(10, 0);
    const auto pixels = render(3);
    // 10 px right, turned a quarter clockwise about the frame centre: 10 px
    // down, rows 24 to 31 about x = 32.
    MediaTest::expectNear(at(pixels, 32, 24), {1, 0, 0, 1}, 0.01f);
    MediaTest::expectNear(at(pixels, 32, 31), {1, 0, 0, 1}, 0.01f);
    EXPECT_LT(alpha(pixels, 32, 22), 0.01f);
    EXPECT_LT(alpha(pixels, 42, 18), 0.01f);
    EXPECT_FALSE(outer.snapAllowed);
    EXPECT_FALSE(inner.snapAllowed);
}

}  // namespace
