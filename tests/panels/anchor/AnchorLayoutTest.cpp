// Where handles land in the control's pixels, the shapes that keep small
// handles usable, which handle a point hits and which hit wins.
#include "panels/anchor/AnchorLayout.h"

#include "edit/model/Object.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

using Anchor::AnchorItem;
using Anchor::Float2;

// A 200 × 100 picture at the control's origin: normalised (x, y) lands on
// (100 + 100 x, 50 − 50 y).
constexpr Anchor::AnchorControlData::Rect kPicture = {0, 0, 200, 100};

Float2 normalised(Float2 screen) { return {(screen.x - 100) / 100, (50 - screen.y) / 50}; }

AnchorItem itemAt(std::int32_t type, std::initializer_list<Float2> screen) {
    AnchorItem item;
    item.type = type;
    for (const Float2& p : screen) item.points.push_back(normalised(p));
    return item;
}

void expectPoints(const std::vector<Float2>& actual, const std::vector<Float2>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(actual[i].x, expected[i].x, 1e-3);
        EXPECT_NEAR(actual[i].y, expected[i].y, 1e-3);
    }
}

// (u, v) in a frame turned by the angle about c.
Float2 turned(Float2 c, float angle, float u, float v) {
    return {c.x + u * std::cos(angle) - v * std::sin(angle), c.y + u * std::sin(angle) + v * std::cos(angle)};
}

TEST(AnchorLayoutTest, OutlinesTooThinToGrabBecomeBoxesOfAtLeastSixteenPixels) {
    const float diagonal = std::atan2(1.0f, 1.0f);
    const Float2 c = {100, 50};
    struct Case {
        const char* name;
        std::vector<Float2> screen;
        std::vector<Float2> expected;
    };
    const Case cases[] = {
        {"a 40 × 1 strip keeps its length and gets 16 pixels of height",
         {{80, 50}, {120, 50}, {120, 51}, {80, 51}},
         {{80, 42.5f}, {120, 42.5f}, {120, 58.5f}, {80, 58.5f}}},
        // The longest edge found first runs upwards: the box's frame is
        // turned a quarter, so its corners come in that order.
        {"a 1 × 1 pixel becomes the 16 × 16 box around it",
         {{100, 50}, {101, 50}, {101, 51}, {100, 51}},
         {{92.5f, 58.5f}, {92.5f, 42.5f}, {108.5f, 42.5f}, {108.5f, 58.5f}}},
        {"an outline collapsed to a point becomes the 16 × 16 square on it",
         {{100, 50}, {100, 50}, {100, 50}, {100, 50}},
         {{92, 42}, {108, 42}, {108, 58}, {92, 58}}},
        {"a 40 × 2 strip at 45 degrees becomes a 40 × 16 box along it",
         {turned(c, diagonal, -20, -1), turned(c, diagonal, 20, -1), turned(c, diagonal, 20, 1),
          turned(c, diagonal, -20, 1)},
         {turned(c, diagonal, -20, -8), turned(c, diagonal, 20, -8), turned(c, diagonal, 20, 8),
          turned(c, diagonal, -20, 8)}},
        {"a 60 × 60 square is left alone",
         {{70, 20}, {130, 20}, {130, 80}, {70, 80}},
         {{70, 20}, {130, 20}, {130, 80}, {70, 80}}},
        // Its long edge passes the centre (100, 47.3) at 7.3 pixels: the
        // box along that edge, already 22 high.
        {"a flat triangle whose edge passes within 8 pixels of its centre",
         {{70, 40}, {130, 40}, {100, 62}},
         {{70, 40}, {130, 40}, {130, 62}, {70, 62}}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        AnchorItem item;
        item.type = AnchorItem::Polygon;
        for (const Float2& p : test.screen) item.points.push_back(normalised(p));
        Anchor::layoutItem(item, kPicture);
        expectPoints(item.screenPoints, test.expected);
        float radius = 0;
        for (const Float2& p : test.expected)
            radius = std::max(radius, std::hypot(p.x - item.center.x, p.y - item.center.y));
        EXPECT_NEAR(item.radius, radius, 1e-3);
    }
}

TEST(AnchorLayoutTest, CornerSquaresOfSmallBoxesArePushedApartAlongTheirEdges) {
    struct Case {
        const char* name;
        Float2 corner, first, second;
        Float2 expected;
    };
    const Case cases[] = {
        {"10 wide, 30 high: 3 pixels outward along the short edge", {100, 50}, {110, 50}, {100, 80}, {97, 50}},
        {"10 × 10: 3 pixels outward along both edges", {100, 50}, {110, 50}, {100, 60}, {97, 47}},
        {"16 × 16 and more: no move", {100, 50}, {116, 50}, {100, 70}, {100, 50}},
        {"a corner on its neighbour: no move", {100, 50}, {100, 50}, {100, 80}, {100, 50}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        AnchorItem item = itemAt(AnchorItem::Square, {test.corner, test.first, test.second});
        Anchor::layoutItem(item, kPicture);
        expectPoints({item.screenPoints[0]}, {test.expected});
    }
}

TEST(AnchorLayoutTest, AxisHandlesKeepTheirScreenLengthAndTellTheDragItsScale) {
    struct Case {
        const char* name;
        Float2 end, unit;
        Float2 expectedEnd;
        float scale;
    };
    // The effect puts the end 40 of its units from the origin (100, 50).
    const Case cases[] = {
        {"zoomed in: 2 pixels a unit", {180, 50}, {102, 50}, {140, 50}, 1.0f},
        {"zoomed out: half a pixel a unit", {120, 50}, {100.5f, 50}, {140, 50}, 1.0f},
        {"a foreshortened axis: 10 pixels where x has 4 a unit", {100, 60}, {104, 50}, {100, 52.5f}, 16.0f},
        {"no unit length: the end falls on the origin", {140, 50}, {100, 50}, {100, 50}, 0.0f},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        AnchorItem item = itemAt(AnchorItem::Handle, {{100, 50}, test.end, test.unit});
        Anchor::layoutItem(item, kPicture);
        expectPoints({item.screenPoints[1]}, {test.expectedEnd});
        EXPECT_NEAR(item.payload[2].x, test.scale, 1e-4);
    }
}

TEST(AnchorLayoutTest, DockedIconsStackDownFromThePicturesTopRight) {
    const Anchor::AnchorControlData::Rect picture = {10, -5, 300, 150};
    AnchorItem first = itemAt(AnchorItem::Image, {});
    first.points = {{0, 0}, {32, 32}};
    AnchorItem second = first;
    float top = std::max(picture.top, 0.0f);
    // The control is narrower than the picture: the icons keep inside it.
    Anchor::layoutDocked(first, picture, 250, top);
    Anchor::layoutDocked(second, picture, 250, top);
    expectPoints(first.screenPoints, {{218, 0}, {250, 32}});
    expectPoints(second.screenPoints, {{218, 32}, {250, 64}});
}

TEST(AnchorLayoutTest, HitAreasOfEachKind) {
    struct Case {
        const char* name;
        AnchorItem item;
        Float2 point;
        bool hit;
    };
    AnchorItem image = itemAt(AnchorItem::Image, {});
    image.screenPoints = {{168, 0}, {200, 32}};
    const auto laid = [](AnchorItem item) {
        Anchor::layoutItem(item, kPicture);
        return item;
    };
    const AnchorItem circle = laid(itemAt(AnchorItem::Circle, {{100, 50}}));
    const AnchorItem small = laid(itemAt(AnchorItem::SmallCircle, {{100, 50}}));
    const AnchorItem large = laid(itemAt(AnchorItem::LargeCircle, {{100, 50}}));
    const AnchorItem square = laid(itemAt(AnchorItem::Square, {{100, 50}, {140, 50}, {100, 90}}));
    const AnchorItem handle = laid(itemAt(AnchorItem::Handle, {{60, 50}, {140, 50}, {62, 50}}));
    // An L-shaped outline as laid out: the notch at its top right is outside.
    AnchorItem outline;
    outline.type = AnchorItem::Polygon;
    outline.screenPoints = {{50, 20}, {90, 20}, {90, 60}, {150, 60}, {150, 90}, {50, 90}};
    const AnchorItem cross = laid(itemAt(AnchorItem::Cross, {{100, 50}}));
    const Case cases[] = {
        {"image box corner", image, {168, 32}, true},
        {"image box just outside", image, {167.9f, 10}, false},
        {"circle at 20", circle, {120, 50}, true},
        {"circle past 20", circle, {114.2f, 64.2f}, false},
        {"small circle at 10", small, {100, 60}, true},
        {"small circle past 10", small, {100, 60.1f}, false},
        {"large circle at 36", large, {64, 50}, true},
        {"large circle past 36", large, {63.9f, 50}, false},
        {"square edge at 6", square, {94, 56}, true},
        {"square past 6", square, {93.9f, 50}, false},
        {"handle end within 5", handle, {100, 54}, true},
        {"handle end past 5", handle, {100, 55.1f}, false},
        {"handle origin", handle, {60, 50}, false},
        {"outline inside", outline, {70, 80}, true},
        {"outline lower arm", outline, {140, 70}, true},
        {"outline notch", outline, {120, 40}, false},
        {"a cross is never hit", cross, {100, 50}, false},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        EXPECT_EQ(Anchor::hitsAnchor(test.item, test.point.x, test.point.y), test.hit);
    }
}

TEST(AnchorLayoutTest, HitPriority) {
    const auto object = std::make_shared<Edit::Object>();
    const auto other = std::make_shared<Edit::Object>();
    const auto at = [](std::int32_t type, Float2 screen, int index, std::shared_ptr<Edit::Object> owner) {
        AnchorItem item = itemAt(type, {screen});
        item.index = index;
        item.object = std::move(owner);
        Anchor::layoutItem(item, kPicture);
        return item;
    };
    const Float2 p = {110, 50};
    // The large circle is nearer, but a circle is a lower kind.
    EXPECT_TRUE(Anchor::hitPrecedes(at(AnchorItem::Circle, {100, 50}, 0, other),
                                    at(AnchorItem::LargeCircle, {112, 50}, 0, object), p.x, p.y, object.get()));
    EXPECT_FALSE(Anchor::hitPrecedes(at(AnchorItem::LargeCircle, {112, 50}, 0, object),
                                     at(AnchorItem::Circle, {100, 50}, 0, other), p.x, p.y, object.get()));
    // Same kind: the nearer centre.
    EXPECT_TRUE(Anchor::hitPrecedes(at(AnchorItem::Circle, {112, 50}, 5, other),
                                    at(AnchorItem::Circle, {100, 50}, 0, object), p.x, p.y, object.get()));
    // Equally near: the focus object's, then the lower index.
    EXPECT_TRUE(Anchor::hitPrecedes(at(AnchorItem::Circle, {105, 50}, 5, object),
                                    at(AnchorItem::Circle, {115, 50}, 0, other), p.x, p.y, object.get()));
    EXPECT_TRUE(Anchor::hitPrecedes(at(AnchorItem::Circle, {115, 50}, 0, other),
                                    at(AnchorItem::Circle, {105, 50}, 5, other), p.x, p.y, object.get()));
    EXPECT_FALSE(Anchor::hitPrecedes(at(AnchorItem::Circle, {115, 50}, 5, other),
                                     at(AnchorItem::Circle, {105, 50}, 0, other), p.x, p.y, object.get()));
    // Outlines: a bigger one counts as farther (twice its radius).
    const AnchorItem big = at(AnchorItem::Polygon, {0, 0}, 0, object);
    AnchorItem wide = big, narrow = big;
    wide.center = narrow.center = {110, 50};
    wide.radius = 40;
    narrow.radius = 20;
    EXPECT_TRUE(Anchor::hitPrecedes(narrow, wide, p.x, p.y, nullptr));
}

}  // namespace
