#include "effect/movement/CurveFunction.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using Effect::solveCubicBezier;

TEST(CurveFunction, SolverInvertsTheXCurve) {
    // Linear x controls: the target itself, at once.
    for (const double x : {0.0, 0.1, 0.5, 0.77, 1.0})
        EXPECT_DOUBLE_EQ(solveCubicBezier(0, 1.0 / 3, 2.0 / 3, 1, x, 1e-6), x);
    // Targets outside the span work on the clamped target.
    EXPECT_DOUBLE_EQ(solveCubicBezier(0, 1.0 / 3, 2.0 / 3, 1, 2.5, 1e-6), 1.0);
    EXPECT_DOUBLE_EQ(solveCubicBezier(0, 1.0 / 3, 2.0 / 3, 1, -3, 1e-6), 0.0);
    // No span: the middle.
    EXPECT_EQ(solveCubicBezier(4, 5, 6, 4, 4.5, 1e-6), 0.5);
    EXPECT_EQ(solveCubicBezier(4, 5, 6, 3, 4.5, 1e-6), 0.5);
    // A shifted, scaled span: x(s) = 10 + 20(3s^2 - 2s^3) reaches 20 at 0.5.
    EXPECT_NEAR(solveCubicBezier(10, 10, 30, 30, 20, 1e-9), 0.5, 1e-9);
}

TEST(CurveFunction, TimeControlCurves) {
    struct Case {
        std::vector<double> curve;
        double t;
        double expected;
    };
    const Case cases[] = {
        // x linear in s, y eased at both ends: 3t^2 - 2t^3.
        {{1.0 / 3, 0, 1.0 / 3, 0}, 0.25, 3 * 0.0625 - 2 * 0.015625},
        {{1.0 / 3, 0, 1.0 / 3, 0}, 0.8, 3 * 0.64 - 2 * 0.512},
        // Coinciding x and y controls: the identity.
        {{0, 0, 0, 0}, 0.3, 0.3},
        {{0, 0, 0, 0}, 0.9, 0.9},
        // Ease in, ease in-out, ease out (bisection reference).
        {{0.42, 0, 0, 0}, 0.5, 0.3153568125725393},
        {{0.42, 0, 0.42, 0}, 0.3, 0.1873959067053124},
        {{0, 0, 0.42, 0}, 0.8, 0.9377179998632676},
        // Key points (0, 0) and (0.5, 1), no handles.
        {{0, 0, 0, 0, 0.5, 1, 0, 0}, 0.25, 0.5},
        {{0, 0, 0, 0, 0.5, 1, 0, 0}, 0.7, 1.0},
        {{0, 0, 0, 0, 0.5, 1, 0, 0}, 1.0, 1.0},
        // Before the first key point: its y.
        {{0.2, 0.3, 0, 0, 1, 1, 0, 0}, 0.1, 0.3},
        // Three key points: the second segment.
        {{0, 0, 0, 0, 0.5, 0.2, 0, 0, 1, 1, 0, 0}, 0.75, 0.6},
        // Not a curve: unchanged.
        {{}, 0.4, 0.4},
        {{0.5, 0.5, 0.5}, 0.4, 0.4},
        {{0.5, 0.5, 0.5, 0.5, 1}, 0.4, 0.4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.curve.size() << " doubles, t " << c.t);
        EXPECT_NEAR(Effect::evaluateTimeControlCurve(c.curve, c.t), c.expected, 1e-5);
    }
}

TEST(CurveFunction, InterpolationWeightsTangentsByTheOppositeChords) {
    using Effect::CurvePoint;
    const auto near = [](const CurvePoint& a, const CurvePoint& b) {
        for (int i = 0; i < 3; ++i) EXPECT_NEAR(a[i], b[i], 1e-12) << "coordinate " << i;
    };
    const CurvePoint p{1, 2, 3};
    for (const double t : {0.0, 0.4, 1.0})
        near(Effect::interpolateCurve(t, {0, 0, 0}, p, p, {9, 9, 9}), p);
    // Evenly spaced on a line: handles at half weight give 1.5 at the middle
    // but not a straight run.
    near(Effect::interpolateCurve(0.5, {0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}), {1.5, 0, 0});
    near(Effect::interpolateCurve(0.25, {0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}),
         {1.296875, 0, 0});
    // A corner in two dimensions: controls (1.25, 0.25) and (0.75, 0.75).
    near(Effect::interpolateCurve(0.5, {0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {2, 1, 0}), {1, 0.5, 0});
    near(Effect::interpolateCurve(0, {0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {2, 1, 0}), {1, 0, 0});
}

}  // namespace
