// The time-control curve's rules without a window: the flat list form,
// dragging under the constraints, Shift, snapping, hovering, adding and
// deleting points. Plot sizes are chosen so pixel offsets are round
// fractions of the unit square.
#include "settings/time/TimeControlCurve.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Component::ControlAnchor;
using Component::CurveHover;
using Component::CurvePart;
using Component::CurvePlot;
using Component::CurveSnapGuides;
using Component::TimeControlCurve;
using Points = std::vector<ControlAnchor>;

const Points kDiagonal{{0, 0, 0.25, 0.25}, {1, 1, 0.25, 0.25}};

TimeControlCurve curveOf(Points points) {
    TimeControlCurve curve;
    curve.points = std::move(points);
    return curve;
}

TEST(TimeControlCurveTest, LoadingTakesTheDiagonalTheTwoPointFormOrOnePointPerFourValues) {
    const struct {
        std::vector<double> flat;
        Points expected;
    } cases[] = {
        {{}, kDiagonal},
        {{0.1, 0.2, 0.3}, kDiagonal},
        {{0.1, 0.2, 0.3, 0.4, 0.5}, kDiagonal},
        {{0.1, 0.2, 0.3, 0.4, 0.5, 0.6}, kDiagonal},
        {{0.1, 0.2, 0.3, 0.4}, {{0, 0, 0.1, 0.2}, {1, 1, 0.3, 0.4}}},
        {{0, 0, 0.5, 0, 1, 1, 0.5, 0}, {{0, 0, 0.5, 0}, {1, 1, 0.5, 0}}},
        {{0, 0, 0.2, 0, 0.5, 0.8, 0.2, 0, 1, 1, 0.2, 0},
         {{0, 0, 0.2, 0}, {0.5, 0.8, 0.2, 0}, {1, 1, 0.2, 0}}},
    };
    for (const auto& c : cases) {
        TimeControlCurve curve;
        curve.points = {{0.5, 0.5, 0, 0}};  // replaced, not kept
        curve.load(c.flat);
        EXPECT_EQ(curve.points, c.expected) << c.flat.size() << " values";
    }
}

TEST(TimeControlCurveTest, SavingGivesTheShortestFormThatLoadsBackToTheSameCurve) {
    const struct {
        Points points;
        std::vector<double> expected;
    } cases[] = {
        {kDiagonal, {}},
        {{}, {}},
        {{{0, 0, 0.25, 0.25}}, {}},
        // Handles along the diagonal: still the diagonal.
        {{{0, 0, 0.4, 0.4}, {1, 1, 0.1, 0.1}}, {}},
        {{{0, 0, 0.5, 0}, {1, 1, 0.25, 0.25}}, {0.5, 0, 0.25, 0.25}},
        // End points off the corners keep every value.
        {{{0, 0.2, 0.25, 0.25}, {1, 1, 0.25, 0.25}}, {0, 0.2, 0.25, 0.25, 1, 1, 0.25, 0.25}},
        {{{0, 0, 0.2, 0}, {0.5, 0.8, 0.2, 0}, {1, 1, 0.2, 0}}, {0, 0, 0.2, 0, 0.5, 0.8, 0.2, 0, 1, 1, 0.2, 0}},
    };
    for (const auto& c : cases) EXPECT_EQ(curveOf(c.points).save(), c.expected) << c.points.size() << " points";
}

// A 100 x 100 plot: one pixel is 0.01.
const CurvePlot kPlot{100, 100};
const CurveHover kInner{CurvePart::InnerPoint, 1};

TEST(TimeControlCurveTest, AnInnerPointStopsATenMillionthBeforeItsNeighbours) {
    TimeControlCurve curve = curveOf({{0, 0, 0.25, 0.25}, {0.5, 0.5, 0.1, 0}, {0.7, 0.9, 0.1, 0}, {1, 1, 0.25, 0.25}});
    const ControlAnchor pressed = curve.points[1];
    curve.drag(kInner, pressed, 90, 0, false, kPlot, {});
    EXPECT_EQ(curve.points[1].x, 0.7 - 1e-7);
    EXPECT_EQ(curve.points[1].y, 0.5);
    curve.drag(kInner, pressed, -80, 0, false, kPlot, {});
    EXPECT_EQ(curve.points[1].x, 0 + 1e-7);
    // Up past the top: y stays in the square.
    curve.drag(kInner, pressed, 0, -70, false, kPlot, {});
    EXPECT_EQ(curve.points[1].x, 0.5);
    EXPECT_EQ(curve.points[1].y, 1.0);

    // Neighbours closer than two gaps: the point sits half-way between the
    // two bounds.
    TimeControlCurve tight = curveOf(
        {{0, 0, 0.25, 0.25}, {0.3, 0.5, 0, 0}, {0.3 + 0.5e-7, 0.5, 0, 0}, {0.3 + 1.5e-7, 0.6, 0, 0}, {1, 1, 0.25, 0.25}});
    tight.drag({CurvePart::InnerPoint, 2}, tight.points[2], 0, 0, false, kPlot, {});
    EXPECT_DOUBLE_EQ(tight.points[2].x, ((0.3 + 1e-7) + (0.3 + 1.5e-7 - 1e-7)) / 2);
}

TEST(TimeControlCurveTest, ShiftKeepsAPointOnOneAxisAndAHandleFlatOrUpright) {
    const Points start{{0, 0, 0.25, 0.25}, {0.5, 0.5, 0.2, 0.1}, {1, 1, 0.25, 0.25}};
    const struct {
        int dx, dy;
        double x, y;
    } moves[] = {
        {30, -10, 0.8, 0.5},  // mostly sideways: only x moves
        {5, -20, 0.5, 0.7},   // mostly up: only y moves
        {-10, 10, 0.4, 0.5},  // a tie moves sideways
    };
    for (const auto& m : moves) {
        TimeControlCurve curve = curveOf(start);
        curve.drag(kInner, start[1], m.dx, m.dy, true, kPlot, {});
        EXPECT_DOUBLE_EQ(curve.points[1].x, m.x) << m.dx << "," << m.dy;
        EXPECT_DOUBLE_EQ(curve.points[1].y, m.y) << m.dx << "," << m.dy;
        // Without Shift both axes move.
        TimeControlCurve free = curveOf(start);
        free.drag(kInner, start[1], m.dx, m.dy, false, kPlot, {});
        EXPECT_DOUBLE_EQ(free.points[1].x, 0.5 + m.dx / 100.0);
        EXPECT_DOUBLE_EQ(free.points[1].y, 0.5 - m.dy / 100.0);
    }
    // The handle towards the next point, (0.2, 0.1), dragged by (+10, -30)
    // px would be (0.3, 0.4): taller than wide, so it becomes upright.
    TimeControlCurve upright = curveOf(start);
    upright.drag({CurvePart::HandleAfter, 1}, start[1], 10, -30, true, kPlot, {});
    EXPECT_DOUBLE_EQ(upright.points[1].hx, 0);
    EXPECT_DOUBLE_EQ(upright.points[1].hy, 0.4);
    // The handle towards the previous point moves the other way round.
    TimeControlCurve flat = curveOf(start);
    flat.drag({CurvePart::HandleBefore, 1}, start[1], -20, 5, true, kPlot, {});
    EXPECT_DOUBLE_EQ(flat.points[1].hx, 0.4);
    EXPECT_DOUBLE_EQ(flat.points[1].hy, 0);
}

TEST(TimeControlCurveTest, EndPointsKeepTheirTimeAndTheirHandlesStayInTheSquare) {
    TimeControlCurve curve = curveOf(kDiagonal);
    // Sideways and up: x stays 0, y follows.
    curve.drag({CurvePart::EndPoint, 0}, kDiagonal[0], 40, -30, false, kPlot, {});
    EXPECT_EQ(curve.points[0].x, 0);
    EXPECT_DOUBLE_EQ(curve.points[0].y, 0.3);
    curve.drag({CurvePart::EndPoint, 1}, kDiagonal[1], -40, 20, false, kPlot, {});
    EXPECT_EQ(curve.points[1].x, 1);
    EXPECT_DOUBLE_EQ(curve.points[1].y, 0.8);

    // The first point's handle cannot end below y = 0 or left of the point.
    const ControlAnchor first{0, 0.3, 0.25, 0.25};
    curve.points[0] = first;
    curve.drag({CurvePart::HandleAfter, 0}, first, -60, 80, false, kPlot, {});
    EXPECT_EQ(curve.points[0].hx, 0);
    EXPECT_DOUBLE_EQ(curve.points[0].hy, -0.3);
    curve.drag({CurvePart::HandleAfter, 0}, first, 100, -100, false, kPlot, {});
    EXPECT_DOUBLE_EQ(curve.points[0].hx, 1);
    EXPECT_DOUBLE_EQ(curve.points[0].hy, 0.7);
    // The last point's handle points back: y - hy stays in 0..1.
    const ControlAnchor last{1, 0.8, 0.25, 0.25};
    curve.points[1] = last;
    curve.drag({CurvePart::HandleBefore, 1}, last, 0, -90, false, kPlot, {});
    EXPECT_DOUBLE_EQ(curve.points[1].hy, -0.2);
    // An inner handle reaches at most the farther edge on each axis.
    TimeControlCurve inner = curveOf({{0, 0, 0.25, 0.25}, {0.3, 0.6, 0.1, 0.1}, {1, 1, 0.25, 0.25}});
    inner.drag({CurvePart::HandleAfter, 1}, inner.points[1], 200, 200, false, kPlot, {});
    EXPECT_DOUBLE_EQ(inner.points[1].hx, 0.7);
    EXPECT_DOUBLE_EQ(inner.points[1].hy, -0.6);
}

TEST(TimeControlCurveTest, APointSnapsToTheCursorAndTheShownGuidesWithinEightPixels) {
    const Points start{{0, 0, 0.25, 0.25}, {0.4, 0.4, 0.1, 0}, {1, 1, 0.25, 0.25}};
    const CurvePlot plot{200, 200};  // 8 px = 0.04
    const struct {
        int dx, dy;
        CurveSnapGuides guides;
        double x, y;
    } cases[] = {
        {18, 0, {0.5, {}, {}}, 0.5, 0.4},           // 2 px from the cursor
        {10, 0, {0.5, {}, {}}, 0.45, 0.4},          // 10 px away: no snap
        {10, 0, {-1, {0.47}, {}}, 0.47, 0.4},       // a section boundary
        {10, 0, {0.46, {0.43}, {}}, 0.46, 0.4},     // the nearer candidate wins
        {0, 74, {-1, {}, {0.3}}, 0.4, 0.0},        // y 0.03: the nearer edge beats 0.3
        {0, 14, {-1, {}, {0.3}}, 0.4, 0.3},        // y 0.33: onto the mid-point position
        {0, 74, {-1, {}, {}}, 0.4, 0.03},          // positions not shown: no edge snap
    };
    for (const auto& c : cases) {
        TimeControlCurve curve = curveOf(start);
        curve.drag(kInner, start[1], c.dx, c.dy, false, plot, c.guides);
        EXPECT_NEAR(curve.points[1].x, c.x, 1e-12) << c.dx << "," << c.dy;
        EXPECT_NEAR(curve.points[1].y, c.y, 1e-12) << c.dx << "," << c.dy;
    }
}

TEST(TimeControlCurveTest, HoverFindsTheNearestPartWithinTwelvePixels) {
    // Plot 100 x 100 at (10, 10): the first point at (10, 110), its handle
    // end at (35, 85); the inner point (0.5, 0.5) at (60, 60) with handle
    // ends at (80, 60) and (40, 60); the last point at (110, 10).
    const TimeControlCurve curve =
        curveOf({{0, 0, 0.25, 0.25}, {0.5, 0.5, 0.2, 0}, {1, 1, 0.25, 0.25}});
    const struct {
        int x, y;
        CurveHover expected;
    } cases[] = {
        {12, 108, {CurvePart::EndPoint, 0}},
        {36, 86, {CurvePart::HandleAfter, 0}},
        {61, 61, {CurvePart::InnerPoint, 1}},
        {80, 65, {CurvePart::HandleAfter, 1}},
        {41, 59, {CurvePart::HandleBefore, 1}},
        {108, 12, {CurvePart::EndPoint, 2}},
        {60, 72, {CurvePart::None, -1}},  // 12 px below the inner point
        {60, 71, {CurvePart::InnerPoint, 1}},
    };
    for (const auto& c : cases) {
        const CurveHover hover = curve.hoverAt(kPlot, c.x, c.y);
        EXPECT_EQ(hover.part, c.expected.part) << c.x << "," << c.y;
        EXPECT_EQ(hover.index, c.expected.index) << c.x << "," << c.y;
    }
    EXPECT_EQ(curveOf({kDiagonal[0]}).hoverAt(kPlot, 10, 110), CurveHover{});
}

TEST(TimeControlCurveTest, AddedPointsAvoidTakenTimesAndOnlyInnerPointsAreDeleted) {
    TimeControlCurve curve = curveOf(kDiagonal);
    // A flat handle 1 / (2 + 3) long.
    EXPECT_EQ(curve.add(0.5, 1.5), 1);
    EXPECT_EQ(curve.points[1], (ControlAnchor{0.5, 1, 0.2, 0}));
    // The same time again: 1e-7 to the right, handle 1 / (3 + 3).
    EXPECT_EQ(curve.add(0.5, 0.25), 2);
    EXPECT_EQ(curve.points[2], (ControlAnchor{0.5 + 1e-7, 0.25, 1.0 / 6, 0}));
    // Past the ends: kept strictly inside.
    EXPECT_EQ(curve.add(-3, 0), 1);
    EXPECT_EQ(curve.points[1].x, 1e-7);
    curve.add(2, 0);
    curve.add(2, 0);  // 0.9999999 is taken and nothing is free to its right
    EXPECT_EQ(curve.points[curve.points.size() - 3].x, 0.9999999 - 1e-7);
    EXPECT_EQ(curve.points[curve.points.size() - 2].x, 0.9999999);
    EXPECT_EQ(curve.points.size(), 7u);

    EXPECT_FALSE(curve.remove(0));
    EXPECT_FALSE(curve.remove(6));
    EXPECT_TRUE(curve.remove(1));
    EXPECT_EQ(curve.points.size(), 6u);
    EXPECT_EQ(curve.points.front().x, 0);
    EXPECT_EQ(curve.points.back().x, 1);
}

}  // namespace
