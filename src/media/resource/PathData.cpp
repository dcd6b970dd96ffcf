#include "media/resource/PathData.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace Resource {

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

float sinDeg(double t) { return static_cast<float>(std::sin(t * kDegree)); }
float cosDeg(double t) { return static_cast<float>(std::cos(t * kDegree)); }

}  // namespace

Platform::Cairo::PointF PathSink::map(double x, double y) const {
    return {static_cast<float>(x_ + (x - x0_) * scaleX_), static_cast<float>(y_ + (y - y0_) * scaleY_)};
}

void PathSink::moveTo(float x, float y) {
    if (open_) geometry_.endFigure(false);
    geometry_.beginFigure(map(x, y));
    open_ = true;
    currentX_ = x;
    currentY_ = y;
}

void PathSink::lineTo(float x, float y) {
    geometry_.addLine(map(x, y));
    currentX_ = x;
    currentY_ = y;
}

void PathSink::cubicTo(double x1, double y1, double x2, double y2, double x3, double y3) {
    geometry_.addBezier(map(x1, y1), map(x2, y2), map(x3, y3));
    currentX_ = x3;
    currentY_ = y3;
}

void PathSink::bezier2To(float controlX, float controlY, float x, float y) {
    // The cubic with the same curve: controls two thirds of the way from
    // each end towards the quadratic's control.
    cubicTo(currentX_ + (controlX - currentX_) * 2.0 / 3.0, currentY_ + (controlY - currentY_) * 2.0 / 3.0,
            x + (controlX - x) * 2.0 / 3.0, y + (controlY - y) * 2.0 / 3.0, x, y);
}

void PathSink::arcTo(float endX, float endY, float radiusX, float radiusY, float rotation, bool largeArc) {
    const double x1 = currentX_, y1 = currentY_, x2 = endX, y2 = endY;
    double rx = std::fabs(radiusX), ry = std::fabs(radiusY);
    if (x1 == x2 && y1 == y2) return;
    if (rx == 0 || ry == 0) {
        lineTo(endX, endY);
        return;
    }
    // The centre form of the end-point arc; the sweep is clockwise on a
    // screen whose y runs down, i.e. increasing angles.
    const double phi = rotation * kDegree, c = std::cos(phi), s = std::sin(phi);
    const double dx = (x1 - x2) / 2, dy = (y1 - y2) / 2;
    const double px = c * dx + s * dy, py = -s * dx + c * dy;
    const double lambda = (px * px) / (rx * rx) + (py * py) / (ry * ry);
    if (lambda > 1) {
        rx *= std::sqrt(lambda);
        ry *= std::sqrt(lambda);
    }
    const double numerator = rx * rx * ry * ry - rx * rx * py * py - ry * ry * px * px;
    const double denominator = rx * rx * py * py + ry * ry * px * px;
    double root = denominator > 0 ? std::sqrt(std::max(0.0, numerator / denominator)) : 0;
    // Sweep clockwise: the centre lies on the side that makes the large or
    // small arc, as asked.
    if (largeArc) root = -root;
    const double cpx = root * rx * py / ry, cpy = -root * ry * px / rx;
    const double cx = c * cpx - s * cpy + (x1 + x2) / 2, cy = s * cpx + c * cpy + (y1 + y2) / 2;
    const double start = std::atan2((py - cpy) / ry, (px - cpx) / rx);
    double sweep = std::atan2((-py - cpy) / ry, (-px - cpx) / rx) - start;
    while (sweep <= 0) sweep += 2 * std::numbers::pi;
    while (sweep > 2 * std::numbers::pi) sweep -= 2 * std::numbers::pi;

    const int pieces = std::max(1, static_cast<int>(std::ceil(sweep / (std::numbers::pi / 2) - 1e-9)));
    const double step = sweep / pieces;
    const double k = 4.0 / 3.0 * std::tan(step / 4);
    auto rotate = [&](double ux, double uy) { return std::pair{cx + c * ux - s * uy, cy + s * ux + c * uy}; };
    double angle = start;
    for (int i = 0; i < pieces; ++i) {
        const double next = angle + step;
        // Control points: the tangent at each end, k times the radius long.
        const double sx = rx * std::cos(angle), sy = ry * std::sin(angle);
        const double ex = rx * std::cos(next), ey = ry * std::sin(next);
        const double c1x = sx - k * rx * std::sin(angle), c1y = sy + k * ry * std::cos(angle);
        const double c2x = ex + k * rx * std::sin(next), c2y = ey - k * ry * std::cos(next);
        const auto [p1x, p1y] = rotate(c1x, c1y);
        const auto [p2x, p2y] = rotate(c2x, c2y);
        auto [p3x, p3y] = rotate(ex, ey);
        if (i == pieces - 1) {
            p3x = x2;
            p3y = y2;
        }
        cubicTo(p1x, p1y, p2x, p2y, p3x, p3y);
        angle = next;
    }
}

void PathSink::close() {
    if (open_) geometry_.endFigure(true);
    open_ = false;
}

Platform::Cairo::PathGeometry PathData::createPathGeometry(float x, float y, float width, float height) const {
    Platform::Cairo::PathGeometry geometry;
    geometry.setFillMode(Platform::Cairo::FillMode::Winding);
    PathSink sink(geometry, x, y, width / w, height / h, x0, y0);
    for (const auto& command : commands) command->addToSink(sink);
    sink.close();
    return geometry;
}

PathData PathData::builtIn(Shape shape) {
    PathData data;
    auto move = [&](float x, float y) { data.commands.push_back(std::make_unique<PathCommandMoveTo>(x, y)); };
    auto line = [&](float x, float y) { data.commands.push_back(std::make_unique<PathCommandLineTo>(x, y)); };
    auto arc = [&](float x, float y, float r, bool large) {
        data.commands.push_back(std::make_unique<PathCommandArcTo>(x, y, r, r, 0.0f, large));
    };
    auto quad = [&](float cx, float cy, float x, float y) {
        data.commands.push_back(std::make_unique<PathCommandBezier2To>(cx, cy, x, y));
    };
    // A point of a regular polygon at angle t (degrees, clockwise from up).
    auto polygon = [&](std::initializer_list<int> angles) {
        move(0, -1);
        for (int t : angles) line(sinDeg(t), -cosDeg(t));
    };
    auto box = [&](float x0, float y0, float w, float h, float factor) {
        data.x0 = x0;
        data.y0 = y0;
        data.w = w;
        data.h = h;
        data.factor = factor;
    };
    switch (shape) {
    case Circle:
        box(0, 0, 1, 1, 1);
        move(1, 0.5f);
        arc(0, 0.5f, 0.5f, true);
        arc(1, 0.5f, 0.5f, true);
        break;
    case Square:
        box(0, 0, 1, 1, 1);
        move(0, 0);
        line(1, 0);
        line(1, 1);
        line(0, 1);
        break;
    case Triangle:
        box(-1, -1, 2, 2, sinDeg(30));
        polygon({120, 240});
        break;
    case Pentagon:
        box(-1, -1, 2, 2, sinDeg(54));
        polygon({72, 144, 216, 288});
        break;
    case Hexagon:
        box(-1, -1, 2, 2, sinDeg(60));
        polygon({60, 120, 180, 240, 300});
        break;
    case Star: {
        box(-1, -1, 2, 2, sinDeg(18));
        const float k = -(cosDeg(72) / cosDeg(36));
        for (int t = 0; t < 360; t += 72) {
            if (t == 0)
                move(sinDeg(t), -cosDeg(t));
            else
                line(sinDeg(t), -cosDeg(t));
            line(k * sinDeg(t + 216), -k * cosDeg(t + 216));
        }
        break;
    }
    case Heart:
        box(0.09f, 0.09f, 0.82f, 0.82f, 0.6666f);
        move(0.1f, 0.35f);
        arc(0.5f, 0.3f, 0.2f, false);
        arc(0.9f, 0.35f, 0.2f, false);
        quad(0.9f, 0.5f, 0.5f, 0.9f);
        quad(0.1f, 0.5f, 0.1f, 0.35f);
        break;
    case Diamond:
        box(0, 0, 1, 1, 1);
        move(0.5f, 0);
        line(1, 0.5f);
        line(0.5f, 1);
        line(0, 0.5f);
        break;
    case Count:
        break;
    }
    data.commands.push_back(std::make_unique<PathCommandClosePath>());
    return data;
}

}  // namespace Resource
