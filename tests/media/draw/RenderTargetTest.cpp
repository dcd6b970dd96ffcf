#include "media/DrawingFixture.h"

#include "media/draw/RenderTarget.h"
#include "media/draw/RenderTargetWindow.h"
#include "media/draw/WindowTemporaryImage.h"

#include <gtest/gtest.h>

#include <array>

namespace {

using DrawingTest::pixel;
using Media::RenderTarget;
using Scope = Media::RenderTarget::DrawScope;

struct Rect {
    int x, y, width, height;
    bool operator==(const Rect&) const = default;
};

Rect rectOf(const RenderTarget& t) { return {t.drawX, t.drawY, t.drawWidth, t.drawHeight}; }

const Platform::Cairo::SolidColorBrush kRed({1, 0, 0, 1});
const Platform::Cairo::SolidColorBrush kBlue({0, 0, 1, 1});
constexpr std::uint32_t kRedPixel = 0xFFFF0000;
constexpr std::uint32_t kBluePixel = 0xFF0000FF;
constexpr std::uint32_t kBlackPixel = 0xFF000000;

// A window target over a small image, shown nowhere.
class OffscreenWindow : public Media::RenderTargetWindow {
public:
    OffscreenWindow(int width, int height) { createRenderTarget(width, height); }
    std::uint32_t at(int x, int y) const { return pixel(backBuffer(), x, y); }
};

TEST(DrawScopeTest, ScopesStackRectanglesAndOriginsAndRestoreThemInReverse) {
    RenderTarget target;  // nothing to draw on: only the bookkeeping
    target.drawWidth = 1000;
    target.drawHeight = 800;
    {
        Scope outer(target, 100, 200, 300, 260, true);
        EXPECT_EQ(rectOf(target), (Rect{100, 200, 200, 60}));
        EXPECT_EQ(target.originX, 100);
        EXPECT_EQ(target.originY, 200);
        {
            Scope inner(target, 10, 5, 110, 45);
            EXPECT_EQ(rectOf(target), (Rect{110, 205, 100, 40}));
            EXPECT_EQ(target.originX, 110);
            EXPECT_EQ(target.originY, 205);
            {
                Scope absolute(target, 0, 0, 50, 50, true);
                EXPECT_EQ(rectOf(target), (Rect{0, 0, 50, 50}));
                EXPECT_EQ(target.nesting, 3);
            }
            EXPECT_EQ(rectOf(target), (Rect{110, 205, 100, 40}));
        }
        EXPECT_EQ(rectOf(target), (Rect{100, 200, 200, 60}));
        EXPECT_EQ(target.originX, 100);
    }
    EXPECT_EQ(rectOf(target), (Rect{0, 0, 1000, 800}));
    EXPECT_EQ(target.originX, 0);
    EXPECT_EQ(target.nesting, 0);
}

TEST(DrawScopeTest, NestedScopesOfAWindowAndItsControlsShareOneDrawing) {
    OffscreenWindow window(64, 48);
    RenderTarget control(window);
    EXPECT_EQ(control.target, window.target);
    EXPECT_FALSE(window.target->isDrawing());
    {
        Scope whole(window, 0, 0, 64, 48, true);
        // The window's own rectangle: nothing to clip.
        EXPECT_EQ(window.target->clipDepth(), 0u);
        EXPECT_TRUE(window.target->isDrawing());
        {
            Scope panel(control, 8, 8, 40, 40, true);
            Scope cell(control, 2, 2, 10, 10);
            EXPECT_EQ(window.nesting, 3);
            EXPECT_EQ(control.nesting, 0);  // counted on the owner
            EXPECT_EQ(window.target->clipDepth(), 2u);
            control.fill(kRed);
        }
        EXPECT_EQ(window.target->clipDepth(), 0u);
        EXPECT_TRUE(window.target->isDrawing());
    }
    EXPECT_FALSE(window.target->isDrawing());
    EXPECT_EQ(window.nesting, 0);
    // The cell (10, 10)-(18, 18) and nothing around it.
    EXPECT_EQ(window.at(10, 10), kRedPixel);
    EXPECT_EQ(window.at(17, 17), kRedPixel);
    EXPECT_EQ(window.at(9, 10), kBlackPixel);
    EXPECT_EQ(window.at(18, 17), kBlackPixel);
}

TEST(DrawScopeTest, DrawingOperationsTakeTheScopesOriginAndStayInsideItsClip) {
    OffscreenWindow window(32, 32);
    {
        Scope scope(window, 4, 4, 12, 12, true);
        window.fillRectangle(-4, -4, 100, 100, kBlue);  // clipped to the scope
        window.fillRectangle(2, 2, 4, 4, kRed);         // (6, 6)-(8, 8) in the window
    }
    EXPECT_EQ(window.at(3, 4), kBlackPixel);
    EXPECT_EQ(window.at(4, 4), kBluePixel);
    EXPECT_EQ(window.at(11, 11), kBluePixel);
    EXPECT_EQ(window.at(12, 11), kBlackPixel);
    EXPECT_EQ(window.at(6, 6), kRedPixel);
    EXPECT_EQ(window.at(7, 7), kRedPixel);
    EXPECT_EQ(window.at(8, 8), kBluePixel);
}

TEST(DrawScopeTest, RectanglesAndLinesCoverWholePixels) {
    OffscreenWindow window(16, 16);
    {
        Scope scope(window, 0, 0, 16, 16, true);
        window.drawRectangle(2, 2, 8, 8, kRed, 1.0f);  // the edge pixels of (2, 2)-(8, 8)
        // Row 12 from the centre of pixel 1 to that of pixel 14 (flat caps).
        window.drawLine(1, 12, 14, 12, kBlue, 1.0f);
    }
    EXPECT_EQ(window.at(2, 2), kRedPixel);
    EXPECT_EQ(window.at(7, 2), kRedPixel);
    EXPECT_EQ(window.at(7, 7), kRedPixel);
    EXPECT_EQ(window.at(8, 8), kBlackPixel);
    EXPECT_EQ(window.at(4, 4), kBlackPixel);
    EXPECT_EQ(window.at(2, 12), kBluePixel);
    EXPECT_EQ(window.at(13, 12), kBluePixel);
    EXPECT_EQ(window.at(1, 12), 0xFF000080u);  // half covered
    EXPECT_EQ(window.at(15, 12), kBlackPixel);
    EXPECT_EQ(window.at(5, 11), kBlackPixel);
    EXPECT_EQ(window.at(5, 13), kBlackPixel);
}

TEST(DrawScopeTest, FillPathFillsTheTriangleOfTheFirstThreePointsOnly) {
    OffscreenWindow window(32, 32);
    // A fourth point would make a square; it must not be read.
    const float points[] = {0, 0, 32, 0, 0, 32, 32, 32};
    {
        Scope scope(window, 0, 0, 32, 32, true);
        window.fillPath(points, kRed);
    }
    EXPECT_EQ(window.at(2, 2), kRedPixel);
    EXPECT_EQ(window.at(29, 29), kBlackPixel);
}

TEST(DrawScopeTest, IconsMapTheirUnitsToTheBox) {
    OffscreenWindow window(40, 40);
    const RenderTarget::Rectangle square{0.25f, 0.25f, 0.75f, 0.75f};
    RenderTarget::Icon icon;
    icon.rectangle = &square;
    {
        Scope scope(window, 0, 0, 40, 40, true);
        window.drawIcon(icon, 10, 10, 20, 20, kRed);  // (15, 15)-(25, 25)
    }
    EXPECT_EQ(window.at(15, 15), kRedPixel);
    EXPECT_EQ(window.at(24, 24), kRedPixel);
    EXPECT_EQ(window.at(14, 15), kBlackPixel);
    EXPECT_EQ(window.at(25, 24), kBlackPixel);
}

TEST(DrawScopeTest, AFailedDrawingIsLoggedNotRaisedAndTheNextOneWorks) {
    CoreTest::LogLines log;
    OffscreenWindow window(8, 8);
    EXPECT_NO_THROW({
        Scope scope(window, 0, 0, 8, 8, true);
        cairo_scale(window.target->cairo(), 0, 0);  // the context fails from here on
        window.fill(kRed);
    });
    EXPECT_EQ(window.nesting, 0);
    bool logged = false;
    for (const CoreTest::CapturedLine& line : log.of(System::Log::ERROR))
        logged |= line.text.find("target->EndDraw") != std::string::npos &&
                  line.text.find("Media::RenderTarget::endDraw") != std::string::npos;
    EXPECT_TRUE(logged);
    {
        Scope scope(window, 0, 0, 8, 8, true);
        window.fill(kBlue);
    }
    EXPECT_EQ(window.at(3, 3), kBluePixel);
}

TEST(WindowTemporaryImageTest, AStripIsSavedAndPaintedBackAtTheControlsPlace) {
    OffscreenWindow window(40, 20);
    RenderTarget control(window);
    const int position[2] = {10, 5};
    {
        Scope scope(window, 0, 0, 40, 20, true);
        window.fillRectangle(10, 5, 40, 20, kBlue);
    }
    Media::WindowTemporaryImage strip;
    strip.pushImage(position, control, 4, 6, 10);  // (14, 5)-(20, 15)
    cairo_surface_t* saved = strip.image();
    {
        Scope scope(window, 0, 0, 40, 20, true);
        window.fillRectangle(0, 0, 40, 20, kRed);  // a cursor drawn over it
    }
    strip.popImage();
    EXPECT_EQ(window.at(14, 5), kBluePixel);
    EXPECT_EQ(window.at(19, 14), kBluePixel);
    EXPECT_EQ(window.at(13, 5), kRedPixel);
    EXPECT_EQ(window.at(20, 14), kRedPixel);
    EXPECT_EQ(window.at(14, 15), kRedPixel);

    strip.pushImage(position, control, 0, 6, 10);
    EXPECT_EQ(strip.image(), saved);  // same size: same bitmap
    strip.pushImage(position, control, 0, 7, 10);
    EXPECT_NE(strip.image(), nullptr);
    EXPECT_EQ(cairo_image_surface_get_width(strip.image()), 7);
}

TEST(WindowTemporaryImageTest, PaintingBackAStripNeverSavedFails) {
    Media::WindowTemporaryImage strip;
    const std::string text = CoreTest::failureText([&] { strip.popImage(); });
    EXPECT_NE(text.find("resource generator not set."), std::string::npos) << text;
    EXPECT_NE(text.find("Media::ComResource<struct ID2D1Bitmap>::createResource"), std::string::npos) << text;
}

}  // namespace
