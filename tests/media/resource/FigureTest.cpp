#include "media/GpuFixture.h"
#include "media/resource/ShapeReference.h"

#include "media/gpu/ResourceBuffer.h"
#include "media/resource/FigureList.h"
#include "media/resource/ResourceService.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

using MediaTest::Rgba;
using ResourceTest::Point;

class FigureTest : public MediaTest::GpuTest, public Resource::FigureResource {
protected:
    // Every pixel of the picture whose centre is at least 1.5 pixels away
    // from an edge of the reference is fully covered or empty, as the
    // reference says.
    template <class Covered>
    static void expectCoverage(Media::ResourceBuffer& picture, const Rgba& color, Covered covered,
                               const std::string& what) {
        const std::vector<Rgba> pixels = read(picture);
        int checked = 0, failures = 0;
        for (UINT y = 0; y < picture.getHeight(); ++y) {
            for (UINT x = 0; x < picture.getWidth(); ++x) {
                const int state = covered(Point{x + 0.5, y + 0.5});
                if (state < 0) continue;
                ++checked;
                const Rgba& p = pixels[y * picture.getWidth() + x];
                const Rgba expected = state ? color : Rgba{0, 0, 0, 0};
                bool same = true;
                for (int c = 0; c < 4; ++c) same = same && std::fabs(p[c] - expected[c]) < 0.02f;
                if (!same && ++failures <= 3)
                    ADD_FAILURE() << what << " at " << x << "," << y << ": " << p[0] << " " << p[1] << " " << p[2]
                                  << " " << p[3] << " expected " << (state ? "covered" : "empty");
            }
        }
        EXPECT_EQ(failures, 0) << what;
        EXPECT_GT(checked, static_cast<int>(picture.getWidth() * picture.getHeight() / 2)) << what;
    }

    static constexpr std::array<float, 4> kColor{1.0f, 0.5f, 0.25f, 0.8f};
    static constexpr Rgba kStored{0.8f, 0.4f, 0.2f, 0.8f};  // premultiplied
};

struct Figure {
    int index;
    int shape;  // of the reference
    bool circle;
};
const Figure kFigures[] = {{1, 0, true},  {2, 1, false}, {3, 2, false}, {4, 3, false},
                           {5, 4, false}, {6, 5, false}, {7, 6, false}};
// Inradius over circumradius of each reference shape.
const double kFactor[] = {1, 1, 0.5, std::sin(54 * std::numbers::pi / 180), std::sin(60 * std::numbers::pi / 180),
                          std::sin(18 * std::numbers::pi / 180), 0.6666, 1};

TEST_F(FigureTest, FilledFiguresMatchTheirShapes) {
    for (const Figure& f : kFigures) {
        const UINT width = 120, height = 80;
        auto picture = createFigureImage(f.index, {640, 360}, width, height, kColor, 1000.0f, false);
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->getWidth(), width);
        EXPECT_EQ(picture->getHeight(), height);
        const double o = f.circle ? 0.5 : 0, w = f.circle ? width - 1 : width, h = f.circle ? height - 1 : height;
        const auto outline = ResourceTest::place(ResourceTest::shapeOutline(f.shape), o, o, w, h);
        expectCoverage(*picture, kStored, [&](Point p) {
            if (ResourceTest::distanceToOutline(outline, p) < 1.5) return -1;
            return ResourceTest::inside(outline, p) ? 1 : 0;
        }, "figure " + std::to_string(f.index));
    }
}

TEST_F(FigureTest, OutlinesAreInsetByTheirWidth) {
    // Round joins keep the stroke within half the width of the path.
    for (const Figure& f : kFigures) {
        const UINT width = 90, height = 120;
        const float line = 8;
        auto picture = createFigureImage(f.index, {640, 360}, width, height, kColor, line, true);
        ASSERT_NE(picture, nullptr);
        const double o = f.circle ? 0.5 : 0, w = f.circle ? width - 1 : width, h = f.circle ? height - 1 : height;
        const double t = line / kFactor[f.shape];
        const auto outline = ResourceTest::place(ResourceTest::shapeOutline(f.shape), t / 2 + o, t / 2 + o, w - t, h - t);
        expectCoverage(*picture, kStored, [&](Point p) {
            const double d = ResourceTest::distanceToOutline(outline, p);
            if (std::fabs(d - line / 2) < 1.5) return -1;
            return d < line / 2 ? 1 : 0;
        }, "outline " + std::to_string(f.index));
    }
}

TEST_F(FigureTest, TheSquareOutlineHasSquareCorners) {
    auto picture = createFigureImage(2, {}, 60, 40, kColor, 6.0f, false);
    ASSERT_NE(picture, nullptr);
    // The path runs 3 pixels inside the edge; the stroke covers 0 to 6.
    expectCoverage(*picture, kStored, [](Point p) {
        const double d = std::fmin(std::fmin(p.x, 60 - p.x), std::fmin(p.y, 40 - p.y));
        if (std::fabs(d - 6) < 1.5) return -1;
        return d < 6 ? 1 : 0;
    }, "square outline");
}

TEST_F(FigureTest, WideLinesMakePlainRectanglesAndTheBackgroundFillsTheFrame) {
    // Half the shorter side or more: the whole picture in the colour, also
    // when round corners are asked for.
    for (bool round : {false, true}) {
        auto square = createFigureImage(2, {}, 50, 30, kColor, 15.0f, round);
        ASSERT_NE(square, nullptr);
        for (const Rgba& p : read(*square)) MediaTest::expectNear(p, kStored, 0.01f);
    }
    auto background = createFigureImage(0, {64, 48}, 10, 10, kColor, 1000.0f, false);
    ASSERT_NE(background, nullptr);
    EXPECT_EQ(background->getWidth(), 64u);
    EXPECT_EQ(background->getHeight(), 48u);
    MediaTest::expectNear(pixel(*background, 0, 0), kStored, 0.01f);
    MediaTest::expectNear(pixel(*background, 63, 47), kStored, 0.01f);
}

TEST_F(FigureTest, NothingIsMadeForAZeroSideOrAnUnknownFigure) {
    EXPECT_EQ(createFigureImage(1, {}, 0, 10, kColor, 1000.0f, false), nullptr);
    EXPECT_EQ(createFigureImage(1, {}, 10, 0, kColor, 1000.0f, false), nullptr);
    EXPECT_EQ(createFigureImage(0, {0, 0}, 10, 10, kColor, 1000.0f, false), nullptr);
    EXPECT_EQ(createFigureImage(-1, {}, 10, 10, kColor, 1000.0f, false), nullptr);
    EXPECT_EQ(createFigureImage(static_cast<int>(figureList->size()), {}, 10, 10, kColor, 1000.0f, false), nullptr);
    EXPECT_EQ(createFigureImage(static_cast<int>(figureList->size()), {}, 10, 10), nullptr);
}

TEST_F(FigureTest, MasksAreFilledFiguresInTheMaskFormat) {
    auto mask = createFigureImage(3, {}, 80, 80);
    ASSERT_NE(mask, nullptr);
    EXPECT_EQ(mask->getFormat(), service().maskFormat);
    const auto outline = ResourceTest::place(ResourceTest::shapeOutline(2), 0, 0, 80, 80);
    const std::vector<Rgba> pixels = read(*mask);
    int checked = 0;
    for (UINT y = 0; y < 80; ++y)
        for (UINT x = 0; x < 80; ++x) {
            const Point p{x + 0.5, y + 0.5};
            if (ResourceTest::distanceToOutline(outline, p) < 1.5) continue;
            ++checked;
            EXPECT_NEAR(pixels[y * 80 + x][3], ResourceTest::inside(outline, p) ? 1.0f : 0.0f, 0.01f) << x << "," << y;
        }
    EXPECT_GT(checked, 3000);
}

}  // namespace
