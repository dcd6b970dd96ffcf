#include "settings/color/ColorWheelGeometry.h"

#include <gtest/gtest.h>

#include <cmath>

using Component::ColorWheelGeometry;

namespace {

// 200 × 200: d 198, ring 24, square floor(150 · 0.7071) − 4 = 102, offset 48,
// bitmap at (1, 1), centre (100, 100); the ring band's middle radius is 87.
ColorWheelGeometry wheel() { return ColorWheelGeometry::fromSize(200, 200); }

}  // namespace

TEST(ColorWheelGeometry, SizesFromTheControl) {
    const ColorWheelGeometry g = wheel();
    EXPECT_EQ(g.d, 198);
    EXPECT_EQ(g.ring, 24);
    EXPECT_EQ(g.sq, 102);
    EXPECT_EQ(g.sqOff, 48);
    EXPECT_EQ(g.ox, 1);
    EXPECT_EQ(g.oy, 1);

    const ColorWheelGeometry wide = ColorWheelGeometry::fromSize(300, 100);
    EXPECT_EQ(wide.d, 98);
    EXPECT_EQ(wide.ox, 101);
    EXPECT_EQ(wide.oy, 1);
}

TEST(ColorWheelGeometry, TooSmallDrawsNothingAndIgnoresTheMouse) {
    // 2 × 2 leaves no ring; 10 × 10 leaves a ring but an empty square.
    for (const int side : {0, 2, 3, 10}) {
        const ColorWheelGeometry g = ColorWheelGeometry::fromSize(side, side);
        EXPECT_EQ(g.d, 0) << side;
        EXPECT_EQ(g.hoverMode(side / 2, side / 2), 0) << side;
        EXPECT_TRUE(g.buildBitmap(0, 60).empty()) << side;
    }
}

TEST(ColorWheelGeometry, HoverReachesEightPixelsOutside) {
    const ColorWheelGeometry g = wheel();
    struct Case {
        int x, y, mode;
        const char* what;
    };
    const Case cases[] = {
        {100, 13, 1, "middle of the ring band at the top"},
        {100, -7, 1, "8 px above the ring's outer edge"},
        {100, -8, 0, "9 px above the ring's outer edge"},
        {100, 100, 2, "centre of the square"},
        {49, 100, 2, "left edge of the square"},
        {41, 100, 2, "8 px left of the square, inside the ring's reach"},
        {0, 0, 0, "the control's corner"},
    };
    for (const Case& c : cases) EXPECT_EQ(g.hoverMode(c.x, c.y), c.mode) << c.what;
}

TEST(ColorWheelGeometry, RingPickFollowsTheBaseAngle) {
    const ColorWheelGeometry g = wheel();
    EXPECT_FALSE(g.ringHueAt(100, 100, 60).has_value()) << "the exact centre picks nothing";
    struct Case {
        float x, y;
        int base;
        float hue;
    };
    const Case cases[] = {
        {100, 10, 60, 1.0f / 6},   // top: yellow with the default base angle
        {190, 100, 60, 5.0f / 12}, // right: a quarter turn clockwise
        {10, 100, 60, 11.0f / 12}, // left
        {100, 190, 60, 2.0f / 3},  // bottom: blue
        {100, 10, 0, 0},           // top is red with base 0
        {100, 90, 0, 0},           // the inner edge picks too
        {100, -50, 360, 0},        // far outside, one whole turn
    };
    for (const Case& c : cases) {
        const auto hue = g.ringHueAt(c.x, c.y, c.base);
        ASSERT_TRUE(hue.has_value());
        EXPECT_NEAR(*hue, c.hue, 1e-5) << c.x << "," << c.y << " base " << c.base;
        EXPECT_GE(*hue, 0);
        EXPECT_LT(*hue, 1);
    }
}

TEST(ColorWheelGeometry, SquarePickIsClampedToItsEdges) {
    const ColorWheelGeometry g = wheel();
    // Square pixels run from 49 to 150 on both axes (offset 48 inside the bitmap at 1).
    struct Case {
        float x, y, s, v;
    };
    const Case cases[] = {
        {49, 49, 0, 1}, {150, 49, 1, 1}, {49, 150, 0, 0}, {150, 150, 1, 0},
        {-20, 300, 0, 0}, {300, -20, 1, 1}, {99.5f, 99.5f, 0.5f, 0.5f},
    };
    for (const Case& c : cases) {
        float s = -1, v = -1;
        g.squareValueAt(c.x, c.y, s, v);
        EXPECT_NEAR(s, c.s, 1e-5) << c.x << "," << c.y;
        EXPECT_NEAR(v, c.v, 1e-5) << c.x << "," << c.y;
    }
}

TEST(ColorWheelGeometry, MarkersSitWhereTheColourIs) {
    const ColorWheelGeometry g = wheel();
    // Hue 0 with base 60: 60° anticlockwise from the top, on the band's middle (radius 87).
    const auto red = g.hueMarker(0, 60);
    EXPECT_NEAR(red.x, 100 - 87 * std::sqrt(3.0f) / 2, 1e-3);
    EXPECT_NEAR(red.y, 100 - 87 * 0.5f, 1e-3);
    EXPECT_NEAR(red.dirX, -std::sqrt(3.0f) / 2, 1e-5);
    EXPECT_NEAR(red.dirY, -0.5f, 1e-5);
    // The marker and the pick agree: the marker's point picks its hue again.
    for (const float hue : {0.1f, 0.3f, 0.75f}) {
        const auto m = g.hueMarker(hue, 60);
        EXPECT_NEAR(*g.ringHueAt(m.x, m.y, 60), hue, 1e-4);
    }
    float x = 0, y = 0;
    g.svMarker(1, 1, x, y);
    EXPECT_FLOAT_EQ(x, 151);
    EXPECT_FLOAT_EQ(y, 49);
}

TEST(ColorWheelGeometry, BitmapRingAndSquarePixels) {
    const ColorWheelGeometry g = wheel();
    const auto px = g.buildBitmap(0, 60);
    ASSERT_EQ(px.size(), 198u * 198u);
    const auto at = [&](int column, int row) { return px[static_cast<std::size_t>(row) * 198 + column]; };
    EXPECT_EQ(at(0, 0), 0u) << "outside the ring stays transparent";
    EXPECT_EQ(at(99, 12), 0xFFFFFF00u) << "top of the ring: yellow";
    EXPECT_EQ(at(99, 197), 0xFF0000FFu) << "bottom of the ring: blue";
    EXPECT_EQ(at(99, 0), 0u) << "outer edge: no coverage";
    EXPECT_EQ(at(24, 99), 0u) << "inner edge: no coverage";
    EXPECT_EQ(at(99, 30), 0u) << "between ring and square";
    // Square for hue 0: white top-left, red top-right, black along the bottom.
    EXPECT_EQ(at(48, 48), 0xFFFFFFFFu);
    EXPECT_EQ(at(149, 48), 0xFFFF0000u);
    EXPECT_EQ(at(48, 149), 0xFF000000u);
    EXPECT_EQ(at(149, 149), 0xFF000000u);
    // Every soft edge pixel is premultiplied: no channel above alpha.
    for (const std::uint32_t p : px) {
        const std::uint32_t a = p >> 24;
        EXPECT_LE((p >> 16) & 0xFF, a);
        EXPECT_LE((p >> 8) & 0xFF, a);
        EXPECT_LE(p & 0xFF, a);
    }
}
