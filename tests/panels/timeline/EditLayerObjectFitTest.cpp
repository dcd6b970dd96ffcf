#include "panels/timeline/EditLayerObjectFit.h"

#include "panels/timeline/ObjectAreaFixture.h"

#include <gtest/gtest.h>

namespace {

using namespace Component;

class BlockFit : public ::testing::Test, public TimelineTest::SceneFixture {
protected:
    // The selection pressed at frame 20 of layer 0.
    void press(const std::vector<Edit::ObjectPointer>& selection) {
        extent = ObjectDragExtent::of(selection);
        drag = {0, 20, 0, 20};
    }
    // The deltas the drag would apply, fitted as a move step fits them.
    std::pair<int, int> fit(int layerDelta, int frameDelta) {
        const ObjectBlockFit fitter{scene, extent, drag, 0, visibleFrames};
        const int requested = frameDelta;
        while (!fitter.fitMove(layerDelta, frameDelta, requested))
            if (layerDelta == 0 && frameDelta == 0) break;
        return {layerDelta, frameDelta};
    }

    ObjectDragExtent extent;
    ObjectDragPosition drag;
    int visibleFrames = 1000;
};

TEST_F(BlockFit, SlidesToTheNearerFreeSideTiesToTheRight) {
    const Edit::ObjectPointer block = place(0, 0, 49, {}, true);
    place(0, 100, 199);
    press({block});
    struct Case {
        int delta, fitted;
    };
    const Case cases[] = {
        {120, 50},   // 120..169: 70 left to 50..99 beats 80 right to 200..249
        {140, 200},  // 140..189: 90 left, 60 right
        {125, 200},  // 75 either way: right
        {300, 300},  // free
        {30, 30},    // free, just before the obstacle
        {51, 50},    // one frame too far: back by one
    };
    for (const Case& c : cases) EXPECT_EQ(fit(0, c.delta), std::make_pair(0, c.fitted)) << c.delta;
}

TEST_F(BlockFit, BlockKeepsItsShapeAcrossLayers) {
    const Edit::ObjectPointer upper = place(0, 0, 49, {}, true);
    const Edit::ObjectPointer lower = place(1, 20, 69, {}, true);
    place(2, 90, 120);
    press({upper, lower});
    EXPECT_EQ(extent.minStart, 0);
    EXPECT_EQ(extent.maxEnd, 69);
    ASSERT_EQ(extent.layers.size(), 2u);
    EXPECT_EQ(extent.layers[1].layer, 1);
    EXPECT_EQ(extent.layers[1].minStart, 20);
    // Down one layer and 30 on: the lower row (50..99) hits 90..120 and the
    // block backs off by 10; the upper row passes over the selected object.
    EXPECT_EQ(fit(1, 30), std::make_pair(1, 20));
}

TEST_F(BlockFit, FullLayerGivesWayToTheLayersInBetween) {
    const Edit::ObjectPointer block = place(0, 0, 49, {}, true);
    place(2, 0, 1000);
    place(1, 0, 1000);
    press({block});
    visibleFrames = 300;
    // Layers 2 and 1 have no room within the view: the block stays on 0.
    EXPECT_EQ(fit(2, 100), std::make_pair(0, 100));
    scene.getLayerObjectListGrow(1).objects.clear();
    EXPECT_EQ(fit(2, 100), std::make_pair(1, 100));
}

}  // namespace
