#pragma once
// The built-in figure outlines worked out on the CPU, independently of the
// drawing code: each shape as a dense polygon in its own coordinates (arcs
// and curves sampled from their equations), placed on a rectangle, with
// inside tests and distances to the outline.
#include <cmath>
#include <numbers>
#include <vector>

namespace ResourceTest {

struct Point {
    double x, y;
};

struct ShapeOutline {
    double x0, y0, w, h;  // the shape's box
    std::vector<Point> points;
};

inline Point onCircle(double t) { return {std::sin(t * std::numbers::pi / 180), -std::cos(t * std::numbers::pi / 180)}; }

// Index as in the figure list's path shapes: circle, square, triangle,
// pentagon, hexagon, star, heart, diamond.
inline ShapeOutline shapeOutline(int shape) {
    ShapeOutline s{0, 0, 1, 1, {}};
    auto polygon = [&](int corners) {
        s = {-1, -1, 2, 2, {}};
        for (int i = 0; i < corners; ++i) s.points.push_back(onCircle(360.0 * i / corners));
    };
    // A semicircle over the chord from a to b, bulging upwards.
    auto bump = [&](Point a, Point b) {
        const Point c{(a.x + b.x) / 2, (a.y + b.y) / 2};
        const double r = std::hypot(b.x - a.x, b.y - a.y) / 2;
        const double start = std::atan2(a.y - c.y, a.x - c.x);
        for (int i = 0; i < 200; ++i) {
            const double t = start + std::numbers::pi * i / 200;
            s.points.push_back({c.x + r * std::cos(t), c.y + r * std::sin(t)});
        }
    };
    auto quadratic = [&](Point a, Point control, Point b) {
        for (int i = 0; i < 200; ++i) {
            const double t = i / 200.0, u = 1 - t;
            s.points.push_back({u * u * a.x + 2 * u * t * control.x + t * t * b.x,
                                u * u * a.y + 2 * u * t * control.y + t * t * b.y});
        }
    };
    switch (shape) {
    case 0:
        for (int i = 0; i < 720; ++i) {
            const double t = 2 * std::numbers::pi * i / 720;
            s.points.push_back({0.5 + 0.5 * std::cos(t), 0.5 + 0.5 * std::sin(t)});
        }
        break;
    case 1:
        s.points = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
        break;
    case 2:
        polygon(3);
        break;
    case 3:
        polygon(5);
        break;
    case 4:
        polygon(6);
        break;
    case 5: {
        s = {-1, -1, 2, 2, {}};
        // Inner corners on the circle of radius cos 72 / cos 36, half-way
        // between the outer ones.
        const double inner = std::cos(72 * std::numbers::pi / 180) / std::cos(36 * std::numbers::pi / 180);
        for (int i = 0; i < 5; ++i) {
            s.points.push_back(onCircle(72.0 * i));
            const Point p = onCircle(72.0 * i + 36);
            s.points.push_back({p.x * inner, p.y * inner});
        }
        break;
    }
    case 6:
        s = {0.09, 0.09, 0.82, 0.82, {}};
        bump({0.1, 0.35}, {0.5, 0.3});
        bump({0.5, 0.3}, {0.9, 0.35});
        quadratic({0.9, 0.35}, {0.9, 0.5}, {0.5, 0.9});
        quadratic({0.5, 0.9}, {0.1, 0.5}, {0.1, 0.35});
        break;
    case 7:
        s.points = {{0.5, 0}, {1, 0.5}, {0.5, 1}, {0, 0.5}};
        break;
    }
    return s;
}

// The outline placed so that its box fills (x, y, width, height).
inline std::vector<Point> place(const ShapeOutline& s, double x, double y, double width, double height) {
    std::vector<Point> placed;
    for (const Point& p : s.points)
        placed.push_back({x + (p.x - s.x0) * width / s.w, y + (p.y - s.y0) * height / s.h});
    return placed;
}

inline bool inside(const std::vector<Point>& polygon, Point p) {
    bool in = false;
    for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const Point& a = polygon[i];
        const Point& b = polygon[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) in = !in;
    }
    return in;
}

inline double distanceToOutline(const std::vector<Point>& polygon, Point p) {
    double best = 1e30;
    for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const Point& a = polygon[j];
        const Point& b = polygon[i];
        const double dx = b.x - a.x, dy = b.y - a.y;
        const double length = dx * dx + dy * dy;
        double t = length > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length : 0;
        t = std::fmax(0, std::fmin(1, t));
        best = std::fmin(best, std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy)));
    }
    return best;
}

}  // namespace ResourceTest
