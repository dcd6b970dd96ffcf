#include "settings/time/TimeControlCurve.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace Component {

namespace {

constexpr ControlAnchor kStart{0, 0, 0.25, 0.25};
constexpr ControlAnchor kEnd{1, 1, 0.25, 0.25};

// The candidate nearest to value (the earlier on a tie), moved onto when
// it lies within 8 px along an axis of the given pixel length.
void snapTo(double& value, const std::vector<double>& candidates, int pixels) {
    if (candidates.empty()) return;
    double nearest = candidates.front();
    for (const double candidate : candidates)
        if (std::fabs(candidate - value) < std::fabs(nearest - value)) nearest = candidate;
    if (pixels * std::fabs(nearest - value) < 8) value = nearest;
}

void snapTime(ControlAnchor& point, const CurvePlot& plot, const CurveSnapGuides& guides) {
    std::vector<double> candidates{guides.cursor};
    candidates.insert(candidates.end(), guides.times.begin(), guides.times.end());
    snapTo(point.x, candidates, plot.width);
}

void snapPosition(ControlAnchor& point, const CurvePlot& plot, const CurveSnapGuides& guides) {
    if (guides.positions.empty()) return;
    std::vector<double> candidates{point.y < 0.5 ? 0.0 : 1.0};
    candidates.insert(candidates.end(), guides.positions.begin(), guides.positions.end());
    snapTo(point.y, candidates, plot.height);
}

int truncatedDistance(double x, double y, double px, double py) {
    return static_cast<int>(std::hypot(x - px, y - py));
}

}  // namespace

void TimeControlCurve::load(const std::vector<double>& flat) {
    points.clear();
    if (flat.size() < 4 || flat.size() % 4 != 0) {
        points = {kStart, kEnd};
    } else if (flat.size() == 4) {
        points = {{0, 0, flat[0], flat[1]}, {1, 1, flat[2], flat[3]}};
    } else {
        for (std::size_t i = 0; i < flat.size(); i += 4)
            points.push_back({flat[i], flat[i + 1], flat[i + 2], flat[i + 3]});
    }
}

std::vector<double> TimeControlCurve::save() const {
    if (points.size() < 2) return {};
    if (points.size() == 2) {
        const ControlAnchor& a = points[0];
        const ControlAnchor& b = points[1];
        if (a.x == 0 && a.y == 0 && b.x == 1 && b.y == 1) {
            if (a.hx == a.hy && b.hx == b.hy) return {};
            return {a.hx, a.hy, b.hx, b.hy};
        }
    }
    std::vector<double> flat;
    flat.reserve(points.size() * 4);
    for (const ControlAnchor& p : points) flat.insert(flat.end(), {p.x, p.y, p.hx, p.hy});
    return flat;
}

CurveHover TimeControlCurve::hoverAt(const CurvePlot& plot, int x, int y) const {
    CurveHover hover;
    if (points.size() < 2) return hover;
    int best = 12;
    const int last = static_cast<int>(points.size()) - 1;
    for (int i = 0; i <= last; ++i) {
        const ControlAnchor& p = points[static_cast<std::size_t>(i)];
        const double px = plot.screenX(p.x), py = plot.screenY(p.y);
        const double vx = plot.width * p.hx, vy = -plot.height * p.hy;
        if (i != last) {
            const int d = truncatedDistance(x, y, px + vx, py + vy);
            if (d < best) hover = {CurvePart::HandleAfter, i}, best = d;
        }
        if (i != 0) {
            const int d = truncatedDistance(x, y, px - vx, py - vy);
            if (d < best) hover = {CurvePart::HandleBefore, i}, best = d;
        }
        const int d = truncatedDistance(x, y, px, py);
        if (d < best) hover = {i == 0 || i == last ? CurvePart::EndPoint : CurvePart::InnerPoint, i}, best = d;
    }
    return hover;
}

void TimeControlCurve::drag(CurveHover part, const ControlAnchor& pressed, int dx, int dy, bool shift,
                            const CurvePlot& plot, const CurveSnapGuides& guides) {
    const int count = static_cast<int>(points.size());
    if (part.part == CurvePart::None || count < 2 || part.index < 0 || part.index >= count) return;
    const double width = std::max(plot.width, 1), height = std::max(plot.height, 1);
    ControlAnchor p = pressed;
    switch (part.part) {
    case CurvePart::EndPoint:
        p.y = pressed.y - dy / height;
        snapTime(p, plot, guides);
        snapPosition(p, plot, guides);
        break;
    case CurvePart::InnerPoint:
        if (shift) {
            if (std::abs(dx) >= std::abs(dy))
                dy = 0;
            else
                dx = 0;
        }
        p.x = pressed.x + dx / width;
        p.y = pressed.y - dy / height;
        snapTime(p, plot, guides);
        snapPosition(p, plot, guides);
        break;
    case CurvePart::HandleBefore:
    case CurvePart::HandleAfter: {
        const double sign = part.part == CurvePart::HandleAfter ? 1 : -1;
        p.hx = pressed.hx + sign * dx / width;
        p.hy = pressed.hy - sign * dy / height;
        if (shift) {
            if (std::fabs(height * p.hy) > std::fabs(width * p.hx))
                p.hx = 0;
            else
                p.hy = 0;
        }
        break;
    }
    case CurvePart::None:
        return;
    }

    const int i = part.index;
    const bool first = i == 0, last = i == count - 1;
    if (first) {
        p.x = 0;
    } else if (last) {
        p.x = 1;
    } else {
        double low = points[static_cast<std::size_t>(i - 1)].x + Gap;
        double high = points[static_cast<std::size_t>(i + 1)].x - Gap;
        if (low > high) low = high = (low + high) / 2;
        p.x = std::clamp(p.x, low, high);
    }
    p.y = std::clamp(p.y, 0.0, 1.0);
    if (p.hx < 0) p.hx = 0;
    if (first) {
        p.hx = std::clamp(p.hx, 0.0, 1.0);
        p.hy = std::clamp(p.hy, -p.y, 1 - p.y);
    } else if (last) {
        p.hx = std::clamp(p.hx, 0.0, 1.0);
        p.hy = std::clamp(p.hy, p.y - 1, p.y);
    } else {
        p.hx = std::min(p.hx, std::max(p.x, 1 - p.x));
        const double reach = std::max(p.y, 1 - p.y);
        p.hy = std::clamp(p.hy, -reach, reach);
    }
    points[static_cast<std::size_t>(i)] = p;
}

int TimeControlCurve::add(double x, double y) {
    const double clamped = std::clamp(x, Gap, 1 - Gap);
    const auto taken = [this](double c) {
        return std::any_of(points.begin(), points.end(), [c](const ControlAnchor& p) { return p.x == c; });
    };
    double c = clamped;
    while (taken(c) && c > 0 && c < 1) c += Gap;
    if (!(c > 0 && c < 1)) {
        c = clamped;
        while (taken(c) && c > 0 && c < 1) c -= Gap;
        if (!(c > 0 && c < 1)) c = clamped;
    }
    const ControlAnchor point{c, std::clamp(y, 0.0, 1.0), 1.0 / (static_cast<double>(points.size()) + 3), 0};
    points.push_back(point);
    std::stable_sort(points.begin(), points.end(),
                     [](const ControlAnchor& a, const ControlAnchor& b) { return a.x < b.x; });
    return static_cast<int>(std::find(points.begin(), points.end(), point) - points.begin());
}

bool TimeControlCurve::remove(int index) {
    if (index <= 0 || index >= static_cast<int>(points.size()) - 1) return false;
    points.erase(points.begin() + index);
    return true;
}

}  // namespace Component
