#include "panels/anchor/AnchorLayout.h"

#include <algorithm>
#include <cmath>

namespace Anchor {

namespace {

float squaredDistance(const Float2& a, const Float2& b) {
    const float dx = a.x - b.x, dy = a.y - b.y;
    return dx * dx + dy * dy;
}

// Distance of c from the infinite line through p and q (from p when they
// coincide).
float distanceFromLine(const Float2& p, const Float2& q, const Float2& c) {
    const float ex = q.x - p.x, ey = q.y - p.y;
    const float length = std::hypot(ex, ey);
    if (length == 0.0f) return std::sqrt(squaredDistance(p, c));
    return std::fabs(ex * (c.y - p.y) - ey * (c.x - p.x)) / length;
}

void layoutPolygon(AnchorItem& item) {
    std::vector<Float2>& points = item.screenPoints;
    const std::size_t count = points.size();
    for (std::size_t i = 0; i < count; ++i) {
        const Float2& vertex = points[i];
        const Float2& previous = points[(i + count - 1) % count];
        if (squaredDistance(vertex, item.center) < 1.0f ||
            distanceFromLine(previous, vertex, item.center) < kMinimumHandleSize / 2) {
            fallbackRectangle(item);
            break;
        }
    }
    float radius = 0.0f;
    for (const Float2& p : points) radius = std::max(radius, std::sqrt(squaredDistance(p, item.center)));
    item.radius = radius;
}

// Corners of a small box are pushed apart along its edges so that their
// squares do not cover each other.
void layoutSquare(AnchorItem& item) {
    std::vector<Float2>& points = item.screenPoints;
    if (points.size() < 3) return;
    const Float2 corner = points[0];
    Float2 moved = corner;
    for (std::size_t n = 1; n <= 2; ++n) {
        const float dx = corner.x - points[n].x, dy = corner.y - points[n].y;
        const float length = std::hypot(dx, dy);
        if (length <= 0.0f || length >= kMinimumHandleSize) continue;
        const float push = (kMinimumHandleSize - length) / 2 / length;
        moved.x += dx * push;
        moved.y += dy * push;
    }
    points[0] = moved;
}

// The axis handle keeps its length on screen whatever the zoom; P2 tells
// the effect how many of its units one pixel of the drag is.
void layoutHandle(AnchorItem& item) {
    std::vector<Float2>& points = item.screenPoints;
    if (points.size() < 3) return;
    const Float2 origin = points[0];
    const Float2 end = points[1];
    const float unit = std::sqrt(squaredDistance(points[2], origin));
    points[1] = unit > 0.0f ? Float2{origin.x + (end.x - origin.x) / unit, origin.y + (end.y - origin.y) / unit}
                            : origin;
    const float length = std::sqrt(squaredDistance(origin, points[1]));
    item.payload[2] = {length > 0.0f ? 40.0f / length : 0.0f, 0.0f, 0.0f, 0.0f};
}

}  // namespace

void fallbackRectangle(AnchorItem& item) {
    std::vector<Float2>& points = item.screenPoints;
    const Float2 c = item.center;
    const float half = kMinimumHandleSize / 2;
    Float2 longest;
    float longestLength = -1.0f;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const Float2& p = points[i];
        const Float2& q = points[(i + points.size() - 1) % points.size()];
        const Float2 e = {p.x - q.x, p.y - q.y};
        const float length = e.x * e.x + e.y * e.y;
        if (length > longestLength) {
            longestLength = length;
            longest = e;
        }
    }
    if (longestLength < 1.0f) {
        points = {{c.x - half, c.y - half}, {c.x + half, c.y - half}, {c.x + half, c.y + half},
                  {c.x - half, c.y + half}};
        return;
    }
    const float angle = std::atan2(longest.y, longest.x);
    const float cosA = std::cos(angle), sinA = std::sin(angle);
    float minU = INFINITY, minV = INFINITY, maxU = -INFINITY, maxV = -INFINITY;
    for (const Float2& p : points) {
        const float dx = p.x - c.x, dy = p.y - c.y;
        const float u = dx * cosA + dy * sinA;
        const float v = -dx * sinA + dy * cosA;
        minU = std::min(minU, u);
        maxU = std::max(maxU, u);
        minV = std::min(minV, v);
        maxV = std::max(maxV, v);
    }
    const auto widen = [](float& low, float& high) {
        const float shortfall = kMinimumHandleSize - (high - low);
        if (shortfall <= 0.0f) return;
        low -= shortfall / 2;
        high += shortfall / 2;
    };
    widen(minU, maxU);
    widen(minV, maxV);
    const auto back = [&](float u, float v) { return Float2{c.x + u * cosA - v * sinA, c.y + u * sinA + v * cosA}; };
    points = {back(minU, minV), back(maxU, minV), back(maxU, maxV), back(minU, maxV)};
}

void layoutItem(AnchorItem& item, const AnchorControlData::Rect& picture) {
    const float cx = (picture.left + picture.right) / 2;
    const float cy = (picture.top + picture.bottom) / 2;
    const float sx = std::max(1.0f, picture.right - picture.left) / 2;
    const float sy = std::max(1.0f, picture.bottom - picture.top) / 2;
    item.screenPoints.clear();
    item.screenPoints.reserve(item.points.size());
    Float2 sum;
    for (const Float2& p : item.points) {
        const Float2 s = {cx + p.x * sx, cy - p.y * sy};
        item.screenPoints.push_back(s);
        sum.x += s.x;
        sum.y += s.y;
    }
    const float n = static_cast<float>(std::max<std::size_t>(1, item.screenPoints.size()));
    item.center = {sum.x / n, sum.y / n};
    item.radius = 0.0f;
    switch (item.type) {
    case AnchorItem::Polygon:
        if (!item.screenPoints.empty()) layoutPolygon(item);
        break;
    case AnchorItem::Square:
        layoutSquare(item);
        break;
    case AnchorItem::Handle:
        layoutHandle(item);
        break;
    default:
        break;
    }
}

void layoutDocked(AnchorItem& item, const AnchorControlData::Rect& picture, float controlWidth, float& stackTop) {
    const Float2 size = item.points.size() > 1 ? item.points[1] : Float2{32.0f, 32.0f};
    const float right = std::min(controlWidth, picture.right);
    const float top = stackTop;
    item.screenPoints = {{right - size.x, top}, {right, top + size.y}};
    item.center = {right - size.x / 2, top + size.y / 2};
    item.radius = 0.0f;
    stackTop += size.y;
}

bool hitsAnchor(const AnchorItem& item, float x, float y) {
    const std::vector<Float2>& points = item.screenPoints;
    if (points.empty()) return false;
    const auto within = [&](float limit, const Float2& p) {
        const float dx = x - p.x, dy = y - p.y;
        return dx * dx + dy * dy <= limit;
    };
    switch (item.type) {
    case AnchorItem::Image:
        return points.size() >= 2 && x >= points[0].x && x <= points[1].x && y >= points[0].y && y <= points[1].y;
    case AnchorItem::Handle:
        return points.size() >= 2 && within(25.0f, points[1]);
    case AnchorItem::Circle:
        return within(400.0f, points[0]);
    case AnchorItem::SmallCircle:
        return within(100.0f, points[0]);
    case AnchorItem::LargeCircle:
        return within(1296.0f, points[0]);
    case AnchorItem::Square:
        return std::fabs(x - points[0].x) <= 6.0f && std::fabs(y - points[0].y) <= 6.0f;
    case AnchorItem::Polygon: {
        int winding = 0;
        for (std::size_t i = 0; i < points.size(); ++i) {
            const Float2& p = points[i];
            const Float2& q = points[(i + points.size() - 1) % points.size()];
            const auto rightOfPoint = [&] { return q.x + (y - q.y) * (p.x - q.x) / (p.y - q.y) > x; };
            if (q.y <= y && y < p.y && rightOfPoint()) ++winding;
            else if (p.y <= y && y < q.y && rightOfPoint()) --winding;
        }
        return winding != 0;
    }
    default:
        return false;
    }
}

bool hitPrecedes(const AnchorItem& a, const AnchorItem& b, float x, float y, const Edit::Object* focus) {
    if (a.type != b.type) return a.type < b.type;
    const auto key = [&](const AnchorItem& item) {
        const float dx = x - item.center.x, dy = y - item.center.y;
        return dx * dx + dy * dy + 2.0f * item.radius;
    };
    const float keyA = key(a), keyB = key(b);
    if (keyA != keyB) return keyA < keyB;
    const bool focusA = focus && a.object.get() == focus;
    const bool focusB = focus && b.object.get() == focus;
    if (focusA != focusB) return focusA;
    return a.index < b.index;
}

}  // namespace Anchor
