// The track bar's ranges and geometry, the zoom gauge's segments and the
// zoom levels they choose.
#include "edit/model/ZoomSteps.h"
#include "window/controls/TrackBarRange.h"
#include "window/controls/ZoomGaugeSegments.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(TrackBarRangeTest, ANewMaximumClampsThePositionAndBothRanges) {
    Control::TrackBarRange bar;
    bar.setMaximum(200);
    bar.setPosition(180);
    bar.setMarkRange(50, 150);
    bar.setSelectRange(120, 190);
    bar.setMaximum(100);
    EXPECT_EQ(bar.position, 100);
    EXPECT_EQ(bar.markStart, 50);
    EXPECT_EQ(bar.markEnd, 100);
    EXPECT_EQ(bar.selectStart, 100);  // a start above the maximum becomes it
    EXPECT_EQ(bar.selectEnd, 100);
    bar.setMarkRange(-5, -10);  // below the minimum, and an end before its start
    EXPECT_EQ(bar.markStart, 0);
    EXPECT_EQ(bar.markEnd, 0);
    bar.setMaximum(-10);  // a negative count runs from it up to 0
    EXPECT_EQ(bar.minimum, -10);
    EXPECT_EQ(bar.maximum, 0);
}

TEST(TrackBarRangeTest, TheGeometryPlacesTheKnobAndTheRangeEndsOnTheTrack) {
    Control::TrackBarRange bar;
    bar.setMaximum(99);  // 100 frames: fractions in hundredths
    bar.updateGeometry(412, 40);
    // Inset 5, knob half width 0.15 * 40 = 6, track 412 - 12 = 400.
    EXPECT_FLOAT_EQ(bar.inset, 5.0f);
    EXPECT_FLOAT_EQ(bar.knobHalfWidth, 6.0f);
    EXPECT_EQ(bar.trackLength, 400);
    bar.setPosition(25);
    bar.setMarkRange(10, 50);
    EXPECT_FLOAT_EQ(bar.knobX, 100.0f);
    EXPECT_FLOAT_EQ(bar.markStartX, 46.0f);
    EXPECT_FLOAT_EQ(bar.markEndX, 206.0f);
    bar.updateGeometry(100, 8);  // a low bar keeps a knob 3 px wide each side
    EXPECT_FLOAT_EQ(bar.knobHalfWidth, 3.0f);
    EXPECT_EQ(bar.trackLength, 94);
}

TEST(TrackBarRangeTest, APressOnTheTrackAndAKnobDragAskForPositions) {
    Control::TrackBarRange bar;
    bar.setMaximum(400);
    bar.updateGeometry(412, 40);  // track 400 px from x 6
    int position = -1;
    ASSERT_TRUE(bar.positionAt(0, position));
    EXPECT_EQ(position, -6);  // left of the track's start; the bar clamps it to 0
    ASSERT_TRUE(bar.positionAt(106, position));
    EXPECT_EQ(position, 100);
    ASSERT_TRUE(bar.dragPosition(100, 50, position));
    EXPECT_EQ(position, 150);
    bar.updateGeometry(4, 40);  // no room for a track
    EXPECT_FALSE(bar.positionAt(2, position));
}

TEST(ZoomGaugeTest, TwentySixSegmentsOfTenPixelsChooseTheLevelAboveTheirIndex) {
    Control::ZoomGaugeSegments segments;
    segments.layout(260, static_cast<int>(Edit::zoomStepTable.size()));
    EXPECT_EQ(segments.count, 26);
    EXPECT_EQ(segments.width, 10);
    EXPECT_EQ(segments.left, 0);
    const std::vector<std::pair<int, int>> clicks = {{0, 1}, {9, 1}, {10, 2}, {259, 26}, {400, 26}, {-15, 0}};
    for (auto [x, level] : clicks) EXPECT_EQ(segments.levelAt(x), level) << x;
    EXPECT_EQ(Edit::zoomAtStep(segments.levelAt(0)).zoom, 30);

    segments.layout(275, 27);  // the spare pixels split both sides
    EXPECT_EQ(segments.left, 7);
    segments.layout(40, 27);  // too narrow: one pixel each
    EXPECT_EQ(segments.width, 1);
    EXPECT_EQ(segments.left, 7);
}

TEST(ZoomGaugeTest, StepsMoveAlongTheTableAndOtherZoomsNormaliseToOnePixelAFrame) {
    EXPECT_EQ(Edit::stepZoom(10000, 1).zoom, 15000);
    EXPECT_EQ(Edit::stepZoom(10000, -1).zoom, 7500);
    EXPECT_EQ(Edit::stepZoom(100000, 1).zoom, 100000);
    EXPECT_EQ(Edit::stepZoom(20, -1).zoom, 20);
    EXPECT_EQ(Edit::stepZoom(12345, 1).zoom, 20);  // off the table: from -1
    Edit::FrameZoom zoom = Edit::zoomAtStep(3);
    zoom.set(12345);
    EXPECT_EQ(zoom.zoom, 10000);
    zoom.set(750);
    EXPECT_EQ(zoom.zoom, 750);
}

}  // namespace
