#include "panels/timeline/EditLayerObjectClamp.h"

#include "panels/timeline/ObjectAreaFixture.h"

#include <gtest/gtest.h>

namespace {

using namespace Component;

class EdgeClamp : public ::testing::Test, public TimelineTest::SceneFixture {};

TEST_F(EdgeClamp, EdgesStopAtNeighboursAndTheLastFrames) {
    place(0, 0, 49);
    const Edit::ObjectPointer plain = place(0, 100, 199);
    place(0, 300, 399);
    const Edit::ObjectPointer lone = place(1, 100, 199);
    const Edit::ObjectPointer sections = place(2, 100, 199, {10, 60});  // boundaries 110, 160
    struct Case {
        const Edit::ObjectPointer* object;
        bool start;
        int delta, clamped;
    };
    const Case cases[] = {
        {&plain, true, -100, -50},   // to the frame after 0..49
        {&plain, true, -20, -20},
        {&plain, true, 500, 99},     // one frame left
        {&plain, false, 500, 100},   // to the frame before 300
        {&plain, false, -500, -99},
        {&lone, true, -500, -100},   // down to frame 0
        {&lone, false, 5000, 5000},  // nothing after it
        {&sections, true, 50, 9},    // the first section keeps one frame
        {&sections, true, 5, 5},
        {&sections, false, -100, -38},  // the last section keeps two: 160..161
        {&sections, false, -30, -30},
    };
    for (const Case& c : cases) {
        const int clamped = c.start ? clampStartDelta(scene, **c.object, c.delta)
                                    : clampEndDelta(scene, **c.object, c.delta);
        EXPECT_EQ(clamped, c.clamped) << (*c.object)->layer << (c.start ? " start " : " end ") << c.delta;
    }
}

TEST_F(EdgeClamp, SectionBoundaryLimits) {
    place(0, 0, 49);
    const Edit::ObjectPointer object = place(0, 100, 199, {10, 60});  // boundaries 110, 160
    place(0, 300, 399);
    const Edit::ObjectPointer last = place(1, 0, 99, {10});
    const Edit::ObjectPointer tight = place(2, 0, 11, {10});  // last section 10..11
    struct Case {
        const Edit::ObjectPointer* object;
        int k, side, lower, upper;
    };
    const Case cases[] = {
        {&object, 1, 0, -9, 49},   // start + 1 .. the next boundary - 1
        {&object, 2, 0, -49, 38},  // the last section keeps two frames
        {&object, 1, 1, -50, 49},  // with the start: back to the frame after 0..49
        {&object, 2, 2, -49, 100}, // with the end: up to the frame before 300
        {&last, 1, 2, -9, 2000000000},
        {&tight, 1, 0, -9, 0},
    };
    for (const Case& c : cases) {
        const SectionDeltaLimits limits = sectionDeltaLimits(scene, **c.object, c.k, c.side);
        EXPECT_EQ(limits.lower, c.lower) << c.k << " side " << c.side;
        EXPECT_EQ(limits.upper, c.upper) << c.k << " side " << c.side;
    }
    EXPECT_EQ((SectionDeltaLimits{-9, 49}.clamp(60)), 49);
    EXPECT_EQ((SectionDeltaLimits{-9, 49}.clamp(-60)), -9);
}

}  // namespace
