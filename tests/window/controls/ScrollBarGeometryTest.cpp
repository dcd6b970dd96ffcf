#include "window/controls/ScrollBarGeometry.h"

#include <gtest/gtest.h>

namespace {

using Control::ScrollBarGeometry;

// A vertical bar 226 px long and 20 px thick: 20 px arrows, 186 px track.
ScrollBarGeometry bar(int minimum, int maximum, int start, int end) {
    ScrollBarGeometry g;
    g.minimum = minimum;
    g.maximum = maximum;
    g.layoutTrack(226, 20);
    g.setViewRange(start, end);
    return g;
}

TEST(ScrollBarGeometry, ArrowsShareTheLengthAndShortBarsAreAllTrack) {
    struct Case {
        int length, thickness, arrow, track;
    };
    const Case cases[] = {
        {226, 20, 20, 186},  // arrows as long as the bar is thick
        {30, 20, 12, 6},     // 30 / 2 - 3
        {8, 20, 1, 6},
        {7, 20, 0, 7},       // 7 / 2 - 3 = 0
        {6, 20, 0, 6},
        {5, 20, 0, 5},       // under 6 px: no arrow area at all
        {0, 20, 0, 0},
        {100, 0, 0, 100},
    };
    for (const Case& c : cases) {
        ScrollBarGeometry g;
        g.layoutTrack(c.length, c.thickness);
        EXPECT_EQ(g.arrowSize, c.arrow) << c.length;
        EXPECT_EQ(g.trackLength, c.track) << c.length;
    }
}

TEST(ScrollBarGeometry, TheThumbCoversTheViewAndThreePixelsBeyondEachEnd) {
    ScrollBarGeometry g = bar(0, 99, 0, 9);
    EXPECT_FLOAT_EQ(g.thumbStart, 0.0f);
    EXPECT_FLOAT_EQ(g.thumbEnd, 0.1f);      // ten of a hundred values
    EXPECT_FLOAT_EQ(g.thumbFrom, -3.0f);
    EXPECT_FLOAT_EQ(g.thumbTo, 21.6f);      // 186 * 0.1 + 3
    EXPECT_EQ(g.thumbOffset(), 17);         // 20 + round(-3)
    EXPECT_EQ(g.thumbLength(), 26);         // round(24.6) + 1

    g.setViewRange(90, 99);
    EXPECT_FLOAT_EQ(g.thumbFrom, 186 * 0.9f - 3);
    EXPECT_FLOAT_EQ(g.thumbTo, 189.0f);
    EXPECT_EQ(g.thumbOffset(), 20 + 164);   // 164.4 rounds down
    EXPECT_EQ(g.thumbLength(), 26);
}

TEST(ScrollBarGeometry, ThumbEndsRoundHalvesAwayFromZero) {
    EXPECT_EQ(Control::roundHalfAway(2.5f), 3);
    EXPECT_EQ(Control::roundHalfAway(-2.5f), -3);
    EXPECT_EQ(Control::roundHalfAway(-2.4f), -2);
    EXPECT_EQ(Control::roundHalfAway(0.5f), 1);
}

TEST(ScrollBarGeometry, ViewRangesAreClampedIntoTheRange) {
    struct Case {
        int a, b, start, end;
    };
    const Case cases[] = {
        {-5, 4, 0, 4},      // start raised to the minimum
        {95, 120, 95, 99},  // end cut at the maximum
        {150, 160, 99, 99}, // a start beyond the maximum takes the maximum
        {40, 30, 40, 40},   // an end before the start meets it
    };
    for (const Case& c : cases) {
        ScrollBarGeometry g = bar(0, 99, c.a, c.b);
        EXPECT_EQ(g.viewStart, c.start) << c.a << ".." << c.b;
        EXPECT_EQ(g.viewEnd, c.end) << c.a << ".." << c.b;
    }
}

TEST(ScrollBarGeometry, RequestsAreClampedToTheLastFullView) {
    const ScrollBarGeometry g = bar(0, 99, 0, 9);
    EXPECT_EQ(g.clampPosition(1), 1);    // the wheel towards the user
    EXPECT_EQ(g.clampPosition(500), 90); // 99 - (9 - 0)
    EXPECT_EQ(g.clampPosition(-7), 0);
    const ScrollBarGeometry negative = bar(-50, 50, -50, -41);
    EXPECT_EQ(negative.clampPosition(-100), -50);
    EXPECT_EQ(negative.clampPosition(100), 41);
}

TEST(ScrollBarGeometry, TrackPressesPageByTheView) {
    const ScrollBarGeometry top = bar(0, 99, 0, 9);
    // The thumb's middle is (-3 + 21.6) / 2 = 9.3 px into the track.
    EXPECT_EQ(top.clampPosition(top.pagePosition(100)), 9);
    EXPECT_EQ(top.pagePosition(10), 9);
    EXPECT_EQ(top.pagePosition(9), -9);  // before the middle: a page back
    EXPECT_EQ(top.clampPosition(top.pagePosition(9)), 0);

    const ScrollBarGeometry middle = bar(0, 99, 50, 59);
    EXPECT_EQ(middle.pagePosition(0), 41);
    EXPECT_EQ(middle.pagePosition(185), 59);
}

TEST(ScrollBarGeometry, ViewRatioCentresTheView) {
    ScrollBarGeometry g = bar(0, 1000, 0, 100);
    int start = -1;
    ASSERT_TRUE(g.ratioPosition(0.5f, start));
    EXPECT_EQ(start, 451);  // round(1001 * 0.5 - 50) = round(450.5)
    g.setViewRange(start, start + 100);
    EXPECT_EQ(g.viewStart, 451);
    EXPECT_EQ(g.viewEnd, 551);

    ASSERT_TRUE(g.ratioPosition(1.0f, start));
    EXPECT_EQ(start, 900);  // limited to maximum - length
    ASSERT_TRUE(g.ratioPosition(0.0f, start));
    EXPECT_EQ(start, 0);    // then raised to the minimum

    const ScrollBarGeometry whole = bar(0, 100, 0, 100);
    EXPECT_FALSE(whole.ratioPosition(0.5f, start));
}

TEST(ScrollBarGeometry, ThumbDragsScaleTheRangeOverTheTrack) {
    const ScrollBarGeometry g = bar(0, 99, 0, 9);
    EXPECT_EQ(g.dragPosition(93, 0), 49);    // 99 * 93 / 186 = 49.5, truncated
    EXPECT_EQ(g.dragPosition(-93, 60), 11);  // -49.5 truncates towards zero
    EXPECT_EQ(g.dragPosition(0, 7), 7);
}

}  // namespace
