#pragma once
// Easing curves shared by the number items, the time-control curve editor
// and the scripts. Pure functions; any thread.
#include <array>
#include <vector>

namespace Effect {

using CurvePoint = std::array<double, 3>;

// The parameter s at which the cubic Bezier with x controls x0..x3 reaches
// x (Newton's method on the normalised, clamped controls). A span x3 - x0
// that is not positive gives 0.5.
double solveCubicBezier(double x0, double x1, double x2, double x3, double x, double epsilon);

// A time-control curve applied to a normalised position t. Four doubles
// give one segment from (0, 0) to (1, 1) by its two handles
// [h0x, h0y, h1x, h1y]; 8, 12, ... doubles give key points (x, y, hx, hy).
// Any other size is no curve: t comes back unchanged.
double evaluateTimeControlCurve(const std::vector<double>& curve, double t);
bool isTimeControlCurve(const std::vector<double>& curve);

// The point at t on the curve from p1 to p2, its end tangents weighted by
// the neighbouring chords (half-weighted handles). p1 when p1 = p2.
CurvePoint interpolateCurve(double t, const CurvePoint& p0, const CurvePoint& p1,
                            const CurvePoint& p2, const CurvePoint& p3);

// p0(1-s)^3 + 3p1 s(1-s)^2 + 3p2 s^2(1-s) + p3 s^3.
inline double bezier(double p0, double p1, double p2, double p3, double s) {
    const double r = 1.0 - s;
    return p0 * r * r * r + 3.0 * p1 * s * r * r + 3.0 * p2 * s * s * r + p3 * s * s * s;
}

}  // namespace Effect
