#include "media/DrawingFixture.h"

#include "media/draw/RenderTargetWindow.h"
#include "window/controls/IconShape.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {

using DrawingTest::pixel;
using Control::IconShape;

const Platform::Cairo::SolidColorBrush kWhite({1, 1, 1, 1});

class IconShapeTest : public DrawingTest::DrawingServices {
protected:
    IconShapeTest() : DrawingServices(true) {}

    // The icon drawn in white into a box at (left, top) of an image
    // otherwise black.
    void draw(const IconShape& icon, int left, int top, int width, int height) {
        window.createRenderTarget(width + 2 * left, height + 2 * top);
        Media::RenderTarget::DrawScope scope(window, 0, 0, width + 2 * left, height + 2 * top, true);
        window.drawIcon(icon, static_cast<float>(left), static_cast<float>(top), static_cast<float>(width),
                        static_cast<float>(height), kWhite);
    }
    int level(int x, int y) const { return static_cast<int>(pixel(window.backBuffer(), x, y) & 0xFF); }

    Media::RenderTargetWindow window;
};

TEST_F(IconShapeTest, PlayStretchesOverAWideBox) {
    // The triangle (6, 2), (6, 8), (15, 5) of a 20 x 10 box.
    draw(Control::IconPlay, 0, 0, 20, 10);
    EXPECT_EQ(level(10, 5), 255);
    EXPECT_EQ(level(7, 4), 255);
    EXPECT_EQ(level(4, 5), 0);
    EXPECT_EQ(level(16, 5), 0);
    EXPECT_EQ(level(7, 1), 0);
    EXPECT_EQ(level(7, 8), 0);
}

TEST_F(IconShapeTest, CloseDrawsTwoDiagonalsOfAFifthOfTheBox) {
    // Diagonals from (4.8, 4.8) to (11.2, 11.2) and (4.8, 11.2) to
    // (11.2, 4.8), 2.4 px wide with round ends.
    draw(Control::IconClose, 0, 0, 16, 16);
    for (int i = 5; i <= 10; ++i) {
        EXPECT_EQ(level(i, i), 255) << i;
        EXPECT_EQ(level(i, 15 - i), 255) << i;
    }
    EXPECT_EQ(level(8, 3), 0);   // between the arms
    EXPECT_EQ(level(3, 8), 0);
    EXPECT_EQ(level(2, 2), 0);   // beyond the round ends
    EXPECT_EQ(level(13, 13), 0);
    EXPECT_GT(level(4, 4), 128); // the cap around (4.8, 4.8)
}

// A CPU rasterisation of an icon record: 8 x 8 samples per pixel, inside
// the triangle, the rectangle or within half a line width of a segment.
double coverage(const IconShape& icon, int x, int y, float w, float h) {
    int inside = 0;
    for (int sy = 0; sy < 8; ++sy) {
        for (int sx = 0; sx < 8; ++sx) {
            const double px = x + (sx + 0.5) / 8;
            const double py = y + (sy + 0.5) / 8;
            bool hit = false;
            if (icon.triangle) {
                double d[3];
                for (int i = 0; i < 3; ++i) {
                    const auto& a = icon.triangle[i];
                    const auto& b = icon.triangle[(i + 1) % 3];
                    d[i] = (b.x * w - a.x * w) * (py - a.y * h) - (b.y * h - a.y * h) * (px - a.x * w);
                }
                hit |= (d[0] >= 0 && d[1] >= 0 && d[2] >= 0) || (d[0] <= 0 && d[1] <= 0 && d[2] <= 0);
            }
            if (icon.rectangle) {
                const auto& r = *icon.rectangle;
                hit |= px >= r.left * w && px < r.right * w && py >= r.top * h && py < r.bottom * h;
            }
            for (int i = 0; i < icon.lineCount; ++i) {
                const auto& l = icon.lines[i];
                const double ax = l.x1 * w, ay = l.y1 * h, bx = l.x2 * w, by = l.y2 * h;
                const double dx = bx - ax, dy = by - ay;
                const double length2 = dx * dx + dy * dy;
                const double t = length2 > 0 ? std::clamp(((px - ax) * dx + (py - ay) * dy) / length2, 0.0, 1.0) : 0;
                const double ex = px - (ax + t * dx), ey = py - (ay + t * dy);
                hit |= std::sqrt(ex * ex + ey * ey) <= l.width * h / 2;
            }
            inside += hit;
        }
    }
    return inside / 64.0;
}

TEST_F(IconShapeTest, EveryIconMatchesARasterisationOfItsRecord) {
    struct Named {
        const char* name;
        const IconShape* icon;
    };
    const Named icons[] = {
        {"Stop", &Control::IconStop},
        {"Play", &Control::IconPlay},
        {"StepRight", &Control::IconStepRight},
        {"StepLeft", &Control::IconStepLeft},
        {"DoubleChevronRight", &Control::IconDoubleChevronRight},
        {"DoubleChevronLeft", &Control::IconDoubleChevronLeft},
        {"ToEnd", &Control::IconToEnd},
        {"ToStart", &Control::IconToStart},
        {"Pause", &Control::IconPause},
        {"Folder", &Control::IconFolder},
        {"ArrowUp", &Control::IconArrowUp},
        {"ArrowRight", &Control::IconArrowRight},
        {"ArrowLeft", &Control::IconArrowLeft},
        {"List", &Control::IconList},
        {"Minus", &Control::IconMinus},
        {"Plus", &Control::IconPlus},
        {"Add", &Control::IconAdd},
        {"Close", &Control::IconClose},
        {"TriangleUp", &Control::IconTriangleUp},
        {"TriangleDown", &Control::IconTriangleDown},
        {"TriangleLeft", &Control::IconTriangleLeft},
    };
    // A wide box: line widths follow its height, not its width.
    constexpr int kWidth = 48;
    constexpr int kHeight = 32;
    for (const Named& named : icons) {
        draw(*named.icon, 0, 0, kWidth, kHeight);
        int painted = 0;
        double error = 0;
        int worst = 0;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const int expected = static_cast<int>(std::lround(255 * coverage(*named.icon, x, y, kWidth, kHeight)));
                const int difference = std::abs(level(x, y) - expected);
                error += difference;
                worst = std::max(worst, difference);
                painted += expected > 0;
            }
        }
        // Antialiasing differs at edges only: a few levels on average, no
        // pixel far off.
        EXPECT_GT(painted, 20) << named.name;
        EXPECT_LT(error / painted, 24.0) << named.name;
        EXPECT_LT(worst, 110) << named.name;
    }
}

}  // namespace
