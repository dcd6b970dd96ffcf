#include "media/GpuFixture.h"

#include "core/CoreTestSupport.h"
#include "media/draw/RenderTargetDirect3D.h"
#include "media/draw/TextFormat.h"
#include "media/draw/TextLayout.h"
#include "support/PinnedFonts.h"

#include <algorithm>

namespace {

using MediaTest::Rgba;

class SurfaceDrawingTest : public MediaTest::GpuTest {};

TEST_F(SurfaceDrawingTest, AFigureReadsBackInPremultipliedColour) {
    Media::ResourceBuffer buffer(16, 8);
    const float clear[4] = {0, 0, 0, 0};
    buffer.clear(clear);
    Media::RenderTargetDirect3D surface = buffer.getSurface();
    Platform::Cairo::PathGeometry square;
    square.beginFigure({0, 0});
    square.addLine({4, 0});
    square.addLine({4, 4});
    square.addLine({0, 4});
    square.endFigure(true);
    const Platform::Cairo::SolidColorBrush orange({1, 0.5f, 0, 0.5f});
    surface.beginDraw();
    surface.drawGeometry(square, &orange, 2, 2, nullptr, 0, nullptr);
    surface.endDraw();

    MediaTest::expectNear(pixel(buffer, 3, 3), {0.5f, 0.25f, 0, 0.5f}, 4e-3f);
    MediaTest::expectNear(pixel(buffer, 5, 5), {0.5f, 0.25f, 0, 0.5f}, 4e-3f);
    MediaTest::expectNear(pixel(buffer, 1, 1), {0, 0, 0, 0});
    MediaTest::expectNear(pixel(buffer, 6, 3), {0, 0, 0, 0});
}

TEST_F(SurfaceDrawingTest, TextReadsBackWithItsCoverageAndPremultipliedColour) {
    Media::ResourceBuffer buffer(64, 32);
    auto format = Resource::TextFormat::create(L"Noto Sans CJK JP", 24);
    Resource::TextLayout layout(format.get(), L"文字");
    const Platform::Cairo::SolidColorBrush brush({1, 0.5f, 0, 0.8f});
    Media::RenderTargetDirect3D surface = buffer.getSurface();
    surface.beginDraw();
    surface.context().drawTextLayout({4, 0}, *layout.get(), brush, false);
    surface.endDraw();

    int covered = 0;
    float largest = 0;
    for (const Rgba& p : read(buffer)) {
        if (p[3] == 0) continue;
        ++covered;
        largest = std::max(largest, p[3]);
        // Premultiplied: each channel is the colour times the coverage.
        EXPECT_NEAR(p[0], p[3], 8e-3f);
        EXPECT_NEAR(p[1], 0.5f * p[3], 8e-3f);
        EXPECT_EQ(p[2], 0.0f);
    }
    EXPECT_GT(covered, 150);
    EXPECT_LT(covered, 64 * 32 / 2);
    EXPECT_NEAR(largest, 0.8f, 4e-3f);  // full coverage inside the strokes
}

TEST_F(SurfaceDrawingTest, AMaskKeepsTheCoverageInAlpha) {
    Media::ResourceBuffer mask(8, 8, service().maskFormat);
    const Platform::Cairo::SolidColorBrush black({0, 0, 0, 1});
    Media::RenderTargetDirect3D surface = mask.getSurface();
    surface.beginDraw();
    surface.context().fillRectangle({0, 0, 4, 8}, black);
    surface.endDraw();
    MediaTest::expectNear(pixel(mask, 1, 1), {0, 0, 0, 1});
    MediaTest::expectNear(pixel(mask, 6, 1), {0, 0, 0, 0});
}

TEST_F(SurfaceDrawingTest, APictureWithoutARenderTargetBindingCannotBeDrawnInto) {
    Media::ResourceBuffer buffer(0, 0);
    const std::uint8_t pixels[16] = {};
    buffer.copyFromRGBA(DXGI_FORMAT_R8G8B8A8_UNORM, pixels, 2, 2);
    const std::string text = CoreTest::failureText([&] { buffer.getSurface(); });
    EXPECT_NE(text.find("buffer.As"), std::string::npos) << text;
    EXPECT_NE(text.find("Media::ResourceBuffer::getSurface"), std::string::npos) << text;
}

}  // namespace
