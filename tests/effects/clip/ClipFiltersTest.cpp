// The line and fan cuts on the GPU against the coverage worked out on the
// CPU from the pixel centres, and the geometry of the cuts by hand.
#include "effects/clip/AngleClipFilter.h"
#include "effects/clip/LineClipFilter.h"

#include "media/gpu/ResourceBuffer.h"

#include "effects/EffectsTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

using namespace EffectsTest;
using Effect::AngleClipFilter;
using Effect::LineClipFilter;

constexpr double kPi = 3.14159265358979323846;

double smooth(double t) {
    t = std::clamp(t, 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// The position of pixel (x, y)'s centre relative to the clip centre.
struct Point {
    double x, y;
};
using Coverage = std::function<double(Point)>;

// The half-plane or band of a line through the centre at `angle` degrees
// (0 keeps the upper half; y points down).
Coverage lineCoverage(double angle, int width, int blur) {
    const double a = angle * kPi / 180, dx = std::sin(a), dy = -std::cos(a), length = blur + 1;
    return [=](Point p) {
        const double d = p.x * dx + p.y * dy;
        if (width == 0) return smooth((length / 2 + d) / length);
        const double range = width / 2.0, s = range < 0 ? -1 : 1;
        return smooth((range - s * std::fabs(d)) / length);
    };
}

// The fan: directions from base + 180 to base + 180 + range removed.
Coverage fanCoverage(double base, double range, int blur, bool wide) {
    const auto normal = [](double degrees) {
        const double a = degrees * kPi / 180;
        return Point{-std::sin(a), std::cos(a)};
    };
    const Point s = normal(base), e = normal(base + range + 180), l = normal(base + range / 2 - 90);
    const double r = (blur + 1) * 0.5;
    const double limit =
        (std::max(90 - std::fabs(range - 180), 0.0) / 45 + std::sin(range / 2 * kPi / 180) * 0.5 + 1) * r;
    return [=](Point p) {
        const double dS = p.x * s.x + p.y * s.y, dE = p.x * e.x + p.y * e.y, dL = p.x * l.x + p.y * l.y;
        if (wide) return smooth((std::min(dS, dE) + r) / (2 * r)) * smooth((dL + limit) / limit);
        return 1 - smooth((r - std::max(dS, dE)) / (2 * r)) * smooth((limit - dL) / limit);
    };
}

Picture covered(const Picture& source, double cx, double cy, const Coverage& coverage) {
    Picture out = source;
    for (int y = 0; y < source.height; ++y)
        for (int x = 0; x < source.width; ++x) {
            const double c = coverage({x + 0.5 - (source.width * 0.5 + cx), y + 0.5 - (source.height * 0.5 + cy)});
            for (float& channel : out.at(x, y)) channel = static_cast<float>(channel * c);
        }
    return out;
}

Picture opaque(int width, int height) {
    Picture picture(width, height);
    for (Rgba& p : picture.pixels) p = {1, 1, 1, 1};
    return picture;
}

class ClipFilters : public EffectGpuTest {
protected:
    void SetUp() override {
        EffectGpuTest::SetUp();
        line.createResource();
        angle.createResource();
    }
    Picture lineClipped(const Picture& source, float a, int width, float cx, float cy, int blur) {
        auto image = upload(source);
        line.clip(image, a, width, cx, cy, blur);
        return download(*image);
    }
    Picture fanClipped(const Picture& source, float base, float range, float cx, float cy, int blur, bool centre) {
        auto image = upload(source);
        angle.clip(image, base, range, cx, cy, blur, centre);
        return download(*image);
    }
    LineClipFilter line;
    AngleClipFilter angle;
    const Picture source = patterned(40, 30);
};

TEST_F(ClipFilters, TheLineAtItsDefaultsKeepsTheUpperHalfOverATwoPixelRamp) {
    const Picture cut = lineClipped(opaque(20, 10), 0, 0, 0, 0, 1);
    // Rows 4 and 5 lie half a pixel either side of the line: t = 0.75 and
    // 0.25 of the 2-pixel ramp, smoothed.
    const float expected[10] = {1, 1, 1, 1, 0.84375f, 0.15625f, 0, 0, 0, 0};
    for (int y = 0; y < 10; ++y) EXPECT_NEAR(cut.at(7, y)[3], expected[y], 2e-3f) << y;
    EXPECT_NEAR(cut.at(7, 4)[0], 0.84375f, 2e-3f);  // colour scales with alpha
}

TEST_F(ClipFilters, LineCutsMatchTheCoverageOfThePixelCentres) {
    const struct {
        float angle;
        int width;
        float cx, cy;
        int blur;
    } cases[] = {
        {90, 0, 0, 0, 1},       // keeps the right half
        {30, 0, 4.5f, -3, 6},   // turned and moved
        {0, 0, 0, 0, 0},        // blur 0 still ramps over one pixel
        {0, 16, 0, 2, 3},       // keeps a band
        {-45, -16, -5, 0, 2},   // removes a band
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "angle " << c.angle << " width " << c.width);
        expectPicture(lineClipped(source, c.angle, c.width, c.cx, c.cy, c.blur),
                      covered(source, c.cx, c.cy, lineCoverage(c.angle, c.width, c.blur)), 3e-3f);
    }
    // Angle 90: the left column is gone, the right one kept.
    const Picture right = lineClipped(opaque(40, 30), 90, 0, 0, 0, 1);
    EXPECT_EQ(right.at(0, 15)[3], 0.0f);
    EXPECT_EQ(right.at(39, 15)[3], 1.0f);
    // A 16-pixel band with blur 3: opaque up to 8 - 4 from the line, empty
    // from 8 on.
    const Picture band = lineClipped(opaque(40, 30), 0, 16, 0, 0, 3);
    EXPECT_EQ(band.at(5, 15)[3], 1.0f);   // 0.5 from the line
    EXPECT_EQ(band.at(5, 11)[3], 1.0f);   // 3.5
    EXPECT_NEAR(band.at(5, 22)[3], 0.04296875f, 1e-3f);  // 7.5: t = 0.5 / 4, smoothed
    EXPECT_EQ(band.at(5, 23)[3], 0.0f);                   // 8.5
}

TEST_F(ClipFilters, FanCutsRemoveTheSectorClockwiseFromBasePlus180) {
    // Base 0, range 90: the upper-left quadrant goes.
    const Picture quarter = fanClipped(opaque(40, 30), 0, 90, 0, 0, 1, false);
    EXPECT_EQ(quarter.at(5, 5)[3], 0.0f);
    EXPECT_EQ(quarter.at(34, 5)[3], 1.0f);
    EXPECT_EQ(quarter.at(5, 24)[3], 1.0f);
    EXPECT_EQ(quarter.at(34, 24)[3], 1.0f);
    // Base 90: the upper-right one.
    const Picture upperRight = fanClipped(opaque(40, 30), 90, 90, 0, 0, 1, false);
    EXPECT_EQ(upperRight.at(34, 5)[3], 0.0f);
    EXPECT_EQ(upperRight.at(5, 5)[3], 1.0f);
    // Centred on the base: range 90 around the left, -90 around the right.
    const Picture left = fanClipped(opaque(40, 30), 0, 90, 0, 0, 1, true);
    EXPECT_EQ(left.at(1, 15)[3], 0.0f);
    EXPECT_EQ(left.at(38, 15)[3], 1.0f);
    EXPECT_EQ(left.at(20, 1)[3], 1.0f);
    const Picture rightSide = fanClipped(opaque(40, 30), 0, -90, 0, 0, 1, true);
    EXPECT_EQ(rightSide.at(38, 15)[3], 0.0f);
    EXPECT_EQ(rightSide.at(1, 15)[3], 1.0f);

    // A negative range is the same sector from the other end.
    expectPicture(fanClipped(source, 0, -90, 3, 2, 4, false), fanClipped(source, -90, 90, 3, 2, 4, false), 1e-3f);
    // Nothing, everything.
    expectPicture(fanClipped(source, 30, 0, 0, 0, 1, false), source, 1e-3f);
    for (float range : {360.0f, -360.0f})
        for (const Rgba& p : fanClipped(source, 10, range, 0, 0, 1, false).pixels) ASSERT_EQ(p[3], 0.0f);
}

TEST_F(ClipFilters, FanCutsMatchTheCoverageOfThePixelCentresOnBothShaders) {
    const struct {
        float base, range, cx, cy;
        int blur;
    } cases[] = {{0, 90, 0, 0, 1}, {35, 150, -4, 3.5f, 5}, {0, 179.9f, 0, 0, 2}, {0, 180, 0, 0, 2},
                 {-60, 300, 6, -2, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "base " << c.base << " range " << c.range);
        expectPicture(fanClipped(source, c.base, c.range, c.cx, c.cy, c.blur, false),
                      covered(source, c.cx, c.cy, fanCoverage(c.base, c.range, c.blur, c.range >= 180)), 3e-3f);
    }
    // The two shaders meet at 180 degrees. Along the cut they differ by the
    // 0.1 degree turn, which grows with the distance from the centre: 0.022
    // of coverage at this picture's edge by the formulas worked on paper.
    expectPicture(fanClipped(source, 0, 179.9f, 0, 0, 2, false), fanClipped(source, 0, 180, 0, 0, 2, false), 0.025f);
}

}  // namespace
