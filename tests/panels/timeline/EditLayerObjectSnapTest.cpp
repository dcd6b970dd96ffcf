#include "panels/timeline/EditLayerObjectSnap.h"

#include "panels/timeline/ObjectAreaFixture.h"

#include <gtest/gtest.h>

namespace {

using namespace Component;

class Snap : public ::testing::Test, public TimelineTest::SceneFixture {
protected:
    Snap() { scene.cursorFrame = 1000; }
    SnapTargets targets() { return {&scene, {0, 0, 10000, 30}, false}; }
};

TEST_F(Snap, TakesTargetsStrictlyWithinTheRadius) {
    place(0, 100, 199, {40});  // boundaries at 100, 140 and 200
    place(1, 500, 599, {}, true);  // selected: being dragged, never a target
    struct Case {
        int candidate, delta, snapped;
    };
    const Case cases[] = {
        {92, 0, 8},      // 8 frames before the start: taken
        {91, 0, 0},      // 9 frames: not taken at one pixel per frame
        {135, 10, 5},    // 145 snaps back to the boundary at 140
        {205, -3, -5},   // 202 snaps to end + 1
        {505, 0, 0},     // the selected object is no target
        {995, 0, 5},     // the cursor
        {1009, 0, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(snapCandidates(targets(), &c.candidate, 1, c.delta), c.snapped) << c.candidate;

    // Two frames per pixel: 8 pixels are 4 frames, the radius 5.
    SnapTargets zoomed = targets();
    zoomed.view.zoom = 20000;
    int near = 96, far = 95;
    EXPECT_EQ(snapCandidates(zoomed, &near, 1, 0), 4);
    EXPECT_EQ(snapCandidates(zoomed, &far, 1, 0), 0);
}

TEST_F(Snap, EarlierCandidateAndEarlierTargetWinTies) {
    place(0, 100, 149);
    place(2, 300, 349);
    // A block 104..293: its start is 4 after 100, its end + 1 is 4 before 300.
    const int ends[] = {104, 296};
    EXPECT_EQ(snapCandidates(targets(), ends, 2, 0), -4);
    // The end one frame nearer wins.
    const int nearerEnd[] = {104, 297};
    EXPECT_EQ(snapCandidates(targets(), nearerEnd, 2, 0), 3);
    // Equal distance to two objects: the upper layer's.
    place(1, 160, 170);
    int between = 155;  // 150 (end + 1 above) and 160 (start below)
    EXPECT_EQ(snapFrame(targets(), between), 150);
}

TEST_F(Snap, TempoGridLinesBeatsOrBars) {
    // 30 fps at 120 bpm: a beat is 15 frames, a bar of four 60.
    scene.tempoBeatPerMinute = 120.0f;
    scene.tempoBeatTime = 4;
    struct Case {
        int zoom, frame, line;
    };
    const Case cases[] = {
        {10000, 37, 30},  {10000, 38, 45}, {10000, 22, 15},  // beats 15 px apart
        {3000, 37, 60},   {3000, 29, 0},                     // beats 4.5 px: bars
        {750, 37, -1},                                       // bars 4.5 px: none
    };
    for (const Case& c : cases) {
        SnapTargets t = targets();
        t.view.zoom = c.zoom;
        EXPECT_EQ(snapTempoGrid(t, c.frame), c.line) << c.zoom << " " << c.frame;
    }
    // A half-second offset moves every line by 15 frames.
    scene.tempoOffsetTime = 0.5f;
    EXPECT_EQ(snapTempoGrid(targets(), 37), 30);
    EXPECT_EQ(snapTempoGrid(targets(), 40), 45);
    scene.tempoBeatPerMinute = 0.0f;
    EXPECT_EQ(snapTempoGrid(targets(), 37), -1);

    // Only while the grid is shown does it attract.
    scene.tempoBeatPerMinute = 120.0f;
    scene.tempoOffsetTime = 0.0f;
    SnapTargets grid = targets();
    int frame = 33;
    EXPECT_EQ(snapFrame(grid, frame), 33);
    grid.tempoGrid = true;
    EXPECT_EQ(snapFrame(grid, frame), 30);
}

}  // namespace
