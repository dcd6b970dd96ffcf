#include "panels/timeline/EditLayerObjectGeometry.h"

#include "panels/timeline/ObjectAreaFixture.h"

#include <gtest/gtest.h>

namespace {

using namespace Component;

TEST(ObjectAreaView, ConvertsPixelsFramesAndRows) {
    struct Case {
        int firstFrame, zoom, x, frame, xOfFrame;
    };
    // frameAt truncates toward zero; xAt rounds the half pixel up.
    const Case cases[] = {
        {0, 10000, 92, 92, 92},      {100, 10000, -8, 92, -7},   {100, 15000, 10, 106, 9},
        {0, 20, 3, 1500, 3},         {0, 7500, -3, -4, -2},      {50, 100000, 25, 52, 20},
    };
    for (const Case& c : cases) {
        const ObjectAreaView view{c.firstFrame, 0, c.zoom, 20};
        EXPECT_EQ(view.frameAt(c.x), c.frame) << c.zoom << " " << c.x;
        EXPECT_EQ(view.xAt(c.frame), c.xOfFrame) << c.zoom << " " << c.frame;
    }
    const ObjectAreaView rows{0, 3, 10000, 20};
    EXPECT_EQ(rows.layerAt(0), 3);
    EXPECT_EQ(rows.layerAt(39), 4);
    EXPECT_EQ(rows.layerAt(40), 5);
    EXPECT_EQ(ObjectAreaView{}.snapRadius(), 9);
    EXPECT_EQ((ObjectAreaView{0, 0, 20, 1}.snapRadius()), 4001);
}

class ObjectHit : public ::testing::Test, public TimelineTest::SceneFixture {
protected:
    ObjectAreaView view{0, 0, 10000, 30};
};

TEST_F(ObjectHit, PicksAnObjectWithinEightPixels) {
    place(0, 100, 199);
    place(1, 300, 309);
    struct Case {
        int x, y;
        int start;  // -1: nothing
    };
    const Case cases[] = {
        {92, 5, 100},  {91, 5, -1},   {150, 29, 100}, {207, 5, 100}, {208, 5, -1},
        {150, 30, -1}, {305, 45, 300}, {150, -1, -1}, {150, 95, -1},
    };
    for (const Case& c : cases) {
        const Edit::ObjectPointer& hit = hitTestObject(view, scene, c.x, c.y);
        EXPECT_EQ(hit ? hit->start : -1, c.start) << c.x << "," << c.y;
    }
    // Two pixels per frame: the eight pixels are four frames.
    const ObjectAreaView zoomed{0, 0, 20000, 30};
    EXPECT_TRUE(hitTestObject(zoomed, scene, 192, 5));
    EXPECT_FALSE(hitTestObject(zoomed, scene, 191, 5));
}

TEST_F(ObjectHit, NearestEdgeBoundaryOrBody) {
    const Edit::ObjectPointer narrow = place(0, 100, 109);         // x 100..110
    const Edit::ObjectPointer sections = place(1, 200, 299, {50});  // boundary at 250
    const Edit::ObjectPointer edgeNear = place(2, 100, 139, {6});   // boundary at 106
    struct Case {
        const Edit::ObjectPointer* object;
        int x;
        ObjectHitArea area;
    };
    const Case cases[] = {
        {&narrow, 104, {HitStartEdge, -1}},
        {&narrow, 105, {HitEndEdge, -1}},  // equally near both edges
        {&narrow, 106, {HitEndEdge, -1}},
        {&narrow, 92, {HitStartEdge, -1}},
        {&sections, 230, {HitBody, -1}},
        {&sections, 250, {HitSection, 1}},
        {&sections, 241, {HitBody, -1}},
        {&sections, 242, {HitSection, 1}},
        {&sections, 258, {HitSection, 1}},
        {&sections, 293, {HitEndEdge, -1}},
        {&edgeNear, 102, {HitStartEdge, -1}},  // 2 from the start, 4 from the boundary
        {&edgeNear, 103, {HitSection, 1}},     // equally near: the boundary
        {&edgeNear, 105, {HitSection, 1}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(hitTestArea(view, **c.object, false, c.x), c.area) << (*c.object)->start << " x " << c.x;
    EXPECT_EQ(hitTestArea(view, *narrow, true, 104), ObjectHitArea{});
    EXPECT_EQ(hitTestArea(view, *sections, true, 250), ObjectHitArea{});
}

TEST_F(ObjectHit, SectionBoundaryNearestToThePointer) {
    const Edit::ObjectPointer object = place(0, 0, 99, {10, 20, 60});
    struct Case {
        int x, section;
    };
    // Between 10 and 20 the nearer wins, a tie keeps the earlier one.
    const Case cases[] = {{2, 1}, {1, -1}, {15, 1}, {16, 2}, {28, 2}, {29, -1}, {52, 3}, {51, -1}, {99, -1}};
    for (const Case& c : cases) EXPECT_EQ(hitTestSection(view, *object, c.x), c.section) << c.x;
    EXPECT_EQ(hitTestSection(view, *place(1, 0, 99), 50), -1);
}

}  // namespace
