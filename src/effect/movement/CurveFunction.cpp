#include "effect/movement/CurveFunction.h"

#include <algorithm>
#include <cmath>

namespace Effect {

double solveCubicBezier(double x0, double x1, double x2, double x3, double x, double epsilon) {
    const double span = x3 - x0;
    if (!(span > 0.0)) return 0.5;
    const double target = std::clamp((x - x0) / span, 0.0, 1.0);
    const double p1 = std::clamp((x1 - x0) / span, 0.0, 1.0);
    const double p2 = std::clamp((x2 - x0) / span, 0.0, 1.0);
    double s = target;
    for (int step = 0; step < 64; ++step) {
        const double r = 1.0 - s;
        const double f = 3.0 * p1 * s * r * r + (3.0 * p2 * r + s) * s * s - target;
        if (std::fabs(f) < epsilon) return s;
        const double slope = (9.0 * s * s - 12.0 * s + 3.0) * p1 + (6.0 * s - 9.0 * s * s) * p2 +
                             3.0 * s * s;
        if (slope == 0.0) return s;
        s -= f / slope;
    }
    return s;
}

bool isTimeControlCurve(const std::vector<double>& curve) {
    return !curve.empty() && curve.size() % 4 == 0;
}

double evaluateTimeControlCurve(const std::vector<double>& curve, double t) {
    constexpr double epsilon = 1e-6;
    if (!isTimeControlCurve(curve)) return t;
    if (curve.size() == 4) {
        const double s = solveCubicBezier(0.0, curve[0], 1.0 - curve[2], 1.0, t, epsilon);
        return bezier(0.0, curve[1], 1.0 - curve[3], 1.0, s);
    }
    const std::size_t points = curve.size() / 4;
    const auto x = [&](std::size_t j) { return curve[4 * j]; };
    const auto y = [&](std::size_t j) { return curve[4 * j + 1]; };
    const auto hx = [&](std::size_t j) { return curve[4 * j + 2]; };
    const auto hy = [&](std::size_t j) { return curve[4 * j + 3]; };
    for (std::size_t j = 1; j < points; ++j) {
        if (!(t <= x(j))) continue;
        const double s = solveCubicBezier(x(j - 1), x(j - 1) + hx(j - 1), x(j) - hx(j), x(j), t,
                                          epsilon);
        return bezier(y(j - 1), y(j - 1) + hy(j - 1), y(j) - hy(j), y(j), s);
    }
    return y(points - 1);
}

CurvePoint interpolateCurve(double t, const CurvePoint& p0, const CurvePoint& p1,
                            const CurvePoint& p2, const CurvePoint& p3) {
    const auto distance = [](const CurvePoint& a, const CurvePoint& b) {
        return std::hypot(b[0] - a[0], b[1] - a[1], b[2] - a[2]);
    };
    const double r = distance(p0, p1);
    const double u = distance(p1, p2);
    const double w = distance(p2, p3);
    if (!(u > 0.0)) return p1;
    CurvePoint result;
    for (std::size_t i = 0; i < 3; ++i) {
        const double c1 = p1[i] + ((p2[i] - p1[i]) * r + u * (p1[i] - p0[i])) / (2.0 * (u + r));
        const double c2 = p2[i] - (u * (p3[i] - p2[i]) + w * (p2[i] - p1[i])) / (2.0 * (w + u));
        result[i] = bezier(p1[i], c1, c2, p2[i], t);
    }
    return result;
}

}  // namespace Effect
